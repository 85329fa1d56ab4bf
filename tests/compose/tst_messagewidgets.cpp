#include "compose/CZKKeyPressFilter.h"
#include "compose/CZKMSISDNClickedLineEdit.h"
#include "compose/CZKSMSPlainTextEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>
#include <QtTest>

namespace {
const QString a = QStringLiteral("a"), b = QStringLiteral("b"), pl = QString::fromUtf8("ą");
const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // one character, a surrogate pair

QString times(const QString& piece, int count)
{
    return piece.repeated(count);
}

// Dropped past the end of the last line: the text lands at the end.
void dropAtEnd(CZKSMSPlainTextEdit& field, const QString& text)
{
    QMimeData data;
    data.setText(text);
    const QPoint at(field.viewport()->width() - 2, field.viewport()->height() - 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    for (QEvent* event : {static_cast<QEvent*>(&enter), static_cast<QEvent*>(&move), static_cast<QEvent*>(&dropped)})
        QApplication::sendEvent(field.viewport(), event);
}

void insertAtEnd(CZKSMSPlainTextEdit& field, const QString& text, bool drop)
{
    field.moveCursor(QTextCursor::End);
    field.ensureCursorVisible();
    if (!drop) {
        QApplication::clipboard()->setText(text);
        field.paste();
        return;
    }
    dropAtEnd(field, text);
}

// The composer's message field with its key filter installed, as the composer sets it up.
struct FilteredField {
    CZKKeyPressFilter filter;
    CZKSMSPlainTextEdit field;
    FilteredField()
    {
        field.setObjectName(QStringLiteral("editMessage"));
        field.installEventFilter(&filter);
    }
};

bool swallowed(CZKSMSPlainTextEdit& field, int key, int modifiers = 0)
{
    CZKKeyPressFilter filter;
    QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
    return filter.eventFilter(&field, &press);
}
} // namespace

// The composer's message field, its key filter and its recipient field, driven as the operator
// would: pasting, dropping, typing and double-clicking.
class TestMessageWidgets : public QObject {
    Q_OBJECT

private slots:
    // Limits: 1520 septets (extension characters cost two) or 1280 UTF-16 units once any
    // character needs UCS2; a character that does not fit whole is left out.
    void pastedTextIsCut_data()
    {
        QTest::addColumn<QString>("present");
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<bool>("drop");
        QTest::addColumn<QString>("expectedInserted");

        QTest::newRow("fits whole") << times(a, 1000) << times(b, 520) << false << times(b, 520);
        QTest::newRow("7-bit, 30 into 1500") << times(a, 1500) << times(b, 30) << false << times(b, 20);
        QTest::newRow("7-bit, dropped") << times(a, 1500) << times(b, 30) << true << times(b, 20);
        QTest::newRow("7-bit, full") << times(a, 1520) << b << false << QString();
        QTest::newRow("present extension counts two") << times("{", 750) << times(b, 30) << false << times(b, 20);
        QTest::newRow("extension at the cut") << times(a, 1501) << times("~", 30) << false << times("~", 9);
        QTest::newRow("dropped extension at the cut") << times(a, 1517) << times("|", 5) << true << "|";
        QTest::newRow("paste makes it UCS2") << times(a, 1000) << pl + times(b, 399) << false << pl + times(b, 279);
        QTest::newRow("UCS2 present, extension counts one") << times(pl, 1000) << times("[", 400)
                                                            << false << times("[", 280);
        QTest::newRow("surrogate pair at the cut") << times(pl, 1277) << times(emoji, 2) << false << emoji;
        QTest::newRow("dropped surrogate pair at the cut") << times(pl, 1279) << emoji << true << QString();
    }

    void pastedTextIsCut()
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

    void keysAtTheLimit_data()
    {
        QTest::addColumn<QString>("present");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("swallowed");

        const QString full = times(a, 1520);
        QTest::newRow("7-bit below the limit") << times(a, 1519) << int(Qt::Key_A) << 0 << false;
        QTest::newRow("7-bit at the limit") << full << int(Qt::Key_A) << 0 << true;
        QTest::newRow("extensions at the limit") << times("\\", 760) << int(Qt::Key_A) << 0 << true;
        QTest::newRow("UCS2 below the limit") << times(pl, 1279) << int(Qt::Key_A) << 0 << false;
        QTest::newRow("UCS2 at the limit") << times(pl, 1280) << int(Qt::Key_A) << 0 << true;
        QTest::newRow("emoji counts two units") << times(a, 1278) + emoji << int(Qt::Key_A) << 0 << true;
        QTest::newRow("Enter") << full << int(Qt::Key_Return) << 0 << true;
        // A paste is cut to what fits by the field itself, over a selection too.
        QTest::newRow("Ctrl+V") << full << int(Qt::Key_V) << int(Qt::ControlModifier) << false;
        QTest::newRow("Shift+Insert") << full << int(Qt::Key_Insert) << int(Qt::ShiftModifier) << false;
        QTest::newRow("Shift+Left") << full << int(Qt::Key_Left) << int(Qt::ShiftModifier) << false;
        QTest::newRow("Ctrl+A") << full << int(Qt::Key_A) << int(Qt::ControlModifier) << false;
        QTest::newRow("Ctrl+C") << full << int(Qt::Key_C) << int(Qt::ControlModifier) << false;
        QTest::newRow("Ctrl+X") << full << int(Qt::Key_X) << int(Qt::ControlModifier) << false;
        QTest::newRow("Shift alone") << full << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << false;
        QTest::newRow("Ctrl+Z") << full << int(Qt::Key_Z) << int(Qt::ControlModifier) << true;
        QTest::newRow("Tab") << full << int(Qt::Key_Tab) << 0 << true;
        QTest::newRow("Escape") << full << int(Qt::Key_Escape) << 0 << true;
        for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_Up,
                            Qt::Key_Right, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown})
            QTest::addRow("editing key %x", int(key)) << times(pl, 1300) << int(key) << 0 << false;
    }

    void keysAtTheLimit()
    {
        QFETCH(QString, present);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        CZKSMSPlainTextEdit field;
        field.setObjectName(QStringLiteral("editMessage"));
        field.setPlainText(present);
        QTEST(swallowed(field, key, modifiers), "swallowed");
        // Only the composer's message field is watched, and only in SMS mode.
        field.smsMode = false;
        QVERIFY(!swallowed(field, key, modifiers));
        field.smsMode = true;
        field.setObjectName(QStringLiteral("editOther"));
        QVERIFY(!swallowed(field, key, modifiers));
    }

    // Below the limit a key is judged by what it types, in place of the selection if any.
    void keysThatTypeMoreThanIsLeft_data()
    {
        QTest::addColumn<QString>("present");
        QTest::addColumn<bool>("selectLast");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("typedIn");

        QTest::newRow("extension at 1519 septets") << times(a, 1519) << false << "[" << false;
        QTest::newRow("extension at 1518 septets") << times(a, 1518) << false << "[" << true;
        QTest::newRow("extension over the selection") << times(a, 1518) + b << true << "[" << true;
        QTest::newRow("plain at 1519 septets") << times(a, 1519) << false << b << true;
        QTest::newRow("emoji at 1279 units") << times(pl, 1279) << false << emoji << false;
        QTest::newRow("emoji at 1278 units") << times(pl, 1278) << false << emoji << true;
        // The text it leaves needs UCS2, with its smaller limit.
        QTest::newRow("Polish into long 7-bit") << times(a, 1400) << false << pl << false;
        QTest::newRow("Polish at 1300 septets") << times(a, 1300) << false << pl << false;
        QTest::newRow("Polish at 1279 septets") << times(a, 1279) << false << pl << true;
        QTest::newRow("tab into long 7-bit") << times(a, 1300) << false << "\t" << false;
        QTest::newRow("line end at 1519 septets") << times(a, 1519) << false << "\n" << true;
        QTest::newRow("line end at the limit") << times(a, 1520) << false << "\n" << false;
        QTest::newRow("over the selection at the limit") << times(a, 1520) << true << b << true;
        QTest::newRow("over the last UCS2 character") << times(a, 1400) + pl << true << b << true;
    }

    void keysThatTypeMoreThanIsLeft()
    {
        QFETCH(QString, present);
        QFETCH(bool, selectLast);
        QFETCH(QString, typed);
        QFETCH(bool, typedIn);
        FilteredField filtered;
        CZKSMSPlainTextEdit& field = filtered.field;
        field.setPlainText(present);
        field.moveCursor(QTextCursor::End);
        if (selectLast)
            field.moveCursor(QTextCursor::Left, QTextCursor::KeepAnchor);
        const Qt::Key key = typed == "\t" ? Qt::Key_Tab : typed == "\n" ? Qt::Key_Return : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, &field, key, typed == "\n" ? QStringLiteral("\r") : typed, Qt::NoModifier);
        const QString kept = selectLast ? present.left(present.size() - 1) : present;
        QCOMPARE(field.toPlainText(), typedIn ? kept + typed : present);
    }

    // A paste replaces the selection: it may add what the text without the selection leaves
    // room for, in the coding the two need together. A drop lands at its point and replaces
    // nothing, whatever is selected.
    void pasteOverASelection_data()
    {
        QTest::addColumn<QString>("present");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<bool>("drop");
        QTest::addColumn<QString>("expected");

        QTest::newRow("all of 1000 by 1520") << times(a, 1000) << 0 << 1000 << times(b, 1520) << false << times(b, 1520);
        QTest::newRow("all of 1519 by 1520") << times(a, 1519) << 0 << 1519 << times(b, 1520) << false << times(b, 1520);
        QTest::newRow("all of a full text by a number") << times(a, 1520) << 0 << 1520 << "486001002003" << false
                                                        << "486001002003";
        QTest::newRow("part, the rest cut") << times(a, 1500) << 200 << 300 << times(b, 150) << false
                                            << times(a, 200) + times(b, 120) + times(a, 1200);
        QTest::newRow("7-bit selection, paste needs UCS2") << times(a, 1400) << 1000 << 1400 << pl + times(b, 399)
                                                           << false << times(a, 1000) + pl + times(b, 279);
        QTest::newRow("UCS2 selection, 7-bit paste") << times(a, 1279) + pl << 1279 << 1280 << times(b, 300) << false
                                                     << times(a, 1279) + times(b, 241);
        QTest::newRow("at the limit, over ten") << times(a, 1520) << 1510 << 1520 << times(b, 30) << false
                                                << times(a, 1510) + times(b, 10);
        // Nothing of the paste fits: the selected text stays rather than being lost for nothing.
        QTest::newRow("extension into one septet") << times(a, 1520) << 1519 << 1520 << "{" << false << times(a, 1520);
        QTest::newRow("dropped, a selection elsewhere") << times(a, 1500) << 0 << 100 << times(b, 30) << true
                                                        << times(a, 1500) + times(b, 20);
    }

    void pasteOverASelection()
    {
        QFETCH(QString, present);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, pasted);
        QFETCH(bool, drop);
        FilteredField filtered;
        CZKSMSPlainTextEdit& field = filtered.field;
        field.resize(400, 300);
        field.setPlainText(present);
        QTextCursor selection = field.textCursor();
        selection.setPosition(from);
        selection.setPosition(to, QTextCursor::KeepAnchor);
        field.setTextCursor(selection);
        if (drop) {
            field.verticalScrollBar()->setValue(field.verticalScrollBar()->maximum());
            dropAtEnd(field, pasted);
        } else {
            QApplication::clipboard()->setText(pasted);
            QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
        }
        QTEST(field.toPlainText(), "expected");
    }

    // A message at its limit can still be selected whole, copied and cleared.
    void fullMessageSelectedAndCleared()
    {
        FilteredField filtered;
        CZKSMSPlainTextEdit& field = filtered.field;
        field.setPlainText(times(pl, 1280));
        QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&field, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), times(pl, 1280));
        QTest::keyClick(&field, Qt::Key_Delete);
        QCOMPARE(field.toPlainText(), QString());
    }

    void shortCodesHaveNoLimit()
    {
        CZKSMSPlainTextEdit field;
        field.smsMode = false;
        field.setPlainText(times(a, 1520));
        insertAtEnd(field, times(b, 3000), false);
        QCOMPARE(field.toPlainText().size(), 4520);
    }

    // An empty field asks for the chooser; a filled one does what a line edit does: the word
    // under the pointer is selected.
    void doubleClickOnTheRecipient()
    {
        for (const QString& number : {QString(), QStringLiteral("48600100200")}) {
            CZKMSISDNClickedLineEdit field;
            field.setText(number);
            field.show();
            QVERIFY(QTest::qWaitForWindowExposed(&field));
            QSignalSpy asked(&field, &CZKMSISDNClickedLineEdit::showMSISDN);
            QTest::mouseDClick(&field, Qt::LeftButton, Qt::NoModifier, QPoint(6, field.height() / 2));
            QCOMPARE(asked.count(), int(number.isEmpty()));
            QCOMPARE(field.selectedText(), number);
        }
    }
};

QTEST_MAIN(TestMessageWidgets)
#include "tst_messagewidgets.moc"
