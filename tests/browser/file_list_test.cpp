// The file list: folder scan, lazy reading, captions, sorting, the up entry, selection and the
// messages of files that cannot be read or have a broken header.
#include "browser/list_widgets.h"
#include "list_view_fixture.h"

#include <QSignalSpy>
#include <algorithm>
#include <cctype>
#include <string>
#include <unistd.h>

namespace gonilux::browser::testing {
namespace {

std::string Upper(const QString& s) {
    std::string text = s.toStdString();
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

using FileListTest = ListViewTest;

TEST_F(FileListTest, ListsFoldersFirstAndReadsNoFile) {
    const QString path = makeFolder(
        "Folder", {{"one.ies", IesFile()}, {"two.IES", IesFile()}, {"notes.txt", IesFile()}},
        {"sub1", "sub2"});
    show(path);

    ASSERT_EQ(view_.Tag(), 2);
    ASSERT_EQ(view_.count(), 4);
    EXPECT_EQ(view_.item(1)->text(), "sub2");
    EXPECT_EQ(view_.folderEntryPath(1), path + "/sub2");
    EXPECT_EQ(view_.entryAt(1), nullptr);
    for (int i = view_.Tag(); i < view_.count(); ++i)
        EXPECT_EQ(view_.item(i)->text(), EntryFileName(*view_.entryAt(i)));
    EXPECT_EQ(fileNames(), (QStringList{"one.ies", "two.IES"}));
    EXPECT_EQ(loadedCount(), 0);
    EXPECT_EQ(view_.currentFolderPathWithSeparator(), path + "/");

    // A folder without IES files shows only its folder entries.
    show(makeFolder("Empty", {}, {"x"}));
    EXPECT_EQ(view_.count(), 1);
    EXPECT_EQ(view_.Tag(), 1);
}

TEST_F(FileListTest, SelectionReadsOneFileAndPreviewsOnce) {
    const QString path = makeFolder("Sel", {{"a.ies", IesFile()}, {"b.ies", IesFile()}}, {"sub"});
    show(path);
    QSignalSpy preview(&view_, &FolderListView::previewItem);
    const int a = rowOf("a.ies");
    const int b = rowOf("b.ies");

    view_.doItemsLayout();
    QTest::mouseClick(view_.viewport(), Qt::LeftButton, {},
                      view_.visualItemRect(view_.item(a)).center());
    ASSERT_EQ(preview.count(), 1);
    EXPECT_EQ(preview.at(0).at(0).toInt(), a);
    EXPECT_EQ(loadedCount(), 1);
    EXPECT_EQ(view_.LastListItem(), view_.item(a));

    view_.clearSelection();
    select(a); // the same entry again
    EXPECT_EQ(preview.count(), 1);

    select(b);
    ASSERT_EQ(preview.count(), 2);
    EXPECT_EQ(preview.at(1).at(0).toInt(), b);
    EXPECT_EQ(loadedCount(), 2);
    EXPECT_EQ(view_.entryFilePath(b), path + "/b.ies");
    EXPECT_TRUE(messages_.empty());
}

TEST_F(FileListTest, FolderEntrySelectionBlocksFurtherFolderSelections) {
    show(makeFolder("Busy", {{"f.ies", IesFile()}}, {"s1", "s2"}));
    QSignalSpy preview(&view_, &FolderListView::previewItem);

    select(0);
    ASSERT_EQ(preview.count(), 1);
    EXPECT_TRUE(view_.ListBusy());
    select(1);
    EXPECT_EQ(preview.count(), 1);

    select(view_.Tag());
    ASSERT_EQ(preview.count(), 2);
    EXPECT_EQ(preview.at(1).at(0).toInt(), view_.Tag());
    EXPECT_FALSE(view_.ListBusy());
    select(1);
    EXPECT_EQ(preview.count(), 3);
}

TEST_F(FileListTest, CaptionChoiceAcrossFolders) {
    show(makeFolder("First", {{"x.ies", IesFile("R-X")}}));
    QSignalSpy choice(&view_, &FolderListView::captionChoiceChanged);
    view_.ComboBoxCaptionChange(1);
    EXPECT_EQ(view_.item(0)->text(), "R-X");

    // Not kept: the next folder returns to file names and reads nothing until asked.
    show(makeFolder("Second", {{"y.ies", IesFile("R-Y")}, {"z.ies", IesFile("R-Z")}}));
    ASSERT_EQ(choice.count(), 2);
    EXPECT_EQ(choice.at(1).at(0).toInt(), 0);
    EXPECT_EQ(loadedCount(), 0);
    view_.ComboBoxCaptionChange(1);
    EXPECT_EQ(loadedCount(), 2);
    EXPECT_EQ(view_.item(rowOf("z.ies"))->text(), "R-Z");
    view_.ComboBoxCaptionChange(0);
    EXPECT_EQ(view_.item(rowOf("z.ies"))->text(), "z.ies");

    // Kept: the scan reads every file behind the loading panel, which is up when the header
    // error is reported.
    view_.setKeepCaption(true);
    view_.ComboBoxCaptionChange(1);
    bool panelShown = false;
    onMessage_ = [&] { panelShown = view_.processingPanel()->isVisible(); };
    show(makeFolder("Third", {{"t1.ies", IesFile("R-100")},
                              {"t2.ies", IesFile("")},
                              {"t3.ies", IesFile("R-300", true)}}));
    EXPECT_TRUE(panelShown);
    EXPECT_EQ(messages_.size(), 1u);
    EXPECT_EQ(view_.captionChoice(), 1);
    EXPECT_EQ(loadedCount(), 3);
    EXPECT_EQ(view_.item(rowOf("t1.ies"))->text(), "R-100");
    EXPECT_EQ(view_.item(rowOf("t2.ies"))->text(), "t2.ies");
    EXPECT_FALSE(view_.processingPanel()->isVisible());
}

TEST_F(FileListTest, SortingIsStableAndKeepsFoldersFirst) {
    QList<QPair<QString, QByteArray>> files;
    for (const char* name : {"b.ies", "a.ies", "A.ies", "C.ies", "c.IES", "B.ies"})
        files.append({name, IesFile()});
    const QString path = makeFolder("Sort", files, {"zz", "aa"});
    FolderListing listing = ListingOf(path);
    std::reverse(listing.Children.begin(), listing.Children.end());
    view_.CheckBoxUpClick(true);
    view_.ShowFolderContents(listing);
    ASSERT_EQ(view_.Tag(), 3);

    const auto captions = [this] {
        QStringList texts;
        for (int i = 0; i < view_.count(); ++i)
            texts << view_.item(i)->text();
        return texts;
    };
    const QStringList before = captions();
    QStringList expected = before;
    std::stable_sort(expected.begin() + 3, expected.end(),
                     [](const QString& x, const QString& y) { return Upper(x) < Upper(y); });

    view_.CheckBoxSortClick(true);
    const QStringList after = captions();
    EXPECT_EQ(after, expected);
    EXPECT_EQ(std::abs(after.indexOf("a.ies") - after.indexOf("A.ies")), 1);
    for (int i = view_.Tag(); i < view_.count(); ++i)
        EXPECT_EQ(EntryFileName(*view_.entryAt(i)), after[i]); // data moved with its item

    // With sorting on, a new folder arrives sorted.
    show(path);
    const QStringList files2 = captions().mid(view_.Tag());
    EXPECT_EQ(files2.mid(0, 2).join(',').toUpper(), "A.IES,A.IES");
    EXPECT_EQ(files2.mid(4).join(',').toUpper(), "C.IES,C.IES");
}

TEST_F(FileListTest, UpEntryActivatesTheParentAndToggles) {
    show(makeFolder("Folder", {{"f.ies", IesFile()}}, {"sub"}));
    ASSERT_EQ(view_.Tag(), 1);

    view_.CheckBoxUpClick(true);
    ASSERT_EQ(view_.Tag(), 2);
    EXPECT_TRUE(view_.isUpEntry(0));
    EXPECT_EQ(view_.item(0)->text(), "直到 'Folder'");
    EXPECT_EQ(view_.folderEntryPath(0), root_.path());

    QSignalSpy activated(&view_, &FolderListView::folderActivated);
    view_.setCurrentItem(view_.item(0));
    QTest::keyClick(&view_, Qt::Key_Return);
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated.at(0).at(0).toString(), root_.path());
    EXPECT_TRUE(activated.at(0).at(1).toBool());

    view_.CheckBoxUpClick(false);
    EXPECT_EQ(view_.Tag(), 1);
    EXPECT_EQ(view_.item(0)->text(), "sub");
    EXPECT_EQ(view_.count(), 2);
}

TEST_F(FileListTest, UpEntryAtTheRootAddsNothing) {
    const QString path = makeFolder("Root", {{"f.ies", IesFile()}}, {"sub"});
    show(path, false);
    view_.CheckBoxUpClick(true);
    EXPECT_EQ(view_.Tag(), 1);
    EXPECT_EQ(view_.count(), 2);
    EXPECT_TRUE(view_.upEntryEnabled());

    show(path, true); // the setting applies to the next folder
    EXPECT_EQ(view_.Tag(), 2);
}

TEST_F(FileListTest, FileThatCannotBeReadStaysUnread) {
    // A file gone before it is read is no error; one that is there but cannot be opened is.
    enum class Block { Vanished, Permissions, FolderInItsPlace };
    for (Block block : {Block::Vanished, Block::Permissions, Block::FolderInItsPlace}) {
        SCOPED_TRACE(static_cast<int>(block));
        if (block == Block::Permissions && geteuid() == 0) continue; // root reads anything
        messages_.clear();
        const QString name = QString("Blocked%1").arg(static_cast<int>(block));
        const QString path = makeFolder(name, {{"locked.ies", IesFile()}});
        show(path);
        QSignalSpy preview(&view_, &FolderListView::previewItem);
        const QString file = path + "/locked.ies";
        if (block == Block::Permissions) {
            ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::Permissions()));
        } else {
            ASSERT_TRUE(QFile::remove(file));
            if (block == Block::FolderInItsPlace) {
                ASSERT_TRUE(QDir(path).mkdir("locked.ies"));
            }
        }

        select(0);
        EXPECT_EQ(preview.count(), 1);
        if (block == Block::Vanished) {
            EXPECT_TRUE(messages_.empty());
        } else {
            ASSERT_EQ(messages_.size(), 1u);
            EXPECT_TRUE(messages_[0].Text.contains("locked.ies"));
            EXPECT_EQ(messages_[0].Kind, MessageService::Icon::Error);
        }
        EXPECT_FALSE(view_.entryAt(0)->Loaded);
        EXPECT_EQ(view_.entryAt(0)->Lines.size(), 2u);
        view_.ComboBoxCaptionChange(1);
        EXPECT_EQ(view_.item(0)->text(), "locked.ies");
        view_.ComboBoxCaptionChange(0);
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
}

TEST_F(FileListTest, HeaderErrorIsReportedOncePerRead) {
    show(makeFolder("Bad", {{"bad.ies", IesFile("R-B", true)}}));
    EXPECT_TRUE(messages_.empty());

    select(0);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].Title, "Error!");
    EXPECT_EQ(messages_[0].Text, "Line 4");
    EXPECT_EQ(messages_[0].Kind, MessageService::Icon::Error);
    EXPECT_TRUE(view_.entryAt(0)->Loaded);
    view_.ComboBoxCaptionChange(1); // already read: no second read, no second box
    EXPECT_EQ(messages_.size(), 1u);
    EXPECT_EQ(view_.item(0)->text(), "R-B");
}

TEST_F(FileListTest, IconViewColumnFitsTheWidestCaption) {
    show(makeFolder("Icons", {{"f.ies", IesFile()}}, {"sub"}));
    view_.setViewStyle(FolderListView::ViewStyle::Icons);
    EXPECT_EQ(view_.count(), 2);
    view_.setViewStyle(FolderListView::ViewStyle::List);
    EXPECT_GT(view_.gridSize().width(), view_.fontMetrics().horizontalAdvance("f.ies"));
}

} // namespace
} // namespace gonilux::browser::testing
