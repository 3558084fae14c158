#include "recording_device.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>
#include <cmath>

namespace gonilux::test {

class RecordingEngine : public QPaintEngine {
  public:
    explicit RecordingEngine(RecordingDevice& device) : QPaintEngine(AllFeatures), Device(device) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& state) override {
        const auto dirty = state.state();
        if (dirty & DirtyPen) Pen = state.pen();
        if (dirty & DirtyBrush) Brush = state.brush();
        if (dirty & DirtyTransform) Transform = state.transform();
        if (dirty & DirtyHints) Antialias = state.renderHints() & QPainter::Antialiasing;
        if (dirty & DirtyFont) Font = state.font();
    }

    void drawLines(const QLineF* lines, int count) override {
        RecordedOp op = Start(Op::Lines);
        for (int i = 0; i < count; ++i)
            op.Points << lines[i].p1() << lines[i].p2();
        Device.Result.Ops.push_back(op);
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        RecordedOp op = Start(mode == PolylineMode ? Op::Polyline : Op::Polygon);
        for (int i = 0; i < count; ++i)
            op.Points << points[i];
        Device.Result.Ops.push_back(op);
    }
    void drawEllipse(const QRectF& box) override { AddBox(Op::Ellipse, box); }
    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i)
            AddBox(Op::Rect, rects[i]);
    }
    void drawPath(const QPainterPath& path) override {
        RecordedOp op = Start(Op::Path);
        op.Box = path.boundingRect();
        Device.Result.Ops.push_back(op);
    }
    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF&) override {
        RecordedOp op = Start(Op::Image);
        op.Box = target;
        op.Picture = pixmap.toImage();
        Device.Result.Ops.push_back(op);
    }
    void drawImage(const QRectF& target, const QImage& image, const QRectF&,
                   Qt::ImageConversionFlags) override {
        RecordedOp op = Start(Op::Image);
        op.Box = target;
        op.Picture = image;
        Device.Result.Ops.push_back(op);
    }
    void drawTextItem(const QPointF& baseline, const QTextItem& item) override {
        // Text in several fonts (e.g. Chinese and Latin) arrives in pieces along one baseline.
        if (!Device.Result.Ops.empty()) {
            RecordedOp& last = Device.Result.Ops.back();
            if (last.Type == Op::Text && last.Baseline.y() == baseline.y() &&
                baseline.x() > last.Baseline.x() && last.Transform == Transform) {
                last.Text += item.text();
                return;
            }
        }
        RecordedOp op = Start(Op::Text);
        op.Text = item.text();
        op.Baseline = baseline;
        op.Font = Font;
        const QFontMetrics metrics(Font, &Device);
        op.TopLeft = QPoint(static_cast<int>(std::lround(baseline.x())),
                            static_cast<int>(std::lround(baseline.y())) - metrics.ascent());
        Device.Result.Ops.push_back(op);
    }

  private:
    RecordedOp Start(Op kind) const {
        RecordedOp op;
        op.Type = kind;
        op.Pen = Pen;
        op.Brush = Brush;
        op.Transform = Transform;
        op.Antialias = Antialias;
        return op;
    }
    void AddBox(Op kind, const QRectF& box) {
        RecordedOp op = Start(kind);
        op.Box = box;
        Device.Result.Ops.push_back(op);
    }

    RecordingDevice& Device;
    QPen Pen;
    QBrush Brush;
    QTransform Transform;
    bool Antialias = false;
    QFont Font;
};

RecordingDevice::RecordingDevice(int width, int height)
    : Width(width), Height(height), Engine(std::make_unique<RecordingEngine>(*this)) {}

RecordingDevice::~RecordingDevice() = default;

QPaintEngine* RecordingDevice::paintEngine() const {
    return Engine.get();
}

int RecordingDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return Width;
    case PdmHeight:
        return Height;
    case PdmWidthMM:
        return Width * 254 / 960;
    case PdmHeightMM:
        return Height * 254 / 960;
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

std::vector<RecordedOp> Recording::OfType(Op type) const {
    std::vector<RecordedOp> found;
    for (const RecordedOp& op : Ops)
        if (op.Type == type) found.push_back(op);
    return found;
}

const RecordedOp* Recording::FindText(const QString& prefix) const {
    for (const RecordedOp& op : Ops)
        if (op.Type == Op::Text && op.Text.startsWith(prefix)) return &op;
    return nullptr;
}

} // namespace gonilux::test
