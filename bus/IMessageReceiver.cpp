#include "bus/IMessageReceiver.h"

#include "app/CZKGlobals.h"
#include "bus/CZKMessageProxy.h"

IMessageReceiver::IMessageReceiver()
    : busProxy(messageProxy())
{
}

IMessageReceiver::~IMessageReceiver()
{
    // Harmless when the concrete class already left.
    leaveBus();
}

void IMessageReceiver::joinBus()
{
    busProxy->addReceiver(this);
}

void IMessageReceiver::leaveBus()
{
    busProxy->removeReceiver(this);
}
