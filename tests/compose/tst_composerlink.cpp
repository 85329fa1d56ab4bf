#include "ComposerTestSupport.h"
#include "FakeUnit.h"
#include "db/DbTestSupport.h"

#include "app/CZKOptions.h"
#include "app/CZKPacing.h"
#include "compose/CZKNewSMS.h"
#include "link/CZKCommandContainer.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QtTest>

#include <memory>

// The composer through the real link to the fake unit on 127.0.0.1: what the unit decodes from
// the PDUs is what the operator typed, sent to the number typed, and the outbox keeps it once.
class TestComposerLink : public QObject {
    Q_OBJECT

    std::unique_ptr<LoadedDatabase> data;
    std::unique_ptr<FakeUnit> unit;
    std::unique_ptr<CZKCommandContainer> container;

    // The program's side binds another free port of this host: both ends cannot hold one port.
    void startContainer()
    {
        QUdpSocket probe;
        probe.bind(QHostAddress(QHostAddress::AnyIPv4), 0);
        container = std::make_unique<CZKCommandContainer>(nullptr);
        container->setNetworkAddress(QStringLiteral("127.0.0.0"));
        container->port = unit->port();
        container->localPort = probe.localPort();
        // Nothing of these tests may ever leave this host.
        if (!container->peerAddress().isLoopback() || !container->localAddress().isLoopback())
            qFatal("the link under test is not on loopback");
        probe.close();
        container->start();
    }

    static void fillAndSend(CZKNewSMS& composer, const QString& number, const QString& text)
    {
        composer.findChild<QLineEdit*>("editMSISDN")->setText(number);
        composer.findChild<QPlainTextEdit*>("editMessage")->setPlainText(text);
        // The whole flow runs inside the click, answering boxes through the responder.
        composer.findChild<QPushButton*>("pbSend")->click();
    }

private slots:
    void initTestCase()
    {
        if (!messageProxy()->isRunning())
            messageProxy()->start();
        options()->receiveOnIp = false;
    }

    void init()
    {
        Pacing::setScale(0.05);
        data = std::make_unique<LoadedDatabase>(QString(), true);
        QVERIFY(data->loaded);
        unit = std::make_unique<FakeUnit>();
        QVERIFY2(unit->open(QHostAddress::LocalHost, 0), qPrintable(unit->errorString()));
        startContainer();
    }

    void cleanup()
    {
        if (container)
            container->stop();
        container.reset();
        unit.reset();
        data.reset();
        Pacing::setScale(1.0);
    }

    void sentTextComesBackFromTheUnit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("coding");
        QTest::addColumn<int>("parts");

        const QString polish = QString::fromUtf8("Zażółć gęślą jaźń, ŻÓŁW! ");
        const QString plain = QStringLiteral("The quick brown fox paid $5 for a_coffee @ 10:30 (#7, 100%)? ");
        QTest::newRow("extension characters") << "@{}" << "7-bit" << 1;
        QTest::newRow("Polish with an emoji") << polish + QString::fromUtf8("\xF0\x9F\x98\x80") << "UCS2" << 1;
        QTest::newRow("400 characters 7-bit") << plain.repeated(7).left(400) << "7-bit" << 3;
        QTest::newRow("150 characters Polish") << polish.repeated(6).left(150) << "UCS2" << 3;
    }

    void sentTextComesBackFromTheUnit()
    {
        QFETCH(QString, text);
        QFETCH(QString, coding);
        QFETCH(int, parts);
        const QString number = QStringLiteral("+48600100200");

        PromptLog prompts;
        CZKNewSMS composer;
        QSignalSpy finished(&composer, &QDialog::finished);
        fillAndSend(composer, number, text);

        QCOMPARE(prompts.asked, QStringList("Send message|Send message success, close window?"));
        QCOMPARE(finished.value(0).value(0).toInt(), int(QDialog::Accepted));
        QCOMPARE(unit->sentMessages.size(), 1);
        const FakeUnit::SentSms& sent = unit->sentMessages.first();
        QCOMPARE(sent.text, text);
        QCOMPARE(sent.destination, number);
        QCOMPARE(sent.coding, coding);
        QCOMPARE(sent.parts, parts);
        QVERIFY(!sent.textMode);
        QCOMPARE(queryRows("SELECT CONTENT, TO_MSISDN, ID_SIMCARD FROM SEND_MESSAGES"),
                 QStringList({text, number, "0"}).join(QLatin1Char('|')));
    }

    // A figure for the report, not a timed test: the counter recounts 1520 characters on every
    // change, and typing must not lag behind it.
    void counterBenchmark()
    {
        container.reset();
        CZKNewSMS composer;
        auto* edit = composer.findChild<QPlainTextEdit*>("editMessage");
        const auto* counter = composer.findChild<QLabel*>("labelCheraktersCount");
        edit->setPlainText(QStringLiteral("Counting every character, one by one. ").repeated(40).left(1519));
        QTextCursor cursor(edit->document());
        cursor.movePosition(QTextCursor::End);

        constexpr int rounds = 500;   // two changes each: a character typed, then taken back
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < rounds; ++i) {
            cursor.insertText(QStringLiteral("a"));
            cursor.deletePreviousChar();
        }
        const double perChange = clock.nsecsElapsed() / 1e6 / (2 * rounds);
        cursor.insertText(QStringLiteral("a"));
        QCOMPARE(counter->text(), QStringLiteral("SMS/Chars: 10/(1520)0"));

        clock.restart();
        for (int i = 0; i < rounds; ++i)
            composer.editMessageChenged();
        const double counterOnly = clock.nsecsElapsed() / 1e6 / rounds;

        // What the same change costs a bare editor, to tell the counter's share from Qt's own.
        QPlainTextEdit bare;
        bare.setPlainText(edit->toPlainText().left(1519));
        QTextCursor bareCursor(bare.document());
        bareCursor.movePosition(QTextCursor::End);
        clock.restart();
        for (int i = 0; i < rounds; ++i) {
            bareCursor.insertText(QStringLiteral("a"));
            bareCursor.deletePreviousChar();
        }
        const double bareChange = clock.nsecsElapsed() / 1e6 / (2 * rounds);
        qInfo("1520 characters: %.4f ms a change in the composer, %.4f ms in a bare editor, %.4f ms the counter "
              "alone (goal under 1 ms)", perChange, bareChange, counterOnly);
    }

    // A figure for the report at the real pacing; it takes several seconds, so it runs only
    // when DUDEDORIV_BENCH=1.
    void threePartSendBenchmark()
    {
        if (qEnvironmentVariableIntValue("DUDEDORIV_BENCH") != 1)
            QSKIP("set DUDEDORIV_BENCH=1 to measure a 3-part send at the real pacing");
        Pacing::setScale(1.0);
        PromptLog prompts;
        CZKNewSMS composer;
        composer.findChild<QLineEdit*>("editMSISDN")->setText(QStringLiteral("+48600100200"));
        composer.findChild<QPlainTextEdit*>("editMessage")->setPlainText(QStringLiteral("0123456789").repeated(40));
        QElapsedTimer clock;
        clock.start();
        const qint64 sendAt = clock.msecsSinceReference();
        composer.findChild<QPushButton*>("pbSend")->click();

        QVector<qint64> results;
        for (const FakeUnit::Datagram& datagram : qAsConst(unit->sent)) {
            if (datagram.bytes.contains("+CMGS:"))
                results.append(datagram.atMs - sendAt);
        }
        QCOMPARE(results.size(), 3);
        QCOMPARE(prompts.asked, QStringList("Send message|Send message success, close window?"));
        qInfo("3-part send at the real pacing: \"+CMGS:\" at %lld, %lld and %lld ms after Send (goal within 10000 ms)",
              results.at(0), results.at(1), results.at(2));
    }
};

QTEST_MAIN(TestComposerLink)
#include "tst_composerlink.moc"
