#include "compose/CZKMSISDNClickedLineEdit.h"

CZKMSISDNClickedLineEdit::CZKMSISDNClickedLineEdit(QWidget* parent)
    : QLineEdit(parent)
{
}

CZKMSISDNClickedLineEdit::~CZKMSISDNClickedLineEdit() = default;

void CZKMSISDNClickedLineEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (text().isEmpty()) {
        emit showMSISDN();
        return;
    }
    QLineEdit::mouseDoubleClickEvent(event);
}
