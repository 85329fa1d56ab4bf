#include "RecordingPaintDevice.h"

#include "charts/AxisBase.h"
#include "charts/CZKAxisRSSI.h"
#include "charts/PlotterBase.h"

#include <QPainter>
#include <QStandardItemModel>
#include <QtTest>

#include <cmath>
#include <limits>

namespace {

class PlainPlotter : public QSint::PlotterBase {
public:
    PlainPlotter(int width, int height)
    {
        resize(width, height);
        axisX->setOffset(20);
        axisY->setOffset(20);
    }

protected:
    void drawContent(QPainter&) override {}
};

const QColor kTickColor(255, 0, 0);
const QColor kGridColor(0, 0, 255);

RecordingPaintDevice* drawAxis(QSint::AxisBase* axis, const QWidget& plotter)
{
    auto* device = new RecordingPaintDevice(plotter.size());
    QPainter painter(device);
    axis->draw(painter);
    return device;
}

} // namespace

class TestChartAxes : public QObject {
    Q_OBJECT

private slots:
    void adjustTicks_data();
    void adjustTicks();
    void offsetIsNeverNegative();
    void toView_data();
    void toView();
    void verticalScaleTicksAndLabels();
    void gridLinesOnlyWithAPen();
    void sampleAxisDrawsTicksAndSeparatorsWithoutText();
};

void TestChartAxes::adjustTicks_data()
{
    QTest::addColumn<double>("minorTicks");
    QTest::addColumn<double>("majorTicks");
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<double>("minorStep");
    QTest::addColumn<double>("majorStep");
    QTest::addColumn<double>("max");

    // A negative minor tick keeps the default steps (minor 0, major 10, caps the same).
    const double keep = -1.0;
    QTest::newRow("default 0..63: doubled, capped back") << keep << 10.0 << 0.0 << 63.0 << 0.0 << 10.0 << 63.0;
    QTest::newRow("10/20 over 0..100") << 10.0 << 20.0 << 0.0 << 100.0 << 10.0 << 20.0 << 100.0;
    QTest::newRow("default 17..33 halves once") << keep << 10.0 << 17.0 << 33.0 << 0.0 << 5.0 << 33.0;
    QTest::newRow("reversed range is empty") << keep << 10.0 << 5.0 << 3.0 << 0.0 << 0.0 << 5.0;
    QTest::newRow("range 3") << keep << 10.0 << 0.0 << 3.0 << 0.0 << 1.0 << 3.0;
    QTest::newRow("range 2") << keep << 10.0 << 0.0 << 2.0 << 0.0 << 1.0 << 2.0;
    QTest::newRow("range 1.9 stops halving at 1") << keep << 10.0 << 0.0 << 1.9 << 0.0 << 1.0 << 1.9;
    QTest::newRow("range 0.5 stops halving at 1") << keep << 10.0 << 40.0 << 40.5 << 0.0 << 1.0 << 40.5;
    QTest::newRow("fractional step over a narrow range") << 0.5 << 0.5 << 0.0 << 0.8 << 0.5 << 0.5 << 0.8;
    QTest::newRow("zero steps never double") << 0.0 << 0.0 << 0.0 << 63.0 << 0.0 << 0.0 << 63.0;
}

void TestChartAxes::adjustTicks()
{
    QFETCH(double, minorTicks);
    QFETCH(double, majorTicks);
    QFETCH(double, from);
    QFETCH(double, to);

    PlainPlotter plotter(400, 300);
    QSint::AxisBase* axis = plotter.verticalAxis();
    if (minorTicks >= 0.0)
        axis->setTicks(minorTicks, majorTicks);
    axis->setRange(from, to);

    QTEST(axis->minorTickStep(), "minorStep");
    QTEST(axis->majorTickStep(), "majorStep");
    QCOMPARE(axis->rangeMinimum(), from);
    QTEST(axis->rangeMaximum(), "max");
}

void TestChartAxes::offsetIsNeverNegative()
{
    PlainPlotter plotter(400, 300);
    plotter.horizontalAxis()->setOffset(-4);
    QCOMPARE(plotter.dataRect(), QRect(QPoint(20, 0), QPoint(399, 299)));
}

void TestChartAxes::toView_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("pixel");

    // The plotter puts the horizontal axis's points at 20 and 979, the vertical's at 1 and 979.
    const int h = Qt::Horizontal;
    const int v = Qt::Vertical;
    const int lowest = std::numeric_limits<int>::min();
    QTest::newRow("horizontal max") << h << 0.0 << 100.0 << 100.0 << 933;
    QTest::newRow("horizontal min") << h << 0.0 << 100.0 << 0.0 << 20;
    QTest::newRow("vertical max") << v << 0.0 << 63.0 << 63.0 << 47;
    QTest::newRow("vertical min") << v << 0.0 << 63.0 << 0.0 << 979;
    QTest::newRow("horizontal empty range") << h << 5.0 << 5.0 << 80.0 << 20;
    QTest::newRow("vertical empty range") << v << 5.0 << 5.0 << 80.0 << 979;
    QTest::newRow("vertical far above range") << v << 0.0 << 63.0 << 1e300 << lowest;
    QTest::newRow("not a number sits at the low end") << v << 0.0 << 63.0 << std::nan("") << 979;
}

void TestChartAxes::toView()
{
    QFETCH(int, orientation);
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(double, value);

    PlainPlotter plotter(981, 1000);
    QSint::AxisBase* axis =
        orientation == Qt::Horizontal ? plotter.horizontalAxis() : plotter.verticalAxis();
    axis->setRange(from, to);
    QTEST(axis->toView(value), "pixel");
}

void TestChartAxes::verticalScaleTicksAndLabels()
{
    PlainPlotter plotter(981, 1000);
    QSint::AxisBase* axis = plotter.verticalAxis();
    axis->setRange(0, 63);
    axis->setMajorTicksPen(QPen(kTickColor));
    QScopedPointer<RecordingPaintDevice> device(drawAxis(axis, plotter));
    QVector<QLine> expected;
    for (int value = 0; value <= 60; value += 10)
        expected.append(QLine(20, axis->toView(value), 24, axis->toView(value)));
    QCOMPARE(device->linesIn(kTickColor), expected);
    QCOMPARE(device->engine.texts, QStringList({ "0", "10", "20", "30", "40", "50", "60" }));

    // Ten pixels between ticks leave no room for a label at each; every tick is still drawn.
    plotter.resize(981, 90);
    device.reset(drawAxis(axis, plotter));
    QCOMPARE(device->linesIn(kTickColor).size(), 7);
    const QStringList& labels = device->engine.texts;
    QVERIFY(labels.size() > 1 && labels.size() < 7);
    QCOMPARE(labels.first(), QStringLiteral("0"));
    const int height = QFontMetrics(QFont()).boundingRect(QStringLiteral("0")).height();
    for (int i = 1; i < labels.size(); ++i)
        QVERIFY(device->engine.baselines[i - 1].y() - device->engine.baselines[i].y() >= height);
}

void TestChartAxes::gridLinesOnlyWithAPen()
{
    PlainPlotter plotter(981, 300);
    QSint::AxisBase* axis = plotter.horizontalAxis();
    axis->setRange(0, 100);
    QScopedPointer<RecordingPaintDevice> device(drawAxis(axis, plotter));
    QVERIFY(device->linesIn(kGridColor).isEmpty());

    axis->setMajorGridPen(QPen(kGridColor));
    device.reset(drawAxis(axis, plotter));
    const QVector<QLine> grid = device->linesIn(kGridColor);
    QCOMPARE(grid.size(), 11);
    QCOMPARE(grid.first(), QLine(20, 0, 20, 300 - 20));
    QCOMPARE(grid.last(), QLine(axis->toView(100), 0, axis->toView(100), 300 - 20));
}

void TestChartAxes::sampleAxisDrawsTicksAndSeparatorsWithoutText()
{
    QStandardItemModel model(1, 4);
    model.setHorizontalHeaderLabels({ "a", "b", "c", "d" });
    PlainPlotter plotter(420, 300);
    auto* axis = new CZKAxisRSSI(Qt::Horizontal, &plotter);
    axis->setModel(&model);
    axis->setAxisMode(QSint::AxisBase::ModelLabelsMode);
    axis->setMajorTicksPen(QPen(kTickColor));
    axis->setMajorGridPen(QPen(kGridColor));
    QScopedPointer<RecordingPaintDevice> device(drawAxis(axis, plotter));

    // The baseline sits one offset higher than the base axis's, above the technology strip.
    QCOMPARE(device->linesIn(kTickColor).first(), QLine(69, 260, 69, 264));
    QCOMPARE(device->linesIn(kGridColor),
             QVector<QLine>({ { 119, 0, 119, 280 }, { 218, 0, 218, 280 }, { 317, 0, 317, 280 },
                              { 416, 0, 416, 280 } }));
    QVERIFY(device->engine.texts.isEmpty());
}

QTEST_MAIN(TestChartAxes)
#include "tst_chartaxes.moc"
