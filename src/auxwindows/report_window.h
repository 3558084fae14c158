// The photometric report window ("光度报告"): pages of the shown file (cartesian and polar
// diagrams, isolux chart, candela and zonal tables, the cone of light, the ratings) and the
// overlay of the files selected in the list. It follows the shown file while it is open, like the
// compare window; the pointer over the diagrams reads the intensity of the curve under it.
#pragma once

#include "diagram/cartesian_chart.h"
#include "diagram/chart_axes.h"
#include "diagram/datasheet.h"
#include "diagram/diagram_options.h"
#include "photometry/ies_record.h"
#include "photometry/light_tables.h"
#include "photometry/ratings.h"
#include "report_model.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace gonilux::auxwindows {

class PreviewSource;

// A drawn page: paints itself through `Paint` into its whole rectangle and reports the text of
// `Readout` at the pointer (empty when the pointer leaves).
class ReportChartView : public QWidget {
    Q_OBJECT
  public:
    using PaintFunction = std::function<void(QPainter&, const QRectF&)>;
    using ReadoutFunction = std::function<QString(const QRectF&, QPointF)>;
    ReportChartView(PaintFunction paint, ReadoutFunction readout, QWidget* parent = nullptr);
    const PaintFunction& paintFunction() const { return paint_; }
    // The readout for a point of the view as it is now.
    QString readoutAt(QPointF point) const;

  signals:
    void pointerText(const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    PaintFunction paint_;
    ReadoutFunction readout_;
};

class ReportWindow : public QWidget {
    Q_OBJECT
  public:
    enum Page { Cartesian, Polar, Isolux, Candela, Zonal, Cone, Ratings, Overlay, PageCount };

    explicit ReportWindow(const PreviewSource& source, QWidget* parent = nullptr);

    // The shown file's record and its pages as last taken from the source.
    const tIES& ReportIes() const { return ies_; }
    const QString& ReportFile() const { return file_; }
    const QString& pictureName() const { return pictureName_; }
    const CartesianChart& cartesianChart() const { return chart_; }
    const IlluminanceGrid& isoluxGrid() const { return grid_; }
    const OverlayPlan& overlayPlan() const { return overlay_; }
    const CartesianChart& overlayChart() const { return overlayChart_; }
    ChartStyle chartStyle() const;

    QTabWidget* pages() const { return tabs_; }
    ReportChartView* view(Page page) const;
    QTableWidget* candelaTable() const { return candela_; }
    // "光强 (cd)" or "光强 (cd/klm)" above the candela table: the unit of its values.
    QLabel* candelaUnit() const { return candelaUnit_; }
    QTableWidget* zonalTable() const { return zonal_; }
    QTableWidget* coneTable() const { return cone_; }
    QTableWidget* overlayFigures() const { return overlayFigures_; }
    QDoubleSpinBox* heightBox() const { return height_; }
    QDoubleSpinBox* areaBox() const { return area_; }
    QLabel* isoluxFigures() const { return isoluxFigures_; }
    QLabel* cieCodes() const { return cieCodes_; }
    QLabel* overlayHint() const { return overlayHint_; }
    QLabel* readout() const { return readout_; }
    // The ratings page: the figures as last computed (when the page was shown), its tables, the
    // UGR table's spacing (0.25H or 1.0H) and the notes.
    const tRatings& ratings() const { return ratings_; }
    const tUgrTable& ugrValues() const { return ugr_; }
    QTableWidget* luminanceTable() const { return luminance_; }
    QTableWidget* ugrTable() const { return ugrTable_; }
    QTableWidget* cuTable() const { return cuTable_; }
    QComboBox* ugrSpacingBox() const { return ugrSpacing_; }
    QLabel* ratingNotes() const { return ratingNotes_; }
    QPushButton* exportButton() const { return exportButton_; }

    // The candela table as CSV into `path` (atomically); a failure is reported as a message.
    bool saveCandelaCsv(const QString& path);
    // The drawn page as PNG, SVG or PDF (by extension) at `size`; a failure is reported.
    bool exportPage(Page page, const QString& path, QSize size);
    // The datasheet of the shown file (read again) with the isolux page's height and area and
    // the diagrams' plane.
    DatasheetInput datasheetInput() const;
    // The datasheet PDF of the shown file; a failure is reported.
    bool writeDatasheet(const QString& path);

  public slots:
    // Shows the window (which takes the shown file), or takes it again when it is visible.
    void showReport();
    // Takes the shown file, the plane and the switches again and rebuilds every page.
    void refresh();
    // Takes the plane of the preview's slider again (the diagrams only).
    void followPlane();
    // Takes the files selected in the list again for the overlay page.
    void refreshOverlay();
    void copyCandela();
    // The ratings page's figures and tables as text to the clipboard.
    void copyRatings();
    void saveCandelaCsvClick();
    void exportPageClick();
    void datasheetClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildPages();
    QWidget* buildIsoluxPage();
    QWidget* buildCandelaPage();
    QWidget* buildZonalPage();
    QWidget* buildRatingsPage();
    QWidget* buildRatingTables(QWidget* parent);
    QWidget* buildOverlayPage();
    QWidget* buildButtons();
    void recomputeIsolux();
    void fillCandela();
    void fillZonal();
    void fillCone();
    // The ratings of the shown file, computed when the page is shown (stale until then).
    void fillRatings();
    void recomputeUgr();
    void fillUgr();
    void fillOverlay();
    void paintPolar(QPainter& painter, const QRectF& area) const;
    QString polarReadout(const QRectF& area, QPointF point) const;
    QString cartesianReadout(const QRectF& area, QPointF point) const;
    QString isoluxReadout(const QRectF& area, QPointF point) const;
    void paintOverlay(QPainter& painter, const QRectF& area) const;
    QString suggestedPath(const QString& suffix) const;

    const PreviewSource& source_;
    tIES ies_;
    QString file_;
    QString pictureName_; // the luminaire's name (or the file's) on exported pictures
    int plane_ = 0;
    DiagramOptions options_; // the switches as taken with the file
    CartesianChart chart_;
    IlluminanceGrid grid_;
    CandelaTable table_;
    OverlayPlan overlay_;
    std::vector<tIES> overlayIes_; // copies of the overlay's records
    CartesianChart overlayChart_;
    tRatings ratings_;
    tUgrTable ugr_;
    tCuTable cu_;
    bool ratingsStale_ = true;

    QTabWidget* tabs_ = nullptr;
    ReportChartView* views_[PageCount] = {};
    QTableWidget* candela_ = nullptr;
    QLabel* candelaUnit_ = nullptr;
    QTableWidget* zonal_ = nullptr;
    QTableWidget* cone_ = nullptr;
    QTableWidget* overlayFigures_ = nullptr;
    QDoubleSpinBox* height_ = nullptr;
    QDoubleSpinBox* area_ = nullptr;
    QLabel* isoluxFigures_ = nullptr;
    QLabel* cieCodes_ = nullptr;
    QLabel* overlayHint_ = nullptr;
    QTableWidget* luminance_ = nullptr;
    QTableWidget* ugrTable_ = nullptr;
    QTableWidget* cuTable_ = nullptr;
    QComboBox* ugrSpacing_ = nullptr;
    QLabel* ratingNotes_ = nullptr;
    QLabel* readout_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    bool placed_ = false;
};

} // namespace gonilux::auxwindows
