#pragma once

#include <QString>

// How long a message text is as the SMS encoder sees it: septets while the whole text goes in
// 7-bit, an extension character counting two, else UTF-16 units. The paste cut and the key
// filter of the message field measure with this, so the field never holds more than the
// composer can send.
namespace MessageLength {

constexpr int Gsm7Limit = 1520; // septets
constexpr int Ucs2Limit = 1280; // UTF-16 units

// The length of `text` on its own: septets when it is 7-bit, else UTF-16 units.
int of(const QString& text);

// The limit that applies to `text`, in the unit `of` counts it in.
int limitOf(const QString& text);

// The longest head of `pasted` that fits into `room`, measured septets when `gsm7` is true, else
// UTF-16 units. The cut never splits a surrogate pair or an extension character.
QString headThatFits(const QString& pasted, int room, bool gsm7);

} // namespace MessageLength
