#pragma once

#include <QString>

class CZKMessageProxy;

// Base of every part that listens on the bus.
//
// A concrete receiver calls joinBus() as the last step of its own constructor and leaveBus()
// as the first step of its own destructor. Registering from this base constructor would let
// the bus thread call a half-built object; leaving only here would let it call one whose
// members are already gone.
class IMessageReceiver {
public:
    IMessageReceiver();
    virtual ~IMessageReceiver();

    // Called on the bus thread. Must return quickly and must not destroy receivers or wait for
    // a thread that may be waiting for the bus.
    virtual void receiveMessage(int type, QString msg, QString desc) = 0;

protected:
    void joinBus();
    void leaveBus();

    CZKMessageProxy* const busProxy;
};
