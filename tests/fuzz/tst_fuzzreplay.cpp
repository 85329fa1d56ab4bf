#include "FuzzEntries.h"

#include <QDir>
#include <QtTest>

// Every committed input of the fuzz targets, seeds and past findings alike, through the same entry
// functions as the fuzzers, in the ordinary and the sanitizer builds. A crash or a broken
// invariant ends this program; the line "input: ..." before it names the file.
class TestFuzzReplay : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { fuzzRepliesSetUp(); }

    void committedInputs_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("path");
        const QDir fuzz(qEnvironmentVariable("DUDEDORIV_SOURCE_DIR") + QStringLiteral("/tests/fuzz"));
        for (const QString target : {"replies", "pdu"}) {
            for (const QString folder : {"corpus", "regressions"}) {
                const QString relative = folder + '/' + target;
                const QStringList files = QDir(fuzz.filePath(relative)).entryList(QDir::Files, QDir::Name);
                // A corpus that is not found must fail rather than pass for having nothing to run.
                if (files.isEmpty() && folder == QLatin1String("corpus"))
                    QTest::newRow(qPrintable(relative)) << target << QString();
                for (const QString& file : files)
                    QTest::newRow(qPrintable(relative + '/' + file)) << target << fuzz.filePath(relative + '/' + file);
            }
        }
    }

    void committedInputs()
    {
        QFETCH(QString, target);
        QFETCH(QString, path);
        QVERIFY2(!path.isEmpty(), "no seeds found: DUDEDORIV_SOURCE_DIR wrong or corpus moved");
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
        const QByteArray input = file.readAll();
        qInfo("input: %s", qPrintable(path));
        const auto* data = reinterpret_cast<const uint8_t*>(input.constData());
        const size_t size = size_t(input.size());
        QCOMPARE(target == QLatin1String("pdu") ? fuzzPdu(data, size) : fuzzReplies(data, size), 0);
    }
};

QTEST_GUILESS_MAIN(TestFuzzReplay)
#include "tst_fuzzreplay.moc"
