// Files that are no photometric files at all: folders, pipes, devices, link loops and files
// over the size limit are refused with a reason; written files replace the old one whole.
#include "photometry/file_io.h"
#include "test_util.h"

#include <sys/stat.h>

namespace gonilux {
namespace {

namespace fs = std::filesystem;
using testutil::Dump;

TEST(FileIo, UnreadableFilesLeaveTheEntryAsItWas) {
    testutil::TempFolder folder;
    fs::create_directory(folder.Path / "sub.ies");
    ASSERT_EQ(::mkfifo(folder.Str("pipe.ies").c_str(), 0600), 0); // never waited for
    testutil::WriteText(folder.Path / "huge.ies", "TILT=NONE");
    fs::resize_file(folder.Path / "huge.ies", kMaxFileBytes + 1);
    fs::create_symlink("/dev/zero", folder.Path / "zero.ies");
    fs::create_symlink(folder.Path / "loop.ies", folder.Path / "loop.ies");
    std::string reasons;
    for (const char* name :
         {"absent.ies", "sub.ies", "pipe.ies", "huge.ies", "zero.ies", "loop.ies"}) {
        TiesData entry = CreateIesData("lamp.ies");
        EXPECT_FALSE(LoadIesEntry(entry, folder.Str(name)));
        EXPECT_TRUE(!entry.Loaded && entry.Diagnostics.OpenFailed);
        reasons += std::string(name) + ": " + entry.Diagnostics.OpenError + "\n";
        EXPECT_EQ(entry.Lines, (std::vector<std::string>{"", "lamp.ies"}));
        EXPECT_EQ(Dump(entry.Ies), Dump(tIES{}));
        EXPECT_FALSE(IsAuthorFile(folder.Str(name)));
    }
    EXPECT_EQ(reasons, "absent.ies: No such file or directory\nsub.ies: is a folder, not a file\n"
                       "pipe.ies: is a named pipe, not a file\nhuge.ies: too large: 65 MiB (the "
                       "limit is 64 MiB)\nzero.ies: is a device, not a file\nloop.ies: Too many "
                       "levels of symbolic links\n");
}

TEST(FileIo, AtomicWriteReplacesTheFileWholeOrKeepsTheOldOne) {
    testutil::TempFolder folder;
    const std::string path = folder.Str("x_C.ies");
    const std::string bytes("IESNA91\r\n[CHANGED] Kestrin\r\nTILT=NONE\r\n\x1A\0end", 44);
    std::string error, read;
    for (const std::string& text : {std::string("old"), bytes, std::string(200000, 'x'), bytes}) {
        ASSERT_TRUE(WriteFileAtomically(path, text, error)) << error;
        ASSERT_TRUE(ReadWholeFile(path, read, error)) << error;
        EXPECT_EQ(read, text);
    }
    EXPECT_TRUE(IsAuthorFile(path));
    // A folder in the way: the write fails with a reason and leaves no temporary file.
    fs::create_directories(folder.Path / "taken" / "inside");
    EXPECT_FALSE(WriteFileAtomically(folder.Str("taken"), bytes, error));
    EXPECT_EQ(error, "Is a directory");
    EXPECT_FALSE(WriteFileAtomically(folder.Str("no/such/x.ies"), bytes, error));
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path), fs::directory_iterator{}), 2);
    EXPECT_TRUE(fs::exists(folder.Path / "taken" / "inside"));
}

} // namespace
} // namespace gonilux
