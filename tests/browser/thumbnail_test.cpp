// The thumbnail view of the file list (icon cells, thumbnails painted from the records, the
// focused tint, reading on first paint, captions) and the list's hot-track options.
#include "browser/list_appearance.h"
#include "browser/list_widgets.h"
#include "browser/thumbnail_view.h"
#include "list_view_fixture.h"

#include <QApplication>
#include <QPixmap>
#include <QSignalSpy>
#include <cmath>

namespace gonilux::browser::testing {
namespace {

QIcon SolidIcon(const QColor& colour) {
    QPixmap pixmap(kLargeIconSize, kLargeIconSize);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

QColor ButtonFace() {
    return QGuiApplication::palette().color(QPalette::Button);
}

bool Near(const QColor& a, const QColor& b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

QColor Blend(const QColor& under, const QColor& over, double share) {
    const auto mix = [share](int u, int o) {
        return static_cast<int>(std::lround(u * (1 - share) + o * share));
    };
    return QColor(mix(under.red(), over.red()), mix(under.green(), over.green()),
                  mix(under.blue(), over.blue()));
}

// ---- ThumbImages ----

struct CellCase {
    const char* Name;
    bool HasParent;
    std::vector<int> FolderColours; // indices into kColours; equal ones are separate QIcons
    bool HasFile;
    std::vector<int> ExpectedFolderCell;
    std::vector<int> ExpectedCellColour; // -1: an empty (button-face) cell
};

const QColor kColours[] = {QColor(200, 30, 30), QColor(30, 160, 30), QColor(30, 30, 200),
                           QColor(220, 200, 40)};
constexpr int kParentColour = 0;
constexpr int kFileColour = 3;

TEST(ThumbnailCells, OrderAndSharing) {
    const std::vector<CellCase> cases = {
        // The up entry (parent colour) shares cell 0; two separate icons of one picture share.
        {"parent, folders and files", true, {0, 1, 1, 2}, true, {0, 1, 1, 2}, {0, 1, 2, 3, 3}},
        {"folders only", false, {1, 2, 1}, false, {0, 1, 0}, {1, 2, -1}},
        {"parent without entries", true, {}, false, {}, {0, -1}},
        {"files only", false, {}, true, {}, {3, 3}},
    };
    for (const CellCase& c : cases) {
        SCOPED_TRACE(c.Name);
        QList<QIcon> folders;
        for (int colour : c.FolderColours)
            folders.append(SolidIcon(kColours[colour]));
        std::vector<int> progress;
        const ThumbnailCells cells = BuildThumbnailCells(
            c.HasParent ? std::optional<QIcon>(SolidIcon(kColours[kParentColour])) : std::nullopt,
            folders,
            c.HasFile ? std::optional<QIcon>(SolidIcon(kColours[kFileColour])) : std::nullopt,
            [&progress](int i) { progress.push_back(i); });

        EXPECT_EQ(cells.FolderCell, c.ExpectedFolderCell);
        EXPECT_EQ(progress.size(), c.FolderColours.size());
        ASSERT_EQ(cells.Images.size(), c.ExpectedCellColour.size());
        for (std::size_t i = 0; i < cells.Images.size(); ++i) {
            SCOPED_TRACE(i);
            const QImage& cell = cells.Images[i];
            ASSERT_EQ(cell.size(), QSize(kThumbSize, kThumbSize));
            const int colour = c.ExpectedCellColour[i];
            const QColor centre = colour < 0 ? ButtonFace() : kColours[colour];
            // The 32-pixel icon covers 34..65 in both directions, the rest is button face.
            EXPECT_EQ(cell.pixelColor(34, 34), centre);
            EXPECT_EQ(cell.pixelColor(65, 65), centre);
            EXPECT_EQ(cell.pixelColor(33, 50), ButtonFace());
            EXPECT_EQ(cell.pixelColor(66, 50), ButtonFace());
            EXPECT_EQ(cell.pixelColor(0, 0), ButtonFace());
        }
    }
}

// ---- Captions ----

TEST(ThumbnailCaption, WrapsAtWordsAndCutsWithAnEllipsis) {
    const QFontMetrics metrics(QApplication::font());
    const int width = metrics.horizontalAdvance(QStringLiteral("Luminaire downlight"));
    enum class Cut { None, AtWord, InWord };
    struct Case {
        QString Text;
        Cut Kind;
    };
    const std::vector<Case> cases = {
        {"Luminaire downlight", Cut::None},
        {"Luminaire downlight recessed", Cut::None},
        {"Luminaire downlight recessed with a very long and wordy catalogue description",
         Cut::AtWord},
        // A word wider than a line is cut inside.
        {"Supercalifragilisticexpialidocious_luminaire_name_without_blanks.ies", Cut::InWord},
        {"a Supercalifragilisticexpialidocious_luminaire_name_without_blanks.ies", Cut::InWord},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text.toStdString());
        const QStringList lines = WrapCaption(c.Text, metrics, width, 2);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_LE(lines.size(), 2);
        for (const QString& line : lines)
            EXPECT_LE(metrics.horizontalAdvance(line), width) << line.toStdString();
        EXPECT_EQ(lines.last().endsWith("..."), c.Kind != Cut::None);
        if (c.Kind == Cut::None) {
            EXPECT_EQ(lines.join(' '), c.Text);
            continue;
        }
        // Everything before the ellipsis is the start of the text, ending at a whole word or
        // inside the word that is too wide.
        const QString shown = lines.join(' ').chopped(3);
        ASSERT_TRUE(c.Text.startsWith(shown)) << shown.toStdString();
        ASSERT_LT(shown.size(), c.Text.size());
        EXPECT_EQ(c.Text.at(shown.size()) == ' ', c.Kind == Cut::AtWord) << shown.toStdString();
    }
    EXPECT_TRUE(WrapCaption("anything", metrics, 0, 2).isEmpty());
}

// ---- Presets, underlines, hover time ----

TEST(ListAppearanceRules, PresetOfEveryCombination) {
    for (int bits = 0; bits < 16; ++bits) {
        ListAppearance look;
        look.HandPointer = bits & 1;
        look.UnderlineHot = bits & 2;
        look.UnderlineCold = bits & 4;
        look.HotTracking = bits & 8;
        const ListPreset expected =
            bits == 0 ? ListPreset::L9X : (bits == 3 ? ListPreset::LXP : ListPreset::LCustom);
        EXPECT_EQ(PresetOf(look), expected) << bits;
    }
    EXPECT_EQ(PresetOf(PresetAppearance(ListPreset::L9X)), ListPreset::L9X);
    EXPECT_EQ(PresetOf(PresetAppearance(ListPreset::LXP)), ListPreset::LXP);
    ListAppearance custom;
    custom.HotTracking = true;
    EXPECT_EQ(PresetAppearance(ListPreset::LCustom, custom), custom);
}

TEST(ListAppearanceRules, UnderlinedCaptions) {
    struct Case {
        bool Hot, Cold, IsHot, Thumbnails, Underlined;
    };
    const std::vector<Case> cases = {
        {true, false, true, false, true},  {true, false, false, false, false},
        {false, true, true, false, false}, {false, true, false, false, true},
        {false, true, true, true, true},   {true, false, true, true, true},
        {true, false, false, true, false}, {false, false, true, true, false},
    };
    for (const Case& c : cases) {
        ListAppearance look;
        look.UnderlineHot = c.Hot;
        look.UnderlineCold = c.Cold;
        EXPECT_EQ(CaptionUnderlined(look, c.IsHot, c.Thumbnails), c.Underlined)
            << c.Hot << c.Cold << c.IsHot << c.Thumbnails;
    }
}

// ---- The list widget ----

class ThumbnailViewTest : public ListViewTest {
  protected:
    // A folder of `files` IES files f000.ies, f001.ies, ...; those in `byAuthor` carry the mark.
    QString makeFiles(const QString& name, const QStringList& subfolders, int files,
                      const QStringList& byAuthor = {}) {
        QList<QPair<QString, QByteArray>> contents;
        for (int i = 0; i < files; ++i) {
            const QString file = QStringLiteral("f%1.ies").arg(i, 3, 10, QLatin1Char('0'));
            contents.append({file, IesFile("T-1", false, byAuthor.contains(file))});
        }
        return makeFolder(name, contents, subfolders);
    }
    // Shows `path` with the current folder's icon and the subfolders' `childIcons`.
    void showWithIcons(const QString& path, const QList<QIcon>& childIcons = {}) {
        FolderListing listing = ListingOf(path);
        listing.NodeIcon = SolidIcon(kColours[kParentColour]);
        for (int i = 0; i < listing.Children.size(); ++i)
            listing.Children[i].Icon = childIcons.value(i);
        view_.ShowFolderContents(listing);
    }
    ThumbnailLayout layoutOf(int row) const {
        return LayoutThumbnailItem(view_.visualRect(view_.model()->index(row, 0)),
                                   QFontMetrics(view_.font()));
    }
};

bool HasRedPixel(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 90 && c.blue() < 90) return true;
        }
    return false;
}

TEST_F(ThumbnailViewTest, DrawsEveryFileAndTintsOnlyTheFocusedOne) {
    const QString path = makeFiles("Draw", {}, 3);
    for (bool quality : {true, false}) {
        SCOPED_TRACE(quality ? "off-screen" : "direct");
        view_.setQualityThumbnails(quality);
        showWithIcons(path);
        view_.setViewStyle(FolderListView::ViewStyle::Thumbnails);
        // Rows 0 and 1 selected, row 1 focused: only the focused one is tinted.
        view_.setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
        view_.setCurrentRow(1, QItemSelectionModel::Select);
        ASSERT_EQ(view_.currentRow(), 1);
        const QImage image = paint();

        const QPalette palette = view_.palette();
        const QColor face = ButtonFace();
        for (int row = 0; row < 3; ++row) {
            SCOPED_TRACE(row);
            const ThumbnailLayout layout = layoutOf(row);
            ASSERT_TRUE(image.rect().contains(layout.Icon));
            EXPECT_TRUE(HasRedPixel(image, layout.Icon));
            // A spot of the field away from the border, the axes and the curves.
            const QColor field = image.pixelColor(layout.Icon.topLeft() + QPoint(6, 6));
            // Just above the caption text: the caption box.
            const QColor captionBox =
                image.pixelColor(layout.Label.center().x(), layout.Label.top() - 1);
            if (row != 1) {
                EXPECT_EQ(field, face);
                EXPECT_EQ(captionBox, palette.color(QPalette::Base));
                continue;
            }
            bool tinted = false;
            bool boxFilled = false;
            for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
                const QColor highlight = palette.color(group, QPalette::Highlight);
                tinted = tinted || Near(field, Blend(face, highlight, 0.25), 3);
                boxFilled = boxFilled || captionBox == highlight;
            }
            EXPECT_TRUE(tinted) << field.name().toStdString();
            EXPECT_TRUE(boxFilled) << captionBox.name().toStdString();
        }
        EXPECT_TRUE(messages_.empty());
    }
}

TEST_F(ThumbnailViewTest, FilesAreReadOnTheirFirstPaintOnly) {
    const QString path = makeFiles("Lazy", {}, 60);
    showWithIcons(path);
    view_.setViewStyle(FolderListView::ViewStyle::Thumbnails);
    EXPECT_EQ(loadedCount(), 0);
    EXPECT_FALSE(view_.processingPanel()->isVisible());

    // The file in the first cell is replaced by a folder of its name: it cannot be read.
    const QString first = EntryFileName(*view_.entryAt(0));
    ASSERT_TRUE(QFile::remove(path + "/" + first));
    ASSERT_TRUE(QDir(path).mkdir(first));

    paint();
    const int visible = loadedCount();
    EXPECT_GT(visible, 0);
    EXPECT_LT(visible, 59); // only the rows in sight
    EXPECT_FALSE(view_.entryAt(view_.count() - 1)->Loaded);
    EXPECT_TRUE(view_.entryAt(0)->Diagnostics.OpenFailed);
    // The message of a read during painting waits for the event loop.
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(MessageService::instance()->pendingCount(), 1);
    QTest::qWait(10);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].Text.contains(first));

    // Repainting reads nothing again, not even the file that failed.
    paint();
    QTest::qWait(10);
    EXPECT_EQ(loadedCount(), visible);
    EXPECT_EQ(messages_.size(), 1u);

    view_.scrollToBottom();
    paint();
    EXPECT_TRUE(view_.entryAt(view_.count() - 1)->Loaded);
}

TEST_F(ThumbnailViewTest, FolderCellsAndTheUpEntry) {
    const QString path = makeFiles("Folders", {"a", "b", "c"}, 0);
    const QList<QIcon> icons = {SolidIcon(kColours[1]), SolidIcon(kColours[1]),
                                SolidIcon(kColours[2])};
    showWithIcons(path, icons);
    view_.setViewStyle(FolderListView::ViewStyle::Thumbnails);

    // Current folder, the two distinct subfolder icons, the spare cell.
    ASSERT_EQ(view_.thumbImages().size(), 4u);
    const std::vector<int> expected = {1, 1, 2};
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(view_.item(row)->data(FolderListView::ThumbIndexRole).toInt(), expected[row]);
    const QImage image = paint();
    for (int row = 0; row < 3; ++row) {
        const QRect icon = layoutOf(row).Icon;
        EXPECT_EQ(image.pixelColor(icon.center()), kColours[expected[row]]) << row;
    }

    // The up entry added in this view takes cell 0, the current folder's icon.
    view_.CheckBoxUpClick(true);
    EXPECT_EQ(view_.Tag(), 4);
    EXPECT_EQ(view_.item(0)->data(FolderListView::ThumbIndexRole).toInt(), 0);
    EXPECT_EQ(paint().pixelColor(layoutOf(0).Icon.center()), kColours[kParentColour]);

    // Back in the list view the subfolders show their own icons again.
    view_.setViewStyle(FolderListView::ViewStyle::List);
    for (int row = 1; row < 4; ++row)
        EXPECT_EQ(view_.item(row)->icon().cacheKey(), icons[row - 1].cacheKey()) << row;
}

TEST_F(ThumbnailViewTest, ListViewRestoresTheAuthorMark) {
    const QString path = makeFiles("Marks", {}, 2, {"f001.ies"});
    showWithIcons(path);
    const int marked = rowOf("f001.ies");
    const int other = rowOf("f000.ies");
    const qint64 plain = view_.item(other)->icon().cacheKey();
    view_.setViewStyle(FolderListView::ViewStyle::Thumbnails);
    paint();
    ASSERT_EQ(loadedCount(), 2);
    ASSERT_TRUE(view_.entryAt(marked)->ChangedByAuthor);
    EXPECT_EQ(view_.item(marked)->icon().cacheKey(), plain);

    view_.setViewStyle(FolderListView::ViewStyle::List);
    EXPECT_EQ(view_.item(other)->icon().cacheKey(), plain);
    EXPECT_NE(view_.item(marked)->icon().cacheKey(), plain);

    // A new thumbnail view gives the files the plain image again; icons follow on the way back.
    view_.setViewStyle(FolderListView::ViewStyle::Thumbnails);
    EXPECT_EQ(view_.item(marked)->icon().cacheKey(), plain);
    view_.setViewStyle(FolderListView::ViewStyle::Icons);
    EXPECT_NE(view_.item(marked)->icon().cacheKey(), plain);
}

TEST_F(ThumbnailViewTest, HoverTimeReporting) {
    struct Case {
        int Set, Reported, Effective;
    };
    for (const Case& c : std::vector<Case>{{250, 250, 250},
                                           {0, 0, 0},
                                           {-1, -1, PlatformHoverTime()},
                                           {-7, -1, PlatformHoverTime()}}) {
        view_.setHoverTime(c.Set);
        EXPECT_EQ(view_.hoverTime(), c.Reported) << c.Set;
        EXPECT_EQ(view_.effectiveHoverTime(), c.Effective) << c.Set;
    }
}

TEST_F(ThumbnailViewTest, HotTrackingSelectsAfterTheHoverTime) {
    const QString path = makeFiles("Hot", {}, 4);
    showWithIcons(path);
    view_.setViewStyle(FolderListView::ViewStyle::Icons);
    view_.setHoverTime(20);
    QSignalSpy preview(&view_, &FolderListView::previewItem);
    const QPoint over = view_.visualRect(view_.model()->index(2, 0)).center();

    const int untouched = view_.currentRow();
    ASSERT_NE(untouched, 2);
    for (bool tracking : {false, true}) {
        SCOPED_TRACE(tracking);
        view_.setHotTracking(tracking);
        view_.setHandPointer(tracking);
        QTest::mouseMove(view_.viewport(), QPoint(1, view_.viewport()->height() - 2));
        QTest::mouseMove(view_.viewport(), over);
        EXPECT_EQ(view_.hotIndex().row(), 2);
        EXPECT_EQ(view_.viewport()->cursor().shape(),
                  tracking ? Qt::PointingHandCursor : Qt::ArrowCursor);
        // Without hot tracking nothing happens however long the mouse rests.
        if (tracking) {
            EXPECT_TRUE(QTest::qWaitFor([this] { return view_.currentRow() == 2; }, 2000));
        } else {
            QTest::qWait(80);
        }
        EXPECT_EQ(view_.currentRow(), tracking ? 2 : untouched);
        EXPECT_EQ(preview.count(), tracking ? 1 : 0);
    }
    EXPECT_TRUE(view_.entryAt(2)->Loaded);
}

} // namespace
} // namespace gonilux::browser::testing
