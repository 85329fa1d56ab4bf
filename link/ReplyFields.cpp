#include "link/ReplyFields.h"

namespace ReplyFields {

QStringList split(const QString& text)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        if (c == QLatin1Char(',') && !quoted) {
            if (!field.isEmpty())
                fields.append(field);
            field.clear();
            continue;
        }
        field.append(c);
    }
    if (!field.isEmpty())
        fields.append(field);
    return fields;
}

QString unquoted(const QString& field)
{
    const QString inner = field.trimmed();
    if (inner.size() >= 2 && inner.startsWith(QLatin1Char('"')) && inner.endsWith(QLatin1Char('"')))
        return inner.mid(1, inner.size() - 2);
    return field;
}

bool toNumber(const QString& text, int* value)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok, 10);
    if (ok)
        *value = number;
    return ok;
}

QStringList words(const QString& line)
{
    return line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString joinWords(const QStringList& words, int first, int count)
{
    QStringList picked;
    for (int i = first; i < first + count; ++i)
        picked.append(i >= 0 && i < words.size() ? words.at(i) : QString());
    return picked.join(QLatin1Char(' '));
}

QStringList upperLines(const QString& reply)
{
    QStringList lines;
    for (const QString& text : QString(reply).replace(QLatin1Char('\r'), QLatin1Char('\n')).split(QLatin1Char('\n'))) {
        const QString line = text.trimmed().toUpper();
        if (!line.isEmpty())
            lines.append(line);
    }
    return lines;
}

bool isCommandEcho(const QString& upperLine)
{
    return upperLine.startsWith(QLatin1String("AT")) && (upperLine.size() == 2 || !upperLine.at(2).isLetter());
}

} // namespace ReplyFields
