#include "charts/AxisBase.h"

#include "charts/PlotterBase.h"

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace QSint {

namespace {

// Steps at or below this count as no step at all.
constexpr double kSmallestStep = 1e-100;

// A scale never walks more values than this; far more ticks than any axis has pixels.
constexpr int kMaxTickValues = 100000;

// Calls visit(v) for min, min + step, ... up to max. Each value is computed from its index
// rather than by adding up, so that a step below the resolution of min cannot stall the walk.
template <typename Visit>
void forEachTickValue(double min, double max, double step, Visit visit)
{
    if (!(step > kSmallestStep) || !(min <= max))
        return;
    for (int k = 0; k < kMaxTickValues; ++k) {
        const double v = min + k * step;
        if (!(v <= max))
            return;
        visit(v);
    }
}

bool drawsLines(const QPen& pen)
{
    return pen.style() != Qt::NoPen;
}

// Draws `text` in `rect` unless it would overlap the last label drawn in this pass.
void drawLabel(QPainter& painter, const QRect& rect, const QString& text, int flags,
               const QColor& color, QRect& lastLabel, bool& anyLabel)
{
    if (anyLabel && lastLabel.intersects(rect))
        return;
    painter.setPen(QPen(color));
    painter.drawText(rect, flags, text);
    lastLabel = rect;
    anyLabel = true;
}

} // namespace

AxisBase::AxisBase(int orientation, PlotterBase* parent)
    : QObject(parent)
    , orientation(orientation)
{
    adjustTicks();
}

PlotterBase* AxisBase::plotter() const
{
    return qobject_cast<PlotterBase*>(parent());
}

int AxisBase::contentsHeight() const
{
    const PlotterBase* owner = plotter();
    return owner ? owner->contentsRect().height() : 0;
}

void AxisBase::setTicks(double minor, double major)
{
    minorStep = std::max(minor, 0.0);
    majorStep = std::max(major, minorStep);
    minorStepCap = minorStep;
    majorStepCap = majorStep;
}

void AxisBase::setRange(double min, double max)
{
    this->min = min;
    this->max = std::max(min, max);
    adjustTicks();
}

void AxisBase::setOffset(int pixels)
{
    offset = std::max(pixels, 0);
}

void AxisBase::adjustTicks()
{
    const double range = max - min;

    // Aim at two to four major intervals. Halving goes by whole numbers (10, 5, 2, 1), but it
    // never takes the step of a non-empty range down to 0: from a step of 0 the doubling below
    // could never reach the range. A range of exactly 0 ends with both steps 0.
    while (range / majorStep < 2.0) {
        const double halvedMajor = std::trunc(std::trunc(majorStep) / 2.0);
        if ((range != 0.0 && halvedMajor < 1.0) || !(halvedMajor < majorStep))
            break;
        majorStep = halvedMajor;
        minorStep = std::trunc(std::trunc(minorStep) / 2.0);
    }
    while (majorStep > 0.0 && range / majorStep > 4.0) {
        majorStep *= 2.0;
        minorStep *= 2.0;
    }

    if (majorStep > majorStepCap)
        majorStep = majorStepCap;
    if (minorStep > minorStepCap)
        minorStep = minorStepCap;
}

void AxisBase::calculatePoints(int& start, int& end) const
{
    const PlotterBase* owner = plotter();
    if (!owner)
        return;
    const QRect area = owner->dataRect();
    if (orientation == Qt::Horizontal) {
        start = area.left();
        end = area.right() - 1;
        if (end <= start) {
            start = 0;
            end = area.width();
        }
    } else if (orientation == Qt::Vertical) {
        start = area.top() + 1;
        end = area.bottom();
        if (end <= start) {
            start = 0;
            end = area.height();
        }
    }
}

int AxisBase::toView(double value) const
{
    if (orientation != Qt::Horizontal && orientation != Qt::Vertical)
        return 0;

    int start = 0;
    int end = 0;
    calculatePoints(start, end);

    // The range is widened by 5 % so that max stays clear of the far end. A range of zero has
    // no scale to map onto: every value then sits at the low end of the axis.
    const double range = max - min;
    const double share = range > 0.0 ? (value - min) / (range + 0.05 * range) : 0.0;
    double along = share * (end - start);
    if (std::isnan(along))
        along = 0.0;
    const double position = orientation == Qt::Horizontal ? start + along : end - along;
    return static_cast<int>(std::clamp(position, double(std::numeric_limits<int>::min()),
                                       double(std::numeric_limits<int>::max())));
}

void AxisBase::draw(QPainter& painter)
{
    if (axisMode == ModelLabelsMode)
        drawModelLabels(painter);
    else
        drawScale(painter);
}

void AxisBase::initTechAxis()
{
}

void AxisBase::drawScale(QPainter& painter)
{
    if (!plotter())
        return;
    int start = 0;
    int end = 0;
    calculatePoints(start, end);
    painter.setFont(textFont);
    if (orientation == Qt::Horizontal)
        drawHorizontalScale(painter, start, end);
    else if (orientation == Qt::Vertical)
        drawVerticalScale(painter, start, end);
}

void AxisBase::drawHorizontalScale(QPainter& painter, int start, int end)
{
    const int y0 = contentsHeight() - offset;
    const int top = plotter()->contentsRect().top();

    painter.setPen(axisPen);
    painter.drawLine(start, y0, end, y0);

    bool anyMinor = false;
    int lastMinor = 0;
    forEachTickValue(min, max, minorStep, [&](double v) {
        const int x = toView(v);
        if (anyMinor && x <= lastMinor + 1)
            return;
        painter.setPen(minorTicksPen);
        painter.drawLine(x, y0 + 1, x, y0 + 3);
        anyMinor = true;
        lastMinor = x;
        if (drawsLines(minorGridPen)) {
            painter.setPen(minorGridPen);
            painter.drawLine(x, top, x, y0);
        }
    });

    const QFontMetrics metrics(textFont);
    bool anyMajor = false;
    int lastMajor = 0;
    bool anyLabel = false;
    QRect lastLabel;
    forEachTickValue(min, max, majorStep, [&](double v) {
        const int x = toView(v);
        if (!anyMajor || x > lastMajor + 1) {
            painter.setPen(majorTicksPen);
            painter.drawLine(x, y0, x, y0 + 4);
            if (drawsLines(majorGridPen)) {
                painter.setPen(majorGridPen);
                painter.drawLine(x, top, x, y0);
            }
            anyMajor = true;
            lastMajor = x;
        }
        const QString text = QString::number(v, 'g', 6);
        const int width = metrics.boundingRect(text).width();
        drawLabel(painter, QRect(x - width / 2, y0 + 3, width, offset), text, Qt::AlignCenter,
                  textColor, lastLabel, anyLabel);
    });
}

void AxisBase::drawVerticalScale(QPainter& painter, int start, int end)
{
    const int x0 = offset + 2;
    const int right = plotter()->contentsRect().right();

    painter.setPen(axisPen);
    painter.drawLine(x0, start, x0, end);
    painter.drawLine(x0, start, offset - 1, start + 3);
    painter.drawLine(x0, start, offset + 5, start + 2);

    bool anyMinor = false;
    int lastMinor = 0;
    forEachTickValue(min, max, minorStep, [&](double v) {
        const int y = toView(v);
        if (anyMinor && y >= lastMinor - 1)
            return;
        painter.setPen(minorTicksPen);
        painter.drawLine(offset + 1, y, offset + 3, y);
        anyMinor = true;
        lastMinor = y;
        if (drawsLines(minorGridPen)) {
            painter.setPen(minorGridPen);
            painter.drawLine(x0, y, right, y);
        }
    });

    const QFontMetrics metrics(textFont);
    bool anyMajor = false;
    int lastMajor = 0;
    bool anyLabel = false;
    QRect lastLabel;
    forEachTickValue(min, max, majorStep, [&](double v) {
        const int y = toView(v);
        if (!anyMajor || y < lastMajor - 1) {
            painter.setPen(majorTicksPen);
            painter.drawLine(offset, y, offset + 4, y);
            if (drawsLines(majorGridPen)) {
                painter.setPen(majorGridPen);
                painter.drawLine(x0, y, right, y);
            }
            anyMajor = true;
            lastMajor = y;
        }
        const QString text = QString::number(v, 'g', 6);
        const int height = metrics.boundingRect(text).height();
        drawLabel(painter, QRect(0, y - height / 2, offset, height), text,
                  Qt::AlignRight | Qt::AlignVCenter, textColor, lastLabel, anyLabel);
    });
}

void AxisBase::drawModelLabels(QPainter& painter)
{
    if (!plotter())
        return;
    int start = 0;
    int end = 0;
    calculatePoints(start, end);

    if (orientation == Qt::Vertical) {
        painter.setPen(axisPen);
        painter.drawLine(offset + 2, start, offset + 2, end);
        return;
    }
    if (orientation != Qt::Horizontal)
        return;

    const int y0 = contentsHeight() - offset;
    painter.setPen(axisPen);
    painter.drawLine(start, y0, end, y0);

    const int columns = model ? model->columnCount() : 0;
    if (columns < 1)
        return;

    painter.setFont(textFont);
    const QFontMetrics metrics(textFont);
    const int top = plotter()->contentsRect().top();
    const int columnWidth = (end - start) / columns;
    int grid = start + columnWidth;
    bool anyLabel = false;
    QRect lastLabel;
    for (int i = 0; i < columns; ++i) {
        const int x = static_cast<int>(start + double(i) / columns * (end - start) + columnWidth / 2);
        painter.setPen(majorTicksPen);
        painter.drawLine(x, y0, x, y0 + 4);
        if (drawsLines(majorGridPen)) {
            painter.setPen(majorGridPen);
            painter.drawLine(grid, top, grid, y0);
            grid += columnWidth;
        }
        const QString text =
            model->headerData(i, Qt::Orientation(orientation), Qt::DisplayRole).toString();
        const int width = metrics.boundingRect(text).width() + 4;
        drawLabel(painter, QRect(x - width / 2, y0 + 3, width, offset), text, Qt::AlignCenter,
                  textColor, lastLabel, anyLabel);
    }
}

} // namespace QSint
