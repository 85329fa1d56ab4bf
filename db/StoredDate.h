#pragma once

#include <QDateTime>
#include <QVariant>

// Message dates are stored as local time in one text form, which the message table shows too.
namespace StoredDate {

inline constexpr char kFormat[] = "yyyy-MM-dd hh:mm:ss";

// The text a DATE column holds for `date`: whole seconds, no zone.
QString toText(const QDateTime& date);

// The date-time of a DATE column, exactly as QVariant::toDateTime gives it (the same local
// date-time, validity and daylight-saving state, also in a gap or an overlap of the clock). A
// text of that form is read directly: going through QDateTime::fromString cost more than the
// rest of a message row. Anything else takes QVariant::toDateTime itself.
QDateTime fromColumn(const QVariant& value);

} // namespace StoredDate
