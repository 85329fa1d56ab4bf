#pragma once

#include "charts/PlotterBase.h"

class CZKAxisTechnology;

// The signal chart's frame: the sample axis at the bottom of the data area and, below it, the
// technology strip. Drawing the samples is left to subclasses.
class CZKPlotter : public QSint::PlotterBase {
public:
    explicit CZKPlotter(QWidget* parent = nullptr);

    CZKAxisTechnology* technologyAxis() const { return axisTechnology; }

    QRect dataRect() const override;
    void setModel(QAbstractItemModel* newModel) override;

protected:
    void drawAxis(QPainter& painter) override;

    CZKAxisTechnology* axisTechnology = nullptr;
};
