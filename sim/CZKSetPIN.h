#pragma once

#include "bus/IMessageSender.h"

#include <QDialog>
#include <QString>

namespace Ui {
class CZKSetPIN;
}

// Asks for the actual PIN and a new one typed twice. Sends nothing and checks no length: the
// caller reads the two texts after an accepted exec() and decides.
class CZKSetPIN : public QDialog, public IMessageSender {
    Q_OBJECT
public:
    explicit CZKSetPIN(QWidget* parent = nullptr);
    ~CZKSetPIN() override;

    // Filled only when the dialog is accepted.
    QString newPIN;
    QString actualPIN;

public slots:
    // Closes only when the new PIN and its retyped copy match; otherwise warns and stays open
    // with the entries.
    void accept() override;

private:
    Ui::CZKSetPIN* form;
};
