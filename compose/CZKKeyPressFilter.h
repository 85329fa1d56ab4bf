#pragma once

#include <QObject>

// Installed on the composer's message field: a key that would leave the message longer than the
// composer can send, in the coding the message would then need, is held back. Keys that move the
// cursor, select, copy or delete always get through, and so does a paste, which the field cuts
// itself; other keys only below the limit.
class CZKKeyPressFilter : public QObject {
    Q_OBJECT
public:
    explicit CZKKeyPressFilter(QObject* parent = nullptr);
    ~CZKKeyPressFilter() override;

    bool eventFilter(QObject* watched, QEvent* event) override;
};
