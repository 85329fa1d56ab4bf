#include "charts/BarChartPlotter.h"

#include "charts/AxisBase.h"
#include "charts/BarSizing.h"

#include <QAbstractItemModel>
#include <QPainter>

#include <algorithm>

namespace QSint {

BarChartPlotter::BarChartPlotter(QWidget* parent)
    : CZKPlotter(parent)
{
    axisX->setAxisMode(AxisBase::ModelLabelsMode);
}

void BarChartPlotter::setBarSize(int min, int max)
{
    barMin = std::max(min, 0);
    barMax = std::max(min, max);
}

void BarChartPlotter::setBarScale(double scale)
{
    barScale = BarSizing::clampedScale(scale);
}

void BarChartPlotter::setBarOpacity(double opacity)
{
    barOpacity = BarSizing::clampedOpacity(opacity);
}

QPen BarChartPlotter::cellPen(const QModelIndex& index) const
{
    return QPen(model->data(index, Qt::ForegroundRole).value<QColor>());
}

QBrush BarChartPlotter::cellBrush(const QModelIndex& index) const
{
    const QVariant value = model->data(index, Qt::BackgroundRole);
    if (value.userType() == QMetaType::QBrush)
        return value.value<QBrush>();
    if (value.userType() == QMetaType::QColor)
        return QBrush(value.value<QColor>());
    return QBrush();
}

void BarChartPlotter::drawContent(QPainter& painter)
{
    if (!model || !axisX || !axisY)
        return;
    int start = 0;
    int end = 0;
    axisX->calculatePoints(start, end);
    const int columns = model->columnCount();
    const int rows = model->rowCount();
    if (columns == 0 || rows == 0)
        return;

    const int columnWidth = static_cast<int>(double(end - start) / columns);
    const int width = BarSizing::barWidth(columnWidth, barScale, barMin, barMax);
    const int gap = (columnWidth - width) / 2;
    const int rowWidth = width / rows;
    if (barType == SideBySide && rowWidth == 0)
        return;

    for (int i = 0; i < columns; ++i) {
        const int x = start + i * columnWidth + gap;
        painter.setOpacity(barOpacity);
        if (barType == Stacked)
            drawStackedColumn(painter, i, x, width);
        else if (barType == SideBySide)
            drawSideBySideColumn(painter, i, x, rowWidth);
    }
}

void BarChartPlotter::drawStackedColumn(QPainter& painter, int column, int x, int width)
{
    const int base = axisY->toView(0.0);
    int positiveTop = base;
    int negativeBottom = base;
    double positiveSum = 0.0;
    double negativeSum = 0.0;
    for (int r = 0; r < model->rowCount(); ++r) {
        const QModelIndex index = model->index(r, column);
        QPen pen = cellPen(index);
        QBrush brush = cellBrush(index);
        const double value = model->data(index, Qt::DisplayRole).toDouble();
        if (value >= 0.0) {
            positiveSum += value;
            const int y = axisY->toView(positiveSum);
            drawBarItem(painter, QRect(QPoint(x, y), QPoint(x + width - 1, positiveTop - 1)), pen,
                        brush, index, value);
            positiveTop = y;
        } else {
            negativeSum += value;
            const int y = axisY->toView(negativeSum);
            drawBarItem(painter, QRect(QPoint(x, negativeBottom), QPoint(x + width - 1, y - 1)), pen,
                        brush, index, value);
            negativeBottom = y;
        }
    }
}

void BarChartPlotter::drawSideBySideColumn(QPainter& painter, int column, int x, int rowWidth)
{
    const int base = axisY->toView(axisY->rangeMinimum());
    for (int r = 0; r < model->rowCount(); ++r) {
        const int left = x + r * rowWidth;
        const QModelIndex index = model->index(r, column);
        QPen pen = cellPen(index);
        QBrush brush = cellBrush(index);
        const double value = model->data(index, Qt::DisplayRole).toDouble();
        const int y = axisY->toView(value);
        if (value >= 0.0 && base - y > 0) {
            drawBarItem(painter, QRect(QPoint(left, y), QPoint(left + rowWidth - 1, base - 1)), pen,
                        brush, index, value);
        } else if (value < 0.0 && y > base) {
            drawBarItem(painter, QRect(QPoint(left, base), QPoint(left + rowWidth - 1, y - 1)), pen,
                        brush, index, value);
        }
    }
}

void BarChartPlotter::drawBarItem(QPainter& painter, QRect rect, QPen& pen, QBrush& brush,
                                  const QModelIndex&, double)
{
    painter.setPen(pen);
    painter.setBrush(brush);
    painter.drawRect(rect);
}

} // namespace QSint
