#pragma once

#include <QDialog>

namespace Ui {
class CZKOptionsDlg;
}

// Edits the settings: OK writes them back and saves the ini file, Cancel changes nothing.
// Applying them to the running program is the main window's work.
class CZKOptionsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CZKOptionsDlg(QWidget* parent = nullptr);
    ~CZKOptionsDlg() override;

public slots:
    void ok();
    void cancel();
    void extModeClicked();

private:
    void setShowLevelEnabled(bool enabled);

    Ui::CZKOptionsDlg* form;
    bool languageTouched = false;
};
