#include "RecordingPaintDevice.h"

#include "charts/AxisBase.h"
#include "charts/PlotterBase.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

// Both axes 20 pixels wide, as on the chart pages.
struct Plotter : QSint::PlotterBase {
    Plotter(int width, int height) { resize(width, height); axisX->setOffset(20); axisY->setOffset(20); }
    void drawContent(QPainter&) override {}
};

} // namespace

class TestChartAxes : public QObject {
    Q_OBJECT

private slots:
    void adjustTicks_data()
    {
        for (const char* column : { "minorTicks", "majorTicks", "from", "to", "minorStep", "majorStep", "max" })
            QTest::addColumn<double>(column);
        // 0/10 are the default steps. Below a range of 2 halving must stop at 1, or it never ends.
        QTest::newRow("default 0..63: doubled, capped back") << 0.0 << 10.0 << 0.0 << 63.0 << 0.0 << 10.0 << 63.0;
        QTest::newRow("17..33 halves once") << 0.0 << 10.0 << 17.0 << 33.0 << 0.0 << 5.0 << 33.0;
        QTest::newRow("reversed range is empty") << 0.0 << 10.0 << 5.0 << 3.0 << 0.0 << 0.0 << 5.0;
        QTest::newRow("range 9 halves too far, doubles back") << 0.0 << 10.0 << 0.0 << 9.0 << 0.0 << 4.0 << 9.0;
        QTest::newRow("range 1.9") << 0.0 << 10.0 << 0.0 << 1.9 << 0.0 << 1.0 << 1.9;
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
        QTest::newRow("horizontal min") << Qt::Horizontal << 0.0 << 100.0 << 0.0 << 20;
        QTest::newRow("vertical max") << Qt::Vertical << 0.0 << 63.0 << 63.0 << 47;
        QTest::newRow("vertical min") << Qt::Vertical << 0.0 << 63.0 << 0.0 << 979;
        QTest::newRow("horizontal empty range") << Qt::Horizontal << 5.0 << 5.0 << 80.0 << 20;
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
};

QTEST_MAIN(TestChartAxes)
#include "tst_chartaxes.moc"
