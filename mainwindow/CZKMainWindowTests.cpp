#include "mainwindow/CZKMainWindow.h"

#include "link/CZKRadioPoolingThread.h"

#include "ui_CZKMainWindow.h"

#include <QtEndian>

// The Tests tab and the unit statistics view.

namespace {

// The frame type that carries the unit's statistics.
constexpr uint kStatisticsFrame = 194;
// 64 counters of four bytes each.
constexpr int kStatisticsCounters = 64;
constexpr int kStatisticsBytes = kStatisticsCounters * 4;

// A counter's line, or a section header when `slot` is kHeader; the headers of kPlainHeader
// read the same in every language.
constexpr int kHeader = -1;
constexpr int kPlainHeader = -2;
struct StatisticsLine {
    int slot;
    const char* label;
};

// The lines in the order shown. Slot 32 is one queue counter that the DMA and the USB side
// share, so it is shown under both; the slots not listed are not shown.
const StatisticsLine kLines[] = {
    {kHeader, QT_TRANSLATE_NOOP("CZKMainWindow", "<-- ZK receive status -->\n\n")},
    {0, QT_TRANSLATE_NOOP("CZKMainWindow", "Ethernet RX IP4 Frames count: \t\t%1\n")},
    {1, QT_TRANSLATE_NOOP("CZKMainWindow", "Ethernet RX IP6 Frames count: \t\t%1\n")},
    {2, QT_TRANSLATE_NOOP("CZKMainWindow", "Ethernet RX ARP Frames count: \t\t%1\n")},
    {3, QT_TRANSLATE_NOOP("CZKMainWindow", "Ethernet RX QUALCOMM Frames count: \t%1\n")},
    {4, QT_TRANSLATE_NOOP("CZKMainWindow", "Ethernet RX Ignored Frames count: \t%1\n")},
    {5, QT_TRANSLATE_NOOP("CZKMainWindow", "Ethernet RX Ignored IP4 Frames count: \t%1\n")},
    {6, QT_TRANSLATE_NOOP("CZKMainWindow", "Ethernet RX Ignored IP6 Frames count: \t%1\n")},
    {16, QT_TRANSLATE_NOOP("CZKMainWindow", "Ethernet RX Dropped Frames count: \t%1\n")},
    {17, QT_TRANSLATE_NOOP("CZKMainWindow", "Ethernet RX Error Frames count: \t%1\n")},
    {18, QT_TRANSLATE_NOOP("CZKMainWindow", "Ethernet RX To Short Frames count: \t%1\n")},
    {19, QT_TRANSLATE_NOOP("CZKMainWindow", "Ethernet RX Buffor Full count: \t\t%1\n")},
    {kPlainHeader, "\n<-- ZK Transmitted -->\n\n"},
    {8, QT_TRANSLATE_NOOP("CZKMainWindow", "Ethernet TX Queued Frames count: \t%1\n")},
    {9, QT_TRANSLATE_NOOP("CZKMainWindow", "Ethernet TX Not Queued Frames count: \t%1\n")},
    {10, QT_TRANSLATE_NOOP("CZKMainWindow", "Ethernet TX ReQueued Freames count: \t%1\n")},
    {12, QT_TRANSLATE_NOOP("CZKMainWindow", "Ethernet TX Ignored Other Fremas count: \t%1\n")},
    {13, QT_TRANSLATE_NOOP("CZKMainWindow", "Ethernet TX Ignored No Link Frames count: \t%1\n")},
    {24, QT_TRANSLATE_NOOP("CZKMainWindow", "Ethernet TX Dropped Frames count: \t%1\n")},
    {25, QT_TRANSLATE_NOOP("CZKMainWindow", "Ethernet TX Errors count: \t\t%1\n")},
    {26, QT_TRANSLATE_NOOP("CZKMainWindow", "Ethernet TX All Descr Busy count: \t%1\n")},
    {33, QT_TRANSLATE_NOOP("CZKMainWindow", "Ethernet TX Queue Full count: \t\t%1\n")},
    {kPlainHeader, "\n<-- DMA Status -->\n\n"},
    {20, QT_TRANSLATE_NOOP("CZKMainWindow", "DMA RX Error 1 count: \t\t%1\n")},
    {21, QT_TRANSLATE_NOOP("CZKMainWindow", "DMA RX Error 2 count: \t\t%1\n")},
    {22, QT_TRANSLATE_NOOP("CZKMainWindow", "DMA RX Error 3 count: \t\t%1\n")},
    {23, QT_TRANSLATE_NOOP("CZKMainWindow", "DMA RX Error 4 count: \t\t%1\n")},
    {28, QT_TRANSLATE_NOOP("CZKMainWindow", "DMA TX Error 1 count: \t\t%1\n")},
    {29, QT_TRANSLATE_NOOP("CZKMainWindow", "DMA TX Error 2 count: \t\t%1\n")},
    {32, QT_TRANSLATE_NOOP("CZKMainWindow", "DMA Queue Full count: \t\t%1\n")},
    {58, QT_TRANSLATE_NOOP("CZKMainWindow", "DMA Get Wrong Queue count: \t\t%1\n")},
    {59, QT_TRANSLATE_NOOP("CZKMainWindow", "DMA Put Wrong Queue count: \t\t%1\n")},
    {kPlainHeader, "\n<-- Internal USB status -->\n\n"},
    {32, QT_TRANSLATE_NOOP("CZKMainWindow", "USB Queue Full count: \t\t%1\n")},
    {36, QT_TRANSLATE_NOOP("CZKMainWindow", "USB IP Bo Init Error 1 count: \t\t%1\n")},
    {37, QT_TRANSLATE_NOOP("CZKMainWindow", "USB IP Bo Init Error 2 count: \t\t%1\n")},
    {38, QT_TRANSLATE_NOOP("CZKMainWindow", "USB IP Bo TR Errors count: \t\t%1\n")},
    {40, QT_TRANSLATE_NOOP("CZKMainWindow", "USB IP Bi Init Error 1 count: \t\t%1\n")},
    {41, QT_TRANSLATE_NOOP("CZKMainWindow", "USB IP Bi Init Error 2 count: \t\t%1\n")},
    {42, QT_TRANSLATE_NOOP("CZKMainWindow", "USB IP Bi TR Errors count: \t\t%1\n")},
    {43, QT_TRANSLATE_NOOP("CZKMainWindow", "USB IP Bi Wrong count: \t\t%1\n")},
    {44, QT_TRANSLATE_NOOP("CZKMainWindow", "USB IP Ii Init Errors count: \t\t%1\n")},
    {46, QT_TRANSLATE_NOOP("CZKMainWindow", "USB IP Ii TR Errors count: \t\t%1\n")},
    {47, QT_TRANSLATE_NOOP("CZKMainWindow", "USB IP Ii Wrong count: \t\t%1\n")},
    {48, QT_TRANSLATE_NOOP("CZKMainWindow", "USB AT Bo Init Errors count: \t\t%1\n")},
    {49, QT_TRANSLATE_NOOP("CZKMainWindow", "USB AT Bo TR Errors count: \t\t%1\n")},
    {50, QT_TRANSLATE_NOOP("CZKMainWindow", "USB AT Bi Init Errors count: \t\t%1\n")},
    {51, QT_TRANSLATE_NOOP("CZKMainWindow", "USB AT Bi TR Errors count: \t\t%1\n")},
    {52, QT_TRANSLATE_NOOP("CZKMainWindow", "USB AT Ii Init Errors count: \t\t%1\n")},
    {54, QT_TRANSLATE_NOOP("CZKMainWindow", "USB AT Ii TR Errors count: \t\t%1\n")},
    {55, QT_TRANSLATE_NOOP("CZKMainWindow", "USB AT Ii Wrong count: \t\t%1\n")},
    {56, QT_TRANSLATE_NOOP("CZKMainWindow", "USB Control Errors count: \t\t%1\n")},
    {57, QT_TRANSLATE_NOOP("CZKMainWindow", "USB Get ENC Response Wrong count: \t%1\n")},
    {kPlainHeader, "\n<-- Other -->\n\n"},
    {60, QT_TRANSLATE_NOOP("CZKMainWindow", "PHT Read Errors count: \t\t%1\n")},
    {61, QT_TRANSLATE_NOOP("CZKMainWindow", "PHT Write Errors count: \t\t%1\n")},
    {62, QT_TRANSLATE_NOOP("CZKMainWindow", "ARP Errors count: \t\t%1\n")},
    {63, QT_TRANSLATE_NOOP("CZKMainWindow", "DHCP IP4 Errors count: \t\t%1\n")},
};

} // namespace

void CZKMainWindow::tests()
{
    // The radio-status polls would compete with a test for the link.
    if (radioPoller)
        radioPoller->setPaused(true);
    linkWatchdog.setPaused(false);

    for (QAction* view : {ui->actionSettings, ui->actionRFSetup, ui->actionSMS, ui->actionPhonebook,
                          ui->actionTerminal, ui->actionLog})
        view->setChecked(false);
    ui->actionTests->setChecked(true);

    if (ui->tabWidget->indexOf(ui->tabTests) >= 0)
        ui->tabWidget->setCurrentWidget(ui->tabTests);
    ui->treeTests->setFocus(Qt::OtherFocusReason);
    focusActiveSIMCard(ui->treeTests);
}

void CZKMainWindow::recEthFrame(uint type, QByteArray data)
{
    if (type == kStatisticsFrame)
        showStatistics(data);
}

void CZKMainWindow::showStatistics(const QByteArray& data)
{
    // Every counter sits at a fixed place, so a frame cut short cannot be shown; bytes after the
    // 64 counters carry nothing that is shown.
    if (data.size() < kStatisticsBytes)
        return;

    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    QString text;
    for (const StatisticsLine& line : kLines) {
        if (line.slot == kPlainHeader)
            text += QLatin1String(line.label);
        else if (line.slot == kHeader)
            text += tr(line.label);
        else
            text += tr(line.label).arg(qFromLittleEndian<quint32>(bytes + 4 * line.slot));
    }
    ui->tbTestResult->setPlainText(text);
}

void CZKMainWindow::refreshNIC()
{
    while (ui->cbNIC->count() > 0)
        ui->cbNIC->removeItem(0);
    ui->leMAC->setText(QString());
}

// The test buttons, the device selection and the interface selector start nothing yet.
void CZKMainWindow::treeTestsSelectionChanged() {}
void CZKMainWindow::statistics() {}
void CZKMainWindow::thrTest() {}

void CZKMainWindow::cbNICCurrentIndexChanged(int index)
{
    Q_UNUSED(index);
}
