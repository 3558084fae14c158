// Asking where and how large to export the preview's picture: the save dialog (which confirms
// replacing an existing file itself), then a small dialog with the size in pixels.
#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class QSpinBox;

namespace gonilux::mainwindow {

struct PictureExportChoice {
    QString Path; // ends in .png, .svg or .pdf
    int Size = 0; // side in pixels
};

// The size step: a spin box of kMinPictureSize..kMaxPictureSize pixels.
class PictureSizeDialog : public QDialog {
    Q_OBJECT
  public:
    PictureSizeDialog(const QString& fileName, int size, QWidget* parent = nullptr);
    int size() const;
    QSpinBox* sizeBox() const { return sizeBox_; }

  private:
    QSpinBox* sizeBox_;
};

// Runs both steps; nothing when the user cancels either. `suggestedPath` preselects a folder and
// name; `size` is the size offered.
std::optional<PictureExportChoice> AskPictureExport(QWidget* parent, const QString& suggestedPath,
                                                    int size);

} // namespace gonilux::mainwindow
