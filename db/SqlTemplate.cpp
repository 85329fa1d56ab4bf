#include "db/SqlTemplate.h"

#include <QRegularExpression>

namespace SqlTemplate {

QString toPrepared(const QString& statementTemplate, int count)
{
    // A quoted place-holder loses its quotes with it: the bound text is the whole literal.
    static const QRegularExpression placeHolder(QStringLiteral("('?)%(\\d+)\\1"));
    QString prepared;
    int expected = 1;
    int copied = 0;
    QRegularExpressionMatchIterator it = placeHolder.globalMatch(statementTemplate);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        if (match.captured(2).toInt() != expected)
            return QString();
        ++expected;
        prepared += statementTemplate.midRef(copied, match.capturedStart() - copied);
        prepared += QLatin1Char('?');
        copied = match.capturedEnd();
    }
    if (expected != count + 1)
        return QString();
    prepared += statementTemplate.midRef(copied);
    return prepared;
}

QVariant text(const QString& value)
{
    // A null QString would be bound as SQL NULL.
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

QVariant null()
{
    return QVariant(QVariant::Int);
}

} // namespace SqlTemplate
