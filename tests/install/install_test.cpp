// One `cmake --install` of the build tree into a temporary prefix, looked at as a desktop looks at
// it: the files, the launcher, the MIME types, the icons, the thumbnailer run as a file manager
// runs it, and the installed viewer started and stopped.
#include "wait_until.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace {

#define DATA GONILUX_INSTALL_DATADIR

struct ProcessResult {
    int Status = -1; // -1 when the program did not start, crashed or hung
    QString Out;
    QString Err;
};

ProcessResult
RunProcess(const QString& program, const QStringList& arguments,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    const bool done = process.waitForFinished(60000);
    if (!done) process.kill();
    return {done && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

QString Slurp(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The keys of one [GROUP] of a desktop entry file.
std::map<QString, QString> Group(const QString& path, const QString& group) {
    std::map<QString, QString> keys;
    QString current;
    for (const QString& line : Slurp(path).split('\n')) {
        if (line.startsWith('['))
            current = line.mid(1, line.size() - 2);
        else if (current == group && line.contains('='))
            keys[line.section('=', 0, 0)] = line.section('=', 1);
    }
    return keys;
}

class InstalledTree : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        prefix_ = std::make_unique<QTemporaryDir>();
        install_ = RunProcess(GONILUX_CMAKE_COMMAND,
                              {"--install", GONILUX_BUILD_DIR, "--prefix", prefix_->path()});
    }
    static void TearDownTestSuite() { prefix_.reset(); }
    void SetUp() override { ASSERT_EQ(install_.Status, 0) << install_.Err.toStdString(); }

    static QString Path(const QString& relative) { return prefix_->path() + '/' + relative; }

    // A desktop session's helper: the installed programs first on PATH, no display of any kind.
    static QProcessEnvironment Desktop() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(name);
        environment.insert("PATH", Path("bin:") + environment.value("PATH"));
        return environment;
    }

    QTemporaryDir scratch_;
    static inline std::unique_ptr<QTemporaryDir> prefix_;
    static inline ProcessResult install_;
};

TEST_F(InstalledTree, FilesAndWhatTheDesktopReadsInThem) {
    QStringList files, expected = {"bin/gonilux",
                                   "bin/gonilux-cli",
                                   DATA "/applications/org.gonilux.Gonilux.desktop",
                                   DATA "/icons/hicolor/scalable/apps/gonilux.svg",
                                   DATA "/mime/packages/gonilux.xml",
                                   DATA "/metainfo/org.gonilux.Gonilux.metainfo.xml",
                                   DATA "/bash-completion/completions/gonilux",
                                   DATA "/bash-completion/completions/gonilux-cli",
                                   GONILUX_INSTALL_MANDIR "/man1/gonilux.1.gz",
                                   GONILUX_INSTALL_MANDIR "/man1/gonilux-cli.1.gz",
                                   DATA "/thumbnailers/gonilux.thumbnailer"};
    for (QDirIterator it(prefix_->path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        files << QDir(prefix_->path()).relativeFilePath(it.next());
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString png = QString(DATA "/icons/hicolor/%1x%1/apps/gonilux.png").arg(size);
        expected << png;
        const QImage icon(Path(png)); // round: clear corners, an opaque middle
        EXPECT_EQ(icon.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)) + qAlpha(icon.pixel(size / 2, size / 2)), 255) << size;
    }
    files.sort();
    expected.sort();
    EXPECT_EQ(files.join('\n').toStdString(), expected.join('\n').toStdString());
    EXPECT_TRUE(QSvgRenderer(Path(DATA "/icons/hicolor/scalable/apps/gonilux.svg")).isValid());

    // The launcher passes the validator and opens one file of either type with the viewer.
    const QString desktop = Path(DATA "/applications/org.gonilux.Gonilux.desktop");
    const ProcessResult valid = RunProcess(GONILUX_DESKTOP_FILE_VALIDATE, {desktop});
    EXPECT_EQ(valid.Status, 0) << valid.Out.toStdString() << valid.Err.toStdString();
    auto entry = Group(desktop, "Desktop Entry");
    EXPECT_EQ(entry["Exec"], "gonilux %f");
    EXPECT_EQ(Group(desktop, "Desktop Action " + entry["Actions"].chopped(1))["Exec"],
              "gonilux %f");
    EXPECT_TRUE(QFileInfo(Path("bin/" + entry["TryExec"])).isExecutable());
    EXPECT_TRUE(expected.contains(DATA "/icons/hicolor/scalable/apps/" + entry["Icon"] + ".svg"));
    EXPECT_EQ(entry["MimeType"], "application/x-ies;application/x-eulumdat;");

    // The MIME database tool files both types under their names, magic and parent type.
    const QString mime = scratch_.path() + "/mime";
    ASSERT_TRUE(QDir().mkpath(mime + "/packages"));
    QFile::copy(Path(DATA "/mime/packages/gonilux.xml"), mime + "/packages/gonilux.xml");
    const ProcessResult update = RunProcess(GONILUX_UPDATE_MIME_DATABASE, {mime});
    ASSERT_EQ(update.Status, 0) << update.Err.toStdString();
    for (const char* line : {"50:application/x-ies:*.ies\n", "50:application/x-eulumdat:*.ldt\n"})
        EXPECT_TRUE(Slurp(mime + "/globs2").contains(line)) << line;
    EXPECT_EQ(Slurp(mime + "/subclasses"),
              "application/x-eulumdat text/plain\napplication/x-ies text/plain\n");
    EXPECT_TRUE(Slurp(mime + "/magic").contains("IESNA"));
    EXPECT_EQ(Slurp(mime + "/types"), "application/x-eulumdat\napplication/x-ies\n");
}

// The thumbnailer's Exec line with %s, %i and %o filled in, run for every sample with no display;
// each picture is round at the asked size, and nothing else is left in the cache.
TEST_F(InstalledTree, ThumbnailerRunsAsAFileManagerRunsIt) {
    auto entry = Group(Path(DATA "/thumbnailers/gonilux.thumbnailer"), "Thumbnailer Entry");
    EXPECT_EQ(entry["MimeType"], "application/x-ies;application/x-eulumdat;");
    EXPECT_TRUE(QFileInfo(Path("bin/" + entry["TryExec"])).isExecutable());
    const QString cache = scratch_.path() + "/thumbnail cache";
    ASSERT_TRUE(QDir().mkpath(cache));
    int n = 0;
    for (const QFileInfo& sample : QDir(GONILUX_SAMPLES_DIR).entryInfoList({"*.ies", "*.ldt"})) {
        const QString input = scratch_.path() + "/copy of " + sample.fileName();
        const QString output = cache + QString("/thumb %1.png").arg(++n);
        const int size = n % 2 ? 128 : 256;
        ASSERT_TRUE(QFile::copy(sample.filePath(), input));
        QStringList words = entry["Exec"].split(' ');
        for (QString& word : words)
            word = word == "%s"   ? QString::number(size)
                   : word == "%i" ? input
                   : word == "%o" ? output
                                  : word;
        const QString program =
            QStandardPaths::findExecutable(words.takeFirst(), Desktop().value("PATH").split(':'));
        const ProcessResult run = RunProcess(program, words, Desktop());
        // Exit status 0 and nothing on stderr.
        EXPECT_EQ((QString::number(run.Status) + run.Err).toStdString(), "0")
            << sample.filePath().toStdString();
        const QImage image(output);
        EXPECT_EQ(image.size(), QSize(size, size)) << sample.fileName().toStdString();
        EXPECT_EQ(qAlpha(image.pixel(0, 0)) + qAlpha(image.pixel(size / 2, size / 2)), 255);
    }
    EXPECT_GE(n, 25);
    EXPECT_EQ(QDir(cache).entryList(QDir::Files).size(), n);
}

// The viewer's command line, and SIGTERM closing the window as the user would (SIGINT is handled
// the same way): the settings are saved with the folder it was opened at.
TEST_F(InstalledTree, ViewerStartsAndClosesOnTerminationSignal) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    const QString viewer = Path("bin/gonilux");
    EXPECT_EQ(RunProcess(viewer, {"--version"}, environment).Out, "Gonilux " GONILUX_VERSION "\n");
    const QString help = RunProcess(viewer, {"--help"}, environment).Out;
    for (const char* text : {"Browser of IES photometric files.", "--settings <FILE>",
                             "--root <DIR>", "--lang <LANG>", "  PATH  "})
        EXPECT_TRUE(help.contains(text)) << text << help.toStdString();
    const ProcessResult unknown = RunProcess(viewer, {"--lang", "xx"}, environment);
    EXPECT_EQ(unknown.Status, 1);
    EXPECT_TRUE(unknown.Err.contains("Unknown language 'xx' (use en or zh).\n"));

    const QString settings = scratch_.path() + "/viewer.ini";
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(viewer, {"--settings", settings, "--lang", "en", GONILUX_SAMPLES_DIR});
    // Ready once it catches SIGTERM and SIGINT (bits 15 and 2 of the caught signal mask).
    EXPECT_TRUE(test::WaitUntil(
        [&] {
            const QString status = Slurp(QString("/proc/%1/status").arg(process.processId()));
            const QString caught = status.section("SigCgt:", 1).section('\n', 0, 0).trimmed();
            return (caught.toULongLong(nullptr, 16) & 0x4002) == 0x4002; // SIGTERM and SIGINT
        },
        30000));
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_FALSE(process.readAllStandardError().contains("English interface is not available"));
    EXPECT_TRUE(Slurp(settings).contains("\nPath=root/File System" GONILUX_SAMPLES_DIR "/\n"));
}

} // namespace
