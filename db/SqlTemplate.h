#pragma once

#include <QString>
#include <QVariant>

// Turns the program's statement templates, written with numbered place-holders ("%1", or '%1'
// where a text goes), into statements with positional parameters, so that values are bound and
// never become part of the SQL text.
namespace SqlTemplate {

// The template with every place-holder, together with the quotes around it, replaced by "?".
// Empty when the place-holders are not exactly %1 to %count in ascending order, since the
// values are bound by position.
QString toPrepared(const QString& statementTemplate, int count);

// A text value as the templates wrote it: never NULL, an empty text stays ''.
QVariant text(const QString& value);

// The SQL NULL that stands for an absent reference.
QVariant null();

} // namespace SqlTemplate
