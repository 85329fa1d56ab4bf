#include "WindowTestSupport.h"

#include "ui_CZKMainWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTranslator>
#include <QtEndian>

namespace {

const QString kEarlier = QStringLiteral("earlier text");

// Slot n counts 100000 + n, except the last, which is all ones; then `tail` bytes of 0xEE.
QByteArray counters(int tail = 0)
{
    QByteArray frame(256 + tail, char(0xEE));
    for (int slot = 0; slot < 64; ++slot)
        qToLittleEndian<quint32>(slot == 63 ? 0xFFFFFFFFu : 100000u + slot, frame.data() + 4 * slot);
    return frame;
}

} // namespace

// The unit statistics view and the Tests tab's controls.
class tst_WindowStatistics : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;

    Ui_CZKMainWindow* ui() { return f->probe->ui(); }

private slots:
    void initTestCase()
    {
        startWindowTests();
        f = std::make_unique<WindowFixture>();
    }
    void cleanupTestCase() { f.reset(); }

    // A frame cut short, or of another type, leaves the view as it was.
    void frames_data()
    {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<bool>("shown");
        QTest::newRow("256 bytes") << 194u << counters() << true;
        QTest::newRow("300 bytes: the first 256 count") << 194u << counters(44) << true;
        QTest::newRow("empty") << 194u << QByteArray() << false;
        QTest::newRow("255 bytes") << 194u << counters().left(255) << false;
        QTest::newRow("another type") << 193u << counters() << false;
    }
    void frames()
    {
        QFETCH(uint, type);
        QFETCH(QByteArray, frame);
        QFETCH(bool, shown);
        ui()->tbTestResult->setPlainText(kEarlier);
        f->window->recEthFrame(type, frame);
        const QString text = ui()->tbTestResult->toPlainText();
        if (!shown) {
            QCOMPARE(text, kEarlier);
            return;
        }
        // Counters sit at fixed slots, some skipped; they are unsigned 32-bit little-endian.
        QVERIFY(text.startsWith("<-- ZK receive status -->\n\nEthernet RX IP4 Frames count: \t\t100000\n"));
        QVERIFY(text.contains("Ethernet RX Ignored IP6 Frames count: \t100006\nEthernet RX Dropped Frames count: \t100016\n"));
        QVERIFY(text.contains("Ethernet TX Ignored No Link Frames count: \t100013\n"));
        QVERIFY(text.endsWith("DHCP IP4 Errors count: \t\t4294967295\n"));
        QCOMPARE(text.count(QLatin1Char('\n')), 67);
    }

    // Only the first section header speaks the window's language; the other four stay as they
    // stand in every language.
    void headersInPolish()
    {
        QTranslator polish;
        QVERIFY(polish.load(qEnvironmentVariable("DUDEDORIV_BINARY_DIR") + QStringLiteral("/dudedoriv_pl.qm")));
        QVERIFY(QCoreApplication::installTranslator(&polish));
        f->window->recEthFrame(194u, counters());
        QCoreApplication::removeTranslator(&polish);
        QStringList headers;
        for (const QString& line : ui()->tbTestResult->toPlainText().split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1String("<--")))
                headers << line;
        }
        QCOMPARE(headers, (QStringList{"<-- Stan odbioru ZK -->", "<-- ZK Transmitted -->", "<-- DMA Status -->",
                                       "<-- Internal USB status -->", "<-- Other -->"}));
    }

    void refreshEmptiesTheSelector()
    {
        ui()->cbNIC->addItems({"eth0", "eth1", "wlan0"});
        ui()->leMAC->setText(QStringLiteral("00:11:22:33:44:55"));
        ui()->tbRefreshNIC->click();
        QCOMPARE(ui()->cbNIC->count(), 0);
        QCOMPARE(ui()->leMAC->text(), QString());
    }
};

QTEST_MAIN(tst_WindowStatistics)
#include "tst_windowstatistics.moc"
