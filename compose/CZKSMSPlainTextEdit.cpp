#include "compose/CZKSMSPlainTextEdit.h"

#include "compose/MessageLength.h"
#include "sms/GsmAlphabet.h"

#include <QMimeData>

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
    const QString present = document()->toPlainText();
    // One character that 7-bit cannot carry turns the whole message into UCS2, so both texts are
    // then measured in UTF-16 units against the smaller limit.
    const bool gsm7 = isGsm7Encodable(present) && isGsm7Encodable(pasted);
    const int limit = gsm7 ? MessageLength::Gsm7Limit : MessageLength::Ucs2Limit;
    const int presentLength = gsm7 ? gsm7SeptetCount(present) : present.size();
    const int pastedLength = gsm7 ? gsm7SeptetCount(pasted) : pasted.size();
    if (presentLength + pastedLength <= limit) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    const int room = limit - presentLength;
    if (room <= 0)
        return;
    const QString head = MessageLength::headThatFits(pasted, room, gsm7);
    if (head.isEmpty())
        return;
    auto cut = std::make_unique<QMimeData>();
    cut->setText(head);
    QPlainTextEdit::insertFromMimeData(cut.get());
}
