#include "details_columns.h"

#include "browser/file_entries.h"
#include "browser/metrics_text.h"
#include "diagram/diagram_text.h"
#include "photometry/angle_grid.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <string>

namespace gonilux::browser {
namespace {

using C = DetailsColumn;

// clang-format off
constexpr DetailsColumnInfo kColumns[] = {
    {C::Caption, "caption", QT_TRANSLATE_NOOP("DetailsColumns", "标题"), false, 200},
    {C::File, "file", QT_TRANSLATE_NOOP("DetailsColumns", "文件名"), false, 160},
    {C::Manufacturer, "manufacturer", QT_TRANSLATE_NOOP("DetailsColumns", "制造商"), false, 140},
    {C::Luminaire, "luminaire", QT_TRANSLATE_NOOP("DetailsColumns", "灯具"), false, 200},
    {C::Lamp, "lamp", QT_TRANSLATE_NOOP("DetailsColumns", "光源"), false, 150},
    {C::Catalog, "catalog", QT_TRANSLATE_NOOP("DetailsColumns", "目录号"), false, 120},
    {C::Lumens, "lumens", QT_TRANSLATE_NOOP("DetailsColumns", "额定光通量 (lm)"), true, 110},
    {C::Flux, "flux", QT_TRANSLATE_NOOP("DetailsColumns", "灯具光通量 (lm)"), true, 110},
    {C::Watts, "watts", QT_TRANSLATE_NOOP("DetailsColumns", "输入功率 (W)"), true, 95},
    {C::Efficacy, "efficacy", QT_TRANSLATE_NOOP("DetailsColumns", "光效 (lm/W)"), true, 90},
    {C::MaxCd, "maxcd", QT_TRANSLATE_NOOP("DetailsColumns", "最大光强 (cd)"), true, 105},
    {C::Beam, "beam", QT_TRANSLATE_NOOP("DetailsColumns", "光束角 (°)"), true, 80},
    {C::Field, "field", QT_TRANSLATE_NOOP("DetailsColumns", "场角 (°)"), true, 70},
    {C::Bug, "bug", QT_TRANSLATE_NOOP("DetailsColumns", "BUG等级"), false, 80},
    {C::Ugr, "ugr", QT_TRANSLATE_NOOP("DetailsColumns", "UGR"), true, 50},
    {C::Road, "road", QT_TRANSLATE_NOOP("DetailsColumns", "道路类型"), false, 70},
    {C::Spacing, "sc", QT_TRANSLATE_NOOP("DetailsColumns", "距高比"), true, 60},
    {C::Luminance65, "l65", QT_TRANSLATE_NOOP("DetailsColumns", "L65亮度 (cd/m²)"), true, 110},
    {C::Type, "type", QT_TRANSLATE_NOOP("DetailsColumns", "类型"), false, 50},
    {C::Symmetry, "symmetry", QT_TRANSLATE_NOOP("DetailsColumns", "对称"), false, 90},
    {C::Size, "size", QT_TRANSLATE_NOOP("DetailsColumns", "大小 (KB)"), true, 80},
    {C::Status, "status", QT_TRANSLATE_NOOP("DetailsColumns", "状态"), false, 120},
    {C::Folder, "folder", QT_TRANSLATE_NOOP("DetailsColumns", "文件夹"), false, 200},
};
// clang-format on
static_assert(std::size(kColumns) == kDetailsColumnCount);

QString Tr(const char* text) {
    return QCoreApplication::translate("DetailsColumns", text);
}

DetailsCell Number(double value, const QString& text) {
    return std::isfinite(value) ? DetailsCell{text, value} : DetailsCell{};
}

// A figure with its kind's digits, as the hover text shows it.
DetailsCell Figure(double value, FigureKind kind) {
    return Number(value, GroupedFigure(value, kind));
}

// At most one decimal and no trailing ".0": 43.5, 20.
QString Trimmed(double value) {
    QString text = GroupedNumber(value, 1);
    if (text.endsWith(QLatin1String(".0"))) text.chop(2);
    return text;
}

// The wider of the two principal planes, as lists and queries take it.
DetailsCell Angle(double angle) {
    return Figure(angle, FigureKind::Angle);
}

QString TypeText(const tIES& ies) {
    static const char* const kTypes[] = {"C", "B", "A"};
    const int type = ies.PhotometricType;
    return QString::fromLatin1(type >= 1 && type <= 3 ? kTypes[type - 1] : "?");
}

// How the stored planes stand for the circle: one plane, a type C range mirrored at its ends
// ("C0-C90"), types A and B mirrored at 0, or none.
QString SymmetryText(const tIES& ies) {
    const tArrEx& h = ies.HorzAngles;
    if (h.empty() || h.size() != ies.HorzCount) return {};
    switch (grid::LayoutOf(ies)) {
    case grid::Layout::Single:
        return Tr(QT_TRANSLATE_NOOP("DetailsColumns", "轴对称"));
    case grid::Layout::Mirrored:
        return QStringLiteral("C%1-C%2").arg(Trimmed(h.front()), Trimmed(h.back()));
    case grid::Layout::Lateral:
        return Tr(QT_TRANSLATE_NOOP("DetailsColumns", "左右对称"));
    case grid::Layout::Cyclic:
    case grid::Layout::Open:
        break;
    }
    return Tr(QT_TRANSLATE_NOOP("DetailsColumns", "无"));
}

QString StatusText(const TiesData& entry) {
    if (entry.Diagnostics.OpenFailed) return QString::fromStdString(entry.Diagnostics.OpenError);
    return HeaderErrorText(entry);
}

DetailsCell SizeCell(qint64 size) {
    if (size < 0) return {};
    const double kib = std::ceil(double(size) / 1024);
    return {GroupedNumber(kib, 0), double(size)};
}

DetailsCell TitleCell(const TiesData& entry, C column) {
    switch (column) {
    case C::Manufacturer:
        return {TitleText(entry, TitleManufacturer)};
    case C::Luminaire:
        return {TitleText(entry, TitleLuminaire)};
    case C::Lamp:
        return {TitleText(entry, TitleLamp)};
    default:
        return {TitleText(entry, TitleLuminaireCatalog)};
    }
}

DetailsCell FigureCell(const TiesData& entry, const tMetrics& m, C column) {
    switch (column) {
    case C::Lumens:
        return Figure(m.LampFlux, FigureKind::Flux);
    case C::Flux:
        return Figure(m.LuminaireFlux, FigureKind::Flux);
    case C::Efficacy:
        return Figure(m.Efficacy, FigureKind::Efficacy);
    case C::MaxCd:
        return Figure(m.MaxIntensity, FigureKind::Intensity);
    case C::Beam:
        return Angle(BeamAngle(m));
    case C::Field:
        return Angle(FieldAngle(m));
    default: {
        const tIES& ies = entry.Ies;
        const double watts = ies.ExactInputWatts > 0 ? ies.ExactInputWatts : ies.InputWatts;
        return watts > 0 ? Figure(watts, FigureKind::Power) : DetailsCell{};
    }
    }
}

// A rating to `decimals`, as lists and queries take it.
DetailsCell Rating(double value, int decimals) {
    return Number(value, GroupedNumber(value, decimals));
}

DetailsCell RatingCell(const tRatings& r, C column) {
    switch (column) {
    case C::Bug:
        return {QString::fromStdString(BugText(r.Outdoor.Bug))};
    case C::Ugr:
        return Rating(WorseUgr(r.Ugr), 1);
    case C::Road:
        return {QString::fromStdString(RoadTypeText(r.Outdoor.Roadway.Type))};
    case C::Spacing:
        return Rating(SpacingValue(r.Outdoor.Spacing), 2);
    default:
        return Rating(Luminance65(r.Luminance), 0);
    }
}

} // namespace

std::span<const DetailsColumnInfo> DetailsColumns() {
    return kColumns;
}

const DetailsColumnInfo& ColumnInfo(DetailsColumn column) {
    return kColumns[std::clamp(int(column), 0, kDetailsColumnCount - 1)];
}

std::optional<DetailsColumn> ColumnOfKey(const QString& key) {
    for (const DetailsColumnInfo& info : kColumns)
        if (key == QLatin1String(info.Key)) return info.Column;
    return std::nullopt;
}

QString ColumnHeader(DetailsColumn column) {
    return Tr(ColumnInfo(column).Header);
}

Qt::Alignment ColumnAlignment(DetailsColumn column) {
    return Qt::AlignVCenter | (ColumnInfo(column).Numeric ? Qt::AlignRight : Qt::AlignLeft);
}

bool IsRatingColumn(DetailsColumn column) {
    return column >= C::Bug && column <= C::Luminance65;
}

DetailsCell DetailsCellOf(DetailsColumn column, const DetailsEntry& row) {
    const TiesData& entry = row.Entry;
    switch (column) {
    case C::Caption:
        return {EntryCaption(entry, row.CaptionChoice)};
    case C::File:
        return {EntryFileName(entry)};
    case C::Manufacturer:
    case C::Luminaire:
    case C::Lamp:
    case C::Catalog:
        return TitleCell(entry, column);
    case C::Size:
        return SizeCell(row.Size);
    case C::Status:
        return {StatusText(entry)};
    case C::Folder:
        return {row.Folder};
    default:
        break;
    }
    if (!entry.Loaded) return {};
    if (column == C::Type) return {TypeText(entry.Ies)};
    if (column == C::Symmetry) return {SymmetryText(entry.Ies)};
    if (IsRatingColumn(column))
        return row.Ratings && row.Ratings->Valid ? RatingCell(*row.Ratings, column) : DetailsCell{};
    if (column != C::Watts && (!row.Metrics || !row.Metrics->Valid)) return {};
    return FigureCell(entry, row.Metrics ? *row.Metrics : tMetrics{}, column);
}

std::vector<int> SortedDetailsRows(std::span<const DetailsCell> cells, int folderCount,
                                   bool numeric, bool descending) {
    const int count = int(cells.size());
    folderCount = std::clamp(folderCount, 0, count);
    std::vector<int> order(cells.size());
    for (int row = 0; row < count; ++row)
        order[std::size_t(row)] = row;
    const auto files = order.begin() + folderCount;
    // Empty cells go to the end first; the rest sort among themselves.
    const auto empties = std::stable_partition(files, order.end(), [&](int row) {
        const DetailsCell& cell = cells[std::size_t(row)];
        return numeric ? !std::isnan(cell.Number) : !cell.Text.isEmpty();
    });
    if (numeric) {
        std::stable_sort(files, empties, [&](int a, int b) {
            const double x = cells[std::size_t(a)].Number, y = cells[std::size_t(b)].Number;
            return descending ? y < x : x < y;
        });
        return order;
    }
    // The text with the letters a to z folded to capitals: comparing these bytes unsigned is
    // comparing the texts by CompareText.
    std::vector<std::string> keys(cells.size());
    for (auto it = files; it != empties; ++it) {
        std::string& key = keys[std::size_t(*it)];
        key = cells[std::size_t(*it)].Text.toStdString();
        for (char& c : key)
            if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    }
    std::stable_sort(files, empties, [&](int a, int b) {
        const int compared = keys[std::size_t(a)].compare(keys[std::size_t(b)]);
        return descending ? compared > 0 : compared < 0;
    });
    return order;
}

// ---- The header's state ----

DetailsHeaderState DefaultDetailsHeader() {
    return ParseDetailsHeader(QLatin1String(kDefaultDetailsColumns), {});
}

QString DetailsColumnsText(const DetailsHeaderState& state) {
    QStringList pieces;
    for (const DetailsHeaderColumn& c : state.Columns)
        pieces << (c.Visible ? QString() : QStringLiteral("-")) +
                      QLatin1String(ColumnInfo(c.Column).Key) + QLatin1Char(':') +
                      QString::number(c.Width);
    return pieces.join(QLatin1Char(','));
}

QString DetailsSortText(const DetailsHeaderState& state) {
    if (!state.SortColumn) return {};
    return QLatin1String(ColumnInfo(*state.SortColumn).Key) +
           QLatin1String(state.Descending ? ":desc" : ":asc");
}

namespace {

// One piece of the columns text: ["-"] key [":" width].
std::optional<DetailsHeaderColumn> ColumnPiece(QString piece) {
    piece = piece.trimmed();
    DetailsHeaderColumn column{C::Caption, !piece.startsWith(QLatin1Char('-')), 0};
    if (!column.Visible) piece.remove(0, 1);
    const QStringList parts = piece.split(QLatin1Char(':'));
    const std::optional<C> key = ColumnOfKey(parts[0].trimmed());
    if (!key || parts.size() > 2) return std::nullopt;
    column.Column = *key;
    column.Width = ColumnInfo(*key).Width;
    if (parts.size() == 2) {
        bool ok = false;
        column.Width = parts[1].trimmed().toInt(&ok);
        if (!ok || column.Width < kMinColumnWidth || column.Width > kMaxColumnWidth)
            return std::nullopt;
    }
    return column;
}

std::vector<DetailsHeaderColumn> ParseColumns(const QString& text) {
    std::vector<DetailsHeaderColumn> columns;
    bool seen[kDetailsColumnCount] = {};
    for (const QString& piece : text.split(QLatin1Char(','))) {
        const std::optional<DetailsHeaderColumn> column = ColumnPiece(piece);
        if (!column || seen[int(column->Column)]) continue;
        seen[int(column->Column)] = true;
        columns.push_back(*column);
    }
    for (const DetailsColumnInfo& info : kColumns)
        if (!seen[int(info.Column)]) columns.push_back({info.Column, false, info.Width});
    return columns;
}

} // namespace

DetailsHeaderState ParseDetailsHeader(const QString& columns, const QString& sort) {
    DetailsHeaderState state;
    state.Columns = ParseColumns(columns);
    const bool anyShown = std::any_of(state.Columns.begin(), state.Columns.end(),
                                      [](const DetailsHeaderColumn& c) { return c.Visible; });
    if (!anyShown) state.Columns = ParseColumns(QLatin1String(kDefaultDetailsColumns));
    const QStringList parts = sort.trimmed().split(QLatin1Char(':'));
    const std::optional<C> key = ColumnOfKey(parts[0].trimmed());
    const QString direction = parts.value(1).trimmed();
    if (key && parts.size() <= 2 &&
        (direction.isEmpty() || direction == QLatin1String("asc") ||
         direction == QLatin1String("desc"))) {
        state.SortColumn = key;
        state.Descending = direction == QLatin1String("desc");
    }
    return state;
}

} // namespace gonilux::browser
