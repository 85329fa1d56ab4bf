#include "charts/CZKPlotter.h"

#include "charts/CZKAxisRSSI.h"
#include "charts/CZKAxisTechnology.h"
#include "charts/CZKChartItemModel.h"

#include <QPainter>

namespace {

// The data area keeps clear of the top and right edges.
constexpr int kTopMargin = 10;
constexpr int kRightMargin = 10;

} // namespace

CZKPlotter::CZKPlotter(QWidget* parent)
    : QSint::PlotterBase(parent)
{
    delete axisX;
    axisX = new CZKAxisRSSI(Qt::Horizontal, this);
    axisTechnology = new CZKAxisTechnology(Qt::Horizontal, this);
    axisTechnology->setAxisMode(QSint::AxisBase::ModelLabelsMode);
}

QRect CZKPlotter::dataRect() const
{
    QRect area = PlotterBase::dataRect();
    if (axisTechnology)
        area.setBottom(area.bottom() - axisTechnology->reservedPixels());
    area.setTop(kTopMargin);
    area.setRight(width() - 1 - kRightMargin);
    return area;
}

void CZKPlotter::setModel(QAbstractItemModel* newModel)
{
    if (axisTechnology) {
        axisTechnology->setModel(newModel);
        if (auto* chartModel = qobject_cast<CZKChartItemModel*>(newModel)) {
            connect(chartModel, &CZKChartItemModel::toBeClear, axisTechnology,
                    &CZKAxisTechnology::initTechAxis);
        }
    }
    PlotterBase::setModel(newModel);
}

void CZKPlotter::drawAxis(QPainter& painter)
{
    PlotterBase::drawAxis(painter);
    if (axisTechnology)
        axisTechnology->draw(painter);
}
