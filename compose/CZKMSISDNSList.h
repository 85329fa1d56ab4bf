#pragma once

#include "bus/IMessageSender.h"

#include <QDialog>
#include <QString>

class QTreeWidgetItem;

namespace Ui {
class CZKMSISDNSList;
}

// Lists the local contacts and the SIM phone book in one tree and hands the number of the
// chosen entry back to the composer. Reads the database's caches and changes nothing.
class CZKMSISDNSList : public QDialog, public IMessageSender {
    Q_OBJECT
public:
    explicit CZKMSISDNSList(QWidget* parent = nullptr);
    ~CZKMSISDNSList() override;

    void createTree();

    // The number chosen; empty when the dialog closed without one. Read after exec().
    QString msisdn;

public slots:
    void select();
    void cancel();
    void msisdnItemDoubleClicked(QTreeWidgetItem* item);

private:
    void closeWithoutNumber();

    Ui::CZKMSISDNSList* form;
};
