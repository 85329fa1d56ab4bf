#pragma once

#include <QBrush>
#include <QPen>
#include <QPointer>
#include <QWidget>

class QAbstractItemModel;
class QPainter;

namespace QSint {

class AxisBase;

// An abstract chart widget with a horizontal axis at the bottom and a vertical one at the
// left. It paints in four steps: background, axes, content (left to subclasses), foreground.
class PlotterBase : public QWidget {
    Q_OBJECT
public:
    explicit PlotterBase(QWidget* parent = nullptr);

    void setBackground(const QBrush& brush) { background = brush; }
    void setBorderPen(const QPen& pen) { borderPen = pen; }

    // The axes stay reachable so that the page showing the chart can configure them.
    AxisBase* horizontalAxis() const { return axisX; }
    AxisBase* verticalAxis() const { return axisY; }

    virtual QRect dataRect() const;
    virtual void setModel(QAbstractItemModel* newModel);

protected:
    virtual void drawBackground(QPainter& painter);
    virtual void drawForeground(QPainter& painter);
    virtual void drawAxis(QPainter& painter);
    virtual void drawContent(QPainter& painter) = 0;

    void paintEvent(QPaintEvent* event) override;

    AxisBase* axisX = nullptr;
    AxisBase* axisY = nullptr;
    QPointer<QAbstractItemModel> model;
    QBrush background;
    QPen borderPen;
};

} // namespace QSint
