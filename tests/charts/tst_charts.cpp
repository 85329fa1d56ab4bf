#include "RecordingPaintDevice.h"

#include "charts/AxisBase.h"
#include "charts/BarChartPlotter.h"
#include "charts/CZKAxisTechnology.h"
#include "charts/CZKChartItemModel.h"
#include "charts/PlotterBase.h"

#include <QStandardItemModel>
#include <QtTest>

#include <cmath>
#include <limits>

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

// Both axes 20 pixels wide, as on the chart pages.
struct Plotter : QSint::PlotterBase {
    Plotter(int width, int height) { resize(width, height); axisX->setOffset(20); axisY->setOffset(20); }
    void drawContent(QPainter&) override {}
};

// Each column as "value/header" (an unfilled one shows only its default number), then the
// value range, "none" before it when the model holds no sample.
QStringList state(const CZKChartItemModel& model)
{
    QStringList state;
    for (int c = 0; c < model.columnCount(); ++c)
        state << model.data(model.index(0, c)).toString() + '/' + model.headerData(c, Qt::Horizontal).toString();
    double min = -1.0, max = -1.0;
    const bool any = model.valueRange(&min, &max);
    return state << QStringLiteral("%1%2..%3").arg(any ? "" : "none ").arg(min).arg(max);
}

} // namespace

// The RF page's chart: its model, its axes and its bars.
class TestCharts : public QObject {
    Q_OBJECT

private slots:
    void fillScrollAndClear()
    {
        CZKChartItemModel model(3);
        QCOMPARE(state(model), QStringList({ "/1", "/2", "/3", "none 63..0" }));
        model.addValue(10, "2G");
        model.addValue(35, "4G");
        QCOMPARE(state(model), QStringList({ "10/2G", "35/4G", "/3", "10..35" }));
        // Once full the oldest sample drops out on the left, and with it from the range.
        model.addValue(30, "3G");
        model.addValue(20, "2G");
        QCOMPARE(state(model), QStringList({ "35/4G", "30/3G", "20/2G", "20..35" }));

        model.clearValues();
        QCOMPARE(state(model), QStringList({ "/1", "/2", "/3", "none 63..0" }));
        model.addValue(12, "2G");
        QCOMPARE(state(model), QStringList({ "12/2G", "/2", "/3", "12..12" }));
    }

    void bandColours_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("negative") << "-5" << QColor(216, 39, 0);
        QTest::newRow("20 skips entry 4") << "20" << QColor(108, 147, 0);
        QTest::newRow("50") << "50" << QColor(0, 255, 0);
        QTest::newRow("not a number counts as 0") << "n/a" << QColor(216, 39, 0);
        QTest::newRow("no sample, no colour") << "" << QColor();
    }

    void bandColours()
    {
        QFETCH(QString, sample);
        CZKChartItemModel model(3);
        if (!sample.isEmpty())
            model.setItem(0, 1, new QStandardItem(sample));
        QTEST(model.data(model.index(0, 1), Qt::BackgroundRole).value<QColor>(), "colour");
        QTEST(model.data(model.index(0, 1), Qt::ForegroundRole).value<QColor>(), "colour");
    }

    void adjustTicks_data()
    {
        for (const char* column : { "minorTicks", "majorTicks", "from", "to", "minorStep", "majorStep", "max" })
            QTest::addColumn<double>(column);
        // 0/10 are the default steps. Below a range of 2 halving must stop at 1, or it never ends.
        QTest::newRow("default 0..63: doubled, capped back") << 0.0 << 10.0 << 0.0 << 63.0 << 0.0 << 10.0 << 63.0;
        QTest::newRow("17..33 halves once") << 0.0 << 10.0 << 17.0 << 33.0 << 0.0 << 5.0 << 33.0;
        QTest::newRow("reversed range is empty") << 0.0 << 10.0 << 5.0 << 3.0 << 0.0 << 0.0 << 5.0;
        QTest::newRow("range 9 halves too far, doubles back") << 0.0 << 10.0 << 0.0 << 9.0 << 0.0 << 4.0 << 9.0;
        QTest::newRow("range 0.5") << 0.0 << 10.0 << 40.0 << 40.5 << 0.0 << 1.0 << 40.5;
        QTest::newRow("fractional step, narrow range") << 0.5 << 0.5 << 0.0 << 0.8 << 0.5 << 0.5 << 0.8;
        QTest::newRow("zero steps never double") << 0.0 << 0.0 << 0.0 << 63.0 << 0.0 << 0.0 << 63.0;
    }

    void adjustTicks()
    {
        QFETCH(double, minorTicks);
        QFETCH(double, majorTicks);
        QFETCH(double, from);
        QFETCH(double, to);
        Plotter plotter(400, 300);
        QSint::AxisBase* axis = plotter.verticalAxis();
        axis->setTicks(minorTicks, majorTicks);
        axis->setRange(from, to);
        QTEST(axis->minorTickStep(), "minorStep");
        QTEST(axis->majorTickStep(), "majorStep");
        QTEST(axis->rangeMaximum(), "max");
    }

    void toView_data()
    {
        QTest::addColumn<Qt::Orientation>("orientation");
        for (const char* column : { "from", "to", "value" })
            QTest::addColumn<double>(column);
        QTest::addColumn<int>("pixel");
        // The horizontal axis's points are 20 and 979, the vertical's 1 and 979; a range of zero
        // has no scale and puts every value at the low end.
        QTest::newRow("horizontal max") << Qt::Horizontal << 0.0 << 100.0 << 100.0 << 933;
        QTest::newRow("vertical min") << Qt::Vertical << 0.0 << 63.0 << 0.0 << 979;
        QTest::newRow("vertical empty range") << Qt::Vertical << 5.0 << 5.0 << 80.0 << 979;
        QTest::newRow("far above range") << Qt::Vertical << 0.0 << 63.0 << 1e300 << std::numeric_limits<int>::min();
        QTest::newRow("not a number sits at the low end") << Qt::Vertical << 0.0 << 63.0 << std::nan("") << 979;
    }

    void toView()
    {
        QFETCH(Qt::Orientation, orientation);
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(double, value);
        Plotter plotter(981, 1000);
        QSint::AxisBase* axis = orientation == Qt::Horizontal ? plotter.horizontalAxis() : plotter.verticalAxis();
        axis->setRange(from, to);
        QTEST(axis->toView(value), "pixel");
        // A negative offset counts as none.
        plotter.horizontalAxis()->setOffset(-4);
        QCOMPARE(plotter.dataRect(), QRect(QPoint(20, 0), QPoint(980, 999)));
    }

    void scaleTicksAndLabels()
    {
        Plotter plotter(981, 1000);
        QSint::AxisBase* axis = plotter.verticalAxis();
        axis->setRange(0, 63);
        axis->setMajorTicksPen(QPen(Qt::red));
        // The rows of the major ticks (x = 20 to 24), top down.
        const auto ticks = [&] {
            const QImage image = plotter.grab().toImage();
            QVector<int> rows;
            for (int y = 0; y < image.height(); ++y) {
                if (image.pixelColor(20, y) == Qt::red && image.pixelColor(24, y) == Qt::red)
                    rows << y;
            }
            return rows;
        };
        QCOMPARE(ticks(), QVector<int>({ 91, 239, 387, 535, 683, 831, 979 })); // 60 down to 0
        const QStringList labels{ "0", "10", "20", "30", "40", "50", "60" };
        QCOMPARE(RecordingPaintDevice::of(axis, plotter.size())->texts, labels);

        // Ten pixels between ticks leave no room for a label at each; every tick is still drawn.
        plotter.resize(981, 90);
        QCOMPARE(ticks().size(), 7);
        const auto thinned = RecordingPaintDevice::of(axis, plotter.size());
        QVERIFY(thinned->texts.size() > 1 && thinned->texts.size() < 7);
        const int height = QFontMetrics(QFont()).boundingRect(QStringLiteral("0")).height();
        for (int i = 1; i < thinned->texts.size(); ++i)
            QVERIFY(thinned->baselines[i - 1].y() - thinned->baselines[i].y() >= height);
    }

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

QTEST_MAIN(TestCharts)
#include "tst_charts.moc"
