#include "bus/IMessageSender.h"

#include "app/CZKGlobals.h"
#include "bus/CZKMessageProxy.h"

IMessageSender::IMessageSender()
    : busProxy(messageProxy())
{
}

IMessageSender::~IMessageSender() = default;

void IMessageSender::sendMessage(int type, QString msg, QString desc)
{
    busProxy->post(type, std::move(msg), std::move(desc));
}
