// Names are bytes: files whose names are not UTF-8 (Latin-1, GBK) are listed, captioned with
// U+FFFD, read, drawn as thumbnails, dragged out and replaced by their real names.
#include "browser/drag_out.h"
#include "list_view_fixture.h"
#include "platform/native_names.h"

#include <QMimeData>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace gonilux::browser::testing {
namespace {

using platform::NativePath;
using platform::PathFromNative;

const QByteArray kLatin1 = "Leuchte_\xe4.ies";
const QByteArray kGbk = "\xc5\xb7\xc6\xd5.ies"; // "欧普" in GBK

class ByteNamesTest : public ListViewTest {
  protected:
    // QTemporaryDir cannot remove what Qt does not list.
    void TearDown() override {
        for (const QByteArray& path : created_)
            ::unlink(path.constData());
        ListViewTest::TearDown();
    }
    // Writes a file named by raw bytes into the temporary folder.
    void create(const QByteArray& name, const QByteArray& bytes) {
        const QByteArray path = QFile::encodeName(root_.path()) + '/' + name;
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        created_.append(path);
        ASSERT_GE(fd, 0) << "the temporary folder's file system refuses the name "
                         << name.toHex().constData() << " (errno " << errno
                         << "): these tests need one that takes names that are not UTF-8";
        EXPECT_EQ(::write(fd, bytes.constData(), std::size_t(bytes.size())), bytes.size());
        ::close(fd);
    }
    int rowOf(const QByteArray& name) const {
        for (int i = view_.Tag(); i < view_.count(); ++i)
            if (view_.entryAt(i)->Lines[TitleFileName] == name.toStdString()) return i;
        return -1;
    }
    bool allRead() const {
        for (int i = view_.Tag(); i < view_.count(); ++i)
            if (!view_.entryAt(i)->Loaded) return false;
        return true;
    }
    QList<QByteArray> created_;
};

TEST_F(ByteNamesTest, ListedCaptionedReadAndDrawnByTheirRealNames) {
    create(kLatin1, IesFile("T-L"));
    create(kGbk, IesFile("T-G"));
    create("good.ies", IesFile("T-U"));
    create("n\xe4.txt", "");
    view_.CheckBoxSortClick(true);
    show();
    EXPECT_EQ(dump(), QStringLiteral("good.ies|Leuchte_\uFFFD.ies|\u0177\uFFFD\uFFFD.ies"));
    EXPECT_EQ(NativePath(view_.entryFilePath(rowOf(kGbk))),
              QFile::encodeName(root_.path()) + '/' + kGbk);
    chooseCaption(1); // reads every file
    EXPECT_EQ(dump(), "T-G!|T-L!|T-U*!");

    show(); // unread again: the thumbnails read and draw them
    view_.setViewStyle(FolderListView::ViewStyle::Thumbnails);
    EXPECT_TRUE(test::WaitUntil([&] { return allRead(); }));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(ByteNamesTest, DraggedOutAndReplacedByTheirRealNames) {
    create(kLatin1, IesFile());
    show();
    const std::unique_ptr<QMimeData> data(MakeDragMimeData({view_.entryFilePath(rowOf(kLatin1))}));
    EXPECT_EQ(data->data("text/uri-list").trimmed(),
              QUrl::fromLocalFile(root_.path()).toEncoded() + "/Leuchte_%E4.ies");

    // A file written beside it under a name that keeps the bytes (an export) is listed once.
    const QByteArray written = "Leuchte_\xe4_C.ies";
    create(written, IesFile("T-C"));
    for (int pass = 0; pass < 2; ++pass)
        EXPECT_EQ(view_.ReplaceFileEntry(PathFromNative(written)), 1);
    EXPECT_EQ(view_.count(), 2);
    EXPECT_TRUE(view_.RemoveFileEntry(PathFromNative(kLatin1)));
    EXPECT_EQ(dump(), QStringLiteral("Leuchte_\uFFFD_C.ies"));
}

} // namespace
} // namespace gonilux::browser::testing
