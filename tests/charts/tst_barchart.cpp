#include "RecordingPaintDevice.h"

#include "charts/AxisBase.h"
#include "charts/BarChartPlotter.h"
#include "charts/CZKAxisTechnology.h"
#include "charts/CZKChartItemModel.h"

#include <QStandardItemModel>
#include <QtTest>

namespace {

using Rects = QVector<QRect>;

// An 800 x 300 chart set up as the RF page does, that records every bar it draws.
class Chart : public QSint::BarChartPlotter {
public:
    explicit Chart(QAbstractItemModel* model)
    {
        resize(800, 300);
        verticalAxis()->setRange(0, 63);
        verticalAxis()->setOffset(20);
        setBarScale(0.8);
        setBarType(SideBySide);
        setModel(model);
    }

    // The strip's row from x = first to last: the technology's digit, or "-" where no band is.
    QString strip(int first, int last)
    {
        const QImage rendered = grab().toImage();
        QString row;
        for (int x = first; x <= last; ++x) {
            const QColor pixel = rendered.pixelColor(x, 300 - 20 - 2);
            row += pixel == Qt::green ? '2' : pixel == Qt::blue ? '3' : pixel == Qt::cyan ? '4' : '-';
        }
        return row;
    }

    QStringList runNames() { return RecordingPaintDevice::of(technologyAxis(), size())->texts; }

    Rects bars;

protected:
    void drawBarItem(QPainter& painter, QRect rect, QPen& pen, QBrush& brush, const QModelIndex& index,
                     double value) override
    {
        bars << rect;
        BarChartPlotter::drawBarItem(painter, rect, pen, brush, index, value);
    }
};

} // namespace

class TestBarChart : public QObject {
    Q_OBJECT

private slots:
    void liveChart()
    {
        // Samples from 13 to 55 in runs of 3G (one column, too narrow for its name), 2G, 3G and 4G.
        CZKChartItemModel model(100);
        for (int i = 0; i < 100; ++i) {
            const int run = i == 0 ? 1 : i < 30 ? 0 : i < 70 ? 1 : 2;
            model.addValue(18 + 16 * run + (i * 37) % 11 - 5, QStringLiteral("%1G").arg(run + 2));
        }
        Chart chart(&model);
        QSint::AxisBase* values = chart.verticalAxis();
        values->setRange(10, 58); // as the reply dispatch rescales it
        const QImage image = chart.grab().toImage();
        if (qEnvironmentVariableIsSet("DUDEDORIV_CHART_PNG"))
            image.save(qEnvironmentVariable("DUDEDORIV_CHART_PNG"));

        // Columns of 7 pixels from x = 20, bars of 5 pixels down to just above the axis minimum,
        // in the colour of their band.
        QCOMPARE(chart.bars.size(), 100);
        const int base = values->toView(10);
        for (int i = 0; i < 100; ++i) {
            const double value = model.data(model.index(0, i)).toDouble();
            const QColor band = model.data(model.index(0, i), Qt::BackgroundRole).value<QColor>();
            QCOMPARE(chart.bars[i], QRect(QPoint(21 + 7 * i, values->toView(value)), QPoint(25 + 7 * i, base - 1)));
            QCOMPARE(image.pixelColor(23 + 7 * i, base - 3), band);
        }
        // Bands of 3 pixels: each segment of the strip runs on from the band before.
        QCOMPARE(chart.strip(18, 40), QStringLiteral("--333332222222222222222"));
        QCOMPARE(chart.strip(715, 720), QStringLiteral("444---"));

        // Every pass starts without an open run, so that no name survives a clear.
        QCOMPARE(chart.runNames(), QStringList({ "2G", "3G", "4G" }));
        QCOMPARE(chart.runNames(), QStringList({ "2G", "3G", "4G" }));
        model.clearValues();
        QVERIFY(chart.runNames().isEmpty());
        for (int i = 0; i < 4; ++i)
            model.addValue(20, "2G");
        QCOMPARE(chart.runNames(), QStringList({ "2G" }));
        // The strip has no scale to draw: it is drawn in either mode.
        chart.technologyAxis()->setAxisMode(QSint::AxisBase::ScaleMode);
        QCOMPARE(chart.runNames(), QStringList({ "2G" }));
    }

    void bars_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<bool>("stacked");
        QTest::addColumn<Rects>("bars");
        // Nothing at the axis minimum; a negative value hangs below it.
        QTest::newRow("side by side")
            << QStringList{ "0 -5 30" } << false << Rects{ { 302, 259, 204, 18 }, { 558, 146, 204, 113 } };
        QTest::newRow("no row") << QStringList() << false << Rects();
        // One column 768 pixels wide, the bar 80 % of it; a negative value hangs below 0.
        QTest::newRow("stacked") << QStringList{ "10", "20", "-5" } << true
                                 << Rects{ { 97, 221, 614, 38 }, { 97, 146, 614, 75 }, { 97, 259, 614, 18 } };
    }

    void bars()
    {
        QFETCH(QStringList, rows);
        QFETCH(bool, stacked);
        QStandardItemModel model(rows.size(), rows.value(0).split(' ').size());
        for (int r = 0; r < rows.size(); ++r) {
            for (int c = 0; c < model.columnCount(); ++c)
                model.setItem(r, c, new QStandardItem(rows[r].split(' ').value(c)));
        }
        Chart chart(&model);
        if (stacked)
            chart.setBarType(QSint::BarChartPlotter::Stacked);
        chart.grab();
        QTEST(chart.bars, "bars");
    }

    void columnWithoutTechnologyLeavesAGap()
    {
        // Columns of 256 pixels, bands of 128: the next segment starts at that column's band edge.
        QStandardItemModel model(1, 3);
        model.setHorizontalHeaderLabels({ "2G", "", "2G" });
        Chart chart(&model);
        QCOMPARE(chart.strip(210, 213), QStringLiteral("22--"));
        QCOMPARE(chart.strip(466, 469), QStringLiteral("--22"));
        QCOMPARE(chart.strip(723, 724), QStringLiteral("2-"));
    }
};

QTEST_MAIN(TestBarChart)
#include "tst_barchart.moc"
