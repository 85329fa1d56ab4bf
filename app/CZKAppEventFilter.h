#pragma once

#include <QObject>

// Installed on the application while the program is busy: swallows clicks and key strokes,
// lets everything else (mouse moves, paints, timers, close) through.
class CZKAppEventFilter : public QObject {
    Q_OBJECT
public:
    explicit CZKAppEventFilter(QObject* parent = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;
};
