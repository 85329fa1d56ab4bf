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

    // Any compiled catalogue will do: the tests only need a file QTranslator accepts.
    const QString catalogue = QDir(qEnvironmentVariable("DUDEDORIV_BINARY_DIR")).filePath("dudedoriv_en.qm");

private slots:
    void initTestCase() { QVERIFY2(QFile::exists(catalogue), qPrintable(catalogue)); }

    void findsFilesWhateverTheCaseOfTheirNames()
    {
        QTemporaryDir dir;
        QFile(catalogue).copy(dir.filePath(QStringLiteral("dudedoriv_pl.qm")));
        QCOMPARE(CZKPlatform::findFileNoCase(dir.path(), QStringLiteral("DUDEDORIV_PL.QM")),
                 QStringLiteral("dudedoriv_pl.qm"));
        QCOMPARE(CZKPlatform::findFileNoCase(dir.path(), QStringLiteral("dudedoriv_de.qm")), QString());
        QTranslator translator, regional, none;
        QVERIFY(CZKPlatform::loadTranslation(&translator, QStringLiteral("dudedoriv_PL"), dir.path()));
        // The toolkit's rule of cutting the name at its last '_' still applies.
        QVERIFY(CZKPlatform::loadTranslation(&regional, QStringLiteral("dudedoriv_pl_PL"), dir.path()));
        QVERIFY(!CZKPlatform::loadTranslation(&none, QStringLiteral("other_pl"), dir.path()));
    }

    void translationLines_data()
    {
        QTest::addColumn<QString>("filePresent");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QStringList>("lines");

        const QString fallback =
            QStringLiteral("Load LANG file dudedoriv_RU failed. Loading default dudedoriv_en file");
        QTest::newRow("configured language, any case") << "dudedoriv_pl.qm" << "PL" << "en_US" << true
                                                       << QStringList{"Load LANG file dudedoriv_PL success"};
        QTest::newRow("empty language takes the locale") << "dudedoriv_de.qm" << "" << "de_DE" << true
                                                         << QStringList{"Load LANG file dudedoriv_de_DE success"};
        QTest::newRow("falls back to English") << "dudedoriv_en.qm" << "RU" << "en_US" << true << QStringList{fallback};
        QTest::newRow("nothing to load") << "" << "RU" << "en_US" << false
                                         << QStringList{fallback, "Load default dudedoriv_en lang file failed."};
    }

    void translationLines()
    {
        QFETCH(QString, filePresent);
        QFETCH(QString, language);
        QFETCH(QString, locale);
        QTemporaryDir dir;
        if (!filePresent.isEmpty())
            QVERIFY(QFile(catalogue).copy(dir.filePath(filePresent)));
        CZKLogger log;
        QTranslator translator;
        QTEST(CZKStartup::installTranslation(&translator, &log, dir.path(), language, locale), "installed");
        QStringList lines;
        for (int row = 0; row < log.rowCount(); ++row)
            lines << log.data(log.index(row), Qt::DisplayRole).toString().section(QLatin1Char('\t'), 1);
        QTEST(lines, "lines");
        QCoreApplication::removeTranslator(&translator);
    }

    void darkSkinAppliesTheStyleSheetUpToTheFirstNul()
    {
        QTemporaryDir dir;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        qApp->setStyleSheet(QString());
        QVERIFY(!CZKStartup::applySkin(QStringLiteral("darkorange"))); // no file: silent

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
    void boxButtonsSpeakTheWindowsLanguage()
    {
        QTranslator polish;
        QVERIFY(polish.load(QDir(qEnvironmentVariable("DUDEDORIV_BINARY_DIR")).filePath("dudedoriv_pl.qm")));
        QCoreApplication::installTranslator(&polish);
        const QList<QMessageBox::StandardButton> buttons{QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::Yes,
                                                         QMessageBox::No, QMessageBox::Close};
        QMessageBox box;
        QStringList texts;
        for (const QMessageBox::StandardButton button : buttons)
            texts << box.addButton(button)->text();
        QCoreApplication::removeTranslator(&polish);
        QCOMPARE(texts, (QStringList{"OK", "Anuluj", "&Tak", "&Nie", "Zamknij"}));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
