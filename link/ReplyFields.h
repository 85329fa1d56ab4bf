#pragma once

#include <QString>
#include <QStringList>

// Taking apart the unit's reply lines: comma-separated fields and blank-separated words.
namespace ReplyFields {

// The fields of a comma-separated text. A comma between double quotes belongs to its field, so
// a quoted name such as "Smith, John" stays one field; the quotes stay on the field. Empty
// fields are dropped.
QStringList split(const QString& text);

// A field without the pair of double quotes around it (blanks outside them ignored). A field
// that is not quoted is given back as it is.
QString unquoted(const QString& field);

// A whole decimal number, blanks around it ignored.
bool toNumber(const QString& text, int* value);

// The words of a line, split at blanks, empty ones dropped.
QStringList words(const QString& line);

// `count` words from `first` on, joined by single blanks. A word past the end of the line
// counts as empty, so the number of blanks does not depend on the line.
QString joinWords(const QStringList& words, int first, int count);

// The lines of a raw reply, blanks around them removed, in upper case; empty lines left out.
QStringList upperLines(const QString& reply);

// Whether an upper-case reply line is the unit's echo of a command ("AT", "AT+...", "AT#...").
bool isCommandEcho(const QString& upperLine);

} // namespace ReplyFields
