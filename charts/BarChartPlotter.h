#pragma once

#include "charts/CZKPlotter.h"

#include <QBrush>
#include <QModelIndex>
#include <QPen>

#include <limits>

namespace QSint {

// Draws one bar per model cell: the columns side by side, the rows of a column either stacked
// or next to each other. Each bar is filled with the cell's background and outlined with its
// foreground.
class BarChartPlotter : public CZKPlotter {
    Q_OBJECT
public:
    enum BarType { Stacked = 0, SideBySide = 1 };

    explicit BarChartPlotter(QWidget* parent = nullptr);

    void setBarType(int type) { barType = type; }
    void setBarSize(int min, int max);
    void setBarScale(double scale);
    void setBarOpacity(double opacity);

    int barArrangement() const { return barType; }
    int minimumBarWidth() const { return barMin; }
    int maximumBarWidth() const { return barMax; }
    double barWidthShare() const { return barScale; }
    double barOpacityLevel() const { return barOpacity; }

protected:
    void drawContent(QPainter& painter) override;
    virtual void drawBarItem(QPainter& painter, QRect rect, QPen& pen, QBrush& brush,
                             const QModelIndex& index, double value);

private:
    void drawStackedColumn(QPainter& painter, int column, int x, int width);
    void drawSideBySideColumn(QPainter& painter, int column, int x, int rowWidth);
    QPen cellPen(const QModelIndex& index) const;
    QBrush cellBrush(const QModelIndex& index) const;

    int barMin = 0;
    int barMax = std::numeric_limits<int>::max();
    double barScale = 0.5;
    double barOpacity = 1.0;
    int barType = Stacked;
};

} // namespace QSint
