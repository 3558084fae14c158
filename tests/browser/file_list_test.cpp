// The file list: folder scan, lazy reading, captions, sorting, the up entry, selection, the
// progress panel, files written by the program, and files that cannot be read.
#include "list_view_fixture.h"

#include <algorithm>

namespace gonilux::browser::testing {
namespace {

using FileListTest = ListViewTest;

std::vector<int> Rows(const QSignalSpy& spy) {
    std::vector<int> rows;
    for (const QList<QVariant>& args : spy)
        rows.push_back(args.at(0).toInt());
    return rows;
}

TEST_F(FileListTest, ListsFoldersFirstAndSelectingReadsAndPreviewsOnce) {
    view_.CheckBoxSortClick(true);
    const QString path = makeFolder(
        "Sel", {{"b.ies", IesFile()}, {"A.IES", IesFile()}, {"灯.ies", IesFile()}, {"n.txt", ""}},
        {"s1", "s2"});
    show(path);
    EXPECT_EQ(dump(), "s1|s2|A.IES|b.ies|灯.ies");

    QSignalSpy preview(&view_, &FolderListView::previewItem);
    view_.doItemsLayout();
    QTest::mouseClick(view_.viewport(), Qt::LeftButton, {}, rectOf(2).center());
    EXPECT_EQ(dump(), "s1|s2|A.IES*+!|b.ies|灯.ies");
    view_.clearSelection();
    // The same entry again: no second preview. A folder entry previews (empties the preview)
    // once; the list stays busy until a file.
    for (int row : {2, 3, 0, 1, 3, 1})
        select(row);
    EXPECT_EQ(Rows(preview), (std::vector<int>{2, 3, 0, 3, 1}));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(FileListTest, CaptionChoiceAcrossFoldersAndTheProgressPanel) {
    view_.CheckBoxSortClick(true);
    show(makeFolder("First", {{"x.ies", IesFile("R-X")}}));
    QSignalSpy choice(&view_, &FolderListView::captionChoiceChanged);
    chooseCaption(1);
    EXPECT_EQ(dump(), "R-X!");

    // Not kept: the next folder returns to file names and reads nothing until asked.
    const QString second = makeFolder(
        "Second", {{"y.ies", IesFile("R-Y")}, {"z.ies", IesFile("a long caption, wider")}});
    show(second);
    EXPECT_EQ(dump(), "y.ies|z.ies");
    panels_.clear();
    chooseCaption(1);
    EXPECT_EQ(dump(), "a long caption, wider!|R-Y*!");
    EXPECT_GT(view_.gridSize().width(),
              view_.fontMetrics().horizontalAdvance("a long caption, wider") + 20);
    EXPECT_EQ(panels_, (QStringList{"正在读取 IES 文件...||2", "正在排序...||2"}));
    chooseCaption(0);
    EXPECT_EQ(dump(), "y.ies*!|z.ies!");
    EXPECT_EQ(Rows(choice), (std::vector<int>{1, 0, 1, 0}));

    // Kept: the scan reads every file behind the panel; a damaged one raises no box, the note
    // over the list counts it.
    view_.setKeepCaption(true);
    panels_.clear();
    chooseCaption(1); // every file read already: nothing is loaded
    EXPECT_EQ(panels_, QStringList{"正在排序...||2"});
    panels_.clear();
    show(makeFolder("Third", {{"t1.ies", IesFile("R-100")},
                              {"t2.ies", IesFile("")},
                              {"t3.ies", IesFile("R-300", true)}}));
    EXPECT_TRUE(messages_.empty() && view_.readProblemCount() == 1);
    EXPECT_TRUE(view_.readProblemNote()->isVisible());
    EXPECT_EQ(dump(), "R-100!|R-300!|t2.ies!");
    EXPECT_EQ(panels_,
              (QStringList{"正在清除...||2", "|正在读取 IES 文件...|0", "正在排序...||3"}));
    EXPECT_FALSE(view_.processingPanel()->isVisible());
    EXPECT_EQ(view_.processingPanel()->geometry(), QRect((460 - 209) / 2, (360 - 49) / 2, 209, 49));
}

// A caption change returns at once: the files are read on worker threads behind the panel, then
// the list is captioned and sorted with the current entry kept, unless the user moved on
// meanwhile; another folder listed meanwhile ends the reading without late results or boxes.
TEST_F(FileListTest, ACaptionChangeReadsOnWorkerThreadsAndKeepsTheWindowGoing) {
    Files files;
    for (int i = 0; i < 40; ++i)
        files.append({QString("f%1.ies").arg(i, 2, 10, QChar('0')),
                      IesFile("R-" + QByteArray::number(99 - i))});
    const QString many = makeFolder("Many", files);
    view_.CheckBoxSortClick(true);
    for (bool userMoves : {false, true}) {
        show(many);
        select(rowOf("f39.ies"));
        view_.ComboBoxCaptionChange(1);
        EXPECT_TRUE(view_.entriesReading() && view_.processingPanel()->isVisible());
        EXPECT_EQ(dump().count('!'), 1); // the selected file, read on selection
        if (userMoves) select(rowOf("f05.ies"));
        EXPECT_TRUE(settled());
        EXPECT_FALSE(view_.processingPanel()->isVisible());
        QStringList captions;
        for (int row = 0; row < view_.count(); ++row)
            captions << view_.entryCaption(row);
        EXPECT_TRUE(captions.first() == "R-60" && captions.last() == "R-99" &&
                    std::is_sorted(captions.begin(), captions.end()))
            << captions.join(' ').toStdString();
        EXPECT_EQ(dump().count('!'), 40);
        EXPECT_EQ(view_.entryCaption(view_.currentRow()), userMoves ? "R-94" : "R-60");
    }
    const QString late =
        makeFolder("Late", {{"bad.ies", IesFile("R-1", true)}, {"b.ies", IesFile()}});
    show(late);
    view_.ComboBoxCaptionChange(1);
    show(many);
    EXPECT_TRUE(messages_.empty());
    EXPECT_FALSE(dump().contains('!') || view_.processingPanel()->isVisible());
    // A kept caption in the thumbnail view: the panel stays up from the listing until the files
    // are in, while the thumbnails are prepared.
    view_.setKeepCaption(true);
    chooseCaption(1);
    view_.CheckBoxSortClick(false);
    view_.setViewStyle(FolderListView::ViewStyle::Thumbnails);
    for (int listed = 1; listed <= 2; ++listed) {
        view_.ShowFolderContents(ListingOf(late));
        EXPECT_TRUE(view_.processingPanel()->isVisible());
        EXPECT_TRUE(settled());
        EXPECT_FALSE(view_.processingPanel()->isVisible());
        EXPECT_TRUE(messages_.empty()) << listed;         // read in the background: no box
        EXPECT_EQ(view_.readProblemCount(), 1) << listed; // the listing's note counts it
    }
}

TEST_F(FileListTest, SortingIsStableKeepsFoldersFirstAndTheSelection) {
    Files files;
    for (const char* name : {"b.ies", "A.ies", "_x.ies", "C.ies", "c2.IES"})
        files.append({name, IesFile()});
    FolderListing listing = ListingOf(makeFolder("Sort", files, {"zz", "aa"}));
    std::reverse(listing.Children.begin(), listing.Children.end());
    view_.CheckBoxUpClick(true);
    view_.ShowFolderContents(listing);
    select(rowOf("c2.IES"));
    view_.setRowSelected(rowOf("A.ies"), true);
    view_.CheckBoxSortClick(true); // letters without regard to case, '_' after them
    EXPECT_EQ(dump(), "直到 'Sort'|zz|aa|A.ies+|b.ies|C.ies|c2.IES*+!|_x.ies");
    for (int i = view_.Tag(); i < view_.count(); ++i)
        EXPECT_EQ(EntryFileName(*view_.entryAt(i)), view_.entryCaption(i)); // data moved along
    // Equal captions keep their order ("ab", "AB").
    EXPECT_EQ(SortedRowOrder({"é", "z", "É", "[", "Z", "ab", "AB", "a"}, 1),
              (std::vector<int>{0, 7, 5, 6, 1, 4, 3, 2}));
}

TEST_F(FileListTest, UpEntryLeadsToTheParentInTheChosenWording) {
    const QString path = makeFolder("Folder", {{"f.ies", IesFile()}}, {"sub"});
    show(path, false); // the root has no up entry
    view_.CheckBoxUpClick(true);
    EXPECT_EQ(dump(), "sub|f.ies");
    show(path);
    EXPECT_EQ(dump(), "直到 'Folder'|sub|f.ies");
    for (const auto& [index, caption] : std::vector<std::pair<int, QString>>{
             {1, ".. 'Folder'"}, {2, ".."}, {7, ".."}, {0, "直到 'Folder'"}}) {
        view_.ComboBoxUpChange(index);
        EXPECT_EQ(view_.entryCaption(0), caption);
    }

    // Enter on the up entry, a subfolder and a file; a double click on the up entry.
    QSignalSpy activated(&view_, &FolderListView::folderActivated);
    for (int row : {0, 1, 2}) {
        view_.setCurrentRow(row);
        QTest::keyClick(&view_, row == 1 ? Qt::Key_Enter : Qt::Key_Return);
    }
    QTest::mouseDClick(view_.windowHandle(), Qt::LeftButton, {},
                       view_.viewport()->mapTo(&view_, rectOf(0).center()));
    QStringList opened;
    for (const QList<QVariant>& args : activated)
        opened << args.at(0).toString() + (args.at(1).toBool() ? " up" : "");
    EXPECT_EQ(opened, (QStringList{root_.path() + " up", path + "/sub", root_.path() + " up"}));

    view_.CheckBoxUpClick(false);
    EXPECT_EQ(dump(), "sub*|f.ies!");
}

TEST_F(FileListTest, WrittenFilesReplaceTheirEntriesAndAreRemoved) {
    view_.CheckBoxSortClick(true);
    show(makeFolder("W", {})); // the first file written into a folder without any
    write("W/b.ies", IesFile("R-B", false, true));
    EXPECT_EQ(view_.ReplaceFileEntry("b.ies"), 0);
    EXPECT_FALSE(view_.entryIcon(0).isNull());
    show(makeFolder("W", {{"a.ies", IesFile("R-A")}, {"c.ies", IesFile("R-C")}}));
    const qint64 plain = view_.entryIcon(0).cacheKey();
    EXPECT_EQ(view_.ReplaceFileEntry("b.ies"), 1);
    EXPECT_EQ(dump(), "a.ies|b.ies|c.ies");
    EXPECT_NE(view_.entryIcon(1).cacheKey(), plain); // the author mark
    chooseCaption(1);
    write("W/a.ies", IesFile("R-Z"));
    EXPECT_EQ(view_.ReplaceFileEntry("a.ies"), 2);
    EXPECT_EQ(dump(), "R-B*!|R-C!|R-Z!");
    EXPECT_TRUE(view_.entryIcon(0).cacheKey() != plain && view_.entryIcon(1).cacheKey() == plain);
    EXPECT_TRUE(view_.RemoveFileEntry("c.ies") && !view_.RemoveFileEntry("c.ies"));
    EXPECT_EQ(dump(), "R-B*!|R-Z!");
}

TEST_F(FileListTest, FilesThatCannotBeReadStayUnreadAndBrokenHeadersAreReported) {
    // A file gone before it is read is no error; a folder in its place is, once.
    for (bool folder : {false, true}) {
        const QString path = makeFolder(QString("B%1").arg(folder), {{"locked.ies", IesFile()}});
        show(path);
        ASSERT_TRUE(QFile::remove(path + "/locked.ies") &&
                    (!folder || QDir(path).mkdir("locked.ies")));
        select(0);
        EXPECT_EQ(view_.entryAt(0)->Diagnostics.OpenFailed, folder); // a thumbnail won't retry
        chooseCaption(1);
        EXPECT_EQ(dump(), "locked.ies*+") << folder;
        EXPECT_EQ(messages_.size(), folder ? 1u : 0u) << folder;
        EXPECT_TRUE(!folder || messages_[0].Text.contains(path + "/locked.ies")) << folder;
        chooseCaption(0);
    }
    messages_.clear();
    show(makeFolder("Bad", {{"bad.ies", IesFile("R-B", true)}}));
    select(0);
    chooseCaption(1); // already read: no second read, no second box
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].Title + " " + messages_[0].Text, "错误！ 第 4 行\rbad.ies");
    EXPECT_EQ(messages_[0].Kind, MessageService::Icon::Error);
    EXPECT_EQ(dump(), "R-B*+!");
}

} // namespace
} // namespace gonilux::browser::testing
