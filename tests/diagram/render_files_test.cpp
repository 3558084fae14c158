// Diagram pictures written to files: every sample and real file, errors, and failed writes.
#include "diagram/diagram_file.h"
#include "photometry/file_io.h"
#include "test_records.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace gonilux::test {
namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The compressed streams of a PDF, inflated: page contents, images and fonts.
QByteArray Inflated(const QByteArray& pdf) {
    const QByteArray mark = "/FlateDecode\n>>\nstream\n";
    QByteArray streams;
    for (qsizetype at = pdf.indexOf(mark); at >= 0; at = pdf.indexOf(mark, at + 1)) {
        const qsizetype start = at + mark.size(), end = pdf.indexOf("endstream", start);
        streams += qUncompress(QByteArray("\0\0\0\1", 4) + pdf.mid(start, end - start));
    }
    return streams;
}

// Each file in turn as PNG, SVG or PDF with varied options; damaged files draw what they have.
TEST(RenderFiles, EverySampleAndRealFileRenders) {
    QTemporaryDir dir;
    const QString data = QStringLiteral(GONILUX_TESTDATA_DIR);
    for (const QString& folder :
         {QStringLiteral(GONILUX_SAMPLES_DIR), data + "/ies-real", data + "/ldt-real"}) {
        QDirIterator files(folder, {"*.ies", "*.IES", "*.ldt", "*.LDT"}, QDir::Files,
                           QDirIterator::Subdirectories);
        int index = 0;
        for (; files.hasNext(); ++index) {
            const QString file = files.next();
            TiesData entry;
            LoadIesEntry(entry, file.toStdString());
            DiagramRequest request{120 + index % 2 * 40, 120, false, 1, index % 3, {}};
            request.Options.Center = index % 5 == 4, request.Options.Fit = index % 4 != 0;
            request.Options.Labels = index % 2 == 1;
            const QString path = dir.filePath(QString::number(index) +
                                              QStringList{".png", ".svg", ".pdf"}[index % 3]);
            QString error;
            EXPECT_TRUE(WriteDiagramFile(path, entry.Ies, request, error)) << error.toStdString();
            // Vector pictures: titled, with one unit per pixel of the request.
            const QByteArray bytes = Contents(path), width = QByteArray::number(request.Width);
            const bool titled = bytes.contains("<title>Gonilux diagram</title>") ||
                                bytes.contains(QByteArray("\0G\0o\0n\0i\0l\0u\0x\0 \0d", 18));
            EXPECT_TRUE(bytes.startsWith("\x89PNG") ||
                        (titled && (bytes.contains("viewBox=\"0 0 " + width + " 120\"") ||
                                    Inflated(bytes).contains("1 0 0 -1 0 120 cm"))))
                << file.toStdString();
            RenderDiagramImage(entry.Ies, {60, 60, true, 1, 0, {}}); // as a thumbnail
        }
        EXPECT_GE(index, 5) << "too few files in " << folder.toStdString();
    }
}

// Failures are reported; a write that fails part-way (here: the file size limit of a nearly full
// disk) leaves the existing picture as it was, and no temporary file behind.
TEST(RenderFiles, FailuresAreReportedAndKeepTheExistingFile) {
    const tIES ies = MakeRecord(1, Steps(0, 180, 45), {0}, 500);
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(WriteDiagramFile(dir.filePath("out.bmpx"), ies, {}, error));
    EXPECT_TRUE(error.contains("unknown picture format")) << error.toStdString();
    const QByteArray before(64, 'x');
    const QStringList names{"old.png", "old.svg", "old.pdf"};
    for (const QString& name : names) {
        EXPECT_FALSE(WriteDiagramFile(dir.filePath("missing/" + name), ies, {}, error));
        EXPECT_TRUE(error.startsWith("cannot write")) << error.toStdString();
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(before) == 64);
    }
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{100, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
    QStringList errors; // reported once the limit is lifted
    for (const QString& name : names) {
        QString reason;
        errors << (WriteDiagramFile(dir.filePath(name), ies, {300, 300, false, 1, 0, {}}, reason)
                       ? "written"
                       : reason);
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(errors[i].startsWith("cannot write")) << errors[i].toStdString();
        EXPECT_EQ(Contents(dir.filePath(names[i])), before) << i;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
}

} // namespace
} // namespace gonilux::test
