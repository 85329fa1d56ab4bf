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
    void initTestCase();
    void scramblePassword_data();
    void scramblePassword();
    void scramblingAsciiTwiceGivesItBack();
    void isAscii7_data();
    void isAscii7();
    void interpolateColor_data();
    void interpolateColor();
    void waitMsKeepsEventsFlowingWithoutSpinning();
    void waitMsOfZeroOrLessReturnsAtOnce();
    void busyStateSwallowsClicksAndKeysOnly();
    void oneEndBusyEndsAnyNumberOfBeginBusy();
};

void TestUtilities::initTestCase()
{
    setApplication(qobject_cast<QApplication*>(QCoreApplication::instance()));
}

void TestUtilities::scramblePassword_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("scrambled");

    // Even positions are mixed with 9, odd ones with 5.
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("ascii") << QStringLiteral("admin") << QStringLiteral("hadlg");
    QTest::newRow("digits") << QStringLiteral("1234") << QStringLiteral("87:1");
    QTest::newRow("latin-1 widens with its sign") << QString(QChar(0xE9)) << QString(QChar(0xFFE0));
    QTest::newRow("above latin-1 becomes the constant") << QString(QChar(0x100)) << QString(QChar(9));
    QTest::newRow("above latin-1 at an odd position") << QStringLiteral("a") + QChar(0x20AC)
                                                      << QStringLiteral("h") + QChar(5);
}

void TestUtilities::scramblePassword()
{
    QFETCH(QString, plain);
    QFETCH(QString, scrambled);
    QCOMPARE(::scramblePassword(plain), scrambled);
    QCOMPARE(::scramblePassword(plain).size(), plain.size());
}

void TestUtilities::scramblingAsciiTwiceGivesItBack()
{
    QString all;
    for (ushort c = 0; c < 0x80; ++c)
        all += QChar(c);
    QCOMPARE(::scramblePassword(::scramblePassword(all)), all);
    for (const QChar c : ::scramblePassword(all))
        QVERIFY(c.unicode() < 0x80);
}

void TestUtilities::isAscii7_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ascii");
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("plain") << QStringLiteral("Hello @ 123 {}") << true;
    QTest::newRow("DEL is still 7-bit") << QString(QChar(0x7F)) << true;
    QTest::newRow("0x80") << QString(QChar(0x80)) << false;
    QTest::newRow("polish letter") << QStringLiteral("zażółć") << false;
}

void TestUtilities::isAscii7()
{
    QFETCH(QString, text);
    QTEST(::isAscii7(text), "ascii");
}

void TestUtilities::interpolateColor_data()
{
    QTest::addColumn<QColor>("from");
    QTest::addColumn<QColor>("to");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QColor>("expected");

    const QColor green(0, 255, 0);
    const QColor red(255, 0, 0);
    QTest::newRow("first step") << green << red << 0 << 7 << green;
    QTest::newRow("step 6 of 7 truncates the stride") << green << red << 6 << 7 << QColor(216, 39, 0);
    QTest::newRow("last step falls short") << green << red << 7 << 7 << QColor(252, 3, 0);
    QTest::newRow("no steps keeps from and its alpha")
        << QColor(10, 20, 30, 40) << red << 3 << 0 << QColor(10, 20, 30, 40);
    QTest::newRow("alpha becomes opaque") << QColor(0, 0, 0, 10) << QColor(100, 100, 100) << 1 << 2
                                          << QColor(50, 50, 50, 255);
}

void TestUtilities::interpolateColor()
{
    QFETCH(QColor, from);
    QFETCH(QColor, to);
    QFETCH(int, step);
    QFETCH(int, steps);
    QFETCH(QColor, expected);
    const QColor got = ::interpolateColor(from, to, step, steps);
    QCOMPARE(got.rgba(), expected.rgba());
}

void TestUtilities::waitMsKeepsEventsFlowingWithoutSpinning()
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
    const qint64 elapsed = wall.elapsed();

    QVERIFY2(elapsed >= 400, qPrintable(QString::number(elapsed)));
    QVERIFY(ticks >= 5);
    // A busy loop would burn about as much processor time as wall time.
    QVERIFY2(cpuMs < 150, qPrintable(QStringLiteral("cpu %1 ms").arg(cpuMs)));
}

void TestUtilities::waitMsOfZeroOrLessReturnsAtOnce()
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

void TestUtilities::busyStateSwallowsClicksAndKeysOnly()
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
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QTest::mouseClick(button, Qt::LeftButton);
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("abc"));
    QCOMPARE(clicks, 0);
    QCOMPARE(edit->text(), QString());

    CZKAppEventFilter filter;
    QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QEvent paint(QEvent::Paint);
    QEvent close(QEvent::Close);
    QVERIFY(!filter.eventFilter(button, &move));
    QVERIFY(!filter.eventFilter(button, &paint));
    QVERIFY(!filter.eventFilter(button, &close));

    endBusy();
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::keyClicks(edit, QStringLiteral("abc"));
    QCOMPARE(clicks, 1);
    QCOMPARE(edit->text(), QStringLiteral("abc"));
}

void TestUtilities::oneEndBusyEndsAnyNumberOfBeginBusy()
{
    beginBusy();
    beginBusy();
    endBusy();
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);

    QPushButton button;
    button.show();
    int clicks = 0;
    connect(&button, &QPushButton::clicked, this, [&clicks] { ++clicks; });
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks, 1);
}

QTEST_MAIN(TestUtilities)
#include "tst_utilities.moc"
