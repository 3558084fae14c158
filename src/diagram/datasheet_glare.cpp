// The datasheet's glare page: the standard UGR table and the luminance table.
#include "diagram/datasheet_parts.h"
#include "diagram/ratings_chart.h"

#include <QCoreApplication>
#include <QPainter>

namespace gonilux::sheet {

namespace {

constexpr double kRow = 12;     // a table row
constexpr double kRoomCol = 30; // the UGR table's X and Y columns
constexpr double kFont = 8;

QString Tr(const char* text) {
    return QCoreApplication::translate("Datasheet", text);
}

const QColor kHeaderFill(0xe3, 0xe9, 0xf3);

void Cell(QPainter& painter, const QRectF& box, const QString& text, bool header,
          int flags = Qt::AlignCenter) {
    Text(painter, box.adjusted(2, 0, -2, 0), text, kFont, header, header ? kAccent : Qt::black,
         flags | Qt::AlignVCenter);
}

// Ceiling, walls and floor reflectances over both halves, then the room and viewing row.
double PaintUgrHeader(QPainter& painter, double x, double y, double column) {
    const QString names[] = {Tr(QT_TRANSLATE_NOOP("Datasheet", "顶棚 %")),
                             Tr(QT_TRANSLATE_NOOP("Datasheet", "墙面 %")),
                             Tr(QT_TRANSLATE_NOOP("Datasheet", "地面 %"))};
    const double width = 2 * kRoomCol + 10 * column;
    painter.fillRect(QRectF(x, y, width, 4 * kRow), kHeaderFill);
    for (int r = 0; r < 3; ++r, y += kRow) {
        Cell(painter, QRectF(x, y, 2 * kRoomCol, kRow), names[r], true, Qt::AlignLeft);
        for (int c = 0; c < 10; ++c) {
            const tReflectances& set = kUgrReflectances[static_cast<std::size_t>(c % 5)];
            const int value = r == 0 ? set.Ceiling : r == 1 ? set.Walls : set.Floor;
            Cell(painter, QRectF(x + 2 * kRoomCol + c * column, y, column, kRow),
                 QString::number(value), true);
        }
    }
    Cell(painter, QRectF(x, y, kRoomCol, kRow), QStringLiteral("X"), true);
    Cell(painter, QRectF(x + kRoomCol, y, kRoomCol, kRow), QStringLiteral("Y"), true);
    Cell(painter, QRectF(x + 2 * kRoomCol, y, 5 * column, kRow),
         Tr(QT_TRANSLATE_NOOP("Datasheet", "横向观察")), true);
    Cell(painter, QRectF(x + 2 * kRoomCol + 5 * column, y, 5 * column, kRow),
         Tr(QT_TRANSLATE_NOOP("Datasheet", "纵向观察")), true);
    return y + kRow;
}

// The 19 rooms, X shown once per group, a rule between groups; returns the bottom.
double PaintUgrRows(QPainter& painter, double x, double y, double column, const tUgrTable& ugr) {
    const double width = 2 * kRoomCol + 10 * column;
    painter.setPen(QPen(kAccent, 0.5));
    painter.drawLine(QPointF(x + 2 * kRoomCol + 5 * column, y - 4 * kRow),
                     QPointF(x + 2 * kRoomCol + 5 * column, y + kUgrRooms.size() * kRow));
    for (std::size_t r = 0; r < kUgrRooms.size(); ++r, y += kRow) {
        const tUgrRoom& room = kUgrRooms[r];
        const bool first = r == 0 || kUgrRooms[r - 1].X != room.X;
        if (first && r > 0) {
            painter.setPen(QPen(QColor(0xc8, 0xd2, 0xe4), 0.6));
            painter.drawLine(QPointF(x, y), QPointF(x + width, y));
        }
        if (first)
            Cell(painter, QRectF(x, y, kRoomCol, kRow), QStringLiteral("%1H").arg(room.X), false);
        Cell(painter, QRectF(x + kRoomCol, y, kRoomCol, kRow), QStringLiteral("%1H").arg(room.Y),
             false);
        for (int c = 0; c < 10; ++c) {
            const auto& values = c < 5 ? ugr.Crosswise[r] : ugr.Endwise[r];
            Cell(painter, QRectF(x + 2 * kRoomCol + c * column, y, column, kRow),
                 UgrCell(values[static_cast<std::size_t>(c % 5)]), false);
        }
    }
    return y;
}

double PaintLuminance(QPainter& painter, double x, double y, double width,
                      const tLuminanceTable& luminance) {
    const double column = width / 4;
    painter.fillRect(QRectF(x, y, width, kRow), kHeaderFill);
    Cell(painter, QRectF(x, y, column, kRow), QStringLiteral("γ"), true);
    const QStringList planes = LuminancePlaneLabels();
    for (int c = 0; c < 3; ++c)
        Cell(painter, QRectF(x + (c + 1) * column, y, column, kRow), planes[c], true);
    y += kRow;
    for (std::size_t a = 0; a < tLuminanceTable::Angles.size(); ++a, y += kRow) {
        if (a % 2 == 1) painter.fillRect(QRectF(x, y, width, kRow), QColor(0xf2, 0xf4, 0xf8));
        Cell(painter, QRectF(x, y, column, kRow),
             QStringLiteral("%1°").arg(tLuminanceTable::Angles[a]), false);
        for (std::size_t c = 0; c < 3; ++c)
            Cell(painter, QRectF(x + (static_cast<double>(c) + 1) * column, y, column, kRow),
                 luminance.Valid ? LuminanceCell(luminance.Values[a][c]) : QStringLiteral("–"),
                 false);
    }
    return y;
}

} // namespace

void PaintGlarePage(QPainter& painter, const DatasheetInput& in) {
    const double width = DatasheetPageSize().width() - 2 * kMargin;
    const double column = (width - 2 * kRoomCol) / 10;
    double y = SectionTitle(painter, kMargin, kRowA, width,
                            Tr(QT_TRANSLATE_NOOP("Datasheet", "统一眩光值 UGR（间距 S = 0.25H）")));
    if (in.Ugr.Valid) {
        y = PaintUgrHeader(painter, kMargin, y, column);
        y = PaintUgrRows(painter, kMargin, y, column, in.Ugr);
        Text(painter, QRectF(kMargin, y + 3, width, kRow),
             Tr(QT_TRANSLATE_NOOP(
                 "Datasheet", "房间尺寸以安装高度 H（灯具至眼睛高度）的倍数表示；CIE 190 表格法")),
             7, false, kMuted, Qt::AlignLeft | Qt::AlignVCenter);
        y += kRow + 12;
    } else {
        const QString note = in.Ugr.Note.empty()
                                 ? Tr(QT_TRANSLATE_NOOP("Datasheet", "UGR 无法确定"))
                                 : RatingNoteText(in.Ugr.Note);
        Text(painter, QRectF(kMargin, y + 4, width, 2 * kRow), note, 9, false, kMuted,
             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap);
        y += 3 * kRow + 12;
    }
    const double half = (width - kGap) / 2;
    const double top = y;
    y = SectionTitle(painter, kMargin, top, half,
                     Tr(QT_TRANSLATE_NOOP("Datasheet", "亮度 (cd/m²)")));
    PaintLuminance(painter, kMargin, y, half, in.Ratings.Luminance);
    const QStringList notes = RatingNotes(in.Ratings, &in.Ugr);
    if (notes.isEmpty()) return;
    y = SectionTitle(painter, kMargin + half + kGap, top, half,
                     Tr(QT_TRANSLATE_NOOP("Datasheet", "说明")));
    Text(painter, QRectF(kMargin + half + kGap, y, half, 8 * kRow), notes.join('\n'), 8, false,
         Qt::black, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
}

} // namespace gonilux::sheet
