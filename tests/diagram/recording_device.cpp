#include "recording_device.h"

#include <QPaintEngine>
#include <cmath>

namespace gonilux::test {

namespace {

class RecordingEngine : public QPaintEngine {
  public:
    explicit RecordingEngine(Recording& result) : QPaintEngine(AllFeatures), Result(result) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& state) override {
        const auto dirty = state.state();
        if (dirty & DirtyPen) Current.Pen = state.pen();
        if (dirty & DirtyBrush) Current.Brush = state.brush();
        if (dirty & DirtyTransform) Current.Transform = state.transform();
        if (dirty & DirtyHints) Current.Antialias = state.renderHints() & QPainter::Antialiasing;
        if (dirty & DirtyFont) Current.Font = state.font();
    }

    void drawLines(const QLineF* lines, int count) override {
        RecordedOp& op = Add(Op::Lines);
        for (int i = 0; i < count; ++i)
            op.Points << lines[i].p1() << lines[i].p2();
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        Add(mode == PolylineMode ? Op::Polyline : Op::Polygon).Points =
            QPolygonF(QList<QPointF>(points, points + count));
    }
    void drawEllipse(const QRectF& box) override { Add(Op::Ellipse, box); }
    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i)
            Add(Op::Rect, rects[i]);
    }
    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF&) override {
        drawImage(target, pixmap.toImage(), {}, {});
    }
    void drawImage(const QRectF& target, const QImage& image, const QRectF&,
                   Qt::ImageConversionFlags) override {
        Add(Op::Image, target).Picture = image;
    }
    void drawTextItem(const QPointF& baseline, const QTextItem& item) override {
        // Text in several fonts (e.g. Chinese and Latin) arrives in pieces along one baseline.
        if (!Result.Ops.empty()) {
            RecordedOp& last = Result.Ops.back();
            if (last.Type == Op::Text && last.Baseline.y() == baseline.y() &&
                baseline.x() > last.Baseline.x() && last.Transform == Current.Transform) {
                last.Text += item.text();
                return;
            }
        }
        RecordedOp& op = Add(Op::Text);
        op.Text = item.text();
        op.Baseline = baseline;
        op.TopLeft =
            QPoint(static_cast<int>(std::lround(baseline.x())),
                   static_cast<int>(std::lround(baseline.y())) - QFontMetrics(op.Font).ascent());
    }

  private:
    RecordedOp& Add(Op type, const QRectF& box = {}) {
        Result.Ops.push_back(Current);
        Result.Ops.back().Type = type, Result.Ops.back().Box = box;
        return Result.Ops.back();
    }

    Recording& Result;
    RecordedOp Current; // the painter state
};

class RecordingDevice : public QPaintDevice {
  public:
    RecordingDevice(int width, int height) : Width(width), Height(height), Engine(Result) {}
    QPaintEngine* paintEngine() const override { return &Engine; }

    Recording Result;

  protected:
    int metric(PaintDeviceMetric metric) const override {
        if (metric == PdmWidth || metric == PdmWidthMM)
            return Width * (metric == PdmWidth ? 960 : 254) / 960;
        if (metric == PdmHeight || metric == PdmHeightMM)
            return Height * (metric == PdmHeight ? 960 : 254) / 960;
        if (metric == PdmDevicePixelRatio) return 1;
        if (metric == PdmDevicePixelRatioScaled) return static_cast<int>(devicePixelRatioFScale());
        return metric == PdmDepth ? 32 : metric == PdmNumColors ? 0x7fffffff : 96; // dpi
    }

  private:
    int Width;
    int Height;
    mutable RecordingEngine Engine;
};

} // namespace

Recording RecordDrawing(int width, int height, const std::function<void(QPainter&)>& draw) {
    RecordingDevice device(width, height);
    QPainter painter(&device);
    draw(painter);
    painter.end();
    return device.Result;
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
