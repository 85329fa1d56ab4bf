#include "compose/CZKSMSPlainTextEdit.h"

#include "compose/MessageLength.h"
#include "sms/GsmAlphabet.h"

#include <QMimeData>
#include <QTextCursor>

#include <memory>

CZKSMSPlainTextEdit::CZKSMSPlainTextEdit(QWidget* parent)
    : QPlainTextEdit(parent)
{
}

CZKSMSPlainTextEdit::~CZKSMSPlainTextEdit() = default;

bool CZKSMSPlainTextEdit::canInsertFromMimeData(const QMimeData* source) const
{
    return QPlainTextEdit::canInsertFromMimeData(source);
}

void CZKSMSPlainTextEdit::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText() || !smsMode) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    const QString pasted = source->text();
    // The pasted text takes the place of the selection, so the room is what the text leaves
    // without it. A drop has already set the cursor to its point, with nothing selected, and a
    // move within the field has already taken the moved text out.
    const QTextCursor cursor = textCursor();
    const QString kept = document()->toPlainText().remove(cursor.selectionStart(),
                                                          cursor.selectionEnd() - cursor.selectionStart());
    // One character that 7-bit cannot carry turns the whole message into UCS2, so both texts are
    // then measured in UTF-16 units against the smaller limit.
    const bool gsm7 = isGsm7Encodable(kept) && isGsm7Encodable(pasted);
    const int limit = gsm7 ? MessageLength::Gsm7Limit : MessageLength::Ucs2Limit;
    const int keptLength = gsm7 ? gsm7SeptetCount(kept) : kept.size();
    const int pastedLength = gsm7 ? gsm7SeptetCount(pasted) : pasted.size();
    if (keptLength + pastedLength <= limit) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    // When nothing of the paste fits, the selection stays: it is not given up for nothing.
    const int room = limit - keptLength;
    if (room <= 0)
        return;
    const QString head = MessageLength::headThatFits(pasted, room, gsm7);
    if (head.isEmpty())
        return;
    auto cut = std::make_unique<QMimeData>();
    cut->setText(head);
    QPlainTextEdit::insertFromMimeData(cut.get());
}
