#include "picture_export_dialog.h"

#include "diagram/diagram_file.h"
#include "picture_export.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QStringList>
#include <QVBoxLayout>

namespace gonilux::mainwindow {
namespace {

const char* const kSuffixes[] = {"png", "svg", "pdf"};

QStringList NameFilters() {
    return {PictureSizeDialog::tr("PNG 图像 (*.png)"), PictureSizeDialog::tr("SVG 图像 (*.svg)"),
            PictureSizeDialog::tr("PDF 文档 (*.pdf)")};
}

// The suffix of the chosen filter ("png" when none is recognised).
QString FilterSuffix(const QString& filter) {
    const int index = static_cast<int>(NameFilters().indexOf(filter));
    return QString::fromLatin1(kSuffixes[index > 0 ? index : 0]);
}

// The save dialog adds the suffix of the filter chosen last to a name that has none.
class PictureFileDialog : public QFileDialog {
  public:
    using QFileDialog::QFileDialog;

  protected:
    void accept() override {
        setDefaultSuffix(FilterSuffix(selectedNameFilter()));
        QFileDialog::accept();
    }
};

// The save dialog until it gives a picture file name whose replacing, if it exists, the dialog
// itself confirmed. A name without a known suffix takes the chosen filter's; when that name
// exists, the dialog asks again with it preselected.
std::optional<QString> AskPath(QWidget* parent, const QString& suggestedPath) {
    PictureFileDialog dialog(parent, PictureSizeDialog::tr("导出图像"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(NameFilters());
    const QString suffix = QFileInfo(suggestedPath).suffix().toLower();
    for (int i = 0; i < 3; ++i)
        if (suffix == QLatin1String(kSuffixes[i])) dialog.selectNameFilter(NameFilters()[i]);
    dialog.setDefaultSuffix(FilterSuffix(dialog.selectedNameFilter()));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& filter) { dialog.setDefaultSuffix(FilterSuffix(filter)); });
    dialog.selectFile(suggestedPath);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        QString path = dialog.selectedFiles().front();
        if (DiagramFormatOf(path) != DiagramFormat::Unknown) return path;
        path += QLatin1Char('.') + FilterSuffix(dialog.selectedNameFilter());
        if (!QFileInfo::exists(path)) return path;
        dialog.selectFile(path);
    }
}

} // namespace

PictureSizeDialog::PictureSizeDialog(const QString& fileName, int size, QWidget* parent)
    : QDialog(parent), sizeBox_(new QSpinBox(this)) {
    setObjectName(QStringLiteral("PictureSizeDialog"));
    setWindowTitle(tr("导出图像"));
    sizeBox_->setObjectName(QStringLiteral("SpinBoxSize"));
    sizeBox_->setRange(kMinPictureSize, kMaxPictureSize);
    sizeBox_->setSingleStep(16);
    sizeBox_->setSuffix(tr(" 像素"));
    sizeBox_->setValue(size);
    auto* form = new QFormLayout;
    form->addRow(tr("文件："), new QLabel(fileName, this));
    form->addRow(tr("尺寸（宽 = 高）："), sizeBox_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    sizeBox_->setFocus();
    sizeBox_->selectAll();
}

int PictureSizeDialog::size() const {
    return sizeBox_->value();
}

std::optional<PictureExportChoice> AskPictureExport(QWidget* parent, const QString& suggestedPath,
                                                    int size) {
    const std::optional<QString> path = AskPath(parent, suggestedPath);
    if (!path) return {};
    PictureSizeDialog sizeDialog(QFileInfo(*path).fileName(), size, parent);
    if (sizeDialog.exec() != QDialog::Accepted) return {};
    return PictureExportChoice{*path, sizeDialog.size()};
}

} // namespace gonilux::mainwindow
