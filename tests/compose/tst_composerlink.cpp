#include "FakeUnit.h"
#include "db/DbTestSupport.h"

#include "app/CZKOptions.h"
#include "app/CZKPacing.h"
#include "app/CZKPrompt.h"
#include "compose/CZKNewSMS.h"
#include "link/CZKCommandContainer.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

// The composer through the real link to the fake unit on 127.0.0.1: what the unit decodes from
// the PDUs is what the operator typed, sent to the number typed, and the outbox keeps it once.
class TestComposerLink : public QObject {
    Q_OBJECT

    std::unique_ptr<LoadedDatabase> data;
    std::unique_ptr<FakeUnit> unit;
    std::unique_ptr<CZKCommandContainer> container;
    QStringList asked; // "title|text" of each box, all answered Ok

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
        // The program's side binds another free port of this host: both ends cannot hold one port.
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
        asked.clear();
        CZKPrompt::setResponder([this](const CZKPrompt::Call& call) {
            asked << call.title + QLatin1Char('|') + call.text;
            return QMessageBox::Ok;
        });
    }

    void cleanup()
    {
        CZKPrompt::setResponder({});
        if (container)
            container->stop();
        container.reset(), unit.reset(), data.reset();
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
        const QString number = QStringLiteral("+48600100200");

        CZKNewSMS composer;
        composer.findChild<QLineEdit*>("editMSISDN")->setText(number);
        composer.findChild<QPlainTextEdit*>("editMessage")->setPlainText(text);
        composer.findChild<QPushButton*>("pbSend")->click(); // the whole flow runs inside the click

        QCOMPARE(asked, QStringList("Send message|Send message success, close window?"));
        QCOMPARE(unit->sentMessages.size(), 1);
        const FakeUnit::SentSms& sent = unit->sentMessages.first();
        QCOMPARE(sent.text, text);
        QCOMPARE(sent.destination, number);
        QTEST(sent.coding, "coding");
        QTEST(sent.parts, "parts");
        QVERIFY(!sent.textMode);
        QCOMPARE(queryRows("SELECT CONTENT, TO_MSISDN, ID_SIMCARD FROM SEND_MESSAGES"),
                 QStringList({text, number, "0"}).join(QLatin1Char('|')));
    }
};

QTEST_MAIN(TestComposerLink)
#include "tst_composerlink.moc"
