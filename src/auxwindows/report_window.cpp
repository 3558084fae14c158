#include "report_window.h"

#include "diagram/diagram_file.h"
#include "diagram/diagram_text.h"
#include "diagram/isolux_chart.h"
#include "diagram/render_diagram.h"
#include "preview_source.h"

#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace gonilux::auxwindows {

ReportChartView::ReportChartView(PaintFunction paint, ReadoutFunction readout, QWidget* parent)
    : QWidget(parent), paint_(std::move(paint)), readout_(std::move(readout)) {
    setMouseTracking(true);
    setMinimumSize(240, 200);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QString ReportChartView::readoutAt(QPointF point) const {
    return readout_ ? readout_(QRectF(rect()), point) : QString();
}

void ReportChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setRenderHint(QPainter::Antialiasing);
    paint_(painter, QRectF(rect()));
}

void ReportChartView::mouseMoveEvent(QMouseEvent* event) {
    emit pointerText(readoutAt(event->position()));
    QWidget::mouseMoveEvent(event);
}

void ReportChartView::leaveEvent(QEvent* event) {
    emit pointerText(QString());
    QWidget::leaveEvent(event);
}

namespace {

// The largest square of `area`, centred, on whole pixels (the polar diagram's own layout).
QRect PolarSquare(const QRectF& area) {
    const int side = static_cast<int>(std::min(area.width(), area.height()));
    return QRect(static_cast<int>(area.left() + (area.width() - side) / 2),
                 static_cast<int>(area.top() + (area.height() - side) / 2), side, side);
}

QTableWidget* MakeTable(const char* name, QWidget* parent) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setAlternatingRowColors(true);
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    return table;
}

QDoubleSpinBox* MakeMetres(const char* name, double low, double high, double value,
                           QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setValue(value);
    box->setSuffix(QStringLiteral(" m"));
    return box;
}

} // namespace

ReportWindow::ReportWindow(const PreviewSource& source, QWidget* parent)
    // Owned by the main window, it stays above that window (not above other programs').
    : QWidget(parent, parent ? Qt::Tool : Qt::Window), source_(source) {
    setObjectName(QStringLiteral("ReportWindow"));
    setWindowTitle(tr("光度报告"));
    resize(860, 640);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("Pages"));
    layout->addWidget(tabs_, 1);
    buildPages();
    layout->addWidget(buildButtons());
    for (ReportChartView* view : views_)
        if (view) connect(view, &ReportChartView::pointerText, readout_, &QLabel::setText);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int page) {
        readout_->clear();
        exportButton_->setEnabled(view(static_cast<Page>(page)) != nullptr);
        if (page == Ratings && ratingsStale_) fillRatings();
    });
}

ChartStyle ReportWindow::chartStyle() const {
    ChartStyle style;
    style.FontPixels = std::max(9, QFontInfo(font()).pixelSize());
    return style;
}

ReportChartView* ReportWindow::view(Page page) const {
    return page >= 0 && page < PageCount ? views_[page] : nullptr;
}

void ReportWindow::buildPages() {
    views_[Cartesian] = new ReportChartView(
        [this](QPainter& p, const QRectF& area) {
            PaintCartesianChart(p, area, chart_, chartStyle());
        },
        [this](const QRectF& area, QPointF at) { return cartesianReadout(area, at); }, tabs_);
    views_[Polar] = new ReportChartView(
        [this](QPainter& p, const QRectF& area) { paintPolar(p, area); },
        [this](const QRectF& area, QPointF at) { return polarReadout(area, at); }, tabs_);
    views_[Cartesian]->setObjectName(QStringLiteral("CartesianView"));
    views_[Polar]->setObjectName(QStringLiteral("PolarView"));
    tabs_->addTab(views_[Cartesian], tr("直角坐标"));
    tabs_->addTab(views_[Polar], tr("极坐标"));
    tabs_->addTab(buildIsoluxPage(), tr("等照度"));
    tabs_->addTab(buildCandelaPage(), tr("光强表"));
    tabs_->addTab(buildZonalPage(), tr("区域光通量"));
    cone_ = MakeTable("ConeTable", tabs_);
    tabs_->addTab(cone_, tr("光锥"));
    tabs_->addTab(buildRatingsPage(), tr("等级评定"));
    tabs_->addTab(buildOverlayPage(), tr("叠加比较"));
}

QWidget* ReportWindow::buildIsoluxPage() {
    auto* page = new QWidget(tabs_);
    auto* layout = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    height_ = MakeMetres("SpinBoxHeight", 0.5, 100, 3, page);
    area_ = MakeMetres("SpinBoxArea", 1, 500, 10, page);
    isoluxFigures_ = new QLabel(page);
    isoluxFigures_->setObjectName(QStringLiteral("LabelIsolux"));
    row->addWidget(new QLabel(tr("安装高度"), page));
    row->addWidget(height_);
    row->addSpacing(12);
    row->addWidget(new QLabel(tr("区域边长"), page));
    row->addWidget(area_);
    row->addSpacing(12);
    row->addWidget(isoluxFigures_, 1);
    layout->addLayout(row);
    views_[Isolux] = new ReportChartView(
        [this](QPainter& p, const QRectF& area) { PaintIsoluxChart(p, area, grid_, chartStyle()); },
        [this](const QRectF& area, QPointF at) { return isoluxReadout(area, at); }, page);
    views_[Isolux]->setObjectName(QStringLiteral("IsoluxView"));
    layout->addWidget(views_[Isolux], 1);
    for (QDoubleSpinBox* box : {height_, area_})
        connect(box, &QDoubleSpinBox::valueChanged, this, &ReportWindow::recomputeIsolux);
    return page;
}

QWidget* ReportWindow::buildCandelaPage() {
    auto* page = new QWidget(tabs_);
    auto* layout = new QVBoxLayout(page);
    candelaUnit_ = new QLabel(page);
    candelaUnit_->setObjectName(QStringLiteral("LabelCandelaUnit"));
    candela_ = MakeTable("CandelaTable", page);
    layout->addWidget(candelaUnit_);
    layout->addWidget(candela_, 1);
    auto* row = new QHBoxLayout;
    auto* copy = new QPushButton(tr("复制"), page);
    copy->setObjectName(QStringLiteral("ButtonCopy"));
    auto* save = new QPushButton(tr("另存为CSV"), page);
    save->setObjectName(QStringLiteral("ButtonSaveCsv"));
    row->addStretch(1);
    row->addWidget(copy);
    row->addWidget(save);
    layout->addLayout(row);
    connect(copy, &QPushButton::clicked, this, &ReportWindow::copyCandela);
    connect(save, &QPushButton::clicked, this, &ReportWindow::saveCandelaCsvClick);
    return page;
}

QWidget* ReportWindow::buildZonalPage() {
    auto* page = new QWidget(tabs_);
    auto* layout = new QVBoxLayout(page);
    cieCodes_ = new QLabel(page);
    cieCodes_->setObjectName(QStringLiteral("LabelCie"));
    cieCodes_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    zonal_ = MakeTable("ZonalTable", page);
    layout->addWidget(cieCodes_);
    layout->addWidget(zonal_, 1);
    return page;
}

QWidget* ReportWindow::buildOverlayPage() {
    auto* page = new QWidget(tabs_);
    auto* layout = new QVBoxLayout(page);
    overlayHint_ = new QLabel(page);
    overlayHint_->setObjectName(QStringLiteral("LabelOverlayHint"));
    overlayHint_->setWordWrap(true);
    views_[Overlay] = new ReportChartView(
        [this](QPainter& p, const QRectF& area) { paintOverlay(p, area); }, {}, page);
    views_[Overlay]->setObjectName(QStringLiteral("OverlayView"));
    overlayFigures_ = MakeTable("OverlayFigures", page);
    overlayFigures_->setMaximumHeight(overlayFigures_->fontMetrics().height() * 14);
    layout->addWidget(overlayHint_);
    layout->addWidget(views_[Overlay], 1);
    layout->addWidget(overlayFigures_);
    return page;
}

QWidget* ReportWindow::buildButtons() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    readout_ = new QLabel(bar);
    readout_->setObjectName(QStringLiteral("LabelReadout"));
    readout_->setMinimumWidth(280);
    exportButton_ = new QPushButton(tr("导出图像..."), bar);
    exportButton_->setObjectName(QStringLiteral("ButtonExport"));
    auto* sheet = new QPushButton(tr("整份报告PDF"), bar);
    sheet->setObjectName(QStringLiteral("ButtonDatasheet"));
    auto* close = new QPushButton(tr("关闭"), bar);
    close->setObjectName(QStringLiteral("ButtonClose"));
    row->addWidget(readout_, 1);
    row->addWidget(exportButton_);
    row->addWidget(sheet);
    row->addWidget(close);
    connect(exportButton_, &QPushButton::clicked, this, &ReportWindow::exportPageClick);
    connect(sheet, &QPushButton::clicked, this, &ReportWindow::datasheetClick);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    return bar;
}

void ReportWindow::showReport() {
    if (!isVisible())
        show(); // the show event takes the file
    else
        refresh();
    raise();
    activateWindow();
}

void ReportWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void ReportWindow::refresh() {
    ResetIes(ies_);
    file_ = source_.currentFile();
    if (!file_.isEmpty()) CopyIes(source_.previewIes(), ies_);
    options_ = source_.diagramOptions();
    options_.Center = false; // the readout measures from the square's centre
    pictureName_ = file_.isEmpty() ? QString() : PictureName(source_.focusedTitles(), file_);
    const QString name = QFileInfo(file_).fileName();
    setWindowTitle(name.isEmpty() ? tr("光度报告") : tr("光度报告") + QStringLiteral(" - ") + name);
    followPlane();
    table_ = BuildCandelaTable(ies_, options_.Multi);
    fillCandela();
    fillZonal();
    fillCone();
    ratingsStale_ = true; // computed when its page is shown
    if (tabs_->currentIndex() == Ratings) fillRatings();
    recomputeIsolux();
    refreshOverlay();
    for (ReportChartView* view : views_)
        if (view) view->update();
}

void ReportWindow::followPlane() {
    plane_ = source_.planePosition();
    chart_ = BuildCartesianChart(ies_, {.Absolute = options_.Multi, .ExtraPlane = plane_});
    views_[Cartesian]->update();
    views_[Polar]->update();
}

void ReportWindow::recomputeIsolux() {
    grid_ = ComputeIlluminanceGrid(ies_, height_->value(), area_->value());
    isoluxFigures_->setText(grid_.Valid
                                ? tr("最大 %1 lx    平均 %2 lx")
                                      .arg(GroupedFigure(grid_.Maximum, FigureKind::Illuminance),
                                           GroupedFigure(grid_.Average, FigureKind::Illuminance))
                                : QString());
    views_[Isolux]->update();
}

void ReportWindow::paintPolar(QPainter& painter, const QRectF& area) const {
    const QRect square = PolarSquare(area);
    if (square.width() <= 0) return;
    painter.save();
    painter.translate(square.topLeft());
    const int flags = file_.isEmpty() ? RenderBackground : RenderBackground | RenderDiagramCurves;
    PaintDiagram(painter, square.width(), square.height(), ies_, flags, plane_, options_);
    painter.restore();
}

QString ReportWindow::polarReadout(const QRectF& area, QPointF point) const {
    const QRect square = PolarSquare(area);
    if (file_.isEmpty() || !QRectF(square).contains(point)) return {};
    const QPointF centre(square.left() + square.width() / 2, square.top() + square.height() / 2);
    return ReadingText(PolarReading(ies_, plane_, options_.Multi, point - centre));
}

QString ReportWindow::cartesianReadout(const QRectF& area, QPointF point) const {
    return ReadingText(
        CartesianReading(chart_, CartesianLayout(chart_, area, chartStyle()), point));
}

QString ReportWindow::isoluxReadout(const QRectF& area, QPointF point) const {
    const IsoluxLayout layout(grid_, area, chartStyle());
    if (!grid_.Valid || !layout.InPlot(point)) return {};
    const QPointF at = layout.ToMetres(point);
    return QStringLiteral("x %1 m  y %2 m  %3 lx")
        .arg(ReportNumber(at.x(), 2), ReportNumber(at.y(), 2),
             GroupedFigure(IlluminanceAt(ies_, grid_.Height, at.x(), at.y()),
                           FigureKind::Illuminance));
}

} // namespace gonilux::auxwindows
