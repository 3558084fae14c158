// EULUMDAT files in the viewer: the .ldt switch and its setting, and an .ldt file through the
// preview, info panel, popup, drag-out, refresh, compare and render windows and the printed page.
#include "auxwindows/compare_window.h"
#include "auxwindows/print_page.h"
#include "auxwindows/render_window.h"
#include "browser/popup_menu.h"
#include "mainwindow/file_actions.h"
#include "mainwindow/group_box_ex.h"
#include "mainwindow/options_panel.h"
#include "mainwindow/preview_pane.h"
#include "photometry/export_text.h"
#include "viewer_fixture.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <algorithm>

namespace gonilux::mainwindow::testing {
namespace {

const char* const kLdtFiles[] = {
    "JosefJerabek-illumination_map/NITYA XL T5A 47k6 840.LDT", // symmetric to C90-C270
    "123VincentB-eulumdat-plot/sample_43_isym4.ldt",           // one quadrant
};

class LdtViewerTest : public ViewerTest {
  protected:
    void SetUp() override {
        ViewerTest::SetUp();
        for (const char* relative : kLdtFiles) {
            const QString source = QStringLiteral(GONILUX_TESTDATA_DIR "/ldt-real/") + relative;
            const QString name = QFileInfo(source).fileName();
            ASSERT_TRUE(QFile::copy(source, path("lib/" + name))) << relative;
            ldtNames_ << name;
        }
        write(QStringLiteral("lib/c0.ies"), TypeCText(0));
    }
    QStringList allNames() const {
        QStringList names = ldtNames_ + QStringList{QStringLiteral("c0.ies")};
        names.sort();
        return names;
    }
    QStringList ldtNames_;
};

TEST_F(LdtViewerTest, TheSwitchIsOnByDefaultAndStoredWithItsGroup) {
    open();
    OptionsPanel* o = window_->options();
    ASSERT_NE(o->CheckBoxLdt, nullptr);
    EXPECT_EQ(o->CheckBoxLdt->parentWidget(), static_cast<QWidget*>(o->GroupBoxExView));
    EXPECT_TRUE(o->CheckBoxLdt->isChecked());
    window_->openStartPath(path(QStringLiteral("lib")));
    EXPECT_EQ(shownFiles(), allNames());

    select(QStringLiteral("c0.ies"));
    o->CheckBoxLdt->setChecked(false);
    EXPECT_EQ(shownFiles(), QStringList{QStringLiteral("c0.ies")});
    EXPECT_EQ(list()->currentRow(), rowOf(QStringLiteral("c0.ies")));
    EXPECT_EQ(window_->preview()->CurrentFile(), path(QStringLiteral("lib/c0.ies")));
    window_.reset(); // saves the settings

    QFile ini(root_.filePath(QStringLiteral("gonilux.ini")));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(ini.readAll());
    const qsizetype section = text.indexOf(QStringLiteral("[GroupBoxExView]"));
    ASSERT_GE(section, 0);
    const qsizetype key = text.indexOf(QStringLiteral("\nCheckBoxLdt=0\n"));
    EXPECT_GT(key, section);
    const qsizetype next = text.indexOf(QLatin1Char('['), section + 1);
    EXPECT_TRUE(next < 0 || key < next);

    open();
    EXPECT_FALSE(window_->options()->CheckBoxLdt->isChecked());
    window_->openStartPath(path(QStringLiteral("lib")));
    EXPECT_EQ(shownFiles(), QStringList{QStringLiteral("c0.ies")});
    window_->options()->CheckBoxLdt->setChecked(true);
    EXPECT_EQ(shownFiles(), allNames());
}

TEST_F(LdtViewerTest, AnLdtFileWorksLikeAnIesFile) {
    open();
    window_->openStartPath(path(QStringLiteral("lib")));
    for (const QString& name : ldtNames_) {
        SCOPED_TRACE(name.toStdString());
        select(name);
        const PreviewPane* preview = window_->preview();
        EXPECT_EQ(preview->CurrentFile(), path("lib/" + name));
        EXPECT_EQ(window_->applicationTitle(), name);
        const tIES& ies = preview->PreviewIes();
        EXPECT_EQ(ies.PhotometricType, 1);
        EXPECT_GT(RedPixels(preview->PreviewBitmap()), 20);

        // Info panel: the header text, then the figures.
        const QString info = window_->labelInfo()->text();
        EXPECT_TRUE(window_->infoText().contains(name));
        EXPECT_TRUE(info.contains(QStringLiteral("\n\n光通量: "))) << info.toStdString();
        EXPECT_TRUE(info.contains(QStringLiteral("最大光强: "))) << info.toStdString();

        // Popup: the export item follows the record as for an IES file; drag-out takes the file.
        window_->fileActions()->PopupMenuPopup();
        EXPECT_EQ(window_->fileActions()->PopupMenu()->SaveAsTypeC->isVisible(),
                  ExportKindOf(ies) != ExportKind::None);
        EXPECT_EQ(window_->fileActions()->SelectedFilePaths(), QStringList{path("lib/" + name)});

        // Compare and render windows and the printed page draw the record.
        window_->showCompareWindow();
        QCoreApplication::processEvents();
        ASSERT_NE(window_->compareWindow(), nullptr);
        EXPECT_GT(RedPixels(window_->compareWindow()->grab().toImage()), 20);
        window_->renderWindow()->DoRender();
        const QImage rendered = window_->renderWindow()->renderedImage();
        ASSERT_FALSE(rendered.isNull());
        EXPECT_TRUE(std::any_of(rendered.constBits(), rendered.constBits() + rendered.sizeInBytes(),
                                [](uchar byte) { return byte > 0 && byte < 255; }));
        QImage page(600, 800, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        auxwindows::PrintJob job;
        job.Ies = &ies;
        job.Titles = list()->entryAt(list()->currentRow())->Lines;
        auxwindows::PaintPage(painter, page.width(), page.height(), job);
        painter.end();
        EXPECT_GT(RedPixels(page), 20);
    }

    // Refresh (F5) lists the .ldt files again.
    window_->folderTree()->ButtonRefreshClick();
    QCoreApplication::processEvents();
    EXPECT_EQ(shownFiles(), allNames());
    EXPECT_TRUE(messages_.isEmpty());
}

} // namespace
} // namespace gonilux::mainwindow::testing
