#include "diagram/ratings_chart.h"

#include "diagram/diagram_text.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>
#include <numbers>

namespace gonilux {

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("Ratings", text);
}

const QString kDash = QStringLiteral("–");

QString Fixed(double value, int decimals) {
    return std::isfinite(value) ? GroupedFixed(value, decimals) : kDash;
}

// A zone of the diagram: its angles from the nadir and the sides it covers.
struct ZoneShape {
    double From = 0;
    double To = 0;
    bool Back = false;  // the left half
    bool Front = false; // the right half
    int Label = 0;      // 0: inside, 1: beside on the left, 2: beside on the right
    double Beside = 0;  // the label's height beside the disc, in radii above the centre
};

// BL BM BH BVH FL FM FH FVH UL UH, as LcsShares orders them.
constexpr ZoneShape kShapes[] = {{0, 30, true, false, 1, -1.0},  {30, 60, true, false, 0, 0},
                                 {60, 80, true, false, 1, -0.5}, {80, 90, true, false, 1, 0},
                                 {0, 30, false, true, 2, -1.0},  {30, 60, false, true, 0, 0},
                                 {60, 80, false, true, 2, -0.5}, {80, 90, false, true, 2, 0},
                                 {90, 100, true, true, 2, 0.5},  {100, 180, true, true, 0, 0}};

// The point at `angle` degrees from the nadir, on the front (right) or back (left) side.
QPointF At(QPointF centre, double radius, double angle, bool front) {
    const double a = angle * std::numbers::pi / 180;
    return {centre.x() + (front ? 1 : -1) * radius * std::sin(a),
            centre.y() + radius * std::cos(a)};
}

QPolygonF Wedge(QPointF centre, double radius, double from, double to, bool front) {
    QPolygonF wedge{centre};
    for (double a = from;; a = std::min(to, a + 2)) {
        wedge << At(centre, radius, a, front);
        if (a >= to) break;
    }
    return wedge;
}

QColor ZoneColour(int index, double share) {
    const QColor base = index < 4   ? QColor(0x3a, 0x6e, 0xc2)
                        : index < 8 ? QColor(0x2f, 0x9a, 0x5a)
                                    : QColor(0xe0, 0x8a, 0x1a);
    QColor c = base;
    c.setAlphaF(std::isfinite(share) ? 0.12 + 0.6 * std::clamp(share, 0.0, 1.0) : 0.06);
    return c;
}

QString ZoneLine(const LcsZoneShare& zone, int lumenDecimals) {
    return Fixed(zone.Lumens, lumenDecimals) + QStringLiteral(" lm\n") + Fixed(zone.Percent, 1) +
           QStringLiteral(" %");
}

void PaintZoneLabel(QPainter& painter, const QRectF& box, const LcsZoneShare& zone,
                    int lumenDecimals, int flags, const ChartStyle& style) {
    painter.setPen(style.Text);
    painter.setFont(ChartFont(style.FontPixels, true));
    const double line = QFontMetricsF(painter.font()).height();
    painter.drawText(QRectF(box.left(), box.top(), box.width(), line), flags,
                     QString::fromLatin1(zone.Name));
    painter.setFont(ChartFont(style.FontPixels * 0.9));
    painter.drawText(box.adjusted(0, line, 0, 0), flags, ZoneLine(zone, lumenDecimals));
}

} // namespace

std::vector<LcsZoneShare> LcsShares(const tLcsZones& z) {
    const std::array<tLcsZone, 10> zones = LcsZoneList(z);
    return {zones.begin(), zones.end()};
}

namespace {

// The disc of the diagram: its centre and radius, and the size of a zone's label.
struct LcsLayout {
    QPointF Centre;
    double Radius = 0;
    double Text = 0;
    QSizeF Label;
};

void PaintWedges(QPainter& painter, const LcsLayout& at, const std::vector<LcsZoneShare>& zones,
                 const ChartStyle& style) {
    double most = 0;
    for (const LcsZoneShare& zone : zones)
        if (std::isfinite(zone.Percent)) most = std::max(most, zone.Percent);
    painter.setPen(QPen(style.Frame, 0.8));
    for (std::size_t i = 0; i < zones.size(); ++i) {
        const ZoneShape& s = kShapes[i];
        painter.setBrush(ZoneColour(static_cast<int>(i), most > 0 ? zones[i].Percent / most : 0));
        for (bool front : {false, true})
            if (front ? s.Front : s.Back)
                painter.drawPolygon(Wedge(at.Centre, at.Radius, s.From, s.To, front));
    }
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at.Centre, at.Radius, at.Radius);
    painter.fillRect(
        QRectF(at.Centre.x() - at.Text, at.Centre.y() - at.Text * 0.3, 2 * at.Text, at.Text * 0.6),
        style.Frame); // the luminaire
}

// The wide zones named inside, the narrow ones beside the disc with a leader line.
void PaintLabels(QPainter& painter, const LcsLayout& at, const std::vector<LcsZoneShare>& zones,
                 const ChartStyle& style) {
    std::vector<double> lumens;
    for (const LcsZoneShare& zone : zones)
        lumens.push_back(zone.Lumens);
    const int lm = TableDecimals(FigureKind::Flux, lumens);
    const double w = at.Label.width(), h = at.Label.height();
    for (std::size_t i = 0; i < zones.size(); ++i) {
        const ZoneShape& s = kShapes[i];
        if (s.Label == 0) {
            const QPointF c = s.To > 90
                                  ? at.Centre - QPointF(0, at.Radius * 0.55)
                                  : At(at.Centre, at.Radius * 0.6, (s.From + s.To) / 2, s.Front);
            PaintZoneLabel(painter, QRectF(c.x() - w / 2, c.y() - h / 2, w, h), zones[i], lm,
                           Qt::AlignHCenter | Qt::AlignTop, style);
            continue;
        }
        const bool right = s.Label == 2;
        const double y = at.Centre.y() - s.Beside * at.Radius - h / 2;
        const double x = at.Centre.x() + (right ? 1 : -1) * (at.Radius + at.Text);
        painter.setPen(QPen(style.Grid.darker(130), 0.8));
        painter.drawLine(At(at.Centre, at.Radius, (s.From + s.To) / 2, right),
                         QPointF(x, y + at.Text * 0.7));
        PaintZoneLabel(painter, QRectF(right ? x + 2 : x - w - 2, y, w, h), zones[i], lm,
                       (right ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignTop, style);
    }
}

// The title at the top; "back" and "front" under the disc, either side of the nadir.
void PaintCaptions(QPainter& painter, const QRectF& area, const LcsLayout& at,
                   const ChartStyle& style) {
    painter.setPen(style.Text);
    painter.setFont(ChartFont(at.Text));
    painter.drawText(QRectF(area.left() + 4, area.top() + 2, area.width() - 8, at.Text * 1.6),
                     Qt::AlignLeft | Qt::AlignTop,
                     Tr(QT_TRANSLATE_NOOP("Ratings", "LCS 区域光通量 (TM-15)")));
    painter.setFont(ChartFont(at.Text, true));
    const double r = at.Radius;
    const QRectF foot(at.Centre.x() - r, at.Centre.y() + r + at.Text * 0.3, 2 * r, at.Text * 1.6);
    painter.drawText(foot.adjusted(0, 0, -r * 1.2, 0), Qt::AlignRight | Qt::AlignTop,
                     Tr(QT_TRANSLATE_NOOP("Ratings", "后方")));
    painter.drawText(foot.adjusted(r * 1.2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     Tr(QT_TRANSLATE_NOOP("Ratings", "前方")));
}

} // namespace

void PaintLcsDiagram(QPainter& painter, const QRectF& area, const tLcsZones& lcs,
                     const ChartStyle& style) {
    painter.save();
    painter.fillRect(area, style.Background);
    const double text = style.FontPixels;
    LcsLayout at;
    at.Text = text;
    at.Radius =
        std::min(area.width() / 2 - text * 7.5, (area.height() - text * 1.6) / 2 - text * 3.2);
    at.Centre = QPointF(area.center().x(), area.center().y() + text * 0.8); // below the title
    at.Label = QSizeF(text * 6, text * 3.4);
    if (at.Radius > text * 2) {
        const std::vector<LcsZoneShare> zones = LcsShares(lcs);
        PaintWedges(painter, at, zones, style);
        if (lcs.Valid) PaintLabels(painter, at, zones, style);
        PaintCaptions(painter, area, at, style);
    }
    painter.restore();
}

std::vector<std::pair<QString, QString>> OutdoorRatingRows(const tOutdoorRatings& o) {
    const QString bug = QString::fromStdString(BugText(o.Bug));
    const tSpacingCriterion& sc = o.Spacing;
    return {
        {Tr(QT_TRANSLATE_NOOP("Ratings", "BUG 等级")), bug.isEmpty() ? kDash : bug},
        {Tr(QT_TRANSLATE_NOOP("Ratings", "道路分类")), RoadwayText(o.Roadway)},
        {Tr(QT_TRANSLATE_NOOP("Ratings", "截光分类")), CutoffName(o.Cutoff)},
        {Tr(QT_TRANSLATE_NOOP("Ratings", "距高比 0-180")), SpacingCell(sc.Along)},
        {Tr(QT_TRANSLATE_NOOP("Ratings", "距高比 90-270")), SpacingCell(sc.Across)},
        {Tr(QT_TRANSLATE_NOOP("Ratings", "距高比 对角")), SpacingCell(sc.Diagonal)},
    };
}

void PaintRatingRows(QPainter& painter, const QRectF& area,
                     const std::vector<std::pair<QString, QString>>& rows, double rowHeight,
                     const ChartStyle& style) {
    painter.save();
    painter.setFont(ChartFont(style.FontPixels));
    double y = area.top();
    for (std::size_t i = 0; i < rows.size() && y + rowHeight <= area.bottom() + 0.5; ++i) {
        const QRectF line(area.left(), y, area.width(), rowHeight);
        if (i % 2 == 0) painter.fillRect(line, QColor(0xf2, 0xf4, 0xf8));
        painter.setPen(style.Frame);
        painter.drawText(line.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         rows[i].first);
        painter.setPen(style.Text);
        painter.drawText(line.adjusted(area.width() * 0.52, 0, -4, 0),
                         Qt::AlignLeft | Qt::AlignVCenter, rows[i].second);
        y += rowHeight;
    }
    painter.restore();
}

QString RoadwayText(const tRoadway& roadway) {
    if (!roadway.Valid || roadway.Type == RoadType::None) return kDash;
    const QString type = QString::fromStdString(RoadTypeText(roadway.Type));
    static const char* const kLengths[] = {
        "", QT_TRANSLATE_NOOP("Ratings", "很短"), QT_TRANSLATE_NOOP("Ratings", "短"),
        QT_TRANSLATE_NOOP("Ratings", "中"), QT_TRANSLATE_NOOP("Ratings", "长")};
    if (roadway.Length == RoadLength::None)
        return Tr(QT_TRANSLATE_NOOP("Ratings", "%1 型")).arg(type);
    return Tr(QT_TRANSLATE_NOOP("Ratings", "%1 型，%2 (%3)"))
        .arg(type, Tr(kLengths[static_cast<int>(roadway.Length)]),
             QString::fromStdString(RoadLengthText(roadway.Length)));
}

QString CutoffName(CutoffClass cutoff) {
    static const char* const kNames[] = {
        "", QT_TRANSLATE_NOOP("Ratings", "全截光"), QT_TRANSLATE_NOOP("Ratings", "截光"),
        QT_TRANSLATE_NOOP("Ratings", "半截光"), QT_TRANSLATE_NOOP("Ratings", "非截光")};
    return cutoff == CutoffClass::None ? kDash : Tr(kNames[static_cast<int>(cutoff)]);
}

QString UgrCell(double value) {
    return Fixed(value, 1);
}

QString LuminanceCell(double value) {
    return Fixed(value, 0);
}

QString CuCell(double value) {
    return Fixed(value, 0);
}

QString SpacingCell(double value) {
    return Fixed(value, 2);
}

QStringList UgrReflectanceLabels() {
    QStringList labels;
    for (const tReflectances& r : kUgrReflectances)
        labels << QStringLiteral("%1/%2/%3").arg(r.Ceiling).arg(r.Walls).arg(r.Floor);
    return labels;
}

QStringList CuReflectanceLabels() {
    QStringList labels;
    for (const tReflectances& r : kCuReflectances)
        labels << QStringLiteral("%1/%2").arg(r.Ceiling).arg(r.Walls);
    return labels;
}

QString UgrRoomLabel(const tUgrRoom& room) {
    return QStringLiteral("%1H %2H").arg(room.X).arg(room.Y);
}

QStringList LuminancePlaneLabels() {
    QStringList labels;
    for (double plane : tLuminanceTable::Planes)
        labels << QStringLiteral("C%1").arg(plane);
    return labels;
}

QString RatingNoteText(const std::string& note) {
    // The notes the core writes, by their English text; a spacing criterion's note names its
    // direction ("spacing criterion 0-180: no light straight down").
    static const std::pair<const char*, const char*> kNotes[] = {
        {"the file gives no luminous opening: luminance and UGR are undefined",
         QT_TRANSLATE_NOOP("Ratings", "文件没有给出发光面：亮度和 UGR 无法确定")},
        {"the UGR of the standard room is undefined for this light",
         QT_TRANSLATE_NOOP("Ratings", "此灯具的标准房间 UGR 无法确定")},
        {"type A photometry is not rated: its axes are not tied to the ground and the street",
         QT_TRANSLATE_NOOP("Ratings", "A 型配光不作评定：它的轴线与地面和道路无关")},
        {"no usable intensity table", QT_TRANSLATE_NOOP("Ratings", "没有可用的光强表")},
        {"a single vertical angle holds no flux",
         QT_TRANSLATE_NOOP("Ratings", "只有一个垂直角，没有光通量")},
        {"roadway class: the maximum intensity is at or above the horizontal",
         QT_TRANSLATE_NOOP("Ratings", "道路分类：最大光强在水平面上或水平面以上")},
        {"roadway class: the maximum lands beyond 6 mounting heights along the road",
         QT_TRANSLATE_NOOP("Ratings", "道路分类：最大光强沿道路落在 6 倍安装高度以外")},
        {"cutoff class: absolute photometry has no rated lamp lumens",
         QT_TRANSLATE_NOOP("Ratings", "截光分类：绝对光度测量没有额定光源光通量")},
        {"cutoff class: the file has no rated lamp lumens",
         QT_TRANSLATE_NOOP("Ratings", "截光分类：文件没有额定光源光通量")},
        {"no luminous opening (width, length and height are 0)",
         QT_TRANSLATE_NOOP("Ratings", "没有发光面（宽、长、高均为 0）")},
        {"no light", QT_TRANSLATE_NOOP("Ratings", "没有光")},
        {"spacing criterion %1: no light straight down",
         QT_TRANSLATE_NOOP("Ratings", "距高比 %1：正下方没有光")},
        {"spacing criterion %1: the illuminance midway never falls to that below a luminaire",
         QT_TRANSLATE_NOOP("Ratings", "距高比 %1：中点的照度始终不降到灯具正下方的照度")},
    };
    std::string key = note;
    std::string direction;
    const std::string spacing = "spacing criterion ";
    if (const std::size_t colon = note.find(": ");
        note.rfind(spacing, 0) == 0 && colon != std::string::npos) {
        direction = note.substr(spacing.size(), colon - spacing.size());
        key = spacing + "%1" + note.substr(colon);
    }
    for (const auto& [english, text] : kNotes)
        if (key == english)
            return direction.empty() ? Tr(text) : Tr(text).arg(QString::fromStdString(direction));
    return QString::fromStdString(note);
}

QStringList RatingNotes(const tRatings& ratings, const tUgrTable* ugr) {
    QStringList notes;
    for (const std::string& note : ratings.Notes)
        notes << RatingNoteText(note);
    if (ugr && !ugr->Note.empty()) notes << RatingNoteText(ugr->Note);
    notes.removeDuplicates();
    return notes;
}

} // namespace gonilux
