// The file list's window-free rules (captions, comparison, sorting, the up entry) and its small
// widgets (gauge, author-mark icon).
#include "browser/file_entries.h"
#include "browser/list_widgets.h"

#include <QApplication>
#include <QImage>
#include <QStyle>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace gonilux::browser {
namespace {

TEST(FileEntries, CompareTextFoldsAsciiLettersOnly) {
    struct Case {
        const char* A;
        const char* B;
        int Sign;
    };
    const Case cases[] = {
        {"a.ies", "A.IES", 0}, {"abc", "ABD", -1}, {"B", "a", 1},
        {"ab", "abc", -1},     {"_x", "ax", 1}, // '_' lies above 'Z', below 'a'
        {"Z", "[", -1},        {"é", "z", 1},   // non-ASCII: UTF-8 bytes, no folding
        {"É", "é", -1},        {"", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.A) + " / " + c.B);
        const int r = CompareText(QString::fromUtf8(c.A), QString::fromUtf8(c.B));
        EXPECT_EQ((r > 0) - (r < 0), c.Sign);
    }
}

TEST(FileEntries, SortKeepsFolderEntriesAndEqualCaptionsInOrder) {
    const QStringList captions = {"zeta", "alpha", "b.ies", "a.ies", "C.ies", "A.ies", "B.IES"};
    int largestRow = -1;
    const std::vector<int> order =
        SortedRowOrder(captions, 2, [&](int row) { largestRow = std::max(largestRow, row); });
    EXPECT_EQ(order, (std::vector<int>{0, 1, 3, 5, 2, 6, 4}));
    EXPECT_EQ(largestRow, 6);
    EXPECT_EQ(SortedRowOrder({"b", "a"}, 5), (std::vector<int>{0, 1}));
}

TEST(FileEntries, UpEntryCaptionNamesTheFolderButInTheBareWording) {
    EXPECT_EQ(UpEntryCaption(1, "Folder"), QStringLiteral(".. 'Folder'"));
    EXPECT_EQ(UpEntryCaption(2, "Folder"), QStringLiteral(".."));
}

TEST(FileEntries, CaptionFallsBackToTheFileName) {
    TiesData entry = NewFileEntry("lamp.ies");
    EXPECT_EQ(EntryCaption(entry, 0), "lamp.ies");
    EXPECT_EQ(EntryCaption(entry, 1), "lamp.ies"); // unread: title string 2 is missing
    entry.Lines = {"", "lamp.ies", "R-12", "", "", "", "", ""};
    EXPECT_EQ(EntryCaption(entry, 1), "R-12");
    EXPECT_EQ(EntryCaption(entry, 2), "lamp.ies"); // empty manufacturer
}

TEST(FileEntries, CaptionChangeSamplesThreeEntries) {
    struct Case {
        int Count, Folders, Choice;
        std::vector<int> Unread;
        bool Reads;
    };
    const Case cases[] = {
        {10, 2, 1, {2}, true},     // first file entry
        {10, 2, 1, {7}, true},     // max(last - Tag, Tag) = 7
        {10, 2, 1, {5}, false},    // not sampled
        {10, 2, 0, {2, 9}, false}, // file-name captions read nothing
        {3, 2, 1, {2}, false},     // a single file entry
        {10, 6, 3, {6}, true},     // max(9 - 6, 6) = 6
    };
    for (const Case& c : cases) {
        const bool reads = CaptionChangeReadsFiles(c.Count, c.Folders, c.Choice, [&](int row) {
            return std::count(c.Unread.begin(), c.Unread.end(), row) ? 2 : 8;
        });
        EXPECT_EQ(reads, c.Reads) << c.Count << " " << c.Folders << " " << c.Choice;
    }
}

TEST(ListWidgets, GaugeFillsFromTheLeft) {
    TGauge gauge;
    gauge.setMaxValue(0);
    EXPECT_EQ(gauge.percentDone(), 0);
    gauge.setMaxValue(3);
    gauge.setProgress(1);
    EXPECT_EQ(gauge.percentDone(), 33);
    gauge.setProgress(7); // clamped to the maximum
    EXPECT_EQ(gauge.progress(), 3);
    gauge.setMaxValue(100);
    gauge.setProgress(50);
    const QImage image = gauge.grab().toImage();
    EXPECT_EQ(image.pixelColor(3, 6), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(172, 6), QColor(Qt::white));
}

TEST(ListWidgets, AuthorMarkDrawsOverTheIcon) {
    const QIcon plain = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    const QIcon marked = MakeAuthorMarkIcon(plain);
    for (int size : {16, 32}) {
        const QImage a = plain.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage b = marked.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(b.size(), QSize(size, size));
        EXPECT_NE(a.pixel(1, size - 2), b.pixel(1, size - 2)) << size; // bottom-left corner
    }
}

} // namespace
} // namespace gonilux::browser
