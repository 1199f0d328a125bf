// A paint device that records what is painted on it instead of making pixels:
// the filled rectangles with their colour, the outlined ones with their pen,
// and the texts with their baseline point and colour. Tests read from it what a drawing handler wrote.
#ifndef KOMBREL_TESTS_WIZARD_RECORDING_DEVICE_H
#define KOMBREL_TESTS_WIZARD_RECORDING_DEVICE_H

#include <QBrush>
#include <QColor>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPen>
#include <QPointF>
#include <QRect>
#include <QString>
#include <vector>

namespace wizard_testing {

struct FilledRect {
    QRect rect;
    QColor colour;
};

struct FramedRect {
    QRect rect;
    QColor colour;
    Qt::PenStyle style;
};

struct WrittenText {
    QPointF baseline; // where the run starts
    QString text;
    QColor colour;
};

class RecordingEngine : public QPaintEngine {
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    std::vector<FilledRect> fills;
    std::vector<FramedRect> frames; // rectangles drawn with no brush
    std::vector<WrittenText> texts;

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState &state) override
    {
        if ((state.state() & QPaintEngine::DirtyBrush) != 0)
            brush_ = state.brush();
        if ((state.state() & QPaintEngine::DirtyPen) != 0)
            pen_ = state.pen();
    }

    void drawRects(const QRect *rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            Record(rects[i]);
    }

    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            Record(rects[i].toRect());
    }

    // A text of several scripts (Latin and Japanese) comes in one run per
    // script, in order.
    void drawTextItem(const QPointF &point, const QTextItem &item) override
    {
        texts.push_back({point, item.text(), pen_.color()});
    }

    // Every run written, joined: the whole text of one TextOut.
    QString Written() const
    {
        QString all;
        for (const WrittenText &run : texts)
            all += run.text;
        return all;
    }

    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint *, int, PolygonDrawMode) override {}

private:
    void Record(const QRect &rect)
    {
        if (brush_.style() == Qt::NoBrush)
            frames.push_back({rect, pen_.color(), pen_.style()});
        else
            fills.push_back({rect, brush_.color()});
    }

    QBrush brush_;
    QPen pen_;
};

class RecordingDevice : public QPaintDevice {
public:
    explicit RecordingDevice(QSize size = QSize(400, 200)) : size_(size) {}
    ~RecordingDevice() override = default;

    RecordingEngine engine;

    QPaintEngine *paintEngine() const override { return const_cast<RecordingEngine *>(&engine); }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmWidthMM:
            return size_.width() * 254 / 960;
        case PdmHeightMM:
            return size_.height() * 254 / 960;
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    QSize size_;
};

} // namespace wizard_testing

#endif
