#include "diagram/diagram_file.h"
#include "photometry/file_io.h"
#include "test_records.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPalette>
#include <QTemporaryDir>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace gonilux::test {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> IesFilesUnder(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code error;
    if (!fs::is_directory(folder, error)) return files;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
        std::string extension = entry.path().extension().string();
        for (char& c : extension)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (entry.is_regular_file() && extension == ".ies") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Every file in all three formats, as full diagram and as thumbnail, with options that exercise
// the different branches.
void RenderAll(const std::vector<fs::path>& files) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    int index = 0;
    for (const fs::path& file : files) {
        TiesData entry;
        LoadIesEntry(entry, file.string()); // unreadable or damaged files draw what they have
        DiagramRequest request;
        request.Plane = index % 3;
        request.Options.Labels = index % 2 == 1;
        request.Options.Center = index % 5 == 4;
        request.Options.Fit = index % 4 != 0;
        for (const char* extension : {"png", "svg", "pdf"}) {
            request.Thumbnail = false;
            const QString path = dir.filePath(QStringLiteral("%1.%2").arg(index).arg(extension));
            QString error;
            EXPECT_TRUE(WriteDiagramFile(path, entry.Ies, request, error))
                << file << ": " << error.toStdString();
            EXPECT_GT(QFileInfo(path).size(), 0) << file;
        }
        request.Thumbnail = true;
        request.Width = request.Height = 100;
        EXPECT_FALSE(RenderDiagramImage(entry.Ies, request).isNull()) << file;
        ++index;
    }
}

TEST(RenderFiles, EverySampleFile) {
    const auto files = IesFilesUnder(GONILUX_SAMPLES_DIR);
    if (files.empty()) GTEST_SKIP() << "no sample files in " << GONILUX_SAMPLES_DIR;
    RenderAll(files);
}

TEST(RenderFiles, EveryRealWorldFile) {
    const auto files = IesFilesUnder(fs::path(GONILUX_TESTDATA_DIR) / "ies-real");
    if (files.empty()) GTEST_SKIP() << "no real-world files";
    RenderAll(files);
}

TEST(RenderFiles, UnknownExtensionAndUnwritablePathAreReported) {
    const tIES ies = MakeRecord(1, {0, 90, 180}, {0});
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(WriteDiagramFile(dir.filePath(QStringLiteral("out.bmpx")), ies, {}, error));
    EXPECT_TRUE(error.contains(QStringLiteral("unknown picture format")));
    error.clear();
    for (const char* name : {"missing/out.png", "missing/out.svg", "missing/out.pdf"}) {
        EXPECT_FALSE(WriteDiagramFile(dir.filePath(QString::fromLatin1(name)), ies, {}, error));
        EXPECT_TRUE(error.startsWith(QStringLiteral("cannot write"))) << error.toStdString();
    }
    EXPECT_EQ(DiagramFormatOf(QStringLiteral("a/B.PNG")), DiagramFormat::Png);
}

// A write that fails part-way (here: the file size limit of a nearly full disk) leaves the
// existing picture as it was.
TEST(RenderFiles, FailedWriteKeepsTheExistingFile) {
    const tIES ies = MakeRecord(1, {0, 45, 90, 135, 180}, {0}, {}, 500);
    QTemporaryDir dir;
    const char* const names[] = {"old.png", "old.svg", "old.pdf"};
    for (int i = 0; i < 3; ++i) {
        const char* name = names[i];
        SCOPED_TRACE(name);
        const QString path = dir.filePath(QString::fromLatin1(name));
        const QByteArray before(64, 'x');
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(before);
        }
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved;
        limit.rlim_cur = 100;
        setrlimit(RLIMIT_FSIZE, &limit);
        DiagramRequest request;
        request.Width = request.Height = 300;
        QString error;
        const bool written = WriteDiagramFile(path, ies, request, error);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        EXPECT_FALSE(written);
        EXPECT_TRUE(error.startsWith(QStringLiteral("cannot write"))) << error.toStdString();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), before);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), i + 1)
            << "no temporary file left";
    }
}

TEST(RenderFiles, ComposedPicturePixels) {
    // 95 cd everywhere on planes 0..270: a circle of radius Rx = 90 round the centre (100, 100),
    // between the rings of 80 and 100 cd.
    const tIES ies = MakeRecord(1, {0, 45, 90, 135, 180}, {0, 90, 180, 270}, {}, 95);
    DiagramRequest request;
    request.Width = request.Height = 200;
    request.Options.Antialias = false;
    const QImage image = RenderDiagramImage(ies, request);
    const QRgb red = qRgb(255, 0, 0);
    EXPECT_EQ(image.pixel(190, 100), red);           // gamma 90 on the right
    EXPECT_EQ(image.pixel(10, 100), red);            // mirrored on the left
    EXPECT_EQ(image.pixel(100 + 64, 100 + 64), red); // gamma 45: 90 / sqrt 2
    const QPalette palette = QGuiApplication::palette();
    EXPECT_EQ(image.pixel(150, 195), palette.color(QPalette::Button).rgb());
    EXPECT_EQ(image.pixel(199, 199), palette.color(QPalette::Dark).rgb());

    request.Thumbnail = true;
    const QImage thumbnail = RenderDiagramImage(ies, request);
    EXPECT_EQ(thumbnail.pixel(100, 190), red); // gamma 0, straight down
    EXPECT_EQ(thumbnail.pixel(100, 10), red);  // gamma 180, up
    EXPECT_EQ(thumbnail.pixel(60, 60), palette.color(QPalette::Button).rgb()); // no spokes
}

} // namespace
} // namespace gonilux::test
