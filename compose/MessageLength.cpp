#include "compose/MessageLength.h"

#include "sms/GsmAlphabet.h"

namespace MessageLength {

int of(const QString& text)
{
    return isGsm7Encodable(text) ? gsm7SeptetCount(text) : text.size();
}

int limitOf(const QString& text)
{
    return isGsm7Encodable(text) ? Gsm7Limit : Ucs2Limit;
}

QString headThatFits(const QString& pasted, int room, bool gsm7)
{
    int used = 0;
    int end = 0;
    while (end < pasted.size()) {
        int units = 1;
        int cost = 1;
        if (gsm7)
            cost = qMax(1, GsmAlphabet::septetsOf(pasted.at(end)));
        else if (pasted.at(end).isHighSurrogate() && end + 1 < pasted.size() && pasted.at(end + 1).isLowSurrogate())
            units = cost = 2;
        if (used + cost > room)
            break;
        used += cost;
        end += units;
    }
    return pasted.left(end);
}

} // namespace MessageLength
