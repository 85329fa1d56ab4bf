#include <QtTest>

namespace {
struct Message {
    QString source, comment, translation;
    bool unfinished = false;
};
// Keyed by context, source and comment: what lupdate tells messages apart by.
using Catalogue = QMap<QString, Message>;

Catalogue readCatalogue(const QString& path)
{
    Catalogue messages;
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        const auto name = xml.name();
        if (xml.isEndElement() && name == QLatin1String("message"))
            messages.insert(context + QLatin1Char('|') + message.source + QLatin1Char('|') + message.comment, message);
        else if (!xml.isStartElement())
            continue;
        else if (name == QLatin1String("message"))
            message = Message();
        else if (name == QLatin1String("name"))
            context = xml.readElementText();
        else if (name == QLatin1String("source"))
            message.source = xml.readElementText();
        else if (name == QLatin1String("comment"))
            message.comment = xml.readElementText();
        else if (name == QLatin1String("translation")) {
            message.unfinished = xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
            message.translation = xml.readElementText();
        }
    }
    return messages;
}

// Texts that read the same in Polish: names, abbreviations and words Polish shares; compared
// without a trailing colon or a count in brackets.
bool samePolishAllowed(QString source)
{
    static const QStringList same = {"Zekon Manager", "TZK Radio Manager", "DarkOrange", "OK", "PIN", "SMS",
                                     "MSISDN", "APN", "IMEI", "IMSI", "SIM/USIM", "EN", "SP", "DE", "RU", "PL",
                                     "Start", "Stop", "System", "Terminal"};
    // The statistics counters are a service view kept in the unit's own terms.
    static const QRegularExpression counter(QStringLiteral("^(Ethernet|DMA|USB|PHT|ARP|DHCP) .* count: \\t+%1\\n$"));
    source.remove(QRegularExpression(QStringLiteral("\\(%1(,%2)?\\)$|:? *$")));
    return same.contains(source) || counter.match(source).hasMatch();
}

// What a translation keeps of its source: place-holders, accelerators, line breaks and the ending.
QString shape(const QString& text)
{
    QStringList parts;
    auto marks = QRegularExpression(QStringLiteral("%\\d|&|\\n")).globalMatch(text);
    while (marks.hasNext())
        parts << marks.next().captured();
    parts.sort();
    return parts.join(QLatin1Char(' ')) + QLatin1Char('|')
        + QRegularExpression(QStringLiteral("[\\s:?.!]*$")).match(text).captured();
}

const QString sourceDir = qEnvironmentVariable("DUDEDORIV_SOURCE_DIR");
const QString binaryDir = qEnvironmentVariable("DUDEDORIV_BINARY_DIR");
const QString tsDir = sourceDir + QStringLiteral("/resources/translations/");
} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

private slots:
    void polishIsComplete()
    {
        const Catalogue polish = readCatalogue(tsDir + QStringLiteral("dudedoriv_pl.ts"));
        QVERIFY(polish.size() > 300);
        QStringList faults;
        for (auto it = polish.cbegin(); it != polish.cend(); ++it) {
            if (it->unfinished || it->translation.isEmpty())
                faults << QStringLiteral("unfinished: ") + it.key();
            else if (it->translation == it->source && !samePolishAllowed(it->source))
                faults << QStringLiteral("same as the source: ") + it.key();
            else if (shape(it->translation) != shape(it->source))
                faults << QStringLiteral("place-holders, accelerators, line breaks or ending differ: ") + it.key();
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // Every catalogue holds exactly the texts the code and the forms hold now.
    void cataloguesFollowTheSources()
    {
        const QString lupdate = QStandardPaths::findExecutable(QStringLiteral("lupdate"));
        if (lupdate.isEmpty())
            QSKIP("lupdate is not installed");
        QTemporaryDir copies;
        const QStringList names = QDir(tsDir).entryList({QStringLiteral("dudedoriv_*.ts")});
        QStringList arguments = {"-no-obsolete", "-locations", "none", "app", "bus", "link", "sms", "db", "sim",
                                 "charts", "compose", "mainwindow", "forms", "-ts"};
        for (const QString& name : names) {
            QVERIFY(QFile::copy(tsDir + name, copies.filePath(name)));
            arguments << copies.filePath(name);
        }
        QProcess run;
        run.setWorkingDirectory(sourceDir);
        run.start(lupdate, arguments);
        QVERIFY(run.waitForFinished(120000));
        QCOMPARE(run.exitCode(), 0);
        for (const QString& name : names) {
            const QStringList before = readCatalogue(tsDir + name).keys(), after = readCatalogue(copies.filePath(name)).keys();
            const QSet<QString> committed(before.begin(), before.end()), current(after.begin(), after.end());
            const QStringList missing = (current - committed).values(), gone = (committed - current).values();
            QVERIFY2(missing.isEmpty() && gone.isEmpty(),
                     qPrintable(QStringLiteral("%1: run scripts/update-translations.sh\nmissing: %2\nno longer used: %3")
                                    .arg(name, missing.join(QStringLiteral(", ")), gone.join(QStringLiteral(", ")))));
        }
    }

    // The program installs one translator: Qt's own Polish texts come with the program's.
    void polishCatalogueHoldsQtTexts()
    {
        QTranslator polish;
        QVERIFY(polish.load(QStringLiteral("dudedoriv_pl"), binaryDir));
        QCOMPARE(polish.translate("QPlatformTheme", "&Yes"), QStringLiteral("&Tak"));
        const QString lookIn = polish.translate("QFileDialog", "Look in:");
        QVERIFY2(!lookIn.isEmpty() && lookIn != QLatin1String("Look in:"), "the file dialog's texts are not merged");
        // Such a file would be loaded for any language the program has no catalogue of.
        QVERIFY(!QFile::exists(binaryDir + QStringLiteral("/dudedoriv.qm")));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
