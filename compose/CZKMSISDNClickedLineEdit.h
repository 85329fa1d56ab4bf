#pragma once

#include <QLineEdit>

// The composer's recipient field: a double click on it while it is empty asks for the
// recipient chooser.
class CZKMSISDNClickedLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CZKMSISDNClickedLineEdit(QWidget* parent = nullptr);
    ~CZKMSISDNClickedLineEdit() override;

signals:
    void showMSISDN();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
