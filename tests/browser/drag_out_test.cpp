// The dropped-files block and the drag's data.
#include "browser/drag_out.h"

#include <QMimeData>
#include <QUrl>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace gonilux::browser {
namespace {

std::int32_t Int32At(const std::vector<std::uint8_t>& block, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | block[offset + static_cast<std::size_t>(i)];
    return static_cast<std::int32_t>(value);
}

TEST(DragOutTest, BlockOfThreePathsHoldsHeaderNamesAndTerminators) {
    TDragDropInfo info;
    info.Files = {"C:\\lib\\a.ies", "C:\\lib\\bb.ies", "C:\\lib\\ccc.ies"};
    const std::vector<std::uint8_t> block = BuildHDropBlock(info);
    ASSERT_EQ(block.size(), 20u + 12 + 13 + 14 + 4);
    EXPECT_EQ(Int32At(block, 0), 20);
    EXPECT_EQ(Int32At(block, 4), 0);
    EXPECT_EQ(Int32At(block, 8), 0);
    EXPECT_EQ(Int32At(block, 12), -1); // in the client area
    EXPECT_EQ(Int32At(block, 16), 0);  // ANSI names
    std::size_t at = 20;
    for (const std::string& file : info.Files) {
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(block.data() + at)), file);
        at += file.size();
        EXPECT_EQ(block[at], 0);
        ++at;
    }
    EXPECT_EQ(at, block.size() - 1);
    EXPECT_EQ(block.back(), 0);
}

TEST(DragOutTest, HeaderCarriesDropPointAndAreaFlag) {
    TDragDropInfo info;
    info.InClientArea = false;
    info.DropPointX = -5;
    info.DropPointY = 300;
    const std::vector<std::uint8_t> block = BuildHDropBlock(info);
    ASSERT_EQ(block.size(), 21u);
    EXPECT_EQ(Int32At(block, 4), -5);
    EXPECT_EQ(Int32At(block, 8), 300);
    EXPECT_EQ(Int32At(block, 12), 0);
}

TEST(DragOutTest, OnlyRealFailuresAreReported) {
    const struct {
        std::uint32_t Code;
        const char* Text;
    } cases[] = {{kDragDrop, ""},
                 {kDragCancel, ""},
                 {kOutOfMemory, "Out of memory"},
                 {0x80004005u, "Something bad happened"}};
    for (const auto& c : cases)
        EXPECT_STREQ(DragFailureText(c.Code), c.Text) << std::hex << c.Code;
}

TEST(DragOutTest, MimeDataCarriesTheFilesAsLocalUrls) {
    std::unique_ptr<QMimeData> data(
        MakeDragMimeData({QStringLiteral("/tmp/x/a.ies"), QStringLiteral("/tmp/x/b c.ies")}));
    ASSERT_TRUE(data->hasUrls());
    const QList<QUrl> urls = data->urls();
    ASSERT_EQ(urls.size(), 2);
    EXPECT_TRUE(urls[0].isLocalFile());
    EXPECT_EQ(urls[0].toLocalFile(), QStringLiteral("/tmp/x/a.ies"));
    EXPECT_EQ(urls[1].toLocalFile(), QStringLiteral("/tmp/x/b c.ies"));
}

} // namespace
} // namespace gonilux::browser
