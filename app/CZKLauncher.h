#pragma once

#include <QDialog>

// Stand-in until the launcher with its user and administration modes lands: OK goes on in
// user mode, Exit leaves.
class CZKLauncher : public QDialog {
    Q_OBJECT
public:
    explicit CZKLauncher(QWidget* parent = nullptr);

    bool isAdmin() const { return false; }
};
