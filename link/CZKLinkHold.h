#pragma once

#include <QObject>

#include <functional>

// Tells the GUI thread that the link is free again.
class CZKLinkHoldNotifier : public QObject {
    Q_OBJECT
signals:
    // Queued to the GUI thread after the last hold went; a hold taken meanwhile may already
    // stand again when it arrives.
    void released();
};

// Keeps the link quiet for the program's periodic probes while it lives: a conversation with
// the unit that a stray command would break (after "AT+CMGS" any command becomes message
// text; "AT+CMGF=1" slipped in before it sends the PDU as text) holds one from start to end.
// Holds are counted across the whole process; the link is free when the last one has gone.
class CZKLinkHold {
public:
    // Once this returns, no probe sent through unlessHeld() enters the bus until the hold has
    // gone.
    CZKLinkHold();
    ~CZKLinkHold();

    CZKLinkHold(const CZKLinkHold&) = delete;
    CZKLinkHold& operator=(const CZKLinkHold&) = delete;

    static bool isHeld();

    // Runs `step` unless a hold stands, as one step with the taking of holds, so a hold cannot
    // be taken between the look and the send. Returns whether it ran. `step` must be short
    // (a post on the bus) and must neither take nor give back a hold.
    static bool unlessHeld(const std::function<void()>& step);

    // Lives on the GUI thread (the thread of the application object, when one exists by the
    // first call).
    static CZKLinkHoldNotifier* notifier();
};
