#include "charts/CZKAxisTechnology.h"

#include "charts/BarSizing.h"
#include "charts/CZKChartItemModel.h"
#include "charts/PlotterBase.h"

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

CZKAxisTechnology::CZKAxisTechnology(int orientation, QSint::PlotterBase* parent)
    : QSint::AxisBase(orientation, parent)
{
    offset = 20;
}

void CZKAxisTechnology::setBarSize(int min, int max)
{
    barMin = std::max(min, 0);
    barMax = std::max(min, max);
}

void CZKAxisTechnology::setBarScale(double scale)
{
    barScale = BarSizing::clampedScale(scale);
}

void CZKAxisTechnology::setBarOpacity(double opacity)
{
    barOpacity = BarSizing::clampedOpacity(opacity);
}

void CZKAxisTechnology::initTechAxis()
{
    runStart = 0;
    runEnd = 0;
    runTechnology.clear();
}

// The strip has no numeric scale to show; whatever the mode, the axis draws the strip.
void CZKAxisTechnology::drawScale(QPainter& painter)
{
    drawModelLabels(painter);
}

bool CZKAxisTechnology::holdsSamples() const
{
    if (!model || model->columnCount() < 1)
        return false;
    const auto* chartModel = qobject_cast<const CZKChartItemModel*>(model.data());
    return !chartModel || chartModel->sampleCount() != 0;
}

QColor CZKAxisTechnology::technologyColor(const QString& technology) const
{
    if (technology == QLatin1String("4G"))
        return color4G;
    if (technology == QLatin1String("3G"))
        return color3G;
    if (technology == QLatin1String("2G"))
        return color2G;
    return QColor();
}

void CZKAxisTechnology::drawModelLabels(QPainter& painter)
{
    if (orientation != Qt::Horizontal || !plotter()) {
        AxisBase::drawModelLabels(painter);
        return;
    }
    int start = 0;
    int end = 0;
    calculatePoints(start, end);

    const int y0 = contentsHeight() - offset;
    painter.setPen(axisPen);
    painter.drawLine(start, y0, end, y0);

    // Every pass starts without an open run, so that no name is written where an earlier
    // pass (or the samples before a clear) left off.
    initTechAxis();
    if (!holdsSamples())
        return;

    const int columns = model->columnCount();
    const int columnWidth = (end - start) / columns;
    const int band = BarSizing::barWidth(columnWidth, barScale, barMin, barMax);
    const int gap = (columnWidth - band) / 2;

    painter.save();
    painter.setFont(textFont);
    int previousRight = start;
    for (int i = 0; i < columns; ++i) {
        const int right = start + i * columnWidth + gap + band;
        const QString technology =
            model->headerData(i, Qt::Orientation(orientation), Qt::DisplayRole).toString();
        const QColor color = technologyColor(technology);
        if (color.isValid()) {
            if (runTechnology.isEmpty()) {
                runStart = previousRight;
                runEnd = right;
                runTechnology = technology;
            }
            painter.fillRect(QRect(QPoint(previousRight, y0 - 3), QPoint(right - 1, y0 + 2)), color);
            if (technology == runTechnology) {
                runEnd = right;
            } else {
                writeRunName(painter, y0);
                runStart = previousRight;
                runEnd = right;
                runTechnology = technology;
            }
        }
        previousRight = right;
    }
    writeRunName(painter, y0);
    painter.restore();
}

void CZKAxisTechnology::writeRunName(QPainter& painter, int y0) const
{
    if (runTechnology.isEmpty())
        return;
    const QRect textBounds = QFontMetrics(textFont).boundingRect(runTechnology);
    if (textBounds.width() > runEnd - runStart)
        return;
    const QRect area(QPoint(runStart, y0 - 4 - textBounds.height() + 1), QPoint(runEnd - 1, y0 - 4));
    painter.setPen(QPen(Qt::black));
    painter.drawText(area, Qt::AlignCenter, runTechnology);
}
