// Reading files on worker threads: every file gives one result (its record and figures, or why it
// could not be read), a new folder drops the old one's results, and the reader can go mid-read.
#include "browser/entry_reader.h"
#include "wait_until.h"

#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace gonilux::browser {
namespace {

const QString kTight = GONILUX_TESTDATA_DIR "/ies-real/tobspr-RenderPipeline/tight_focused.ies";

struct Received {
    explicit Received(EntryReader& reader) {
        QObject::connect(&reader, &EntryReader::entriesRead, [this](quint64 g, const auto& list) {
            ++batches;
            reads += list;
            generations += QList<quint64>(list.size(), g);
        });
        QObject::connect(&reader, &EntryReader::finished, [this](quint64 g) { finished << g; });
    }
    QList<EntryRead> reads;
    QList<quint64> generations, finished;
    int batches = 0;
};

TEST(EntryReader, EachFileGivesItsRecordAndFiguresOrWhyItCouldNotBeRead) {
    QTemporaryDir dir;
    std::ofstream(dir.filePath("bad.ies").toStdString())
        << "IESNA:LM-63-2002\n[MANUFAC] ACME\nTILT=NONE\n1 1000 1 x 1 1 2 0 0 0\n1 1 10\n0\n0\n5\n";
    ASSERT_EQ(::mkfifo(dir.filePath("x.ies").toLocal8Bit().constData(), 0600), 0);
    const QStringList paths = {
        kTight, GONILUX_TESTDATA_DIR "/ldt-real/Frudawski-LightingToolbox/lambert.ldt",
        dir.filePath("bad.ies"), dir.filePath("x.ies"), dir.filePath("gone.ies")};
    EntryReader reader;
    Received got(reader);
    reader.Start(7, paths);
    EXPECT_TRUE(reader.IsReading());
    ASSERT_TRUE(test::WaitUntil([&] { return !got.finished.isEmpty(); }));
    EXPECT_FALSE(reader.IsReading());
    QStringList seen(paths.size());
    EXPECT_EQ(got.generations, QList<quint64>(paths.size(), 7));
    for (const EntryRead& read : got.reads) {
        EXPECT_TRUE(read.Index >= 2 || read.Ratings.Valid) << read.Index; // the real files
        const ReadDiagnostics& d = read.Entry->Diagnostics;
        std::vector<std::string> lines = read.Entry->Lines;
        lines.resize(4);
        seen[read.Index] = QString::fromStdString(lines[1] + " " + lines[3] + " " + d.OpenError) +
                           QStringLiteral(" %1 %2 %3")
                               .arg(read.Path == paths[read.Index])
                               .arg(d.HeaderError ? d.HeaderErrorLine : -1)
                               .arg(read.Metrics.LuminaireFlux, 0, 'f', 0);
    }
    EXPECT_EQ(seen.join('|').toStdString(),
              "tight_focused.ies INFINITY LIGHTING INC - CARTHAGE, MISSOURI  1 -1 6522|"
              "lambert.ldt Lighting Toolbox  1 -1 994|bad.ies ACME  1 4 nan|"
              "x.ies  is a named pipe, not a file 1 -1 nan|"
              "gone.ies  No such file or directory 1 -1 nan");
    reader.Start(8, {kTight}); // one file, then none: each finishes
    ASSERT_TRUE(test::WaitUntil([&] { return got.finished.size() == 2; }));
    reader.Start(9, {});
    ASSERT_TRUE(test::WaitUntil([&] { return got.finished.size() == 3; }));
    EXPECT_EQ(got.finished, (QList<quint64>{7, 8, 9}));
}

TEST(EntryReader, ANewFolderOrACancelDropsTheOldResultsAndTheReaderMayGoMidRead) {
    QTemporaryDir dir;
    QStringList many;
    for (int i = 0; i < 2000; ++i) {
        many << dir.filePath(QStringLiteral("f%1.ies").arg(i));
        std::filesystem::create_hard_link(kTight.toStdString(), many.back().toStdString());
    }
    auto reader = std::make_unique<EntryReader>();
    Received got(*reader);
    reader->Start(1, many);
    reader->Start(2, {kTight});
    reader->Start(3, many.mid(0, 400));
    reader->Prefer({390, 380});
    ASSERT_TRUE(test::WaitUntil([&] { return !got.finished.isEmpty(); }));
    reader->Start(4, many);
    reader->Cancel();
    EXPECT_FALSE(reader->IsReading());
    EXPECT_FALSE(test::WaitUntil([&] { return got.reads.size() > 400; }, 300));
    EXPECT_EQ(got.generations, QList<quint64>(400, 3));
    EXPECT_GT(got.batches, 1); // delivered as they come, not all at the end
    const auto preferred = std::find_if(got.reads.begin(), got.reads.end(),
                                        [](const EntryRead& r) { return r.Index == 390; });
    EXPECT_LT(preferred - got.reads.begin(), 100); // read before the files ahead of it
    reader->Start(5, many);
    ASSERT_TRUE(test::WaitUntil([&] { return got.reads.size() > 400; }));
    reader.reset(); // mid-read: the queued files are dropped, nothing more comes
    EXPECT_EQ(got.finished, QList<quint64>{3});
    EXPECT_LT(got.reads.size(), 2400);
}

} // namespace
} // namespace gonilux::browser
