#include "mainwindow/CZKMainWindow.h"

#include "app/CZKGlobals.h"
#include "charts/AxisBase.h"
#include "charts/CZKAxisTechnology.h"
#include "db/CZKDataBase.h"
#include "link/CZKRadioPoolingThread.h"

#include "ui_CZKMainWindow.h"

#include <QLinearGradient>

// The RF test tab: the signal chart and the radio poller.

struct CZKMainWindow::RFTestSteps {
    // Whether the RF tree's first selected item is the unit's active SIM card.
    static bool activeCardSelected(CZKMainWindow& w)
    {
        const QList<QTreeWidgetItem*> selection = w.ui->treeRFSetup->selectedItems();
        CZKDataBase* db = database();
        if (selection.isEmpty() || !selection.first() || !db
            || selection.first()->data(1, Qt::UserRole).toInt() != SimCard)
            return false;
        const SimCardRecord* card = db->findSimCard(selection.first()->data(0, Qt::UserRole).toInt());
        return card && card->active;
    }

    // Stops the poller within its bound; one that outlives the bound is still waited for, so that
    // the thread object never goes while its thread runs.
    static void endPoller(CZKMainWindow& w)
    {
        if (!w.radioPoller)
            return;
        if (!w.radioPoller->stop())
            w.radioPoller->wait();
        delete w.radioPoller;
        w.radioPoller = nullptr;
    }
};

void CZKMainWindow::setupChart()
{
    QSint::BarChartPlotter* chart = ui->barChart;
    const QPen black{QColor(Qt::black)};

    QSint::AxisBase* levels = chart->verticalAxis();
    levels->setAxisMode(QSint::AxisBase::ScaleMode);
    levels->setRange(0, 63);
    levels->setOffset(20);
    levels->setAxisPen(black);
    levels->setTextColor(Qt::black);

    chart->setBarScale(0.8);
    chart->setBarType(QSint::BarChartPlotter::SideBySide);

    QSint::AxisBase* samples = chart->horizontalAxis();
    samples->setTicks(10, 20);
    samples->setAxisPen(black);
    samples->setMinorTicksPen(QPen(Qt::NoPen));
    samples->setMajorTicksPen(QPen(Qt::NoPen));

    chart->setBarOpacity(0.9);
    if (chart->technologyAxis())
        chart->technologyAxis()->setBarOpacity(0.9);

    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(1.0, Qt::white);
    gradient.setColorAt(0.5, QColor(204, 204, 255));
    gradient.setColorAt(0.0, Qt::white);
    chart->setBackground(QBrush(gradient));

    chart->setModel(&chartModel);
}

void CZKMainWindow::rfSetup()
{
    if (radioPoller) {
        radioPoller->setPaused(false);
        ui->barChart->repaint();
    }

    ui->actionRFSetup->setChecked(true);
    for (QAction* other : {ui->actionSettings, ui->actionTests, ui->actionSMS, ui->actionPhonebook,
                           ui->actionTerminal, ui->actionLog})
        other->setChecked(false);

    ui->tabWidget->setCurrentWidget(ui->tabRFSetup);
    ui->treeRFSetup->setFocus(Qt::OtherFocusReason);
    focusActiveSIMCard(ui->treeRFSetup);
    updatePINUI(pinUIState, true);
}

void CZKMainWindow::treeRFSettingsSelectionChanged()
{
    if (treeRefreshing || ui->treeRFSetup->selectedItems().isEmpty())
        return;
    ui->pbStart->setEnabled(false);
    ui->pbStop->setEnabled(false);
    if (RFTestSteps::activeCardSelected(*this) && linkWatchdog.isConnected()) {
        const bool testRuns = radioPoller != nullptr;
        ui->pbStart->setEnabled(!testRuns);
        ui->pbStop->setEnabled(testRuns);
    }
}

void CZKMainWindow::startRFTest()
{
    if (!linkWatchdog.isConnected())
        return;
    chartModel.clearValues();
    RFTestSteps::endPoller(*this);
    radioPoller = new CZKRadioPoolingThread(this);
    radioPoller->start(QThread::InheritPriority);
    ui->pbStart->setEnabled(false);
    ui->pbStop->setEnabled(true);
}

void CZKMainWindow::stopRFTest()
{
    RFTestSteps::endPoller(*this);
    ui->pbStart->setEnabled(false);
    if (linkWatchdog.isConnected()) {
        if (RFTestSteps::activeCardSelected(*this))
            ui->pbStart->setEnabled(true);
    } else {
        ui->pbClear->setEnabled(false);
    }
    ui->pbStop->setEnabled(false);
}

void CZKMainWindow::clearChart()
{
    emit chartModel.toBeClear();
    chartModel.clearValues();
    emit chartModel.layoutChanged(QList<QPersistentModelIndex>(), QAbstractItemModel::NoLayoutChangeHint);
    ui->teParameters->clear();
}

void CZKMainWindow::updateRadioEdit(QString text)
{
    // The unit's text is shown as it came, never taken for markup.
    ui->teParameters->setPlainText(text);
}
