#include "mainwindow/CZKSMSTableWidget.h"

#include "db/StoredDate.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

namespace {

// Rows measured for the sender's column when the table has no place on screen yet.
constexpr int kRowsMeasuredUnshown = 40;

// The text as wide as a date of the table can be: each digit the font's widest.
QString widestDate(const QFontMetrics& metrics)
{
    QChar widest = QLatin1Char('0');
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (metrics.horizontalAdvance(QLatin1Char(digit)) > metrics.horizontalAdvance(widest))
            widest = QLatin1Char(digit);
    }
    QString date = QString::fromLatin1(StoredDate::kFormat);
    for (QChar& c : date) {
        if (c.isLetter())
            c = widest;
    }
    return date;
}

} // namespace

CZKSMSTableWidget::CZKSMSTableWidget(QWidget* parent)
    : QTableWidget(parent)
{
    // A header text that changes with the language may need another width.
    connect(model(), &QAbstractItemModel::headerDataChanged, this, [this](Qt::Orientation orientation) {
        if (orientation == Qt::Horizontal)
            fitMessageColumns();
    });
}

void CZKSMSTableWidget::setKind(widgetKind kind)
{
    m_kind = kind;
    fitMessageColumns();
}

void CZKSMSTableWidget::fitMessageColumns()
{
    if (m_kind != SMSMessages || columnCount() != 3)
        return;
    QHeaderView* header = horizontalHeader();
    header->setStretchLastSection(false);
    if (header->sectionResizeMode(1) != QHeaderView::Stretch)
        header->setSectionResizeMode(1, QHeaderView::Stretch);

    const QFontMetrics metrics(font());
    // An item's text keeps a margin on either side, as the item delegate draws it.
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 2;
    const QStyleOptionViewItem option = viewOptions();
    auto need = [&](int column, int least) {
        return qMax(header->sectionSizeHint(column), least);
    };
    int dateWidth = need(2, metrics.horizontalAdvance(widestDate(metrics)) + margin);
    // The longest international number, then the names and numbers in view.
    const int numberWidth = need(0, metrics.horizontalAdvance(QStringLiteral("+888888888888888")) + margin);
    int senderWidth = numberWidth;
    const int first = qMax(0, rowAt(0));
    int last = rowAt(viewport()->height() - 1);
    if (last < 0)
        last = qMin(rowCount(), first + kRowsMeasuredUnshown) - 1;
    for (int row = first; row <= last; ++row) {
        for (int column : {0, 2}) {
            const QModelIndex index = model()->index(row, column);
            const int width = itemDelegate(index)->sizeHint(option, index).width();
            int& fitted = column == 0 ? senderWidth : dateWidth;
            fitted = qMax(fitted, width);
        }
    }
    // A name longer than the message text's share is cut rather than the text.
    const int textShare = (viewport()->width() - dateWidth) / 2;
    senderWidth = qMin(senderWidth, qMax(textShare, numberWidth));
    header->resizeSection(0, senderWidth);
    header->resizeSection(2, dateWidth);
}

CZKSMSTableWidget::widgetKind CZKSMSTableWidget::kind() const
{
    return m_kind;
}

QModelIndexList CZKSMSTableWidget::selectedIndexes() const
{
    return QTableWidget::selectedIndexes();
}

void CZKSMSTableWidget::keyPressEvent(QKeyEvent* event)
{
    // Delete removes the selected rows; the window decides what that means for this kind, so
    // the key is consumed here and never reaches the base class's own handling.
    if (event->key() == Qt::Key_Delete) {
        event->accept();
        emit deleteKeyPress(m_kind);
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void CZKSMSTableWidget::resizeEvent(QResizeEvent* event)
{
    QTableWidget::resizeEvent(event);
    fitMessageColumns();
}

void CZKSMSTableWidget::changeEvent(QEvent* event)
{
    QTableWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitMessageColumns();
}
