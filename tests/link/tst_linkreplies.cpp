#include "FakeSms.h"
#include "FakeUnit.h"
#include "app/CZKPacing.h"
#include "link/CZKCommandContainer.h"
#include "link/ReceptionSupport.h"

#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QtTest>

namespace {

quint16 freePort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress(QHostAddress::AnyIPv4), 0);
    return probe.localPort();
}

} // namespace

// The fake unit's answers go through the real link (loopback only) into the interpreter, and
// come out as reply keys and as rows of the database.
class TestLinkReplies : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void fakeUnitAnswersBecomeKeysAndRows();

private:
    void post(const QString& command) { messageProxy()->post(Send, command, internalTag()); }
    // Collects reply keys until there are `count` of them.
    bool waitForKeys(int count);

    BusRecorder bus;
    QStringList seen;
};

void TestLinkReplies::initTestCase()
{
    messageProxy()->start();
    Pacing::setScale(0.1);
}

bool TestLinkReplies::waitForKeys(int count)
{
    return QTest::qWaitFor(
        [&] {
            seen += replyKeys(bus);
            return seen.size() >= count;
        },
        10000);
}

void TestLinkReplies::fakeUnitAnswersBecomeKeysAndRows()
{
    LoadedDatabase data(activeSimRow());
    QVERIFY(data.loaded);
    FakeUnit unit;
    QVERIFY2(unit.open(QHostAddress::LocalHost, 0), qPrintable(unit.errorString()));
    CZKCommandContainer container(nullptr);
    container.setNetworkAddress(QStringLiteral("127.0.0.0"));
    container.port = unit.port();
    container.localPort = freePort();
    // Nothing of this test may ever leave this host.
    if (!container.peerAddress().isLoopback() || !container.localAddress().isLoopback())
        qFatal("the link under test is not on loopback");
    container.start();

    // A fourth message joins the three the SIM starts with.
    FakeSms extra;
    extra.sender = QStringLiteral("+48600100400");
    extra.text = QStringLiteral("Put on the SIM by a control datagram");
    QUdpSocket control;
    control.writeDatagram("FAKE#SMS=" + extra.pdu(), QHostAddress::LocalHost, unit.port());
    QTRY_VERIFY(control.hasPendingDatagrams());
    QCOMPARE(control.receiveDatagram().data(), QByteArray("OK\r\n"));

    for (const char* command : {"AT+CGSN", "AT+CPMS=\"SM\",\"SM\",\"SM\"", "AT+CPBS?", "AT+CPBR=1,250", "AT+CMGF=0"})
        post(QLatin1String(command));
    for (int index = 1; index <= 4; ++index) {
        post(QStringLiteral("AT+CMGR=%1").arg(index));
        post(QStringLiteral("AT+CMGD=%1").arg(index));
    }
    post(QStringLiteral("AT+CPMS=\"SM\",\"SM\",\"SM\""));
    post(QStringLiteral("AT+CMGR=1"));
    QVERIFY(waitForKeys(11));
    // Each answer from the network comes on its own after the command's "OK"; the next command
    // waits for it, as a reply in between would be taken for the rest of a split answer.
    for (const char* code : {"*100#", "*101#", "*102#"}) {
        post(QStringLiteral("AT+CUSD=1,\"%1\",15").arg(QLatin1String(code)));
        QVERIFY(waitForKeys(seen.size() + 1));
    }

    QCOMPARE(seen, (QStringList{"IMEI=356000000000017", "REC_SMS=4", "PHONE_BOOK_POS=2", "PHONE_BOOK_MAX=250",
                                "NEW_PB_ITEM", "NEW_PB_ITEM", "RECEIVED_SMS", "RECEIVED_SMS", "RECEIVED_SMS",
                                "RECEIVED_SMS", "REC_SMS=0", "RECEIVED_USSD", "RECEIVED_USSD", "RECEIVED_USSD"}));
    QCOMPARE(storedRows(data.db),
             QStringList({"+48600100200|Hello from the fake unit|2026-05-12 19:41:57|0|0",
                          "+48600100300|This is a long message, and this is its second part.|2026-05-12 19:42:30|0|0",
                          "+48600100400|Put on the SIM by a control datagram|2026-05-12 19:41:57|0|0",
                          "Network|Balance 5.00 EUR, valid until 2026-12-31|now|1|0",
                          "Network|1 Balance\r\n2 Offers\r\n3 Exit|now|1|0", "Network|Menu\r\n1 Data\r\n2 Voice|now|1|0"})
                 .join(QLatin1Char(';')));
    QStringList phoneBook;
    for (const ContactRecord& entry : qAsConst(data.db.phoneBook))
        phoneBook.append(QStringLiteral("%1|%2|%3").arg(entry.id).arg(entry.msisdn, entry.name));
    QCOMPARE(phoneBook, (QStringList{"1|+48600100200|Anna", "2|600100300|Smith, John"}));
    QVERIFY(unit.simMessages.isEmpty());
}

QTEST_GUILESS_MAIN(TestLinkReplies)
#include "tst_linkreplies.moc"
