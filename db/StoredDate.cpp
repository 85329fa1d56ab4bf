#include "db/StoredDate.h"

namespace StoredDate {

namespace {

// The value of `count` decimal digits from `from`, or -1 when one of them is not a digit.
int digits(const QChar* text, int from, int count)
{
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        const ushort c = text[i].unicode();
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

QString toText(const QDateTime& date)
{
    return date.toString(QLatin1String(kFormat));
}

QDateTime fromColumn(const QVariant& value)
{
    if (value.userType() == QMetaType::QString) {
        const QString text = value.toString();
        const QChar* c = text.constData();
        if (text.size() == 19 && c[4] == QLatin1Char('-') && c[7] == QLatin1Char('-') && c[10] == QLatin1Char(' ')
            && c[13] == QLatin1Char(':') && c[16] == QLatin1Char(':')) {
            const int year = digits(c, 0, 4), month = digits(c, 5, 2), day = digits(c, 8, 2);
            const int hour = digits(c, 11, 2), minute = digits(c, 14, 2), second = digits(c, 17, 2);
            // QDate takes -1 for a year before Christ; here it means "not a digit".
            const QDate date = year > 0 ? QDate(year, month, day) : QDate();
            const QTime time(hour, minute, second);
            // fromString builds the same two parts and hands them to this constructor; what it
            // treats specially (24:00:00, a time zone, other separators, a bad field) goes there.
            if (date.isValid() && time.isValid())
                return QDateTime(date, time, Qt::LocalTime);
        }
    }
    return value.toDateTime();
}

} // namespace StoredDate
