// The file list: folder scan, lazy reading, captions, sorting, the up entry, selection and the
// messages of files that cannot be read or have a broken header.
#include "browser/file_entries.h"
#include "browser/folder_list_view.h"
#include "browser/list_widgets.h"
#include "platform/message_service.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace gonilux::browser {
namespace {

using platform::MessageService;

struct IesRecipe {
    QString Test;           // [TEST] value; no [TEST] line when empty
    bool ByAuthor = false;  // a [CHANGED] line naming the author
    bool BadHeader = false;  // an invalid token among the header numbers, on line 4
};

QByteArray IesText(const IesRecipe& recipe) {
    QByteArray text = "IESNA:LM-63-1995\r\n";
    if (!recipe.Test.isEmpty())
        text += "[TEST] " + recipe.Test.toUtf8() + "\r\n";
    else
        text += "[MANUFAC] ACME\r\n";
    if (recipe.ByAuthor) text += "[CHANGED] converted by A. Kestrin\r\n";
    text += "TILT=NONE\r\n";
    text += recipe.BadHeader ? "1 12a 1 3 1 1 2 0.5 0.6 0\r\n" : "1 1000 1 3 1 1 2 0.5 0.6 0\r\n";
    text += "1 1 36\r\n0 45 90\r\n0\r\n100 80 10\r\n";
    return text;
}

void WriteIes(const QString& path, const IesRecipe& recipe = {}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(IesText(recipe));
}

std::string Upper(const QString& s) {
    std::string text = s.toStdString();
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// ---- The list widget ----

class FileListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        MessageService::instance()->setRecorder(
            [this](const MessageService::Message& m) { messages_.push_back(m); });
        view_.resize(420, 300);
        view_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view_));
    }
    void TearDown() override { MessageService::instance()->setRecorder({}); }

    // A folder below the temporary root with subfolders and IES files.
    QString MakeFolder(const QString& name, const QStringList& subfolders,
                       const QList<QPair<QString, IesRecipe>>& files) {
        const QString path = root_.filePath(name);
        QDir().mkpath(path);
        for (const QString& sub : subfolders)
            QDir(path).mkdir(sub);
        for (const auto& file : files)
            WriteIes(path + "/" + file.first, file.second);
        return path;
    }

    FolderListing Listing(const QString& path, bool hasParent = true) {
        FolderListing listing;
        listing.Path = path;
        listing.NodeText = QFileInfo(path).fileName();
        listing.HasParent = hasParent;
        for (const QString& sub : QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            listing.Children.append({sub, path + "/" + sub, QIcon()});
        return listing;
    }

    int RowOf(const QString& caption) const {
        for (int i = 0; i < view_.count(); ++i)
            if (view_.item(i)->text() == caption) return i;
        return -1;
    }
    int RowOfFile(const QString& name) const {
        for (int i = view_.Tag(); i < view_.count(); ++i)
            if (EntryFileName(*view_.entryAt(i)) == name) return i;
        return -1;
    }
    int LoadedCount() const {
        int loaded = 0;
        for (int i = view_.Tag(); i < view_.count(); ++i)
            loaded += view_.entryAt(i)->Loaded;
        return loaded;
    }
    void Select(int row) {
        view_.setCurrentItem(view_.item(row), QItemSelectionModel::ClearAndSelect);
    }

    QTemporaryDir root_;
    FolderListView view_;
    std::vector<MessageService::Message> messages_;
};

TEST_F(FileListTest, ListsFoldersFirstAndReadsNoFile) {
    const QString path = MakeFolder("Folder", {"sub1", "sub2"},
                                    {{"one.ies", {"R-1"}}, {"two.IES", {}}, {"three.ies", {}}});
    WriteIes(path + "/notes.txt");
    view_.ShowFolderContents(Listing(path));

    EXPECT_EQ(view_.Tag(), 2);
    ASSERT_EQ(view_.count(), 5);
    EXPECT_EQ(view_.item(0)->text(), "sub1");
    EXPECT_EQ(view_.item(1)->text(), "sub2");
    EXPECT_EQ(view_.folderEntryPath(1), path + "/sub2");
    EXPECT_FALSE(view_.isFileEntry(1));
    EXPECT_EQ(view_.entryAt(1), nullptr);
    QStringList names;
    for (int i = view_.Tag(); i < view_.count(); ++i) {
        ASSERT_TRUE(view_.isFileEntry(i));
        EXPECT_EQ(view_.entryAt(i)->Lines.size(), 2u);
        EXPECT_EQ(view_.item(i)->text(), EntryFileName(*view_.entryAt(i)));
        names << view_.item(i)->text();
    }
    names.sort();
    EXPECT_EQ(names, (QStringList{"one.ies", "three.ies", "two.IES"}));
    EXPECT_EQ(LoadedCount(), 0);
    EXPECT_EQ(view_.currentFolderPathWithSeparator(), path + "/");
    EXPECT_FALSE(view_.processingPanel()->isVisible());

    // A folder without IES files shows only its folder entries.
    view_.ShowFolderContents(Listing(MakeFolder("Empty", {"x"}, {})));
    EXPECT_EQ(view_.count(), 1);
    EXPECT_EQ(view_.Tag(), 1);
}

TEST_F(FileListTest, SelectionReadsOneFileAndPreviewsOnce) {
    const QString path = MakeFolder("Sel", {"sub"}, {{"a.ies", {"R-A"}}, {"b.ies", {"R-B"}}});
    view_.ShowFolderContents(Listing(path));
    QSignalSpy preview(&view_, &FolderListView::previewItem);
    const int a = RowOfFile("a.ies");
    const int b = RowOfFile("b.ies");

    view_.doItemsLayout();
    QTest::mouseClick(view_.viewport(), Qt::LeftButton, {},
                      view_.visualItemRect(view_.item(a)).center());
    ASSERT_EQ(preview.count(), 1);
    EXPECT_EQ(preview.at(0).at(0).toInt(), a);
    EXPECT_TRUE(view_.entryAt(a)->Loaded);
    EXPECT_EQ(LoadedCount(), 1);
    EXPECT_EQ(view_.entryAt(a)->Lines.size(), 8u);
    EXPECT_EQ(view_.LastListItem(), view_.item(a));

    view_.clearSelection();
    Select(a);  // the same entry again
    EXPECT_EQ(preview.count(), 1);

    Select(b);
    ASSERT_EQ(preview.count(), 2);
    EXPECT_EQ(preview.at(1).at(0).toInt(), b);
    EXPECT_EQ(LoadedCount(), 2);
    EXPECT_EQ(view_.entryFilePath(b), path + "/b.ies");
    EXPECT_TRUE(messages_.empty());
}

TEST_F(FileListTest, FolderEntrySelectionBlocksFurtherFolderSelections) {
    const QString path = MakeFolder("Busy", {"s1", "s2"}, {{"f.ies", {}}});
    view_.ShowFolderContents(Listing(path));
    QSignalSpy preview(&view_, &FolderListView::previewItem);

    Select(0);
    ASSERT_EQ(preview.count(), 1);
    EXPECT_EQ(preview.at(0).at(0).toInt(), 0);
    EXPECT_TRUE(view_.ListBusy());
    Select(1);
    EXPECT_EQ(preview.count(), 1);

    Select(view_.Tag());
    ASSERT_EQ(preview.count(), 2);
    EXPECT_EQ(preview.at(1).at(0).toInt(), view_.Tag());
    EXPECT_FALSE(view_.ListBusy());
    Select(1);
    EXPECT_EQ(preview.count(), 3);
}

TEST_F(FileListTest, KeptTestCaptionReadsEveryFileDuringTheScan) {
    const QString first = MakeFolder("First", {}, {{"x.ies", {"R-X"}}});
    const QString second =
        MakeFolder("Second", {}, {{"t1.ies", {"R-100"}}, {"t2.ies", {}}, {"t3.ies", {"R-300"}}});
    view_.ShowFolderContents(Listing(first));
    view_.setKeepCaption(true);
    view_.ComboBoxCaptionChange(1);
    EXPECT_EQ(view_.item(0)->text(), "R-X");

    view_.ShowFolderContents(Listing(second));
    EXPECT_EQ(view_.captionChoice(), 1);
    EXPECT_EQ(LoadedCount(), 3);
    EXPECT_EQ(view_.item(RowOfFile("t1.ies"))->text(), "R-100");
    EXPECT_EQ(view_.item(RowOfFile("t2.ies"))->text(), "t2.ies");
    EXPECT_EQ(view_.item(RowOfFile("t3.ies"))->text(), "R-300");
    EXPECT_FALSE(view_.processingPanel()->isVisible());
}

TEST_F(FileListTest, ScanningPaintsTheLoadingPanelFirst) {
    const QString first = MakeFolder("P1", {}, {{"x.ies", {"R-X"}}});
    const QString second = MakeFolder("P2", {}, {{"bad.ies", {"B", false, true}}});
    view_.ShowFolderContents(Listing(first));
    view_.setKeepCaption(true);
    view_.ComboBoxCaptionChange(1);

    // The header error is reported while the scan reads the file: the panel is up by then.
    bool panelShown = false;
    QString caption;
    QSize size;
    MessageService::instance()->setRecorder([&](const MessageService::Message&) {
        panelShown = view_.processingPanel()->isVisible();
        caption = view_.processingPanel()->caption();
        size = view_.processingPanel()->size();
    });
    view_.ShowFolderContents(Listing(second));
    EXPECT_TRUE(panelShown);
    EXPECT_EQ(caption, "Loading the IES files...");
    EXPECT_EQ(size, QSize(209, 49));
    EXPECT_FALSE(view_.processingPanel()->isVisible());
}

TEST_F(FileListTest, FolderChangeWithoutKeepReturnsToFileNames) {
    const QString first = MakeFolder("K1", {}, {{"x.ies", {"R-X"}}});
    const QString second = MakeFolder("K2", {}, {{"y.ies", {"R-Y"}}, {"z.ies", {"R-Z"}}});
    view_.ShowFolderContents(Listing(first));
    QSignalSpy choice(&view_, &FolderListView::captionChoiceChanged);
    view_.ComboBoxCaptionChange(1);
    ASSERT_EQ(choice.count(), 1);

    view_.ShowFolderContents(Listing(second));
    ASSERT_EQ(choice.count(), 2);
    EXPECT_EQ(choice.at(1).at(0).toInt(), 0);
    EXPECT_EQ(view_.captionChoice(), 0);
    EXPECT_EQ(LoadedCount(), 0);

    view_.ComboBoxCaptionChange(1);
    EXPECT_EQ(LoadedCount(), 2);
    EXPECT_EQ(view_.item(RowOfFile("z.ies"))->text(), "R-Z");
    view_.ComboBoxCaptionChange(0);
    EXPECT_EQ(view_.item(RowOfFile("z.ies"))->text(), "z.ies");
}

TEST_F(FileListTest, SortingIsStableAndKeepsFoldersFirst) {
    const QString path = MakeFolder(
        "Sort", {"zz", "aa"},
        {{"b.ies", {}}, {"a.ies", {}}, {"A.ies", {}}, {"C.ies", {}}, {"c.IES", {}}, {"B.ies", {}}});
    FolderListing listing = Listing(path);
    std::reverse(listing.Children.begin(), listing.Children.end());
    view_.CheckBoxUpClick(true);
    view_.ShowFolderContents(listing);
    ASSERT_EQ(view_.Tag(), 3);

    QStringList before;
    for (int i = 0; i < view_.count(); ++i)
        before << view_.item(i)->text();
    QStringList expected = before;
    std::stable_sort(expected.begin() + 3, expected.end(),
                     [](const QString& x, const QString& y) { return Upper(x) < Upper(y); });

    view_.CheckBoxSortClick(true);
    QStringList after;
    for (int i = 0; i < view_.count(); ++i)
        after << view_.item(i)->text();
    EXPECT_EQ(after, expected);
    EXPECT_EQ(after.mid(0, 3), before.mid(0, 3));
    EXPECT_EQ(std::abs(after.indexOf("a.ies") - after.indexOf("A.ies")), 1);
    for (int i = view_.Tag(); i < view_.count(); ++i)
        EXPECT_EQ(EntryFileName(*view_.entryAt(i)), after[i]);  // data moved with its item

    // With sorting on, a new folder arrives sorted.
    view_.ShowFolderContents(Listing(path));
    QStringList files;
    for (int i = view_.Tag(); i < view_.count(); ++i)
        files << view_.item(i)->text();
    EXPECT_EQ(files.mid(0, 2).join(',').toUpper(), "A.IES,A.IES");
    EXPECT_EQ(files.mid(4).join(',').toUpper(), "C.IES,C.IES");
}

TEST_F(FileListTest, UpEntryCaptionsAndToggling) {
    const QString path = MakeFolder("Folder", {"sub"}, {{"f.ies", {}}});
    view_.ShowFolderContents(Listing(path));
    ASSERT_EQ(view_.Tag(), 1);

    view_.CheckBoxUpClick(true);
    ASSERT_EQ(view_.Tag(), 2);
    EXPECT_TRUE(view_.isUpEntry(0));
    EXPECT_EQ(view_.item(1)->text(), "sub");
    struct Case {
        int Index;
        QString Caption;
    };
    for (const Case& c : {Case{0, "直到 'Folder'"}, Case{1, ".. 'Folder'"}, Case{2, ".."}}) {
        view_.ComboBoxUpChange(c.Index);
        EXPECT_EQ(view_.item(0)->text(), c.Caption);
    }
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
    const QString path = MakeFolder("Root", {"sub"}, {{"f.ies", {}}});
    view_.ShowFolderContents(Listing(path, false));
    view_.CheckBoxUpClick(true);
    EXPECT_EQ(view_.Tag(), 1);
    EXPECT_EQ(view_.count(), 2);
    EXPECT_TRUE(view_.upEntryEnabled());

    view_.ShowFolderContents(Listing(path, true));  // the setting applies to the next folder
    EXPECT_EQ(view_.Tag(), 2);
    EXPECT_EQ(view_.item(0)->text(), "直到 'Root'");
}

TEST_F(FileListTest, VanishedFileStaysUnread) {
    const QString path = MakeFolder("Gone", {}, {{"gone.ies", {"R-G"}}});
    view_.ShowFolderContents(Listing(path));
    QSignalSpy preview(&view_, &FolderListView::previewItem);
    ASSERT_TRUE(QFile::remove(path + "/gone.ies"));

    Select(0);
    EXPECT_EQ(preview.count(), 1);
    EXPECT_FALSE(view_.entryAt(0)->Loaded);
    EXPECT_EQ(view_.entryAt(0)->Lines.size(), 2u);
    view_.ComboBoxCaptionChange(1);
    EXPECT_EQ(view_.item(0)->text(), "gone.ies");
    EXPECT_TRUE(messages_.empty());
}

TEST_F(FileListTest, UnreadableFileGivesOneMessage) {
    enum class Block { Permissions, FolderInItsPlace };
    for (Block block : {Block::Permissions, Block::FolderInItsPlace}) {
        SCOPED_TRACE(static_cast<int>(block));
        if (block == Block::Permissions && geteuid() == 0) continue;  // root reads anything
        messages_.clear();
        const QString folder = block == Block::Permissions ? "Locked" : "Replaced";
        const QString path = MakeFolder(folder, {}, {{"locked.ies", {"R-L"}}});
        view_.ShowFolderContents(Listing(path));
        const QString file = path + "/locked.ies";
        if (block == Block::Permissions) {
            ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::Permissions()));
        } else {
            ASSERT_TRUE(QFile::remove(file));
            ASSERT_TRUE(QDir(path).mkdir("locked.ies"));
        }

        Select(0);
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_TRUE(messages_[0].Text.contains("locked.ies"));
        EXPECT_EQ(messages_[0].Kind, MessageService::Icon::Error);
        EXPECT_FALSE(view_.entryAt(0)->Loaded);
        EXPECT_EQ(view_.entryAt(0)->Lines.size(), 2u);
        EXPECT_EQ(view_.item(0)->text(), "locked.ies");
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
}

TEST_F(FileListTest, HeaderErrorIsReportedOncePerRead) {
    const QString path = MakeFolder("Bad", {}, {{"bad.ies", {"R-B", false, true}}});
    view_.ShowFolderContents(Listing(path));
    EXPECT_TRUE(messages_.empty());

    Select(0);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].Title, "Error!");
    EXPECT_EQ(messages_[0].Text, "Line 4");
    EXPECT_EQ(messages_[0].Kind, MessageService::Icon::Error);
    EXPECT_TRUE(view_.entryAt(0)->Loaded);
    view_.ComboBoxCaptionChange(1);  // already read: no second read, no second box
    EXPECT_EQ(messages_.size(), 1u);
    EXPECT_EQ(view_.item(0)->text(), "R-B");
}

TEST_F(FileListTest, AuthorMarkedFileGetsItsOwnIcon) {
    const QString path = MakeFolder("Mark", {}, {{"plain.ies", {"P"}}, {"mine.ies", {"M", true}}});
    view_.ShowFolderContents(Listing(path));
    const int plain = RowOfFile("plain.ies");
    const int mine = RowOfFile("mine.ies");
    const qint64 unread = view_.item(mine)->icon().cacheKey();
    EXPECT_EQ(unread, view_.item(plain)->icon().cacheKey());

    view_.ComboBoxCaptionChange(1);
    EXPECT_TRUE(view_.entryAt(mine)->ChangedByAuthor);
    EXPECT_NE(view_.item(mine)->icon().cacheKey(), view_.item(plain)->icon().cacheKey());
    EXPECT_EQ(view_.item(plain)->icon().cacheKey(), unread);
}

TEST_F(FileListTest, IconViewKeepsTheEntries) {
    const QString path = MakeFolder("Icons", {"sub"}, {{"f.ies", {}}});
    view_.ShowFolderContents(Listing(path));
    view_.setViewStyle(FolderListView::ViewStyle::Icons);
    EXPECT_EQ(view_.viewMode(), QListView::IconMode);
    EXPECT_EQ(view_.iconSize(), QSize(32, 32));
    EXPECT_EQ(view_.count(), 2);
    view_.setViewStyle(FolderListView::ViewStyle::List);
    EXPECT_EQ(view_.viewMode(), QListView::ListMode);
    EXPECT_EQ(view_.iconSize(), QSize(16, 16));
    // The column is wide enough for the widest caption.
    EXPECT_GT(view_.gridSize().width(), view_.fontMetrics().horizontalAdvance("f.ies"));
}

}  // namespace
}  // namespace gonilux::browser
