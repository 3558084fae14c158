// The report window's ratings page: the LCS diagram with the outdoor figures (the page's
// picture), the luminance, UGR and CU tables, and the notes where a figure is undefined.
#include "diagram/ratings_chart.h"
#include "photometry/ldt_reader.h"
#include "platform/shell_actions.h"
#include "preview_source.h"
#include "report_window.h"
#include "table_columns.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace gonilux::auxwindows {

tRatingInput PreviewSource::ratingInput() const {
    return {.Eulumdat = IsLdtFileName(currentFile().toStdString()), .Distribution = {}};
}

namespace {

constexpr double kSpacings[] = {0.25, 1.0}; // the UGR table's S / H, as the combo box offers

QTableWidget* MakeRatingTable(const char* name, QWidget* parent) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setAlternatingRowColors(true);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    return table;
}

QTableWidgetItem* Item(const QString& text, Qt::Alignment alignment) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

// The table's cells, below a first row of the group captions when it has groups.
void FillTable(QTableWidget* table, const RatingTableText& text) {
    table->clear();
    table->clearSpans();
    const int first = text.Groups.isEmpty() ? 0 : 1;
    const int columns = static_cast<int>(text.Columns.size());
    table->setRowCount(static_cast<int>(text.Rows.size()) + first);
    table->setColumnCount(columns);
    table->setHorizontalHeaderLabels(text.Columns);
    table->setVerticalHeaderLabels((first ? QStringList{QString()} : QStringList()) + text.Rows);
    for (int g = 0; g < text.Groups.size(); ++g) {
        const int width = columns / static_cast<int>(text.Groups.size());
        table->setItem(0, g * width, Item(text.Groups[g], Qt::AlignHCenter));
        table->setSpan(0, g * width, 1, width);
    }
    for (std::size_t r = 0; r < text.Cells.size(); ++r)
        for (int c = 0; c < text.Cells[r].size(); ++c)
            table->setItem(static_cast<int>(r) + first, c, Item(text.Cells[r][c], Qt::AlignRight));
    StretchColumns(table);
}

// The LCS diagram on the left, the outdoor figures on the right.
void PaintRatingsPicture(QPainter& painter, const QRectF& area, const tRatings& ratings,
                         const ChartStyle& style) {
    painter.fillRect(area, style.Background);
    const double split = std::max(area.width() * 0.6, area.width() - style.FontPixels * 26);
    PaintLcsDiagram(painter, QRectF(area.topLeft(), QSizeF(split, area.height())),
                    ratings.Outdoor.Lcs, style);
    const std::vector<std::pair<QString, QString>> rows = OutdoorRatingRows(ratings.Outdoor);
    const double row = style.FontPixels * 1.8;
    const double height = row * static_cast<double>(rows.size());
    PaintRatingRows(painter,
                    QRectF(area.left() + split, area.center().y() - height / 2,
                           area.width() - split - 8, height),
                    rows, row, style);
}

} // namespace

QWidget* ReportWindow::buildRatingsPage() {
    auto* splitter = new QSplitter(Qt::Vertical, tabs_);
    splitter->setObjectName(QStringLiteral("RatingsSplitter"));
    auto* top = new QWidget(splitter);
    auto* layout = new QVBoxLayout(top);
    layout->setContentsMargins(0, 0, 0, 0);
    views_[Ratings] = new ReportChartView(
        [this](QPainter& p, const QRectF& area) {
            PaintRatingsPicture(p, area, ratings_, chartStyle());
        },
        {}, top);
    views_[Ratings]->setObjectName(QStringLiteral("RatingsView"));
    ratingNotes_ = new QLabel(top);
    ratingNotes_->setObjectName(QStringLiteral("LabelRatingNotes"));
    ratingNotes_->setWordWrap(true);
    ratingNotes_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(views_[Ratings], 1);
    layout->addWidget(ratingNotes_);
    splitter->addWidget(top);
    splitter->addWidget(buildRatingTables(splitter));
    splitter->setStretchFactor(0, 5);
    splitter->setStretchFactor(1, 4);
    return splitter;
}

QWidget* ReportWindow::buildRatingTables(QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* tables = new QTabWidget(box);
    tables->setObjectName(QStringLiteral("RatingTables"));
    auto* ugrPage = new QWidget(tables);
    auto* ugrLayout = new QVBoxLayout(ugrPage);
    auto* row = new QHBoxLayout;
    ugrSpacing_ = new QComboBox(ugrPage);
    ugrSpacing_->setObjectName(QStringLiteral("ComboUgrSpacing"));
    for (double spacing : kSpacings)
        ugrSpacing_->addItem(QStringLiteral("S = %1H").arg(spacing, 0, 'f', 2));
    ugrSpacing_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    row->addWidget(new QLabel(tr("灯具间距"), ugrPage));
    row->addWidget(ugrSpacing_);
    row->addStretch(1);
    ugrLayout->addLayout(row);
    ugrTable_ = MakeRatingTable("UgrTable", ugrPage);
    ugrLayout->addWidget(ugrTable_, 1);
    cuTable_ = MakeRatingTable("CuTable", tables);
    luminance_ = MakeRatingTable("LuminanceTable", tables);
    tables->addTab(ugrPage, tr("统一眩光值"));
    tables->addTab(cuTable_, tr("利用系数 (%)"));
    tables->addTab(luminance_, tr("亮度 (cd/m²)"));
    layout->addWidget(tables, 1);
    auto* buttons = new QHBoxLayout;
    auto* copy = new QPushButton(tr("复制"), box);
    copy->setObjectName(QStringLiteral("ButtonCopyRatings"));
    buttons->addStretch(1);
    buttons->addWidget(copy);
    layout->addLayout(buttons);
    connect(ugrSpacing_, &QComboBox::currentIndexChanged, this, &ReportWindow::recomputeUgr);
    connect(copy, &QPushButton::clicked, this, &ReportWindow::copyRatings);
    return box;
}

void ReportWindow::fillRatings() {
    ratingsStale_ = false;
    ratings_ = ComputeRatings(ies_, source_.ratingInput());
    cu_ = ratings_.Valid ? ComputeCuTable(ies_) : tCuTable{};
    FillTable(luminance_, LuminanceTableText(ratings_.Luminance));
    FillTable(cuTable_, CuTableText(cu_));
    recomputeUgr();
}

void ReportWindow::recomputeUgr() {
    const double spacing = kSpacings[std::clamp(ugrSpacing_->currentIndex(), 0, 1)];
    ugr_ = ratings_.Valid ? ComputeUgrTable(ies_, spacing) : tUgrTable{};
    ugr_.Spacing = spacing;
    fillUgr();
}

void ReportWindow::fillUgr() {
    FillTable(ugrTable_, UgrTableText(ugr_));
    const QStringList notes = file_.isEmpty() ? QStringList() : RatingNotes(ratings_, &ugr_);
    ratingNotes_->setText(notes.join('\n'));
    ratingNotes_->setVisible(!notes.isEmpty());
    views_[Ratings]->update();
}

void ReportWindow::copyRatings() {
    if (ratings_.Valid)
        platform::ShellActions::instance()->copyText(RatingsText(ratings_, ugr_, cu_));
}

} // namespace gonilux::auxwindows
