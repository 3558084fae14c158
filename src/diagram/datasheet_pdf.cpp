// The catalogue: contents pages of thumbnails, then the datasheets, written as one PDF.
#include "diagram/datasheet.h"
#include "diagram/datasheet_parts.h"
#include "diagram/diagram_text.h"
#include "diagram/render_diagram.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <cmath>

namespace gonilux {

using namespace sheet;

namespace {

constexpr int kColumns = 2;
constexpr int kRows = 7;
constexpr int kPerPage = kColumns * kRows;
constexpr double kCellHeight = 100;
constexpr double kThumb = 74;

QString Elided(const QString& text, double pixels, bool bold, double width) {
    return QFontMetricsF(ChartFont(pixels, bold)).elidedText(text, Qt::ElideRight, width);
}

void PaintThumbnail(QPainter& painter, const QRectF& box, const DatasheetInput& in) {
    if (!in.Ok) {
        painter.fillRect(box, QColor(0xf6, 0xe4, 0xe4));
        Text(painter, box, QStringLiteral("!"), 28, true, QColor(0xb0, 0x20, 0x20),
             Qt::AlignCenter);
        return;
    }
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(0.5, 0.5);
    const int pixels = static_cast<int>(box.width() * 2);
    PaintDiagram(painter, pixels, pixels, in.Ies,
                 RenderBackground | RenderDiagramCurves | RenderThumbnail, 0, DiagramOptions{});
    painter.restore();
}

QString SummaryLine(const DatasheetInput& in) {
    const tMetrics& m = in.Metrics;
    return GroupedFigureText(m.LuminaireFlux, FigureKind::Flux) + QStringLiteral("  ·  ") +
           GroupedFigureText(m.MaxIntensity, FigureKind::Intensity) + QStringLiteral("  ·  ") +
           QCoreApplication::translate("Datasheet", "光束角 %1")
               .arg(GroupedFigureText(BeamAngle(m), FigureKind::Angle));
}

void PaintEntry(QPainter& painter, const QRectF& cell, const DatasheetInput& in, int sheetPage) {
    PaintThumbnail(painter, QRectF(cell.left(), cell.top() + 6, kThumb, kThumb), in);
    const double x = cell.left() + kThumb + 10, width = cell.right() - x - 6;
    auto line = [&](int i) { return QRectF(x, cell.top() + 8 + i * 13, width, 12); };
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    Text(painter, line(0), Elided(in.FileName, 9, true, width), 9, true, Qt::black, flags);
    Text(painter, line(1), Elided(in.Luminaire, 8, false, width), 8, false, Qt::black, flags);
    Text(painter, line(2), Elided(in.Manufacturer, 8, false, width), 8, false, kMuted, flags);
    if (!in.Ok) {
        Text(painter, QRectF(x, line(3).top(), width, 38), in.Error, 8, false,
             QColor(0xb0, 0x20, 0x20), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
        return;
    }
    Text(painter, line(3), Elided(SummaryLine(in), 8, false, width), 8, false, Qt::black, flags);
    Text(painter, line(4), QCoreApplication::translate("Datasheet", "第 %1 页").arg(sheetPage), 8,
         false, kAccent, flags);
}

} // namespace

int CatalogueContentsPages(int count) {
    return count <= 0 ? 0 : (count + kPerPage - 1) / kPerPage;
}

void PaintCatalogueContents(QPainter& painter, const QRectF& page,
                            const std::vector<DatasheetInput>& entries, int pageIndex,
                            int firstSheet) {
    painter.save();
    BeginPage(painter, page);
    const double width = DatasheetPageSize().width() - 2 * kMargin;
    const int pages = CatalogueContentsPages(static_cast<int>(entries.size()));
    Text(painter, QRectF(kMargin, kMargin, width, 22),
         QCoreApplication::translate("Datasheet", "光度数据目录"), 15, true, Qt::black,
         Qt::AlignLeft | Qt::AlignVCenter);
    Text(painter, QRectF(kMargin, kMargin, width, 22),
         QCoreApplication::translate("Datasheet", "%1 个文件").arg(entries.size()), 9, false,
         kMuted, Qt::AlignRight | Qt::AlignVCenter);
    painter.setPen(QPen(kAccent, 1.4));
    painter.drawLine(QPointF(kMargin, kMargin + 28), QPointF(kMargin + width, kMargin + 28));
    int sheet = firstSheet; // the datasheet page of the first entry on this page
    for (int i = 0; i < pageIndex * kPerPage && i < static_cast<int>(entries.size()); ++i)
        sheet += DatasheetPages(entries[static_cast<std::size_t>(i)]);
    const double columnWidth = width / kColumns;
    for (int k = 0; k < kPerPage; ++k) {
        const int index = pageIndex * kPerPage + k;
        if (index >= static_cast<int>(entries.size())) break;
        const DatasheetInput& in = entries[static_cast<std::size_t>(index)];
        const QRectF cell(kMargin + (k % kColumns) * columnWidth,
                          kMargin + 40 + (k / kColumns) * kCellHeight, columnWidth, kCellHeight);
        PaintEntry(painter, cell, in, sheet);
        sheet += DatasheetPages(in);
    }
    Footer(painter,
           QCoreApplication::translate("Datasheet", "目录 %1 / %2").arg(pageIndex + 1).arg(pages));
    painter.restore();
}

namespace {

// Contents (for more than one entry) and datasheets, one or two pages each, on an open painter.
bool PaintCatalogue(QPainter& painter, QPdfWriter& pdf, const std::vector<DatasheetInput>& entries,
                    const std::function<bool(int, int)>& progress) {
    const QRectF page(0, 0, pdf.width(), pdf.height());
    const int count = static_cast<int>(entries.size());
    const int contents = count > 1 ? CatalogueContentsPages(count) : 0;
    bool first = true;
    auto next = [&] { return std::exchange(first, false) || pdf.newPage(); };
    for (int p = 0; p < contents; ++p) {
        if (!next()) return false;
        PaintCatalogueContents(painter, page, entries, p, contents + 1);
    }
    for (int i = 0; i < count; ++i) {
        if (progress && !progress(i, count)) return false;
        const DatasheetInput& in = entries[static_cast<std::size_t>(i)];
        const int pages = in.Ok ? DatasheetPages(in) : count > 1 ? 0 : 1;
        for (int p = 0; p < pages; ++p) {
            if (!next()) return false;
            PaintDatasheet(painter, page, in, p);
        }
    }
    return true;
}

} // namespace

bool WriteReportPdf(const QString& path, const std::vector<DatasheetInput>& entries,
                    const std::function<bool(int index, int count)>& progress, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        error = QCoreApplication::translate("DiagramFile", "cannot write %1: %2")
                    .arg(path, file.errorString());
        return false;
    }
    bool painted = false, cancelled = false;
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(72); // one device unit per point
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(QStringLiteral("Gonilux photometric report"));
        pdf.setCreator(QStringLiteral("Gonilux"));
        QPainter painter;
        if (painter.begin(&pdf)) {
            painted = PaintCatalogue(painter, pdf, entries, progress);
            cancelled = !painted;
            painted = painter.end() && painted;
        }
    }
    if (painted && file.error() == QFileDevice::NoError && file.commit()) return true;
    file.cancelWriting();
    error = QCoreApplication::translate("DiagramFile", "cannot write %1: %2")
                .arg(path, cancelled ? QCoreApplication::translate("Datasheet", "已取消")
                                     : file.errorString());
    return false;
}

} // namespace gonilux
