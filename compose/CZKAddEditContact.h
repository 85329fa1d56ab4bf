#pragma once

#include <QDialog>
#include <QString>

namespace Ui {
class CZKAddEditContact;
}

// Asks for one contact's name, number and description. It only insists on a name and a
// number; the opener reads the three values after an accepted exec() and stores them.
class CZKAddEditContact : public QDialog {
    Q_OBJECT

    bool edit;
    Ui::CZKAddEditContact* form;

public:
    CZKAddEditContact(bool edit, QWidget* parent = nullptr);
    ~CZKAddEditContact() override;

    void setName(const QString& value);
    void setMSISDN(const QString& value);
    void setDescription(const QString& value);
    // SIM phone-book entries have no description.
    void setDescriptionEnabled(bool enabled);

    // What the setters gave until OK copies the fields over them.
    QString name;
    QString msisdn;
    QString description;

public slots:
    void ok();
    void cancel();
};
