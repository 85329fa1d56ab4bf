#include "charts/CZKChartItemModel.h"

#include "app/CZKGlobals.h"

#include <QtGlobal>

namespace {

// Signal level bands, strongest first, and the palette entry that colours each. Entry 4 of
// the palette belongs to no band.
struct Band {
    int lowest;
    int entry;
};
constexpr Band kBands[] = { { 50, 0 }, { 40, 1 }, { 30, 2 }, { 20, 3 }, { 10, 5 } };
constexpr int kWeakestEntry = 6;

int bandEntry(int sample)
{
    for (const Band& band : kBands) {
        if (sample >= band.lowest)
            return band.entry;
    }
    return kWeakestEntry;
}

} // namespace

CZKChartItemModel::CZKChartItemModel(int columns, QObject* parent)
    : QStandardItemModel(1, qMax(0, columns), parent)
    , columns(qMax(0, columns))
{
    const QColor green(0, 255, 0);
    const QColor red(255, 0, 0);
    for (int i = 0; i < paletteSize; ++i)
        colors[i] = interpolateColor(green, red, i, paletteSize);
}

void CZKChartItemModel::addValue(int bars, QString technology)
{
    // A model without columns keeps nothing.
    if (columns <= 0)
        return;

    int column = nextColumn;
    if (nextColumn >= columns) {
        removeColumn(0);
        insertColumn(columns - 1);
        column = columns - 1;
    } else if (nextColumn < columnCount()) {
        ++nextColumn;
    } else {
        return;
    }

    setItem(0, column, new QStandardItem(QString::number(bars)));
    setHeaderData(column, Qt::Horizontal, technology, Qt::EditRole);
}

bool CZKChartItemModel::valueRange(double* min, double* max) const
{
    double lowest = 63.0;
    double highest = 0.0;
    const bool any = nextColumn != 0;
    if (any) {
        for (int c = 0; c < columnCount(); ++c) {
            const QVariant value = data(index(0, c), Qt::DisplayRole);
            if (value.isNull() || !value.isValid())
                continue;
            bool ok = false;
            const double sample = value.toDouble(&ok);
            if (!ok)
                continue;
            if (sample < lowest)
                lowest = sample;
            if (sample > highest)
                highest = sample;
        }
    }
    if (min)
        *min = lowest;
    if (max)
        *max = highest;
    return any;
}

void CZKChartItemModel::clearValues()
{
    clear();
    setColumnCount(columns);
    nextColumn = 0;
}

QVariant CZKChartItemModel::data(const QModelIndex& index, int role) const
{
    if (index.row() < 0 || index.column() < 0 || !index.model())
        return QVariant();

    switch (role) {
    case Qt::BackgroundRole:
    case Qt::ForegroundRole: {
        const QStandardItem* cell = item(index.row(), index.column());
        if (!cell)
            return QVariant();
        return colors[bandEntry(cell->text().toInt())];
    }
    case Qt::DisplayRole:
        return QStandardItemModel::data(index, role);
    default:
        return QVariant();
    }
}
