#include "charts/PlotterBase.h"

#include "charts/AxisBase.h"

#include <QAbstractItemModel>
#include <QPainter>

namespace QSint {

PlotterBase::PlotterBase(QWidget* parent)
    : QWidget(parent)
    , axisX(new AxisBase(Qt::Horizontal, this))
    , axisY(new AxisBase(Qt::Vertical, this))
{
    PlotterBase::setModel(nullptr);
}

QRect PlotterBase::dataRect() const
{
    QRect area(0, 0, width(), height());
    if (axisX)
        area.setBottom(area.bottom() - axisX->reservedPixels());
    if (axisY)
        area.setLeft(axisY->reservedPixels());
    return area;
}

void PlotterBase::setModel(QAbstractItemModel* newModel)
{
    model = newModel;
    if (axisX)
        axisX->setModel(newModel);
    if (axisY)
        axisY->setModel(newModel);
    if (!newModel)
        return;

    const auto repaintNow = QOverload<>::of(&QWidget::repaint);
    connect(newModel, &QAbstractItemModel::dataChanged, this, repaintNow);
    connect(newModel, &QAbstractItemModel::headerDataChanged, this, repaintNow);
    connect(newModel, &QAbstractItemModel::columnsInserted, this, repaintNow);
    connect(newModel, &QAbstractItemModel::columnsRemoved, this, repaintNow);
    connect(newModel, &QAbstractItemModel::rowsInserted, this, repaintNow);
    connect(newModel, &QAbstractItemModel::rowsRemoved, this, repaintNow);
    connect(newModel, &QAbstractItemModel::layoutChanged, this, repaintNow);
}

void PlotterBase::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawBackground(painter);
    drawAxis(painter);
    drawContent(painter);
    drawForeground(painter);
}

void PlotterBase::drawBackground(QPainter& painter)
{
    painter.fillRect(QRect(0, 0, width(), height()), background);
}

void PlotterBase::drawForeground(QPainter& painter)
{
    painter.setOpacity(1.0);
    painter.setPen(borderPen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, width() - 1, height() - 1);
}

void PlotterBase::drawAxis(QPainter& painter)
{
    if (axisX)
        axisX->draw(painter);
    if (axisY)
        axisY->draw(painter);
}

} // namespace QSint
