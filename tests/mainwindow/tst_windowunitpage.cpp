#include "WindowTestSupport.h"

#include "app/CZKGlobals.h"
#include "app/CZKPacing.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "bus/CZKMessageProxy.h"

#include "ui_CZKMainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

const char* const kNetEdits[] = {"editMACAddr", "editNetConf", "editLocalNetAddr", "editUDPPort"};
const QString kStoredRow = QStringLiteral("02:00:00:00:00:01|3|172.31.254.1|40000");

QString unitRow()
{
    return queryRows(QStringLiteral("SELECT ETHERNET_ADDR, NET_CONF, LOCAL_NETWORK_ADDR, UDP_PORT FROM ZKMAIN WHERE ID=0"));
}

QString unitRecord()
{
    const DeviceRecord* unit = database()->findDevice(0);
    return unit ? QStringLiteral("%1|%2|%3|%4").arg(unit->ethernetAddr).arg(unit->netConf).arg(unit->localNetworkAddr).arg(unit->udpPort)
                : QStringLiteral("<none>");
}

template <class Widget>
Widget* pageChild(WindowFixture& fixture, const char* name)
{
    return fixture.probe->ui()->mainFrame->findChild<Widget*>(QLatin1String(name));
}

void type(WindowFixture& fixture, const char* name, const QString& text)
{
    QLineEdit* edit = pageChild<QLineEdit>(fixture, name);
    QVERIFY(edit);
    edit->setText(text);
}

// "edit" when every sign of edit mode holds, "view" when none does, else the signs that hold.
QString pageMode(WindowFixture& fixture)
{
    QStringList signs;
    const auto sign = [&signs](const char* what, bool holds) {
        if (holds)
            signs.append(QLatin1String(what));
    };
    for (const char* name : kNetEdits) {
        const QLineEdit* edit = pageChild<QLineEdit>(fixture, name);
        sign(name, edit && !edit->isReadOnly() && edit->font().weight() == QFont::Bold);
    }
    sign("save", pageChild<QPushButton>(fixture, "pbSaveConfig")->isEnabled());
    sign("cancel", pageChild<QPushButton>(fixture, "pbCancelConfig")->isEnabled());
    sign("mark", pageChild<QTabWidget>(fixture, "tabWidget")->tabText(0).endsWith(QLatin1String(" *")));
    sign("combo", pageChild<QComboBox>(fixture, "comboNetConf") != nullptr);
    if (signs.isEmpty())
        return QStringLiteral("view");
    return signs.size() == 8 ? QStringLiteral("edit") : signs.join(QLatin1Char(','));
}

} // namespace

class tst_WindowUnitPage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        startWindowTests();
        CZKPrompt::setResponder([this](const CZKPrompt::Call& call) {
            prompts.append(call.text);
            return QMessageBox::Ok;
        });
    }

    void init()
    {
        prompts.clear();
        MainWindowProbe::resetRunState();
    }

    void editTwice()
    {
        WindowFixture fixture;
        QVERIFY(fixture.select(Device, 0));
        QCOMPARE(pageMode(fixture), QStringLiteral("view"));
        auto* tabs = pageChild<QTabWidget>(fixture, "tabWidget");
        tabs->setCurrentIndex(2);

        fixture.window->editConfig();
        tabs->setCurrentIndex(1);
        fixture.window->editConfig();

        QCOMPARE(pageMode(fixture), QStringLiteral("edit"));
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Device *"));
        QCOMPARE(fixture.probe->pageForm()->findChildren<QComboBox*>().size(), 1);

        auto* combo = pageChild<QComboBox>(fixture, "comboNetConf");
        auto* grid = qobject_cast<QGridLayout*>(pageChild<QWidget>(fixture, "tabNetwork")->layout());
        QVERIFY(grid);
        int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(grid->indexOf(combo), &row, &column, &rowSpan, &columnSpan);
        QCOMPARE(QPoint(row, column), QPoint(2, 1));
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(0), QStringLiteral("Bridge"));
        QCOMPARE(combo->itemData(0).toInt(), 1);
        QCOMPARE(combo->currentText(), QStringLiteral("NAT"));
        QCOMPARE(combo->font().weight(), int(QFont::Bold));
        QCOMPARE(fixture.pageText("editNetConf"), QStringLiteral("NAT"));
    }

    void save_data()
    {
        QTest::addColumn<QString>("extraSql");
        QTest::addColumn<int>("pick");
        QTest::addColumn<QString>("netConfShown");
        QTest::addColumn<QString>("stored");

        QTest::newRow("another configuration")
            << QString() << 0 << "Bridge" << "02:00:00:00:00:0A|1|172.31.254.9|40001";
        // A configuration the dictionary does not name leaves the combo box without a choice.
        QTest::newRow("no choice keeps the stored one")
            << "UPDATE ZKMAIN SET NET_CONF=7 WHERE ID=0;" << -1 << "" << "02:00:00:00:00:0A|7|172.31.254.9|40001";
    }

    void save()
    {
        QFETCH(QString, extraSql);
        QFETCH(int, pick);
        WindowFixture fixture(extraSql);
        QVERIFY(fixture.select(Device, 0));
        fixture.window->editConfig();
        auto* combo = pageChild<QComboBox>(fixture, "comboNetConf");
        QVERIFY(combo);
        if (pick >= 0)
            combo->setCurrentIndex(pick);
        QCOMPARE(combo->currentIndex(), pick);
        type(fixture, "editMACAddr", "02:00:00:00:00:0A");
        type(fixture, "editLocalNetAddr", "172.31.254.9");
        type(fixture, "editUDPPort", "40001");

        fixture.window->saveConfig();

        QTEST(unitRecord(), "stored");
        QTEST(unitRow(), "stored");
        QCOMPARE(pageMode(fixture), QStringLiteral("view"));
        QCOMPARE(pageChild<QTabWidget>(fixture, "tabWidget")->tabText(0), QStringLiteral("Device"));
        QTEST(fixture.pageText("editNetConf"), "netConfShown");
        QCOMPARE(fixture.pageText("editUDPPort"), QStringLiteral("40001"));
        QCOMPARE(prompts, QStringList());
    }

    // What is refused reaches neither the record nor the file; the page stays as the operator left it.
    void refused_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("writeFails");
        QTest::addColumn<QString>("prompt");

        QTest::newRow("MAC half typed") << "editMACAddr" << "02:00:00" << false << "MAC address";
        QTest::newRow("MAC empty") << "editMACAddr" << "" << false << "MAC address";
        QTest::newRow("address half typed") << "editLocalNetAddr" << "172.31.254." << false << "IP address";
        QTest::newRow("address out of range") << "editLocalNetAddr" << "172.31.256.1" << false << "IP address";
        QTest::newRow("port empty") << "editUDPPort" << "" << false << "UDP port";
        QTest::newRow("port 0") << "editUDPPort" << "0" << false << "UDP port";
        QTest::newRow("port too large") << "editUDPPort" << "70000" << false << "UDP port";
        QTest::newRow("port not a number") << "editUDPPort" << "4x" << false << "UDP port";
        QTest::newRow("write refused") << "editUDPPort" << "40001" << true << "could not be saved";
    }

    void refused()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, writeFails);
        WindowFixture fixture;
        QVERIFY(fixture.select(Device, 0));
        fixture.window->editConfig();
        pageChild<QComboBox>(fixture, "comboNetConf")->setCurrentIndex(0);
        type(fixture, "editMACAddr", "02:00:00:00:00:0B");
        type(fixture, field.toLatin1().constData(), text);
        if (writeFails)
            execOnConnection("CREATE TRIGGER refuse BEFORE UPDATE ON ZKMAIN BEGIN SELECT RAISE(ABORT, 'refused'); END;");

        fixture.window->saveConfig();

        QCOMPARE(prompts.size(), 1);
        QFETCH(QString, prompt);
        QVERIFY2(prompts.first().contains(prompt), qPrintable(prompts.first()));
        QCOMPARE(unitRecord(), kStoredRow);
        QCOMPARE(unitRow(), kStoredRow);
        QCOMPARE(pageMode(fixture), QStringLiteral("edit"));
        QCOMPARE(fixture.pageText(field), text);
        QCOMPARE(pageChild<QComboBox>(fixture, "comboNetConf")->currentText(), QStringLiteral("Bridge"));
    }

    void cancel()
    {
        WindowFixture fixture;
        QVERIFY(fixture.select(Device, 0));
        fixture.window->editConfig();
        pageChild<QComboBox>(fixture, "comboNetConf")->setCurrentIndex(0);
        type(fixture, "editMACAddr", "02:00:00:00:00:0C");
        type(fixture, "editLocalNetAddr", "172.31.254.7");
        type(fixture, "editUDPPort", "");

        fixture.window->cancelConfig();

        QCOMPARE(pageMode(fixture), QStringLiteral("view"));
        const QStringList shown = {fixture.pageText("editMACAddr"), fixture.pageText("editNetConf"),
                                   fixture.pageText("editLocalNetAddr"), fixture.pageText("editUDPPort")};
        QCOMPARE(shown.join(QLatin1Char('|')), QStringLiteral("02:00:00:00:00:01|NAT|172.31.254.1|40000"));
        QCOMPARE(unitRecord(), kStoredRow);
        QCOMPARE(unitRow(), kStoredRow);
        QCOMPARE(prompts, QStringList());
    }

    // Save and Cancel outside edit mode change nothing and say why on the bus.
    void outsideEditMode()
    {
        WindowFixture fixture;
        QVERIFY(fixture.select(Device, 0));
        BusRecorder bus;
        bus.take();
        fixture.window->saveConfig();
        fixture.window->cancelConfig();
        QCOMPARE(bus.take(), QStringList({"1|saveConfig()|Internal ERROR 3", "1|cancelConfig()|Internal ERROR 3"}));
        QCOMPARE(unitRow(), kStoredRow);
    }

    void send_data()
    {
        QTest::addColumn<QString>("extraSql");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QString>("prompt");

        QTest::newRow("stored values") << QString()
                                       << QStringList{"AT#CNF=02:00:00:00:00:01,3,172.31.254.1,40000 [INTERNAL]"}
                                       << QString();
        QTest::newRow("port 0 stored") << "UPDATE ZKMAIN SET UDP_PORT=0 WHERE ID=0;" << QStringList() << "UDP port";
        QTest::newRow("MAC malformed") << "UPDATE ZKMAIN SET ETHERNET_ADDR='02:00:00:00:00' WHERE ID=0;"
                                       << QStringList() << "MAC address";
        QTest::newRow("address malformed") << "UPDATE ZKMAIN SET LOCAL_NETWORK_ADDR='172.31.254.1,40001' WHERE ID=0;"
                                           << QStringList() << "IP address";
        QTest::newRow("no unit 0") << "UPDATE ZKMAIN SET ID=5 WHERE ID=0;" << QStringList() << QString();
    }

    // What goes to the unit is the stored record of unit 0, never the page's unsaved texts.
    void send()
    {
        QFETCH(QString, extraSql);
        QFETCH(QString, prompt);
        WindowFixture fixture(extraSql);
        const int unitId = database()->devices.value(0).id;
        QVERIFY(fixture.select(Device, unitId));
        fixture.window->editConfig();
        type(fixture, "editMACAddr", "02:00:00:00:00:0D");
        type(fixture, "editLocalNetAddr", "172.31.254.8");
        type(fixture, "editUDPPort", "40002");
        BusRecorder bus;
        bus.take();

        fixture.window->sendToDevice();

        QTEST(sentCommands(bus.take()), "sent");
        QCOMPARE(prompts.size(), prompt.isEmpty() ? 0 : 1);
        if (!prompt.isEmpty())
            QVERIFY2(prompts.first().contains(prompt), qPrintable(prompts.first()));
    }

private:
    QStringList prompts;
};

QTEST_MAIN(tst_WindowUnitPage)
#include "tst_windowunitpage.moc"
