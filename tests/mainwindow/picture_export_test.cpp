// The preview's picture as a file and on the clipboard, the popup items that offer them, and the
// file list's filter field of the main window.
#include "browser/popup_menu.h"
#include "mainwindow/file_actions.h"
#include "mainwindow/options_panel.h"
#include "mainwindow/picture_export.h"
#include "mainwindow/picture_export_dialog.h"
#include "mainwindow/preview_pane.h"
#include "viewer_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>

namespace gonilux::mainwindow::testing {
namespace {

using browser::TPopupMenu;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// While it lives, no file of this process may grow beyond `bytes` (a full disk, as seen by
// the writer); the signal that would end the process is ignored.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

class PictureExportTest : public ViewerTest {
  protected:
    void SetUp() override {
        ViewerTest::SetUp();
        write(QStringLiteral("lib/b.ies"), TypeBText());
        write(QStringLiteral("lib/c0.ies"), TypeCText(0));
        write(QStringLiteral("lib/c90.ies"), TypeCText(90, "Zeta-9"));
        open();
        window_->openStartPath(path(QStringLiteral("lib")));
    }
    PreviewPane* preview() const { return window_->preview(); }
    TPopupMenu* popup() const {
        window_->fileActions()->PopupMenuPopup();
        return window_->fileActions()->PopupMenu();
    }
};

TEST_F(PictureExportTest, PngIsThePreviewAsShownAtTheChosenSize) {
    select(QStringLiteral("c0.ies"));
    window_->options()->CheckBoxLabels->setChecked(true);
    preview()->SpeedButtonFit()->click();
    const PreviewPicture picture = PictureOfPreview(*preview());
    const int side = preview()->PaintBox()->width();
    ASSERT_GT(side, kMinPictureSize);
    EXPECT_EQ(picture.LayoutSize, side);
    EXPECT_EQ(DefaultPictureSize(picture), side);
    ASSERT_TRUE(preview()->PreviewBitmapFresh());

    // At the preview's size the file holds exactly what the preview shows.
    const QString same = path(QStringLiteral("same.png"));
    ASSERT_TRUE(ExportPicture(picture, same, side));
    QImage written(same);
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32),
              preview()->PreviewBitmap().convertToFormat(QImage::Format_RGB32));

    // Twice the size: the same drawing enlarged (a pixel well inside the diagram's background
    // away from lines keeps its colour).
    const QString large = path(QStringLiteral("large.PNG"));
    ASSERT_TRUE(ExportPicture(picture, large, 2 * side));
    written.load(large);
    ASSERT_EQ(written.size(), QSize(2 * side, 2 * side));
    const QPoint corner(2, 2);
    EXPECT_EQ(written.pixelColor(corner * 2), preview()->PreviewBitmap().pixelColor(corner));
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(PictureExportTest, SvgAndPdfHaveTheRequestedSize) {
    select(QStringLiteral("b.ies"));
    const PreviewPicture picture = PictureOfPreview(*preview());
    const QString svg = path(QStringLiteral("d.svg"));
    ASSERT_TRUE(ExportPicture(picture, svg, 300));
    const QByteArray svgText = ReadAll(svg);
    EXPECT_TRUE(svgText.contains("viewBox=\"0 0 300 300\"")) << svgText.left(400).toStdString();
    EXPECT_TRUE(svgText.contains("<path") || svgText.contains("<polyline"));

    const QString pdf = path(QStringLiteral("d.pdf"));
    ASSERT_TRUE(ExportPicture(picture, pdf, 512));
    const QByteArray pdfBytes = ReadAll(pdf);
    EXPECT_TRUE(pdfBytes.startsWith("%PDF-"));
    const QRegularExpression page(QStringLiteral("/MediaBox \\[0 0 512(\\.0+)? 512(\\.0+)?\\]"));
    EXPECT_TRUE(page.match(QString::fromLatin1(pdfBytes)).hasMatch());
    EXPECT_TRUE(messages_.isEmpty());

    QString reason;
    EXPECT_FALSE(WritePictureFile(picture, path(QStringLiteral("d.bmp")), 300, reason));
    EXPECT_FALSE(reason.isEmpty());
    for (int size : {kMinPictureSize - 1, kMaxPictureSize + 1})
        EXPECT_FALSE(WritePictureFile(picture, path(QStringLiteral("e.png")), size, reason));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("e.png"))));
}

TEST_F(PictureExportTest, SizeDialogOffersThePreviewSizeWithinTheLimits) {
    const struct {
        int Offered;
        int Shown;
    } cases[] = {{300, 300}, {10, kMinPictureSize}, {9000, kMaxPictureSize}};
    for (const auto& c : cases) {
        PictureSizeDialog dialog(QStringLiteral("d.png"), c.Offered);
        EXPECT_EQ(dialog.size(), c.Shown) << c.Offered;
        EXPECT_EQ(dialog.sizeBox()->minimum(), kMinPictureSize);
        EXPECT_EQ(dialog.sizeBox()->maximum(), kMaxPictureSize);
    }
}

// Answers the next modal dialog once it is up.
void AnswerNextDialog(std::function<void(QWidget*)> answer) {
    QTimer::singleShot(0, qApp, [answer] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) return AnswerNextDialog(answer);
        answer(dialog);
    });
}

TEST_F(PictureExportTest, ExportItemAsksNameAndSizeAndTakesTheFiltersSuffix) {
    select(QStringLiteral("c90.ies"));
    AnswerNextDialog([this](QWidget* widget) {
        auto* files = qobject_cast<QFileDialog*>(widget);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->selectedFiles().value(0), path(QStringLiteral("lib/c90.png")));
        files->selectNameFilter(files->nameFilters().value(1)); // SVG
        files->selectFile(path(QStringLiteral("lib/chosen")));
        AnswerNextDialog([](QWidget* sized) {
            auto* size = qobject_cast<PictureSizeDialog*>(sized);
            ASSERT_NE(size, nullptr);
            size->sizeBox()->setValue(128);
            size->accept();
        });
        static_cast<QDialog*>(files)->accept(); // the file dialog's own checks run
    });
    popup()->ExportPicture1->trigger();
    EXPECT_TRUE(
        ReadAll(path(QStringLiteral("lib/chosen.svg"))).contains("viewBox=\"0 0 128 128\""));
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(PictureExportTest, AFailedWriteIsReportedAndLeavesTheOldFile) {
    select(QStringLiteral("c0.ies"));
    const PreviewPicture picture = PictureOfPreview(*preview());
    const QString target = path(QStringLiteral("lib/old.png"));
    write(QStringLiteral("lib/old.png"), "the old picture");
    const auto expectFailure = [&](const char* what) {
        ASSERT_FALSE(messages_.isEmpty()) << what;
        EXPECT_EQ(messages_.back().Kind, platform::MessageService::Icon::Error) << what;
        EXPECT_TRUE(messages_.back().Text.contains(QDir::toNativeSeparators(target))) << what;
        EXPECT_EQ(ReadAll(target), QByteArray("the old picture")) << what;
        EXPECT_EQ(QDir(path(QStringLiteral("lib"))).entryList(QDir::Files).size(), 4) << what;
        messages_.clear();
    };
    {
        const FileSizeLimit full(1024); // the disk fills up halfway through
        EXPECT_FALSE(ExportPicture(picture, target, 1024));
    }
    expectFailure("full disk");
    if (geteuid() != 0) { // the superuser writes into any folder
        const auto mode = QFile::permissions(path(QStringLiteral("lib")));
        QFile::setPermissions(path(QStringLiteral("lib")),
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        EXPECT_FALSE(ExportPicture(picture, target, 256));
        QFile::setPermissions(path(QStringLiteral("lib")), mode);
        expectFailure("read-only folder");
    }
    const QString missing = path(QStringLiteral("gone/x.pdf"));
    EXPECT_FALSE(ExportPicture(picture, missing, 256));
    ASSERT_FALSE(messages_.isEmpty());
    EXPECT_TRUE(messages_.back().Text.contains(QDir::toNativeSeparators(missing)));
}

TEST_F(PictureExportTest, PopupOffersThePictureItemsForAShownFileOnly) {
    TPopupMenu* p = popup();
    const QList<QAction*> items = p->actions();
    const int copyName = static_cast<int>(items.indexOf(p->CopytoClipboard));
    ASSERT_GE(copyName, 0);
    ASSERT_LT(copyName + 3, items.size());
    EXPECT_EQ(items[copyName + 1], p->ExportPicture1);
    EXPECT_EQ(items[copyName + 2], p->CopyPicture1);
    EXPECT_EQ(items[copyName + 3], p->N3);
    EXPECT_EQ(items.indexOf(p->SaveAsTypeC), copyName - 1);

    list()->setCurrentRow(list()->Tag() - 1); // a folder entry
    popup();
    EXPECT_FALSE(p->ExportPicture1->isVisible());
    EXPECT_FALSE(p->CopyPicture1->isVisible());

    select(QStringLiteral("c90.ies"));
    popup();
    EXPECT_TRUE(p->ExportPicture1->isVisible());
    EXPECT_TRUE(p->CopyPicture1->isVisible());

    // Focus moved to an unread entry without selecting it: read, but not the one shown.
    const int unread = rowOf(QStringLiteral("b.ies"));
    ASSERT_FALSE(list()->entryAt(unread)->Loaded);
    list()->setCurrentItem(list()->item(unread), QItemSelectionModel::NoUpdate);
    popup();
    EXPECT_TRUE(list()->entryAt(unread)->Loaded);
    EXPECT_FALSE(p->ExportPicture1->isVisible());
}

TEST_F(PictureExportTest, CopyPutsThePreviewSizedPictureOnTheClipboard) {
    select(QStringLiteral("c90.ies"));
    QApplication::clipboard()->clear();
    popup()->CopyPicture1->trigger();
    const QImage copied = QApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.size(), preview()->PaintBox()->size());
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32),
              preview()->PreviewBitmap().convertToFormat(QImage::Format_RGB32));
}

TEST_F(PictureExportTest, CtrlFOpensTheFilterFieldThatFiltersAndEscapeClearsIt) {
    QLineEdit* field = window_->filterEdit();
    ASSERT_NE(field, nullptr);
    EXPECT_FALSE(field->isVisible());
    window_->options()->RadioButtonThumbnails->setChecked(true);
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    list()->setFocus();

    QTest::keyClick(list(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(field->isVisible());
    EXPECT_TRUE(field->hasFocus());
    QTest::keyClicks(field, QStringLiteral("zeta"));
    EXPECT_EQ(list()->filterText(), QStringLiteral("zeta"));
    EXPECT_EQ(shownFiles(), QStringList{QStringLiteral("c90.ies")}); // by its [TEST] string
    EXPECT_FALSE(list()->isRowHidden(list()->Tag() - 1));            // "sub" stays

    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_TRUE(field->text().isEmpty());
    EXPECT_FALSE(field->isVisible());
    EXPECT_TRUE(list()->hasFocus());
    EXPECT_EQ(shownFiles().size(), 3);

    // Escape in the list, and another folder listed, clear the field too.
    QTest::keyClick(list(), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(field, QStringLiteral("c0"));
    EXPECT_EQ(shownFiles(), QStringList{QStringLiteral("c0.ies")});
    list()->setFocus();
    EXPECT_TRUE(field->isVisible()); // it holds a text
    QTest::keyClick(list(), Qt::Key_Escape);
    EXPECT_TRUE(field->text().isEmpty());
    EXPECT_FALSE(field->isVisible());
    QTest::keyClick(list(), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(field, QStringLiteral("b."));
    window_->openStartPath(path(QStringLiteral("other")));
    EXPECT_TRUE(field->text().isEmpty());
    EXPECT_TRUE(list()->filterText().isEmpty());
}

} // namespace
} // namespace gonilux::mainwindow::testing
