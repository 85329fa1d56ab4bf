#include "charts/CZKAxisRSSI.h"

#include "charts/PlotterBase.h"

#include <QAbstractItemModel>
#include <QPainter>

CZKAxisRSSI::CZKAxisRSSI(int orientation, QSint::PlotterBase* parent)
    : QSint::AxisBase(orientation, parent)
{
    offset = 20;
}

void CZKAxisRSSI::drawModelLabels(QPainter& painter)
{
    if (orientation != Qt::Horizontal || !plotter()) {
        AxisBase::drawModelLabels(painter);
        return;
    }
    int start = 0;
    int end = 0;
    calculatePoints(start, end);

    // The technology strip takes the lowest `offset` pixels; this axis sits above it.
    const int height = contentsHeight();
    const int y0 = height - 2 * offset;
    painter.setPen(axisPen);
    painter.drawLine(start, y0, end, y0);

    const int columns = model ? model->columnCount() : 0;
    if (columns < 1)
        return;

    const int top = plotter()->contentsRect().top();
    const int columnWidth = (end - start) / columns;
    int separator = start + columnWidth;
    for (int i = 0; i < columns; ++i) {
        if (majorTicksPen.style() != Qt::NoPen) {
            const int x = static_cast<int>(start + double(i) / columns * (end - start) + columnWidth / 2);
            painter.setPen(majorTicksPen);
            painter.drawLine(x, y0, x, y0 + 4);
        }
        if (majorGridPen.style() != Qt::NoPen) {
            painter.setPen(majorGridPen);
            painter.drawLine(separator, top, separator, height - offset);
            separator += columnWidth;
        }
    }
}
