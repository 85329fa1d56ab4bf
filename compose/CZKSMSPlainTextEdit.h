#pragma once

#include <QPlainTextEdit>

// The composer's message field: pasted or dropped text is cut so that the message stays within
// what the composer can send (1520 septets in 7-bit, 1280 UTF-16 units otherwise).
class CZKSMSPlainTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CZKSMSPlainTextEdit(QWidget* parent = nullptr);
    ~CZKSMSPlainTextEdit() override;

    // False while the composer sends a short code, which has no such limit.
    bool smsMode = true;

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};
