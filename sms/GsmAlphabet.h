#pragma once

#include <QByteArray>
#include <QString>

// The GSM 7-bit default alphabet and its extension table (3GPP TS 23.038, 6.2.1 and 6.2.1.1).
// Septets are held one per byte, 0 to 127. A character of the extension table takes two
// septets: the escape 0x1B followed by its code.
namespace GsmAlphabet {

constexpr char Escape = 0x1B;

// Appends the septets of `text` to `septets`; false (and `septets` unchanged) when some
// character has no septet in the alphabet.
bool toSeptets(const QString& text, QByteArray* septets);

// The text of a septet sequence. An escape followed by a code that the extension table does
// not hold stands for the default character of that code, as TS 23.038 asks of a receiver;
// an escape at the very end stands for nothing.
QString fromSeptets(const QByteArray& septets);

// The same for `count` septets at `septets`, written to `out` (room for `count` characters, as
// no septet gives more than one); returns the number of characters written. Every character
// is in the Basic Multilingual Plane and none is a surrogate or U+0000.
int fromSeptets(const char* septets, int count, QChar* out);

// Septets of one character: 1, 2 for the extension table, 0 when it has none.
int septetsOf(QChar c);

} // namespace GsmAlphabet

// Whether the composer may send `text` in 7-bit: every character is ASCII and has a septet.
// That leaves out the backtick and every control character but LF and CR; such a text goes as
// UCS2. (The encoder itself takes the whole alphabet, "£" or "€" too, so that a received text
// can be sent on unchanged.)
bool isGsm7Encodable(const QString& text);

// Septets that `text` takes in 7-bit, an extension character counting two; -1 when some
// character has no septet at all.
int gsm7SeptetCount(const QString& text);
