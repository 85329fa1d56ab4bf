#pragma once

#include <QImage>
#include <QPaintEngine>
#include <QPen>
#include <QVector>

// A paint device that keeps the lines (with their pen colour) and the texts drawn on it, in
// device pixels, so that tests compare an axis's geometry exactly.
class RecordingPaintEngine : public QPaintEngine {
public:
    RecordingPaintEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState& state) override
    {
        if (state.state() & DirtyPen)
            pen = state.pen();
    }
    void drawLines(const QLine* drawn, int count) override
    {
        for (int i = 0; pen.style() != Qt::NoPen && i < count; ++i)
            lines.append({ drawn[i], pen.color() });
    }
    void drawTextItem(const QPointF& point, const QTextItem& item) override
    {
        texts.append(item.text());
        baselines.append(point);
    }
    // Filled areas are checked on rendered images instead.
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

    QVector<QPair<QLine, QColor>> lines;
    QStringList texts;
    QVector<QPointF> baselines;
    QPen pen;
};

// Measures fonts as any image of its size does, but hands the painter the recording engine.
class RecordingPaintDevice : public QImage {
public:
    explicit RecordingPaintDevice(QSize size) : QImage(size, QImage::Format_ARGB32) {}

    QPaintEngine* paintEngine() const override { return &engine; }

    QVector<QLine> linesIn(const QColor& color) const
    {
        QVector<QLine> found;
        for (const auto& line : engine.lines) {
            if (line.second == color)
                found.append(line.first);
        }
        return found;
    }

    mutable RecordingPaintEngine engine;
};
