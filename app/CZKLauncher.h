#pragma once

#include <QDialog>

namespace Ui {
class CZKLauncher;
}

// The first window of every run: user mode at once, or administration mode against the
// administrator passwords of the local database, with three attempts.
class CZKLauncher : public QDialog {
    Q_OBJECT
public:
    explicit CZKLauncher(QWidget* parent = nullptr);
    ~CZKLauncher() override;

    bool isAdmin() const { return admin; }

public slots:
    void adminMode();
    void normalMode();
    void clickedGo();
    void clickedExit();

private:
    bool passwordMatches(const QString& typed) const;

    Ui::CZKLauncher* form;
    int attempts = 0;
    bool admin = false;
};
