// The compare window: a large square diagram of one record that stays on screen while the user
// goes on browsing, and the map window: a grey picture of the previewed record's intensities.
#pragma once

#include "photometry/ies_record.h"

#include <QWidget>

namespace gonilux::auxwindows {

class PreviewSource;

class TBigGonioWin : public QWidget {
    Q_OBJECT
  public:
    explicit TBigGonioWin(const PreviewSource& source, QWidget* parent = nullptr);

    const tIES& CompareIes() const { return compareIes_; }
    int ComparePlane() const { return comparePlane_; }

  public slots:
    // Shows the window (which takes a snapshot), or takes a new snapshot when it is visible.
    void showCompare();
    // The snapshot: the previewed record and plane, and the selected item's caption.
    void FormShow();

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    const PreviewSource& source_;
    tIES compareIes_;
    int comparePlane_ = 0;
    bool centred_ = false;
};

class TMapWindow : public QWidget {
    Q_OBJECT
  public:
    explicit TMapWindow(const PreviewSource& source, QWidget* parent = nullptr);

  public slots:
    void showMap();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const PreviewSource& source_;
};

} // namespace gonilux::auxwindows
