// The installed thumbnailer run as a file manager runs it: the Exec line of the .thumbnailer
// file with %s, %i and %o filled in, no display, the picture read back as the cache would.
#include "install_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>
#include <vector>

namespace gonilux::installtest {
namespace {

// A small EULUMDAT file: rotationally symmetric downlight, one stored plane of 19 values.
QByteArray LdtText() {
    QByteArray text = "Gonilux test\r\n1\r\n1\r\n36\r\n10\r\n19\r\n5\r\nR-1\r\n"
                      "Test downlight\r\nTD-1\r\ndownlight.ldt\r\n2026-12-06\r\n"
                      "200\r\n0\r\n100\r\n150\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
                      "100\r\n80\r\n1\r\n0\r\n1\r\n1\r\nLED\r\n1000\r\n3000\r\n80\r\n12\r\n";
    const auto line = [&text](double value) { text += QByteArray::number(value) + "\r\n"; };
    for (int k = 0; k < 10; ++k) // direct ratios
        line(0.4 + 0.05 * k);
    for (int c = 0; c < 360; c += 10)
        line(c);
    for (int g = 0; g <= 90; g += 5)
        line(g);
    for (int g = 0; g <= 90; g += 5)
        line(g <= 40 ? 400 - 3 * g : std::max(0, 280 - 5 * (g - 40)));
    return text;
}

// The inputs: every sample (IES and EULUMDAT), a spread of the real files, and a generated
// EULUMDAT file.
QStringList InputFiles(const QString& scratch) {
    QStringList files;
    for (const QFileInfo& info :
         QDir(QStringLiteral(GONILUX_SAMPLES_DIR))
             .entryInfoList({QStringLiteral("*.ies"), QStringLiteral("*.ldt")}, QDir::Files))
        files << info.absoluteFilePath();
    QStringList real;
    const QDir realDir(QStringLiteral(GONILUX_TESTDATA_DIR "/ies-real"));
    for (const QString& folder : realDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        for (const QFileInfo& info : QDir(realDir.filePath(folder)).entryInfoList(QDir::Files))
            if (info.suffix().compare(QLatin1String("ies"), Qt::CaseInsensitive) == 0)
                real << info.absoluteFilePath();
    }
    for (qsizetype i = 0; i < real.size(); i += 7)
        files << real[i];
    QFile ldt(scratch + QStringLiteral("/downlight.ldt"));
    if (ldt.open(QIODevice::WriteOnly) && ldt.write(LdtText()) > 0) files << ldt.fileName();
    return files;
}

// The Exec line split into words with the file manager's values in place of its fields.
QStringList ExpandExec(const QString& exec, int size, const QString& input, const QString& output) {
    QStringList words = exec.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString& word : words) {
        if (word == QLatin1String("%s"))
            word = QString::number(size);
        else if (word == QLatin1String("%i"))
            word = input;
        else if (word == QLatin1String("%o"))
            word = output;
    }
    return words;
}

bool HasCurvePixel(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) == 255 && qRed(p) > 180 && qGreen(p) < 110 && qBlue(p) < 110) return true;
        }
    return false;
}

void ExpectThumbnail(const QString& path, int size) {
    const QImage image(path);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(size, size));
    EXPECT_TRUE(image.hasAlphaChannel());
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(0, size - 1)), 0);
    EXPECT_EQ(qAlpha(image.pixel(size - 1, size - 1)), 0);
    int opaque = 0;
    for (int y = size / 4; y < 3 * size / 4; ++y)
        for (int x = size / 4; x < 3 * size / 4; ++x)
            opaque += qAlpha(image.pixel(x, y)) == 255;
    EXPECT_EQ(opaque, (size / 2) * (size / 2)); // the field covers the middle
    EXPECT_TRUE(HasCurvePixel(image));
}

class ThumbnailerTest : public InstalledTree {
  protected:
    void SetUp() override {
        InstalledTree::SetUp();
        if (HasFatalFailure()) return;
        const auto entry =
            ReadDesktopGroup(Data(QStringLiteral("thumbnailers/gonilux.thumbnailer")),
                             QStringLiteral("Thumbnailer Entry"));
        ASSERT_TRUE(entry.count(QStringLiteral("Exec")));
        exec_ = entry.at(QStringLiteral("Exec"));
        tryExec_ = entry.at(QStringLiteral("TryExec"));
        ASSERT_TRUE(QDir().mkpath(Scratch() + QStringLiteral("/input files")));
        ASSERT_TRUE(QDir().mkpath(Scratch() + QStringLiteral("/thumbnail cache")));
    }

    // Runs the thumbnailer as the file manager would; its program is found on PATH.
    ProcessResult Thumbnail(int size, const QString& input, const QString& output) const {
        const QProcessEnvironment environment = DesktopHelperEnvironment();
        QStringList words = ExpandExec(exec_, size, input, output);
        const QString program = QStandardPaths::findExecutable(
            words.takeFirst(), environment.value(QStringLiteral("PATH")).split(':'));
        return RunProcess(program, words, environment);
    }

    QString exec_;
    QString tryExec_;
};

TEST_F(ThumbnailerTest, EveryFileGetsARoundPictureOfItsDiagram) {
    EXPECT_FALSE(QStandardPaths::findExecutable(tryExec_, {QFileInfo(Bin(tryExec_)).absolutePath()})
                     .isEmpty());
    const QStringList files = InputFiles(Scratch());
    ASSERT_GE(files.size(), 10);
    int n = 0;
    for (const QString& file : files) {
        const QString input =
            Scratch() + QStringLiteral("/input files/copy of ") + QFileInfo(file).fileName();
        ASSERT_TRUE(QFile::copy(file, input));
        for (const int size : {128, 256}) {
            SCOPED_TRACE(QStringLiteral("%1 at %2").arg(file).arg(size).toStdString());
            const QString output =
                Scratch() + QStringLiteral("/thumbnail cache/thumb %1.png").arg(++n);
            const ProcessResult run = Thumbnail(size, input, output);
            ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
            EXPECT_TRUE(run.Err.isEmpty()) << run.Err.toStdString();
            ExpectThumbnail(output, size);
        }
    }
    // Only the pictures themselves: no temporary file left beside them.
    EXPECT_EQ(QDir(Scratch() + QStringLiteral("/thumbnail cache")).entryList(QDir::Files).size(),
              n);
}

TEST_F(ThumbnailerTest, CommandLineContract) {
    const QString cli = Bin(QStringLiteral("gonilux-cli"));
    const QString sample = QStringLiteral(GONILUX_SAMPLES_DIR "/downlight_c_quarter.ies");
    const QString out = Scratch() + QStringLiteral("/thumbnail cache/out.png");
    const QString missing = Scratch() + QStringLiteral("/no such file.ies");
    struct Case {
        const char* Name;
        QStringList Arguments;
        int Status;
        const char* ErrorText;
    };
    const std::vector<Case> cases = {
        {"no size", {sample, out}, 2, "needs a size"},
        {"size too small", {"-s", "7", sample, out}, 2, "size must be 8 to 2048"},
        {"size too large", {"-s", "2049", sample, out}, 2, "size must be 8 to 2048"},
        {"size not a number", {"-s", "12px", sample, out}, 2, "size must be"},
        {"size without value", {sample, out, "-s"}, 2, "needs a value"},
        {"no output", {"-s", "64", sample}, 2, "input file and an output"},
        {"third file", {"-s", "64", sample, out, out}, 2, "too many arguments"},
        {"unknown option", {"--plane", "1", sample, out}, 2, "unknown option"},
        {"unreadable input", {"-s", "64", missing, out}, 1, "cannot read"},
        {"output folder missing",
         {"-s", "64", sample, Scratch() + "/none/x.png"},
         1,
         "cannot write"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const ProcessResult run =
            RunProcess(cli, QStringList{QStringLiteral("thumbnail")} + c.Arguments,
                       DesktopHelperEnvironment());
        EXPECT_EQ(run.Status, c.Status);
        EXPECT_TRUE(run.Err.contains(QLatin1String(c.ErrorText))) << run.Err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
}

TEST_F(ThumbnailerTest, DamagedFilesStillGetAPictureAndOutputIsReplacedWhole) {
    const QString cli = Bin(QStringLiteral("gonilux-cli"));
    const QString folder = Scratch() + QStringLiteral("/input files/");
    const QString out = Scratch() + QStringLiteral("/thumbnail cache/out.png");
    QFile old(out);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older picture");
    old.close();
    const std::vector<std::pair<const char*, QByteArray>> damaged = {
        {"empty.ies", {}},
        {"header only.ies", "IESNA:LM-63-2002\r\n[TEST] cut\r\nTILT=NONE\r\n1 1000 1 5 3"},
        {"text.ldt", "not a photometric file\r\n"},
    };
    for (const auto& [name, bytes] : damaged) {
        SCOPED_TRACE(name);
        QFile file(folder + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        const ProcessResult run = RunProcess(cli,
                                             {QStringLiteral("thumbnail"), QStringLiteral("-s"),
                                              QStringLiteral("64"), file.fileName(), out},
                                             DesktopHelperEnvironment());
        ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
        const QImage image(out);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(64, 64));
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(32, 32)), 255);
    }
    EXPECT_EQ(QDir(Scratch() + QStringLiteral("/thumbnail cache")).entryList(QDir::Files),
              QStringList{QStringLiteral("out.png")});
}

} // namespace
} // namespace gonilux::installtest
