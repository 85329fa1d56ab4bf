#include "WindowTestSupport.h"

#include "app/CZKGlobals.h"
#include "app/CZKPrompt.h"

#include "ui_CZKMainWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTranslator>

namespace {

const QString kStoredRow = QStringLiteral("02:00:00:00:00:01|3|172.31.254.1|40000");
const char* const kNetEdits[] = {"editMACAddr", "editNetConf", "editLocalNetAddr", "editUDPPort"};

// Unit 0 as the file holds it, or both versions when the record in memory says otherwise.
QString stored()
{
    const QString row = queryRows(QStringLiteral("SELECT ETHERNET_ADDR, NET_CONF, LOCAL_NETWORK_ADDR, UDP_PORT FROM ZKMAIN WHERE ID=0"));
    const DeviceRecord* unit = database()->findDevice(0);
    const QString record = unit ? QStringLiteral("%1|%2|%3|%4").arg(unit->ethernetAddr).arg(unit->netConf).arg(unit->localNetworkAddr).arg(unit->udpPort)
                                : QStringLiteral("<none>");
    return record == row ? row : QStringLiteral("record %1, row %2").arg(record, row);
}

template <class Widget>
Widget* pageChild(WindowFixture& fixture, const char* name)
{
    return fixture.probe->ui()->mainFrame->findChild<Widget*>(QLatin1String(name));
}

void type(WindowFixture& fixture, const char* name, const QString& text)
{
    pageChild<QLineEdit>(fixture, name)->setText(text);
}

// "edit" when all eight signs of edit mode hold, "view" when none does.
QString pageMode(WindowFixture& fixture)
{
    int signs = 0;
    for (const char* name : kNetEdits) {
        const QLineEdit* edit = pageChild<QLineEdit>(fixture, name);
        signs += edit && !edit->isReadOnly() && edit->font().weight() == QFont::Bold;
    }
    signs += pageChild<QPushButton>(fixture, "pbSaveConfig")->isEnabled();
    signs += pageChild<QPushButton>(fixture, "pbCancelConfig")->isEnabled();
    signs += pageChild<QTabWidget>(fixture, "tabWidget")->tabText(0).endsWith(QLatin1String(" *"));
    signs += pageChild<QComboBox>(fixture, "comboNetConf") != nullptr;
    return signs == 0 ? QStringLiteral("view") : signs == 8 ? QStringLiteral("edit") : QStringLiteral("%1 of 8 signs").arg(signs);
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

    // A second Edit neither adds a combo box nor a second mark, and brings the first tab forward.
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
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->currentText(), QStringLiteral("NAT"));
    }

    // The operator picks Bridge and types a whole new address, then one field over it, and saves or
    // cancels. Only a save that is accepted and written reaches the record and the file, and ends
    // edit mode; what is refused leaves the page as the operator left it.
    void finishEdit_data()
    {
        QTest::addColumn<QString>("extraSql");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("finish");
        QTest::addColumn<QString>("prompt");   // part of the one prompt; none when empty
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");    // the four texts, then the combo box's while editing

        const QString typed = "02:00:00:00:00:0A|Bridge|172.31.254.9|40001";
        QTest::newRow("save") << QString() << "" << "" << "save" << "" << "02:00:00:00:00:0A|1|172.31.254.9|40001" << typed;
        // A configuration the dictionary does not name leaves the combo box without a choice.
        QTest::newRow("no choice keeps the stored one") << "UPDATE ZKMAIN SET NET_CONF=7 WHERE ID=0;" << "" << ""
            << "save" << "" << "02:00:00:00:00:0A|7|172.31.254.9|40001" << "02:00:00:00:00:0A||172.31.254.9|40001";
        QTest::newRow("MAC half typed") << QString() << "editMACAddr" << "02:00:00" << "save" << "MAC address"
            << kStoredRow << "02:00:00|NAT|172.31.254.9|40001|Bridge";
        QTest::newRow("address out of range") << QString() << "editLocalNetAddr" << "172.31.256.1" << "save"
            << "IP address" << kStoredRow << "02:00:00:00:00:0A|NAT|172.31.256.1|40001|Bridge";
        QTest::newRow("port 0") << QString() << "editUDPPort" << "0" << "save" << "UDP port" << kStoredRow
            << "02:00:00:00:00:0A|NAT|172.31.254.9|0|Bridge";
        QTest::newRow("port not a number") << QString() << "editUDPPort" << "4x" << "save" << "UDP port"
            << kStoredRow << "02:00:00:00:00:0A|NAT|172.31.254.9|4x|Bridge";
        QTest::newRow("write refused") << QString() << "" << "" << "refused write" << "could not be saved"
            << kStoredRow << "02:00:00:00:00:0A|NAT|172.31.254.9|40001|Bridge";
        QTest::newRow("cancel") << QString() << "editUDPPort" << "" << "cancel" << "" << kStoredRow
            << "02:00:00:00:00:01|NAT|172.31.254.1|40000";
    }

    void finishEdit()
    {
        QFETCH(QString, extraSql);
        QFETCH(QString, field);
        QFETCH(QString, finish);
        QFETCH(QString, prompt);
        WindowFixture fixture(extraSql);
        QVERIFY(fixture.select(Device, 0));
        fixture.window->editConfig();
        if (extraSql.isEmpty())
            pageChild<QComboBox>(fixture, "comboNetConf")->setCurrentIndex(0);
        type(fixture, "editMACAddr", "02:00:00:00:00:0A");
        type(fixture, "editLocalNetAddr", "172.31.254.9");
        type(fixture, "editUDPPort", "40001");
        if (!field.isEmpty()) {
            QFETCH(QString, text);
            type(fixture, field.toLatin1().constData(), text);
        }
        if (finish == "refused write")
            execOnConnection("CREATE TRIGGER refuse BEFORE UPDATE ON ZKMAIN BEGIN SELECT RAISE(ABORT, 'refused'); END;");

        if (finish == "cancel")
            fixture.window->cancelConfig();
        else
            fixture.window->saveConfig();

        QTEST(stored(), "stored");
        QCOMPARE(prompts.size(), prompt.isEmpty() ? 0 : 1);
        if (!prompt.isEmpty())
            QVERIFY2(prompts.first().contains(prompt), qPrintable(prompts.first()));
        QCOMPARE(pageMode(fixture), prompt.isEmpty() ? QStringLiteral("view") : QStringLiteral("edit"));
        QStringList shown;
        for (const char* name : kNetEdits)
            shown << fixture.pageText(name);
        if (auto* stillThere = pageChild<QComboBox>(fixture, "comboNetConf"))
            shown << stillThere->currentText();
        QTEST(shown.join(QLatin1Char('|')), "shown");
    }

    // Polish cannot decline the field's name that is translated on its own, so its sentence
    // names the field as it stands.
    void refusalInPolish_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("prompt");

        QTest::newRow("port") << "editUDPPort" << "70000"
            << QString::fromUtf8("Pole „port UDP”: wartość „70000” jest nieprawidłowa. Popraw ją i zapisz ponownie.");
        QTest::newRow("empty address") << "editLocalNetAddr" << ""
            << QString::fromUtf8("Pole „adres IP”: wartość „” jest nieprawidłowa. Popraw ją i zapisz ponownie.");
        QTest::newRow("MAC") << "editMACAddr" << "02:00:00"
            << QString::fromUtf8("Pole „adres MAC”: wartość „02:00:00” jest nieprawidłowa. Popraw ją i zapisz ponownie.");
    }

    void refusalInPolish()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QTranslator polish;
        QVERIFY(polish.load(QStringLiteral("dudedoriv_pl"), qEnvironmentVariable("DUDEDORIV_BINARY_DIR")));
        QCoreApplication::installTranslator(&polish);
        WindowFixture fixture;
        QVERIFY(fixture.select(Device, 0));
        fixture.window->editConfig();
        type(fixture, field.toLatin1().constData(), text);
        fixture.window->saveConfig();
        QTEST(prompts.join(QLatin1Char('\n')), "prompt");
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
        QCOMPARE(stored(), kStoredRow);
    }

    void send_data()
    {
        QTest::addColumn<QString>("extraSql");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QString>("prompt");

        QTest::newRow("stored values") << QString()
                                       << QStringList{"AT#CNF=02:00:00:00:00:01,3,172.31.254.1,40000 [INTERNAL]"}
                                       << QString();
        // A stray comma would shift the command's fields.
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
        QVERIFY(fixture.select(Device, database()->devices.value(0).id));
        fixture.window->editConfig();
        type(fixture, "editMACAddr", "02:00:00:00:00:0D");
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
