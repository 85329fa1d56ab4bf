#include "app/CZKLogger.h"
#include "app/CZKPlatform.h"
#include "app/CZKStartup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void findsFilesWhateverTheCaseOfTheirNames();
    void translationLines_data();
    void translationLines();
    void darkSkinAppliesTheStyleSheetUpToTheFirstNul();
    void boxButtonsSpeakTheWindowsLanguage();

private:
    QStringList infoLines(const CZKLogger& log) const;
    QString catalogue;
};

void TestStartup::initTestCase()
{
    // Any compiled catalogue will do: the tests only need a file QTranslator accepts.
    catalogue = QDir(qEnvironmentVariable("DUDEDORIV_BINARY_DIR")).filePath(QStringLiteral("dudedoriv_en.qm"));
    QVERIFY2(QFile::exists(catalogue), qPrintable(catalogue));
}

QStringList TestStartup::infoLines(const CZKLogger& log) const
{
    QStringList lines;
    for (int row = 0; row < log.rowCount(); ++row) {
        lines << log.data(log.index(row), Qt::DisplayRole).toString().section(QLatin1Char('\t'), 1);
    }
    return lines;
}

void TestStartup::findsFilesWhateverTheCaseOfTheirNames()
{
    QTemporaryDir dir;
    QFile(catalogue).copy(dir.filePath(QStringLiteral("dudedoriv_pl.qm")));
    QCOMPARE(CZKPlatform::findFileNoCase(dir.path(), QStringLiteral("DUDEDORIV_PL.QM")),
             QStringLiteral("dudedoriv_pl.qm"));
    QCOMPARE(CZKPlatform::findFileNoCase(dir.path(), QStringLiteral("dudedoriv_de.qm")), QString());
    QCOMPARE(CZKPlatform::findFileNoCase(dir.path(), QString()), QString());

    QTranslator translator;
    QVERIFY(CZKPlatform::loadTranslation(&translator, QStringLiteral("dudedoriv_PL"), dir.path()));
    // The toolkit's rule of cutting the name at its last '_' still applies.
    QTranslator regional;
    QVERIFY(CZKPlatform::loadTranslation(&regional, QStringLiteral("dudedoriv_pl_PL"), dir.path()));
    QTranslator none;
    QVERIFY(!CZKPlatform::loadTranslation(&none, QStringLiteral("other_pl"), dir.path()));
}

void TestStartup::translationLines_data()
{
    QTest::addColumn<QStringList>("filesPresent");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("configured language, any case")
        << QStringList{"dudedoriv_pl.qm"} << "PL" << "en_US" << true
        << QStringList{"Load LANG file dudedoriv_PL success"};
    QTest::newRow("empty language takes the locale")
        << QStringList{"dudedoriv_de.qm"} << "" << "de_DE" << true
        << QStringList{"Load LANG file dudedoriv_de_DE success"};
    QTest::newRow("falls back to English silently")
        << QStringList{"dudedoriv_en.qm"} << "RU" << "en_US" << true
        << QStringList{"Load LANG file dudedoriv_RU failed. Loading default dudedoriv_en file"};
    QTest::newRow("nothing to load")
        << QStringList{} << "RU" << "en_US" << false
        << QStringList{"Load LANG file dudedoriv_RU failed. Loading default dudedoriv_en file",
                       "Load default dudedoriv_en lang file failed."};
}

void TestStartup::translationLines()
{
    QFETCH(QStringList, filesPresent);
    QFETCH(QString, language);
    QFETCH(QString, locale);
    QFETCH(bool, installed);
    QFETCH(QStringList, lines);

    QTemporaryDir dir;
    for (const QString& name : filesPresent)
        QVERIFY(QFile(catalogue).copy(dir.filePath(name)));

    CZKLogger log;
    QTranslator translator;
    QCOMPARE(CZKStartup::installTranslation(&translator, &log, dir.path(), language, locale), installed);
    QCOMPARE(infoLines(log), lines);
    QCoreApplication::removeTranslator(&translator);
}

void TestStartup::darkSkinAppliesTheStyleSheetUpToTheFirstNul()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());

    qApp->setStyleSheet(QString());
    QVERIFY(!CZKStartup::applySkin(QStringLiteral("darkorange")));
    QCOMPARE(qApp->styleSheet(), QString());

    QFile qss(QStringLiteral("DarkOrange.qss"));
    QVERIFY(qss.open(QIODevice::WriteOnly));
    qss.write(QByteArray("QWidget { color: orange; }\0garbage", 34));
    qss.close();

    QVERIFY(!CZKStartup::applySkin(QStringLiteral("DEFAULT")));
    QCOMPARE(qApp->styleSheet(), QString());
    QVERIFY(CZKStartup::applySkin(QStringLiteral("darkorange")));
    QCOMPARE(qApp->styleSheet(), QStringLiteral("QWidget { color: orange; }"));

    qApp->setStyleSheet(QString());
    QDir::setCurrent(previous);
}

// The toolkit's own catalogue is not shipped: the program's must carry the standard buttons.
void TestStartup::boxButtonsSpeakTheWindowsLanguage()
{
    QTranslator polish;
    QVERIFY(polish.load(QDir(qEnvironmentVariable("DUDEDORIV_BINARY_DIR")).filePath(QStringLiteral("dudedoriv_pl.qm"))));
    QCoreApplication::installTranslator(&polish);
    QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("t"),
                    QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No | QMessageBox::Close);
    QStringList texts;
    for (const QMessageBox::StandardButton button :
         {QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::Yes, QMessageBox::No, QMessageBox::Close})
        texts << box.button(button)->text();
    QCoreApplication::removeTranslator(&polish);
    QCOMPARE(texts, (QStringList{"OK", "Anuluj", "&Tak", "&Nie", "Zamknij"}));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
