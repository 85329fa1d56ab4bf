#pragma once

#include "charts/AxisBase.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>

#include <memory>

// Hands the painter an engine that keeps the texts drawn and their baselines, in device pixels,
// and draws nothing; measures fonts as any image of its size does.
class RecordingPaintDevice : public QImage, private QPaintEngine {
public:
    explicit RecordingPaintDevice(QSize size) : QImage(size, QImage::Format_ARGB32), QPaintEngine(AllFeatures) {}

    // What `axis` writes on a device of `size`.
    static std::unique_ptr<RecordingPaintDevice> of(QSint::AxisBase* axis, QSize size)
    {
        auto device = std::make_unique<RecordingPaintDevice>(size);
        QPainter painter(device.get());
        axis->draw(painter);
        return device;
    }

    QStringList texts;
    QVector<QPointF> baselines;

private:
    QPaintEngine* paintEngine() const override { return const_cast<RecordingPaintDevice*>(this); }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState&) override {}
    void drawTextItem(const QPointF& at, const QTextItem& item) override { texts << item.text(); baselines << at; }
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
};
