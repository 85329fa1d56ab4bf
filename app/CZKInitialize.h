#pragma once

#include <QDialog>

namespace Ui {
class CZKInitialize;
}

// Frameless notice shown while the unit is read for the first time; the program stays busy
// (wait cursor, no clicks or key strokes) for as long as it exists.
class CZKInitialize : public QDialog {
    Q_OBJECT
public:
    explicit CZKInitialize(QWidget* parent = nullptr);
    ~CZKInitialize() override;

public slots:
    void setText(QString msg);

private:
    Ui::CZKInitialize* form;
};
