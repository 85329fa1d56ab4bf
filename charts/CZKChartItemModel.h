#pragma once

#include <QColor>
#include <QStandardItemModel>

// The samples of the signal chart: one row, a fixed number of columns. Each column holds one
// signal level (0..63 once the caller has clamped it) with the radio technology it was taken
// with as its header. The model fills from the left and, once full, scrolls: the oldest sample
// drops out at the left and the new one comes in at the right.
class CZKChartItemModel : public QStandardItemModel {
    Q_OBJECT
public:
    explicit CZKChartItemModel(int columns, QObject* parent = nullptr);

    void addValue(int bars, QString technology);
    bool valueRange(double* min, double* max) const;
    void clearValues();

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    int sampleCount() const { return nextColumn; }

signals:
    // Announces that the chart is about to be emptied, so that views can drop what they keep
    // of the old samples.
    void toBeClear();

private:
    static constexpr int paletteSize = 7;

    int columns;
    int nextColumn = 0;
    QColor colors[paletteSize];
};
