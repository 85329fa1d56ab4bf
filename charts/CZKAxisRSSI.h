#pragma once

#include "charts/AxisBase.h"

// The sample axis under the signal bars: one tick and one separator per column, no text (the
// technology strip below carries the labels).
class CZKAxisRSSI : public QSint::AxisBase {
    Q_OBJECT
public:
    CZKAxisRSSI(int orientation, QSint::PlotterBase* parent);

protected:
    void drawModelLabels(QPainter& painter) override;
};
