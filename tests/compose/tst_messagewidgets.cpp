#include "compose/CZKKeyPressFilter.h"
#include "compose/CZKMSISDNClickedLineEdit.h"
#include "compose/CZKSMSPlainTextEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QtTest>

// The composer's message field, its key filter and its recipient field, driven as the operator
// would: pasting, dropping, typing and double-clicking.
class TestMessageWidgets : public QObject {
    Q_OBJECT

private slots:
    void pastedTextIsCut_data();
    void pastedTextIsCut();
    void keysAtTheLimit_data();
    void keysAtTheLimit();
    void typingPastTheLimitLeavesOnlyEditingKeys();
    void shortCodesHaveNoLimit();
    void doubleClickOnTheRecipient_data();
    void doubleClickOnTheRecipient();

private:
    static void insertAtEnd(CZKSMSPlainTextEdit& field, const QString& text, bool drop);
    static bool swallowed(CZKSMSPlainTextEdit& field, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                          const QString& text = QString());
};

namespace {
const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // one character, a surrogate pair

QString times(const QString& piece, int count)
{
    return piece.repeated(count);
}
} // namespace

void TestMessageWidgets::insertAtEnd(CZKSMSPlainTextEdit& field, const QString& text, bool drop)
{
    field.moveCursor(QTextCursor::End);
    field.ensureCursorVisible();
    if (!drop) {
        QApplication::clipboard()->setText(text);
        field.paste();
        return;
    }
    QMimeData data;
    data.setText(text);
    // Dropped past the end of the last line: the text lands at the end.
    const QPoint at(field.viewport()->width() - 2, field.viewport()->height() - 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field.viewport(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field.viewport(), &move);
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field.viewport(), &dropped);
}

void TestMessageWidgets::pastedTextIsCut_data()
{
    QTest::addColumn<QString>("present");
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<bool>("drop");
    QTest::addColumn<QString>("expectedInserted");

    const QString a = QStringLiteral("a"), b = QStringLiteral("b");
    const QString pl = QString::fromUtf8("ą");
    QTest::newRow("fits whole") << times(a, 1000) << times(b, 520) << false << times(b, 520);
    QTest::newRow("7-bit, 30 into 1500") << times(a, 1500) << times(b, 30) << false << times(b, 20);
    QTest::newRow("7-bit, dropped 30 into 1500") << times(a, 1500) << times(b, 30) << true << times(b, 20);
    QTest::newRow("7-bit, full") << times(a, 1520) << b << false << QString();
    QTest::newRow("pasted extension counts two") << times(a, 1500) << times("[", 30) << false << times("[", 10);
    QTest::newRow("present extension counts two") << times("{", 750) << times(b, 30) << false << times(b, 20);
    QTest::newRow("extension at the cut") << times(a, 1501) << times("~", 30) << false << times("~", 9);
    QTest::newRow("extension does not fit one septet") << times(a, 1519) << "]" + b << false << QString();
    QTest::newRow("dropped extension at the cut") << times(a, 1517) << times("|", 5) << true << "|";
    QTest::newRow("UCS2 paste, 400 into 1000")
        << times(a, 1000) << pl + times(b, 399) << false << pl + times(b, 279);
    QTest::newRow("backtick goes UCS2") << times(a, 1000) << "`" + times(b, 399) << false << "`" + times(b, 279);
    QTest::newRow("tab goes UCS2") << times(a, 1000) << times(b, 399) + "\t" << false << times(b, 280);
    QTest::newRow("UCS2 present, extension counts one")
        << times(pl, 1000) << times("[", 400) << false << times("[", 280);
    QTest::newRow("emoji counts two units") << times(a, 1276) << times(emoji, 3) << false << times(emoji, 2);
    QTest::newRow("surrogate pair at the cut") << times(pl, 1277) << times(emoji, 2) << false << emoji;
    QTest::newRow("surrogate pair does not fit one unit") << times(pl, 1279) << emoji + b << false << QString();
    QTest::newRow("dropped surrogate pair at the cut") << times(pl, 1279) << emoji << true << QString();
    QTest::newRow("UCS2, full") << times(pl, 1280) << b << false << QString();
}

void TestMessageWidgets::pastedTextIsCut()
{
    QFETCH(QString, present);
    QFETCH(QString, inserted);
    QFETCH(bool, drop);
    QFETCH(QString, expectedInserted);

    CZKSMSPlainTextEdit field;
    field.resize(400, 300);
    field.setPlainText(present);
    insertAtEnd(field, inserted, drop);
    // The present text is one repeated character that the inserted one never holds, so what
    // was inserted is what remains without it, wherever a drop put it.
    const QString text = field.toPlainText();
    QCOMPARE(text.size(), present.size() + expectedInserted.size());
    QCOMPARE(QString(text).remove(present.at(0)), expectedInserted);
}

bool TestMessageWidgets::swallowed(CZKSMSPlainTextEdit& field, int key, Qt::KeyboardModifiers modifiers,
                                   const QString& text)
{
    CZKKeyPressFilter filter;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    return filter.eventFilter(&field, &press);
}

void TestMessageWidgets::keysAtTheLimit_data()
{
    QTest::addColumn<QString>("present");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("swallowed");

    const QString a = QStringLiteral("a");
    const QString pl = QString::fromUtf8("ą");
    const QString full = times(a, 1520);
    QTest::newRow("7-bit below the limit") << times(a, 1519) << int(Qt::Key_A) << 0 << false;
    QTest::newRow("7-bit at the limit") << full << int(Qt::Key_A) << 0 << true;
    QTest::newRow("7-bit above the limit") << full + a << int(Qt::Key_A) << 0 << true;
    QTest::newRow("extensions at the limit") << times("\\", 760) << int(Qt::Key_A) << 0 << true;
    QTest::newRow("extensions below the limit") << times("^", 759) + a << int(Qt::Key_A) << 0 << false;
    QTest::newRow("UCS2 below the limit") << times(pl, 1279) << int(Qt::Key_A) << 0 << false;
    QTest::newRow("UCS2 at the limit") << times(pl, 1280) << int(Qt::Key_A) << 0 << true;
    QTest::newRow("backtick makes it UCS2") << times(a, 1279) + "`" << int(Qt::Key_A) << 0 << true;
    QTest::newRow("emoji counts two units") << times(a, 1278) + emoji << int(Qt::Key_A) << 0 << true;
    QTest::newRow("Enter") << full << int(Qt::Key_Return) << 0 << true;
    QTest::newRow("keypad Enter") << full << int(Qt::Key_Enter) << 0 << true;
    QTest::newRow("Tab") << full << int(Qt::Key_Tab) << 0 << true;
    QTest::newRow("Escape") << full << int(Qt::Key_Escape) << 0 << true;
    QTest::newRow("Ctrl+A") << full << int(Qt::Key_A) << int(Qt::ControlModifier) << true;
    QTest::newRow("Ctrl+Z") << full << int(Qt::Key_Z) << int(Qt::ControlModifier) << true;
    QTest::newRow("Ctrl+V") << full << int(Qt::Key_V) << int(Qt::ControlModifier) << true;
    QTest::newRow("Shift+Left") << full << int(Qt::Key_Left) << int(Qt::ShiftModifier) << false;
    const QList<QPair<const char*, Qt::Key>> editing{
        {"Backspace", Qt::Key_Backspace}, {"Delete", Qt::Key_Delete}, {"Home", Qt::Key_Home},
        {"End", Qt::Key_End},             {"Left", Qt::Key_Left},     {"Up", Qt::Key_Up},
        {"Right", Qt::Key_Right},         {"Down", Qt::Key_Down},     {"PageUp", Qt::Key_PageUp},
        {"PageDown", Qt::Key_PageDown}};
    for (const auto& key : editing)
        QTest::newRow(key.first) << times(pl, 1300) << int(key.second) << 0 << false;
}

void TestMessageWidgets::keysAtTheLimit()
{
    QFETCH(QString, present);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, swallowed);

    CZKSMSPlainTextEdit field;
    field.setObjectName(QStringLiteral("editMessage"));
    field.setPlainText(present);
    QCOMPARE(this->swallowed(field, key, Qt::KeyboardModifiers(modifiers)), swallowed);

    // Only the composer's message field is watched.
    field.setObjectName(QStringLiteral("editOther"));
    QVERIFY(!this->swallowed(field, key, Qt::KeyboardModifiers(modifiers)));
}

void TestMessageWidgets::typingPastTheLimitLeavesOnlyEditingKeys()
{
    CZKSMSPlainTextEdit field;
    field.setObjectName(QStringLiteral("editMessage"));
    CZKKeyPressFilter filter;
    field.installEventFilter(&filter);
    field.setPlainText(times(QStringLiteral("a"), 1400));
    field.moveCursor(QTextCursor::End);

    // 1400 septets leave room, so a Polish letter goes in, and the text is then 1401 UTF-16
    // units against the UCS2 limit of 1280.
    QKeyEvent polish(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("ą"));
    QApplication::sendEvent(&field, &polish);
    QCOMPARE(field.toPlainText().size(), 1401);

    QTest::keyClick(&field, Qt::Key_B);
    QTest::keyClick(&field, Qt::Key_Return);
    QCOMPARE(field.toPlainText().size(), 1401);

    QTest::keyClick(&field, Qt::Key_Backspace);
    QCOMPARE(field.toPlainText(), times(QStringLiteral("a"), 1400));
    QTest::keyClick(&field, Qt::Key_B);
    QCOMPARE(field.toPlainText().size(), 1401);
}

void TestMessageWidgets::shortCodesHaveNoLimit()
{
    CZKSMSPlainTextEdit field;
    field.setObjectName(QStringLiteral("editMessage"));
    field.smsMode = false;
    field.setPlainText(times(QStringLiteral("a"), 1520));
    insertAtEnd(field, times(QStringLiteral("b"), 3000), false);
    QCOMPARE(field.toPlainText().size(), 4520);
    QVERIFY(!swallowed(field, Qt::Key_A));

    CZKKeyPressFilter filter;
    field.installEventFilter(&filter);
    QTest::keyClick(&field, Qt::Key_B);
    QCOMPARE(field.toPlainText().size(), 4521);

    // Back in SMS mode the limit holds again.
    field.smsMode = true;
    QVERIFY(swallowed(field, Qt::Key_A));
}

void TestMessageWidgets::doubleClickOnTheRecipient_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("chooserAsked");

    QTest::newRow("empty") << QString() << 1;
    QTest::newRow("filled") << QStringLiteral("48600100200") << 0;
}

void TestMessageWidgets::doubleClickOnTheRecipient()
{
    QFETCH(QString, number);
    QFETCH(int, chooserAsked);

    CZKMSISDNClickedLineEdit field;
    field.setText(number);
    field.show();
    QVERIFY(QTest::qWaitForWindowExposed(&field));
    QSignalSpy asked(&field, &CZKMSISDNClickedLineEdit::showMSISDN);
    QTest::mouseDClick(&field, Qt::LeftButton, Qt::NoModifier, QPoint(6, field.height() / 2));
    QCOMPARE(asked.count(), chooserAsked);
    // A filled field does what a line edit does: the word under the pointer is selected.
    QCOMPARE(field.selectedText(), number);
}

QTEST_MAIN(TestMessageWidgets)
#include "tst_messagewidgets.moc"
