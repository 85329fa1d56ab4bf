#pragma once

#include <QObject>

// Installed on the composer's message field: once the message has reached the length the
// composer can send, only keys that move the cursor or delete get through; below it, a key that
// would type past it is held back.
class CZKKeyPressFilter : public QObject {
    Q_OBJECT
public:
    explicit CZKKeyPressFilter(QObject* parent = nullptr);
    ~CZKKeyPressFilter() override;

    bool eventFilter(QObject* watched, QEvent* event) override;
};
