// EULUMDAT and IES files in the file list: which names are listed and scanned, the .ldt switch
// listing the folder again with the selection kept, and an .ldt entry read, captioned, sorted,
// described and drawn like an IES entry.
#include "browser/metrics_text.h"
#include "browser/thumbnail_view.h"
#include "list_view_fixture.h"

#include <QSignalSpy>
#include <cmath>

namespace gonilux::browser::testing {
namespace {

constexpr char kUpperCaseLdt[] = "JosefJerabek-illumination_map/NITYA XL T5A 47k6 840.LDT";
constexpr char kLowerCaseLdt[] = "123VincentB-eulumdat-plot/sample_43_isym4.ldt";

TEST(LdtNames, ListedWithTheSwitchInAnyCase) {
    struct Case {
        const char* Name;
        bool WithoutLdt;
        bool WithLdt;
    };
    const Case cases[] = {
        {"B.IES", true, true},        {"c.ldt", false, true},      {"D.LDT", false, true},
        {".hidden.ldt", false, true}, {"f.ldt.txt", false, false}, {"g.ldtx", false, false},
        {"ldt", false, false},        {"i.ies.ldt", false, true},
    };
    for (const Case& c : cases) {
        const QString name = QString::fromLatin1(c.Name);
        EXPECT_EQ(IsListedFileName(name, false), c.WithoutLdt) << c.Name;
        EXPECT_EQ(IsListedFileName(name, true), c.WithLdt) << c.Name;
    }

    // The scan: hidden files and any case count, folders and other suffixes do not.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"a.ies", "B.IES", ".hidden.ies", "c.ldt", "D.LDT", "f.ldt.txt"})
        ASSERT_TRUE(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ldt"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ies"));
    QStringList found = ScanIesFiles(dir.path(), true);
    found.sort();
    EXPECT_EQ(found, (QStringList{".hidden.ies", "B.IES", "D.LDT", "a.ies", "c.ldt"}));
    found = ScanIesFiles(dir.path()); // the scan's own default: no .ldt
    found.sort();
    EXPECT_EQ(found, (QStringList{".hidden.ies", "B.IES", "a.ies"}));
    EXPECT_TRUE(ScanIesFiles(dir.filePath("missing")).isEmpty());
}

class LdtListTest : public ListViewTest {
  protected:
    void SetUp() override {
        ListViewTest::SetUp();
        upper_ = copyLdt(kUpperCaseLdt);
        lower_ = copyLdt(kLowerCaseLdt);
        write("plain.ies", IesFile());
        write("notes.ldt.txt", "not photometric");
        QDir(folder()).mkdir("sub.ldt");
    }
    QString upper_;
    QString lower_;
};

TEST_F(LdtListTest, TheSwitchListsTheFolderAgainKeepingTheSelection) {
    ASSERT_TRUE(view_.listsLdt()); // on by default
    show();
    EXPECT_EQ(view_.Tag(), 1); // the folder "sub.ldt"
    EXPECT_EQ(fileNames(), (QStringList{upper_, "plain.ies", lower_}));
    QSignalSpy previews(&view_, &FolderListView::previewItem);

    // The IES entry stays current and selected, and is previewed again after the new listing.
    select(rowOf("plain.ies"));
    previews.clear();
    view_.CheckBoxLdtClick(false);
    EXPECT_FALSE(view_.listsLdt());
    EXPECT_EQ(fileNames(), QStringList{"plain.ies"});
    const int plain = rowOf("plain.ies");
    EXPECT_EQ(view_.currentRow(), plain);
    EXPECT_TRUE(view_.item(plain)->isSelected());
    ASSERT_FALSE(previews.isEmpty());
    EXPECT_EQ(previews.last().at(0).toInt(), plain);

    // Both back; then the shown .ldt entry goes away and the preview is emptied.
    view_.CheckBoxLdtClick(true);
    EXPECT_EQ(fileNames(), (QStringList{upper_, "plain.ies", lower_}));
    EXPECT_EQ(view_.currentRow(), rowOf("plain.ies"));
    select(rowOf(lower_));
    EXPECT_TRUE(view_.entryAt(rowOf(lower_))->Loaded);
    previews.clear();
    view_.CheckBoxLdtClick(false);
    EXPECT_EQ(rowOf(lower_), -1);
    EXPECT_TRUE(view_.selectedItems().isEmpty());
    ASSERT_EQ(previews.size(), 1);
    EXPECT_EQ(previews.last().at(0).toInt(), -1);

    // A folder listed while the switch is off shows no .ldt file; the same switch twice is no
    // new listing.
    show();
    EXPECT_EQ(fileNames(), QStringList{"plain.ies"});
    QListWidgetItem* before = view_.item(view_.Tag());
    view_.CheckBoxLdtClick(false);
    EXPECT_EQ(view_.item(view_.Tag()), before);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(LdtListTest, AnLdtEntryIsReadCaptionedSortedAndDescribedLikeAnIesEntry) {
    show();
    for (const QString& name : {upper_, lower_}) {
        SCOPED_TRACE(name.toStdString());
        const int row = rowOf(name);
        ASSERT_GE(row, 0);
        EXPECT_FALSE(view_.entryMetrics(row).has_value()); // unread: nothing known yet
        select(row);
        const TiesData* entry = view_.entryAt(row);
        ASSERT_TRUE(entry->Loaded);
        EXPECT_FALSE(ShowsErrorBadge(*entry));
        EXPECT_EQ(entry->Ies.PhotometricType, 1);
        EXPECT_FALSE(entry->Ies.Candela.empty());
        EXPECT_EQ(entry->Lines.size(), static_cast<std::size_t>(TitleCount));
        EXPECT_EQ(EntryFileName(*entry), name);

        const std::optional<tMetrics> metrics = view_.entryMetrics(row);
        ASSERT_TRUE(metrics.has_value());
        EXPECT_TRUE(metrics->Valid);
        EXPECT_GT(metrics->LuminaireFlux, 0);
        const QString tip = view_.entryToolTip(row);
        EXPECT_TRUE(tip.startsWith(name + '\n')) << tip.toStdString();
        EXPECT_TRUE(tip.contains(MetricsLines(*metrics, 1).first())) << tip.toStdString();
    }

    // Captions of the luminaire name: every entry read, the list in caption order.
    view_.CheckBoxSortClick(true);
    view_.ComboBoxCaptionChange(3);
    QStringList captions;
    for (int row = view_.Tag(); row < view_.count(); ++row) {
        const TiesData* entry = view_.entryAt(row);
        ASSERT_TRUE(entry->Loaded);
        EXPECT_EQ(view_.item(row)->text(), EntryCaption(*entry, 3));
        captions << view_.item(row)->text();
    }
    for (int i = 1; i < captions.size(); ++i)
        EXPECT_LE(CompareText(captions[i - 1], captions[i]), 0) << captions.join('|').toStdString();
    EXPECT_TRUE(messages_.empty());
}

TEST_F(LdtListTest, FiguresAreComputedOncePerRead) {
    show();
    const int row = rowOf(lower_);
    select(row);
    const std::optional<tMetrics> first = view_.entryMetrics(row);
    ASSERT_TRUE(first && first->Valid);

    // The file changes on disk: the cached figures stay until the entry is read again.
    ASSERT_TRUE(QFile::remove(root_.filePath(lower_)));
    ASSERT_TRUE(QFile::copy(RealLdt(kUpperCaseLdt), root_.filePath(lower_)));
    EXPECT_EQ(view_.entryMetrics(row)->LuminaireFlux, first->LuminaireFlux);
    view_.LoadIesEntry(row);
    const std::optional<tMetrics> again = view_.entryMetrics(row);
    ASSERT_TRUE(again.has_value());
    EXPECT_NE(again->LuminaireFlux, first->LuminaireFlux);
}

TEST_F(LdtListTest, ThumbnailsDrawLdtRecords) {
    show();
    view_.setViewStyle(FolderListView::ViewStyle::Thumbnails);
    const QImage image = paint();
    for (const QString& name : {upper_, lower_}) {
        SCOPED_TRACE(name.toStdString());
        const int row = rowOf(name);
        ASSERT_GE(row, 0);
        EXPECT_TRUE(view_.entryAt(row)->Loaded); // read on its first paint
        const ThumbnailLayout layout = LayoutThumbnailItem(
            view_.visualRect(view_.model()->index(row, 0)), QFontMetrics(view_.font()));
        int curve = 0;
        for (int y = layout.Icon.top(); y <= layout.Icon.bottom(); ++y)
            for (int x = layout.Icon.left(); x <= layout.Icon.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                curve += c.red() > 200 && c.green() < 90 && c.blue() < 90;
            }
        EXPECT_GT(curve, 10);
    }
    EXPECT_TRUE(messages_.empty());
}

} // namespace
} // namespace gonilux::browser::testing
