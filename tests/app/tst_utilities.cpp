#include "app/CZKAppEventFilter.h"
#include "app/CZKGlobals.h"
#include "app/CZKPacing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <ctime>

class TestUtilities : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setApplication(qobject_cast<QApplication*>(QCoreApplication::instance())); }

    // Even positions are mixed with 9, odd ones with 5.
    void scramblePassword_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("scrambled");
        QTest::newRow("ascii") << QStringLiteral("admin") << QStringLiteral("hadlg");
        QTest::newRow("latin-1 widens with its sign") << QString(QChar(0xE9)) << QString(QChar(0xFFE0));
        QTest::newRow("above latin-1 becomes the constant") << QString(QChar(0x100)) << QString(QChar(9));
        QTest::newRow("above latin-1 at an odd position") << QStringLiteral("a") + QChar(0x20AC)
                                                          << QStringLiteral("h") + QChar(5);
    }

    void scramblePassword()
    {
        QFETCH(QString, plain);
        QTEST(::scramblePassword(plain), "scrambled");
    }

    void isAscii7()
    {
        QVERIFY(::isAscii7(QString()));
        QVERIFY(::isAscii7(QString(QChar(0x7F))));
        QVERIFY(!::isAscii7(QStringLiteral("abc") + QChar(0x80)));
    }

    void interpolateColor_data()
    {
        QTest::addColumn<QColor>("from");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QColor>("expected");
        const QColor green(0, 255, 0);
        QTest::newRow("step 6 of 7 truncates the stride") << green << 6 << 7 << QColor(216, 39, 0);
        QTest::newRow("last step falls short") << green << 7 << 7 << QColor(252, 3, 0);
        QTest::newRow("no steps keeps from, alpha too") << QColor(10, 20, 30, 40) << 3 << 0 << QColor(10, 20, 30, 40);
        QTest::newRow("alpha becomes opaque") << QColor(0, 255, 0, 10) << 1 << 7 << QColor(36, 219, 0, 255);
    }

    void interpolateColor()
    {
        QFETCH(QColor, from);
        QFETCH(int, step);
        QFETCH(int, steps);
        QFETCH(QColor, expected);
        QCOMPARE(::interpolateColor(from, QColor(255, 0, 0), step, steps).rgba(), expected.rgba());
    }

    void waitMsKeepsEventsFlowingWithoutSpinning()
    {
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&ticks] { ++ticks; });
        timer.start(20);
        QElapsedTimer wall;
        wall.start();
        const std::clock_t cpuBefore = std::clock();
        waitMs(400);
        const double cpuMs = 1000.0 * double(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
        QVERIFY2(wall.elapsed() >= 400, qPrintable(QString::number(wall.elapsed())));
        QVERIFY(ticks >= 5);
        // A busy loop would burn about as much processor time as wall time.
        QVERIFY2(cpuMs < 150, qPrintable(QStringLiteral("cpu %1 ms").arg(cpuMs)));
    }

    void waitMsOfZeroOrLessReturnsAtOnceAndFollowsThePacing()
    {
        bool ran = false;
        QTimer::singleShot(0, this, [&ran] { ran = true; });
        waitMs(0);
        waitMs(-5);
        QVERIFY(!ran);
        QTRY_VERIFY(ran);

        Pacing::setScale(0.01);
        QElapsedTimer clock;
        clock.start();
        waitMs(15000);
        Pacing::setScale(1.0);
        QVERIFY(clock.elapsed() < 5000);
    }

    // While busy, clicks and keys are swallowed (other events pass); one endBusy ends any number
    // of beginBusy.
    void busyStateSwallowsClicksAndKeysOnly()
    {
        QWidget window;
        auto* button = new QPushButton(QStringLiteral("press"), &window);
        auto* edit = new QLineEdit(&window);
        edit->move(0, 40);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int clicks = 0;
        connect(button, &QPushButton::clicked, this, [&clicks] { ++clicks; });

        beginBusy();
        beginBusy();
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QTest::mouseClick(button, Qt::LeftButton);
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("abc"));
        QCOMPARE(clicks, 0);
        QCOMPARE(edit->text(), QString());
        CZKAppEventFilter filter;
        QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QEvent close(QEvent::Close);
        QVERIFY(!filter.eventFilter(button, &move));
        QVERIFY(!filter.eventFilter(button, &close));

        endBusy();
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyClicks(edit, QStringLiteral("abc"));
        QCOMPARE(clicks, 1);
        QCOMPARE(edit->text(), QStringLiteral("abc"));
    }
};

QTEST_MAIN(TestUtilities)
#include "tst_utilities.moc"
