#include "RecordingPaintDevice.h"

#include "charts/AxisBase.h"
#include "charts/BarChartPlotter.h"
#include "charts/CZKAxisTechnology.h"
#include "charts/CZKChartItemModel.h"

#include <QLinearGradient>
#include <QPainter>
#include <QStandardItemModel>
#include <QtTest>

namespace {

struct DrawnBar {
    QRect rect;
    double value;
};

class RecordingBarChart : public QSint::BarChartPlotter {
public:
    QVector<DrawnBar> bars;

protected:
    void drawBarItem(QPainter& painter, QRect rect, QPen& pen, QBrush& brush, const QModelIndex& index,
                     double value) override
    {
        bars.append({ rect, value });
        BarChartPlotter::drawBarItem(painter, rect, pen, brush, index, value);
    }
};

// The chart as the RF page sets it up, 800 x 300 pixels.
void setUpLikeTheRfPage(QSint::BarChartPlotter& chart, QAbstractItemModel* model)
{
    chart.resize(800, 300);
    chart.verticalAxis()->setRange(0, 63);
    chart.verticalAxis()->setOffset(20);
    chart.verticalAxis()->setTextColor(Qt::black);
    chart.setBarScale(0.8);
    chart.setBarType(QSint::BarChartPlotter::SideBySide);
    chart.horizontalAxis()->setTicks(10, 20);
    chart.horizontalAxis()->setMinorTicksPen(QPen(Qt::NoPen));
    chart.horizontalAxis()->setMajorTicksPen(QPen(Qt::NoPen));
    chart.setBarOpacity(0.9);
    chart.technologyAxis()->setBarOpacity(0.9);
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setStops({ { 0.0, Qt::white }, { 0.5, QColor(204, 204, 255) }, { 1.0, Qt::white } });
    chart.setBackground(QBrush(gradient));
    chart.setModel(model);
}

QImage render(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    widget.render(&image);
    return image;
}

QStringList stripTexts(CZKAxisTechnology* axis)
{
    RecordingPaintDevice device(QSize(800, 300));
    QPainter painter(&device);
    axis->draw(painter);
    return device.engine.texts;
}

// The strip's row from x = first to last, one character per pixel: the technology's digit,
// or "-" where no band is drawn.
QString strip(const QImage& image, int first, int last)
{
    QString row;
    for (int x = first; x <= last; ++x) {
        const QColor pixel = image.pixelColor(x, 300 - 20 - 2);
        row += pixel == Qt::green ? '2' : pixel == Qt::blue ? '3' : pixel == Qt::cyan ? '4' : '-';
    }
    return row;
}

void addSamples(CZKChartItemModel& model, const QString& technology, int count, int level)
{
    for (int i = 0; i < count; ++i)
        model.addValue(level + (i * 37) % 11 - 5, technology);
}

} // namespace

class TestBarChart : public QObject {
    Q_OBJECT

private slots:
    void barRectanglesOfALiveChart();
    void sampleAtTheAxisMinimumDrawsNoBar();
    void nothingDrawn_data();
    void nothingDrawn();
    void stackedRowsSitOnEachOther();
    void settersClamp();
    void stripBandsFollowTheTechnologies();
    void runNamesOnlyWhereTheyFit();
    void everyPassStartsWithoutAnOpenRun();
    void technologyAxisInScaleModeStillDrawsTheStrip();
};

void TestBarChart::barRectanglesOfALiveChart()
{
    CZKChartItemModel model(100);
    addSamples(model, QStringLiteral("2G"), 30, 18);
    addSamples(model, QStringLiteral("3G"), 40, 34);
    addSamples(model, QStringLiteral("4G"), 30, 50);
    RecordingBarChart chart;
    setUpLikeTheRfPage(chart, &model);
    QCOMPARE(chart.dataRect(), QRect(QPoint(20, 10), QPoint(789, 259)));
    // As the reply dispatch rescales the value axis after each sample.
    double min = 0.0;
    double max = 0.0;
    QVERIFY(model.valueRange(&min, &max));
    chart.verticalAxis()->setRange(qMax(min - 3.0, 0.0), qMin(max + 3.0, 63.0));
    chart.setBarOpacity(1.0);

    const QImage image = render(chart);
    if (qEnvironmentVariableIsSet("DUDEDORIV_CHART_PNG"))
        image.save(qEnvironmentVariable("DUDEDORIV_CHART_PNG"));

    // Columns of 7 pixels from x = 20, bars of 5 pixels down to just above the axis minimum.
    QCOMPARE(chart.bars.size(), 100);
    const QSint::AxisBase* values = chart.verticalAxis();
    const int base = values->toView(values->rangeMinimum());
    for (int i = 0; i < 100; ++i) {
        const double value = model.data(model.index(0, i)).toDouble();
        const QColor band = model.data(model.index(0, i), Qt::BackgroundRole).value<QColor>();
        const DrawnBar& bar = chart.bars.at(i);
        QCOMPARE(bar.rect, QRect(QPoint(21 + 7 * i, values->toView(value)), QPoint(25 + 7 * i, base - 1)));
        QCOMPARE(bar.value, value);
        QCOMPARE(image.pixelColor(23 + 7 * i, base - 3), band);
        QVERIFY(image.pixelColor(20 + 7 * i, base - 3) != band);
    }
}

void TestBarChart::sampleAtTheAxisMinimumDrawsNoBar()
{
    CZKChartItemModel model(100);
    for (const int sample : { 10, 5, 30 })
        model.addValue(sample, QStringLiteral("3G"));
    RecordingBarChart chart;
    setUpLikeTheRfPage(chart, &model);
    chart.verticalAxis()->setRange(10, 63);
    render(chart);

    QCOMPARE(chart.bars.size(), 1);
    QCOMPARE(chart.bars.first().rect.left(), 21 + 2 * 7);
    QCOMPARE(chart.bars.first().rect.bottom(), 258);
}

void TestBarChart::nothingDrawn_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("maxBarWidth");
    QTest::newRow("columns without a row") << 0 << 100;
    QTest::newRow("three rows in a bar of two pixels") << 3 << 2;
}

void TestBarChart::nothingDrawn()
{
    QFETCH(int, rows);
    QFETCH(int, maxBarWidth);

    QStandardItemModel model(rows, 4);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < 4; ++c)
            model.setItem(r, c, new QStandardItem(QStringLiteral("40")));
    }
    RecordingBarChart chart;
    setUpLikeTheRfPage(chart, &model);
    chart.setBarSize(0, maxBarWidth);
    render(chart);
    QVERIFY(chart.bars.isEmpty());
}

void TestBarChart::stackedRowsSitOnEachOther()
{
    QStandardItemModel model(3, 1);
    model.setItem(0, 0, new QStandardItem(QStringLiteral("10")));
    model.setItem(1, 0, new QStandardItem(QStringLiteral("20")));
    model.setItem(2, 0, new QStandardItem(QStringLiteral("-5")));
    RecordingBarChart chart;
    setUpLikeTheRfPage(chart, &model);
    chart.setBarType(QSint::BarChartPlotter::Stacked);
    render(chart);

    // One column 768 pixels wide, the bar 80 % of it.
    const QSint::AxisBase* values = chart.verticalAxis();
    QCOMPARE(chart.bars.size(), 3);
    QCOMPARE(chart.bars[0].rect, QRect(QPoint(97, values->toView(10)), QPoint(710, values->toView(0) - 1)));
    QCOMPARE(chart.bars[1].rect, QRect(QPoint(97, values->toView(30)), QPoint(710, values->toView(10) - 1)));
    QCOMPARE(chart.bars[2].rect, QRect(QPoint(97, values->toView(0)), QPoint(710, values->toView(-5) - 1)));
}

void TestBarChart::settersClamp()
{
    QSint::BarChartPlotter chart;
    CZKAxisTechnology* technology = chart.technologyAxis();
    chart.setBarScale(0.05);
    technology->setBarScale(2);
    chart.setBarOpacity(-1);
    technology->setBarOpacity(3);
    chart.setBarSize(-3, 10);
    technology->setBarSize(5, 2);
    QCOMPARE(chart.barWidthShare(), 0.1);
    QCOMPARE(technology->bandWidthShare(), 1.0);
    QCOMPARE(chart.barOpacityLevel(), 0.0);
    QCOMPARE(technology->bandOpacityLevel(), 1.0);
    QCOMPARE(QPair(chart.minimumBarWidth(), chart.maximumBarWidth()), QPair(0, 10));
    QCOMPARE(QPair(technology->minimumBandWidth(), technology->maximumBandWidth()), QPair(5, 5));
}

void TestBarChart::stripBandsFollowTheTechnologies()
{
    CZKChartItemModel model(100);
    QSint::BarChartPlotter chart;
    setUpLikeTheRfPage(chart, &model);
    QCOMPARE(strip(render(chart), 18, 40), QString(23, '-'));

    // Bands of 3 pixels in columns of 7: each segment runs on from the band before.
    for (const char* technology : { "3G", "3G", "4G" })
        model.addValue(30, QString::fromLatin1(technology));
    QCOMPARE(strip(render(chart), 18, 40), QStringLiteral("--3333333333334444444--"));

    // Columns of 256 pixels, bands of 128: a column without a technology leaves its segment
    // out, and the next one starts at that column's band edge.
    QStandardItemModel unlabelled(1, 3);
    unlabelled.setHorizontalHeaderLabels({ "2G", "", "2G" });
    chart.setModel(&unlabelled);
    const QImage image = render(chart);
    QCOMPARE(strip(image, 210, 213), QStringLiteral("22--"));
    QCOMPARE(strip(image, 466, 469), QStringLiteral("--22"));
    QCOMPARE(strip(image, 723, 724), QStringLiteral("2-"));
}

void TestBarChart::runNamesOnlyWhereTheyFit()
{
    CZKChartItemModel model(100);
    model.addValue(30, QStringLiteral("3G"));
    model.addValue(30, QStringLiteral("3G"));
    addSamples(model, QStringLiteral("4G"), 40, 45);
    addSamples(model, QStringLiteral("2G"), 10, 20);
    QSint::BarChartPlotter chart;
    setUpLikeTheRfPage(chart, &model);
    CZKAxisTechnology* technology = chart.technologyAxis();
    QFont font;
    font.setPixelSize(12);
    technology->setTextFont(font);
    QVERIFY(QFontMetrics(font).boundingRect(QStringLiteral("3G")).width() > 12);

    QCOMPARE(stripTexts(technology), QStringList({ "4G", "2G" }));
    QCOMPARE(technology->openRunTechnology(), QStringLiteral("2G"));
    QCOMPARE(technology->openRunStart(), 20 + 42 * 7 - 2);
    QCOMPARE(technology->openRunEnd(), 25 + 51 * 7);
}

void TestBarChart::everyPassStartsWithoutAnOpenRun()
{
    CZKChartItemModel model(20);
    addSamples(model, QStringLiteral("3G"), 8, 30);
    addSamples(model, QStringLiteral("4G"), 8, 50);
    QSint::BarChartPlotter chart;
    setUpLikeTheRfPage(chart, &model);
    CZKAxisTechnology* technology = chart.technologyAxis();
    QCOMPARE(stripTexts(technology), QStringList({ "3G", "4G" }));
    QCOMPARE(stripTexts(technology), QStringList({ "3G", "4G" }));

    emit model.toBeClear();
    QCOMPARE(technology->openRunStart(), 0);
    QVERIFY(technology->openRunTechnology().isEmpty());

    // A new test clears without announcing it; the old runs must not come back.
    model.clearValues();
    QVERIFY(stripTexts(technology).isEmpty());
    addSamples(model, QStringLiteral("2G"), 4, 20);
    QCOMPARE(stripTexts(technology), QStringList({ "2G" }));
    QCOMPARE(technology->openRunStart(), 20);
}

void TestBarChart::technologyAxisInScaleModeStillDrawsTheStrip()
{
    CZKChartItemModel model(20);
    addSamples(model, QStringLiteral("3G"), 8, 30);
    QSint::BarChartPlotter chart;
    setUpLikeTheRfPage(chart, &model);
    chart.technologyAxis()->setAxisMode(QSint::AxisBase::ScaleMode);
    QCOMPARE(stripTexts(chart.technologyAxis()), QStringList({ "3G" }));
}

QTEST_MAIN(TestBarChart)
#include "tst_barchart.moc"
