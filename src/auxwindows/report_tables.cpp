// The report window's tables, its overlay page and what it writes: CSV, page pictures and the
// datasheet PDF.
#include "diagram/datasheet.h"
#include "diagram/diagram_file.h"
#include "diagram/diagram_text.h"
#include "platform/message_service.h"
#include "platform/native_names.h"
#include "platform/shell_actions.h"
#include "preview_source.h"
#include "report_pages.h"
#include "report_window.h"
#include "table_columns.h"

#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QTabWidget>
#include <QTableWidget>
#include <algorithm>

namespace gonilux::auxwindows {
namespace {

QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment = Qt::AlignRight) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

void ResetTable(QTableWidget* table, int rows, const QStringList& columns) {
    table->clear();
    table->setRowCount(rows);
    table->setColumnCount(static_cast<int>(columns.size()));
    table->setHorizontalHeaderLabels(columns);
}

void ReportFailure(const QString& text, const QString& path, const QString& reason) {
    platform::MessageService::instance()->show(QStringLiteral("Gonilux"),
                                               text.arg(QDir::toNativeSeparators(path), reason),
                                               platform::MessageService::Icon::Error);
}

QStringList ZoneCells(const ZoneFlux& zone, int lumenDecimals) {
    const int percent = FigureRuleOf(FigureKind::Percent).Decimals;
    return {QString::fromStdString(ZoneName(zone)) + QChar(0x00B0),
            GroupedFixed(zone.Lumens, lumenDecimals), GroupedFixed(zone.PercentLamp, percent),
            GroupedFixed(zone.PercentLuminaire, percent)};
}

} // namespace

void ReportWindow::fillCandela() {
    candela_->setUpdatesEnabled(false);
    const QString plane = ies_.PhotometricType == 1 ? QStringLiteral("C") : QStringLiteral("H");
    const int planes = LabelDecimals(table_.Planes);
    const int angles = LabelDecimals(table_.Angles);
    const int decimals = CandelaDecimals(table_);
    QStringList columns;
    for (double angle : table_.Planes)
        columns.append(plane + CandelaCell(angle, planes));
    ResetTable(candela_, static_cast<int>(table_.Angles.size()), columns);
    QStringList rows;
    for (double angle : table_.Angles)
        rows.append(CandelaCell(angle, angles) + QChar(0x00B0));
    candela_->setVerticalHeaderLabels(rows);
    for (std::size_t a = 0; a < table_.Values.size(); ++a)
        for (std::size_t p = 0; p < table_.Values[a].size(); ++p)
            candela_->setItem(static_cast<int>(a), static_cast<int>(p),
                              Cell(CandelaCell(table_.Values[a][p], decimals)));
    candela_->setUpdatesEnabled(true);
    const QString unit = table_.Valid ? tr("光强 (%1)").arg(CandelaUnitText(table_)) : QString();
    candela_->setToolTip(unit);
    candelaUnit_->setText(unit);
}

void ReportWindow::fillZonal() {
    const ZonalSummary zonal = ComputeZonal(ies_);
    std::vector<ZoneFlux> zones = zonal.Zones;
    zones.insert(zones.end(), zonal.TenDegreeZones.begin(), zonal.TenDegreeZones.end());
    ResetTable(zonal_, static_cast<int>(zones.size()),
               {tr("区域"), tr("光通量 (lm)"), tr("占灯泡光通量 %"), tr("占灯具光通量 %")});
    const int lumenDecimals = ZonalDecimals(zonal);
    for (std::size_t i = 0; i < zones.size(); ++i) {
        const QStringList cells = ZoneCells(zones[i], lumenDecimals);
        for (int c = 0; c < cells.size(); ++c)
            zonal_->setItem(static_cast<int>(i), c,
                            Cell(cells[c], c ? Qt::AlignRight : Qt::AlignLeft));
    }
    zonal_->verticalHeader()->hide();
    StretchColumns(zonal_);
    QStringList codes;
    for (double code : zonal.CieFluxCodes)
        codes.append(GroupedFigure(code, FigureKind::FluxCode));
    cieCodes_->setText(zonal.Valid ? tr("灯具光通量 %1 lm    灯泡光通量 %2 lm    CIE 光通码 %3")
                                         .arg(GroupedFigure(zonal.LuminaireFlux, FigureKind::Flux),
                                              GroupedFigure(zonal.LampFlux, FigureKind::Flux),
                                              codes.join(' '))
                                   : QString());
}

void ReportWindow::fillCone() {
    const std::vector<ConeRow> rows = ComputeCone(ies_);
    const tSpreadPlanes planes = ComputeMetrics(ies_).SpreadPlanes;
    const QString first = QString::fromStdString(SpreadPlaneName(planes, 0));
    const QString second = QString::fromStdString(SpreadPlaneName(planes, 1));
    ResetTable(cone_, static_cast<int>(rows.size()),
               {tr("距离 (m)"), tr("照度 (lx)"), tr("光束直径 %1 (m)").arg(first),
                tr("光束直径 %1 (m)").arg(second), tr("场直径 %1 (m)").arg(first),
                tr("场直径 %1 (m)").arg(second)});
    std::vector<double> distances, lux;
    for (const ConeRow& r : rows) {
        distances.push_back(r.Distance);
        lux.push_back(r.Lux);
    }
    const int luxDecimals = TableDecimals(FigureKind::Illuminance, lux);
    const int metres = FigureRuleOf(FigureKind::Metres).Decimals;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ConeRow& r = rows[i];
        const QStringList cells = {GroupedFixed(r.Distance, LabelDecimals(distances)),
                                   GroupedFixed(r.Lux, luxDecimals),
                                   GroupedFixed(r.BeamDiameter0, metres),
                                   GroupedFixed(r.BeamDiameter90, metres),
                                   GroupedFixed(r.FieldDiameter0, metres),
                                   GroupedFixed(r.FieldDiameter90, metres)};
        for (int c = 0; c < cells.size(); ++c)
            cone_->setItem(static_cast<int>(i), c, Cell(cells[c]));
    }
    cone_->verticalHeader()->hide();
    StretchColumns(cone_);
}

void ReportWindow::refreshOverlay() {
    overlay_ = PlanOverlay(source_.selectedRecords(kMaxOverlayFiles + 1));
    overlayIes_.assign(overlay_.Records.size(), tIES{});
    std::vector<const tIES*> records;
    std::vector<QString> names;
    for (std::size_t i = 0; i < overlay_.Records.size(); ++i) {
        CopyIes(*overlay_.Records[i].Ies, overlayIes_[i]); // the list's records may go away
        overlay_.Records[i].Ies = &overlayIes_[i];
        records.push_back(&overlayIes_[i]);
        names.push_back(overlay_.Records[i].Caption);
    }
    overlayChart_ = BuildCartesianChart(records, names, {.Absolute = true});
    fillOverlay();
}

void ReportWindow::fillOverlay() {
    overlayHint_->setText(overlay_.Hint);
    overlayHint_->setVisible(!overlay_.Hint.isEmpty());
    views_[Overlay]->setVisible(overlay_.Drawn());
    overlayFigures_->setVisible(overlay_.Drawn());
    std::vector<tMetrics> metrics;
    QStringList columns{tr("参数")};
    for (const SelectedRecord& record : overlay_.Records) {
        metrics.push_back(ComputeMetrics(*record.Ies));
        columns.append(record.Caption);
    }
    const std::vector<QStringList> rows = FigureRows(metrics);
    ResetTable(overlayFigures_, static_cast<int>(rows.size()), columns);
    for (int c = 1; c < columns.size(); ++c)
        overlayFigures_->horizontalHeaderItem(c)->setForeground(RecordColor(c - 1));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            overlayFigures_->setItem(static_cast<int>(r), c,
                                     Cell(rows[r][c], c ? Qt::AlignRight : Qt::AlignLeft));
    overlayFigures_->verticalHeader()->hide();
    StretchColumns(overlayFigures_);
    views_[Overlay]->update();
}

void ReportWindow::paintOverlay(QPainter& painter, const QRectF& area) const {
    const double polarWidth = std::min(area.height(), area.width() * 0.45);
    const QRectF polar(area.left(), area.top(), polarWidth, area.height());
    PaintOverlayPolar(painter, polar, overlayChart_, chartStyle());
    PaintCartesianChart(painter, area.adjusted(polarWidth, 0, 0, 0), overlayChart_, chartStyle());
}

void ReportWindow::copyCandela() {
    if (table_.Valid) platform::ShellActions::instance()->copyText(CandelaText(table_));
}

bool ReportWindow::saveCandelaCsv(const QString& path) {
    QString error;
    if (!table_.Valid)
        error = tr("没有可用的光强表");
    else if (WriteReportFile(path, QByteArray::fromStdString(CandelaCsv(table_)), error))
        return true;
    ReportFailure(tr("无法保存文件\r%1\r%2"), path, error);
    return false;
}

bool ReportWindow::exportPage(Page page, const QString& path, QSize size) {
    const ReportChartView* shown = view(page);
    QString error = tr("此页不是图表");
    if (shown && WriteReportPicture(path, size, shown->paintFunction(), error, pictureName_))
        return true;
    ReportFailure(tr("无法保存图像\r%1\r%2"), path, error);
    return false;
}

DatasheetInput ReportWindow::datasheetInput() const {
    DatasheetInput input = LoadDatasheetInput(platform::NativePath(file_).toStdString(),
                                              {height_->value(), area_->value()});
    input.Plane = plane_;
    input.Lengths = options_.Lengths;
    return input;
}

bool ReportWindow::writeDatasheet(const QString& path) {
    QString error = tr("没有显示的文件");
    if (!file_.isEmpty()) {
        const DatasheetInput input = datasheetInput();
        if (!input.Ok)
            error = input.Error;
        else if (WriteReportPdf(path, {input}, {}, error))
            return true;
    }
    ReportFailure(tr("无法保存报告\r%1\r%2"), path, error);
    return false;
}

QString ReportWindow::suggestedPath(const QString& suffix) const {
    const QFileInfo file(file_);
    const QString base = file_.isEmpty() ? QStringLiteral("report") : PictureFileName(pictureName_);
    return file.absoluteDir().filePath(base + QLatin1Char('.') + suffix);
}

void ReportWindow::saveCandelaCsvClick() {
    const QString path = QFileDialog::getSaveFileName(this, tr("另存为CSV"), suggestedPath("csv"),
                                                      tr("CSV 文件 (*.csv)"));
    if (!path.isEmpty()) saveCandelaCsv(path);
}

void ReportWindow::exportPageClick() {
    const auto page = static_cast<Page>(tabs_->currentIndex());
    const ReportChartView* shown = view(page);
    if (!shown) return;
    QString filter;
    QString path = QFileDialog::getSaveFileName(
        this, tr("导出图像"), suggestedPath("png"),
        tr("PNG 图像 (*.png)") + ";;" + tr("SVG 图像 (*.svg)") + ";;" + tr("PDF 文档 (*.pdf)"),
        &filter);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty())
        path += filter.contains("svg") ? ".svg" : filter.contains("pdf") ? ".pdf" : ".png";
    exportPage(page, path, shown->size().expandedTo(QSize(400, 300)));
}

void ReportWindow::datasheetClick() {
    const QString path = QFileDialog::getSaveFileName(this, tr("整份报告PDF"), suggestedPath("pdf"),
                                                      tr("PDF 文档 (*.pdf)"));
    if (!path.isEmpty()) writeDatasheet(path);
}

} // namespace gonilux::auxwindows
