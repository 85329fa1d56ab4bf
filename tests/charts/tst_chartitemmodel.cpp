#include "charts/CZKChartItemModel.h"

#include <QtTest>

class TestChartItemModel : public QObject {
    Q_OBJECT

    // Each column as "value/header" (an unfilled one shows only its default number), then the
    // value range, "none" before it when the model holds no sample.
    static QStringList state(const CZKChartItemModel& model)
    {
        QStringList state;
        for (int c = 0; c < model.columnCount(); ++c)
            state << model.data(model.index(0, c)).toString() + '/' + model.headerData(c, Qt::Horizontal).toString();
        double min = -1.0, max = -1.0;
        const bool any = model.valueRange(&min, &max);
        return state << QStringLiteral("%1%2..%3").arg(any ? "" : "none ").arg(min).arg(max);
    }

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
        QTest::newRow("9") << "9" << QColor(216, 39, 0);
        QTest::newRow("10") << "10" << QColor(180, 75, 0);
        QTest::newRow("20 skips entry 4") << "20" << QColor(108, 147, 0);
        QTest::newRow("30") << "30" << QColor(72, 183, 0);
        QTest::newRow("49") << "49" << QColor(36, 219, 0);
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
};

QTEST_MAIN(TestChartItemModel)
#include "tst_chartitemmodel.moc"
