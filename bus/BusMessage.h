#pragma once

#include <QString>

// Values of BusMessage::type. The bus itself never looks at them; every receiver picks the
// types it handles.
enum BusMessageType : int {
    Error = 1,
    Warning = 2,
    Info = 3,
    Send = 4,
    Receive = 5,
    ReplyKey = 100,
    LinkAlive = 101,
    LinkLost = 102,
    UnitRestarted = 103,
};

// Tag carried in `desc` of commands the program issued itself, and of the replies to them.
inline const QString& internalTag()
{
    static const QString tag = QStringLiteral("INTERNAL");
    return tag;
}

struct BusMessage {
    int type = 0;
    QString msg;
    QString desc;
};
