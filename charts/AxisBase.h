#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPen>
#include <QPointer>

class QAbstractItemModel;
class QPainter;

namespace QSint {

class PlotterBase;

// One axis of a plotter: a value range with tick steps, the pixels reserved for it beside the
// data area, and how it is drawn: as a numeric scale or as one label per model column.
class AxisBase : public QObject {
    Q_OBJECT
public:
    enum Mode { ScaleMode = 0, ModelLabelsMode = 2 };

    AxisBase(int orientation, PlotterBase* parent);

    void setAxisMode(int mode) { axisMode = mode; }
    void setModel(QAbstractItemModel* newModel) { model = newModel; }
    void setTicks(double minor, double major);
    void setRange(double min, double max);
    void adjustTicks();
    void setOffset(int pixels);
    void setTextFont(const QFont& font) { textFont = font; }
    void setTextColor(const QColor& color) { textColor = color; }
    void setAxisPen(const QPen& pen) { axisPen = pen; }
    void setMinorTicksPen(const QPen& pen) { minorTicksPen = pen; }
    void setMajorTicksPen(const QPen& pen) { majorTicksPen = pen; }
    void setMinorGridPen(const QPen& pen) { minorGridPen = pen; }
    void setMajorGridPen(const QPen& pen) { majorGridPen = pen; }

    double rangeMinimum() const { return min; }
    double rangeMaximum() const { return max; }
    double minorTickStep() const { return minorStep; }
    double majorTickStep() const { return majorStep; }
    int reservedPixels() const { return offset; }

    virtual void calculatePoints(int& start, int& end) const;
    virtual int toView(double value) const;
    virtual void draw(QPainter& painter);

public slots:
    virtual void initTechAxis();

protected:
    virtual void drawScale(QPainter& painter);
    virtual void drawModelLabels(QPainter& painter);

    PlotterBase* plotter() const;
    // The height of the plotter's contents rectangle, from which the axes place their baselines.
    int contentsHeight() const;

    int orientation;
    QPointer<QAbstractItemModel> model;
    double min = 0.0;
    double max = 100.0;
    double minorStep = 0.0;
    double majorStep = 10.0;
    double minorStepCap = 0.0;
    double majorStepCap = 10.0;
    int offset = 43;
    QFont textFont;
    QPen axisPen;
    QPen minorTicksPen;
    QPen majorTicksPen;
    QPen minorGridPen{Qt::NoPen};
    QPen majorGridPen{Qt::NoPen};
    QColor textColor;
    int axisMode = ScaleMode;

private:
    void drawHorizontalScale(QPainter& painter, int start, int end);
    void drawVerticalScale(QPainter& painter, int start, int end);
};

} // namespace QSint
