#include "print_page.h"

#include "diagram/background.h"
#include "diagram/diagram_text.h"
#include "diagram/goniogram.h"
#include "photometry/text_encoding.h"
#include "platform/message_service.h"
#include "preview_source.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <cmath>
#include <cstdlib>

namespace gonilux::auxwindows {

PageGeometry ComputePageGeometry(int width, int height, int fontHeight) {
    PageGeometry g;
    g.Width = width;
    g.Height = height;
    g.Side = std::min(width, height);
    g.TextHeight =
        static_cast<int>(std::nearbyint(static_cast<double>(fontHeight) * g.Side / kReferenceSide));
    if (g.TextHeight == 0) g.TextHeight = -1;
    const int textBlock = std::abs(5 * g.TextHeight);
    if (height < textBlock + g.Side) g.Side = height - textBlock - 2;
    g.Scale = static_cast<double>(g.Side) / kReferenceSide;
    if (g.Scale == 0) g.Scale = 1.0;
    g.TextLeft = std::abs(g.TextHeight) / 2;
    g.FirstLine = g.Side - 1;
    return g;
}

QStringList PrintHeaderLines(const std::vector<std::string>& titles) {
    static const std::pair<const char*, int> kLines[] = {
        {QT_TRANSLATE_NOOP("PrintPage", "Manufacturer: "), TitleManufacturer},
        {QT_TRANSLATE_NOOP("PrintPage", "Luminaire catalog: "), TitleLuminaireCatalog},
        {QT_TRANSLATE_NOOP("PrintPage", "Luminaire: "), TitleLuminaire},
        {QT_TRANSLATE_NOOP("PrintPage", "Lamp catalog: "), TitleLampCatalog},
        {QT_TRANSLATE_NOOP("PrintPage", "Lamp: "), TitleLamp}};
    QStringList lines;
    for (const auto& [label, index] : kLines) {
        if (index >= static_cast<int>(titles.size())) continue;
        const std::string& value = titles[static_cast<std::size_t>(index)];
        if (!value.empty())
            lines << QCoreApplication::translate("PrintPage", label) +
                         QString::fromStdString(ToUtf8Windows1252(value));
    }
    return lines;
}

PageGeometry PaintPage(QPainter& painter, int width, int height, const PrintJob& job) {
    const PageGeometry g = ComputePageGeometry(width, height, job.Options.FontHeight);
    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    const QRect cell(0, 0, width, height);
    painter.setClipRect(cell);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::white);
    painter.drawRect(QRect(0, 0, width - 1, height - 1));

    painter.save();
    painter.setFont(MakeDiagramFont(g.TextHeight));
    painter.setPen(job.Options.TextColor.isValid() ? job.Options.TextColor : QColor(Qt::black));
    int y = g.FirstLine;
    for (const QString& line : PrintHeaderLines(job.Titles)) {
        DrawTextAt(painter, g.TextLeft, y, line);
        y += std::abs(g.TextHeight);
    }
    painter.restore();

    DrawBackground(painter, g.Side, g.Side, false);
    painter.setClipRect(QRect(0, 0, g.Side, g.Side), Qt::IntersectClip);
    if (job.Ies)
        DrawGoniogram(painter, g.Side, g.Side, *job.Ies, kModeFull, g.Scale, job.Plane,
                      job.Options);
    painter.setClipping(false);
    painter.restore();
    return g;
}

bool PrintDiagram(QPrinter& printer, const PrintJob& job, QString& error) {
    printer.setDocName(QString::fromLatin1(kPrintJobTitle));
    QPainter painter;
    if (!painter.begin(&printer)) {
        error = QCoreApplication::translate("PrintPage",
                                            "无法启动打印机。\r请检查打印机是否已安装并就绪。");
        return false;
    }
    PaintPage(painter, printer.width(), printer.height(), job); // the page ends whatever happened
    const bool ended = painter.end();
    if (!ended || printer.printerState() == QPrinter::Error) {
        error =
            QCoreApplication::translate("PrintPage", "打印机报告了错误, 该页可能没有打印出来。");
        return false;
    }
    return true;
}

void PrintWithDialog(QWidget* parent, const PreviewSource& source) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return;
    PrintJob job;
    job.Ies = &source.previewIes();
    job.Plane = source.planePosition();
    job.Options = source.diagramOptions();
    job.Titles = source.focusedTitles();
    QString error;
    if (!PrintDiagram(printer, job, error))
        platform::MessageService::instance()->show(QCoreApplication::translate("PrintPage", "打印"),
                                                   error, platform::MessageService::Icon::Error);
}

} // namespace gonilux::auxwindows
