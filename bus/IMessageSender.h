#pragma once

#include <QString>

class CZKMessageProxy;

// Base of every part that posts on the bus. Posting never blocks on delivery and never fails.
class IMessageSender {
public:
    IMessageSender();
    virtual ~IMessageSender();

    void sendMessage(int type, QString msg, QString desc);

protected:
    CZKMessageProxy* const busProxy;
};
