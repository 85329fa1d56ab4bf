#include "charts/CZKChartItemModel.h"

#include <QtTest>

class TestChartItemModel : public QObject {
    Q_OBJECT

private slots:
    void fillsFromTheLeftWithTechnologyHeaders();
    void scrollsOnceFull();
    void bandColours_data();
    void bandColours();
    void cellsWithoutSampleOrOtherRolesHaveNoData();
    void valueRangeWidensFromItsStartingBounds();
    void clearingEmptiesModelAndRefillsFromColumnZero();

private:
    static QString cell(const CZKChartItemModel& model, int column)
    {
        return model.data(model.index(0, column)).toString();
    }
    static QString header(const CZKChartItemModel& model, int column)
    {
        return model.headerData(column, Qt::Horizontal).toString();
    }
};

void TestChartItemModel::fillsFromTheLeftWithTechnologyHeaders()
{
    CZKChartItemModel model(5);
    model.addValue(7, QStringLiteral("2G"));
    model.addValue(42, QStringLiteral("4G"));

    QCOMPARE(model.sampleCount(), 2);
    QCOMPARE(cell(model, 0), QStringLiteral("7"));
    QCOMPARE(cell(model, 1), QStringLiteral("42"));
    QCOMPARE(header(model, 0), QStringLiteral("2G"));
    QCOMPARE(header(model, 1), QStringLiteral("4G"));
    // An unfilled column carries no technology, only the default column number.
    QCOMPARE(header(model, 2), QStringLiteral("3"));
    QVERIFY(!model.item(0, 2));
}

void TestChartItemModel::scrollsOnceFull()
{
    const QStringList technologies = { QStringLiteral("2G"), QStringLiteral("3G"), QStringLiteral("4G") };
    CZKChartItemModel model(100);
    for (int sample = 0; sample <= 100; ++sample)
        model.addValue(sample % 64, technologies.at(sample % 3));

    QCOMPARE(model.sampleCount(), 100);
    QCOMPARE(model.columnCount(), 100);
    QCOMPARE(model.rowCount(), 1);
    for (int column = 0; column < 100; ++column) {
        const int sample = column + 1;
        QCOMPARE(cell(model, column), QString::number(sample % 64));
        QCOMPARE(header(model, column), technologies.at(sample % 3));
    }
}

void TestChartItemModel::bandColours_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("negative") << QStringLiteral("-5") << QColor(216, 39, 0);
    QTest::newRow("9") << QStringLiteral("9") << QColor(216, 39, 0);
    QTest::newRow("10") << QStringLiteral("10") << QColor(180, 75, 0);
    QTest::newRow("20 skips entry 4") << QStringLiteral("20") << QColor(108, 147, 0);
    QTest::newRow("30") << QStringLiteral("30") << QColor(72, 183, 0);
    QTest::newRow("49") << QStringLiteral("49") << QColor(36, 219, 0);
    QTest::newRow("50") << QStringLiteral("50") << QColor(0, 255, 0);
    QTest::newRow("not a number counts as 0") << QStringLiteral("n/a") << QColor(216, 39, 0);
}

void TestChartItemModel::bandColours()
{
    QFETCH(QString, sample);
    QFETCH(QColor, colour);

    CZKChartItemModel model(3);
    model.setItem(0, 1, new QStandardItem(sample));
    const QModelIndex index = model.index(0, 1);
    QCOMPARE(model.data(index, Qt::BackgroundRole).value<QColor>(), colour);
    QCOMPARE(model.data(index, Qt::ForegroundRole).value<QColor>(), colour);
}

void TestChartItemModel::cellsWithoutSampleOrOtherRolesHaveNoData()
{
    CZKChartItemModel model(3);
    model.addValue(30, QStringLiteral("3G"));

    QVERIFY(!model.data(model.index(0, 1), Qt::BackgroundRole).isValid());
    QVERIFY(!model.data(model.index(0, 1), Qt::DisplayRole).isValid());
    for (const int role : { int(Qt::EditRole), int(Qt::DecorationRole), int(Qt::ToolTipRole) })
        QVERIFY(!model.data(model.index(0, 0), role).isValid());
    QVERIFY(!model.data(QModelIndex(), Qt::BackgroundRole).isValid());
}

void TestChartItemModel::valueRangeWidensFromItsStartingBounds()
{
    CZKChartItemModel model(10);
    double min = -1.0;
    double max = -1.0;
    QVERIFY(!model.valueRange(&min, &max));
    QCOMPARE(min, 63.0);
    QCOMPARE(max, 0.0);

    model.addValue(20, QStringLiteral("2G"));
    model.addValue(35, QStringLiteral("3G"));
    QVERIFY(model.valueRange(&min, &max));
    QCOMPARE(min, 20.0);
    QCOMPARE(max, 35.0);
}

void TestChartItemModel::clearingEmptiesModelAndRefillsFromColumnZero()
{
    CZKChartItemModel model(4);
    for (int sample = 0; sample < 6; ++sample)
        model.addValue(sample, QStringLiteral("4G"));
    model.clearValues();

    QCOMPARE(model.sampleCount(), 0);
    QCOMPARE(model.columnCount(), 4);
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(header(model, 3), QStringLiteral("4"));
    double min = 0.0;
    double max = 0.0;
    QVERIFY(!model.valueRange(&min, &max));

    model.addValue(12, QStringLiteral("2G"));
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(cell(model, 0), QStringLiteral("12"));
    QCOMPARE(header(model, 0), QStringLiteral("2G"));
    QCOMPARE(model.sampleCount(), 1);
}

QTEST_MAIN(TestChartItemModel)
#include "tst_chartitemmodel.moc"
