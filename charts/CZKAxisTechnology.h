#pragma once

#include "charts/AxisBase.h"

#include <QColor>
#include <QString>

#include <limits>

// The strip under the sample axis that shows which radio technology each sample was taken
// with: one coloured band per column, and the technology's name over each run of columns of
// the same technology.
class CZKAxisTechnology : public QSint::AxisBase {
    Q_OBJECT
public:
    CZKAxisTechnology(int orientation, QSint::PlotterBase* parent);

    void setBarSize(int min, int max);
    void setBarScale(double scale);
    void setBarOpacity(double opacity);

    int minimumBandWidth() const { return barMin; }
    int maximumBandWidth() const { return barMax; }
    double bandWidthShare() const { return barScale; }
    double bandOpacityLevel() const { return barOpacity; }

    int openRunStart() const { return runStart; }
    int openRunEnd() const { return runEnd; }
    QString openRunTechnology() const { return runTechnology; }

public slots:
    void initTechAxis() override;

protected:
    void drawScale(QPainter& painter) override;
    void drawModelLabels(QPainter& painter) override;

private:
    bool holdsSamples() const;
    QColor technologyColor(const QString& technology) const;
    void writeRunName(QPainter& painter, int y0) const;

    QColor color2G{Qt::green};
    QColor color3G{Qt::blue};
    QColor color4G{Qt::cyan};
    int runStart = 0;
    int runEnd = 0;
    QString runTechnology;
    int barMin = 0;
    int barMax = std::numeric_limits<int>::max();
    double barScale = 0.5;
    double barOpacity = 1.0;
};
