// What `cmake --install` puts into a prefix: the programs, the launcher, the MIME types, the
// icon theme entries and the thumbnailer, each in the form the desktop reads it.
#include "install_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <set>

namespace gonilux::installtest {
namespace {

const std::set<QString> kMimeTypes = {QStringLiteral("application/x-ies"),
                                      QStringLiteral("application/x-eulumdat")};

std::set<QString> AsSet(const QStringList& list) {
    return {list.begin(), list.end()};
}

struct MimeType {
    QStringList Globs;
    QStringList Magic; // "offset:type:value" of each match
    QStringList SubClassOf;
};

// The types of a shared-mime-info package file; `error` gets the parser's complaint.
std::map<QString, MimeType> ReadMimePackage(const QString& path, QString& error) {
    std::map<QString, MimeType> types;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return types;
    }
    QXmlStreamReader xml(&file);
    MimeType* current = nullptr;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const auto attr = [&xml](const char* name) {
            return xml.attributes().value(QLatin1String(name)).toString();
        };
        const auto name = xml.name();
        if (name == QLatin1String("mime-type"))
            current = &types[attr("type")];
        else if (current && name == QLatin1String("glob"))
            current->Globs << attr("pattern");
        else if (current && name == QLatin1String("sub-class-of"))
            current->SubClassOf << attr("type");
        else if (current && name == QLatin1String("match"))
            current->Magic << attr("offset") + ':' + attr("type") + ':' + attr("value");
    }
    if (xml.hasError()) error = xml.errorString();
    return types;
}

class InstallTest : public InstalledTree {};

TEST_F(InstallTest, ProgramsAreInstalledAndRunFromThePrefix) {
    for (const QString& name : {QStringLiteral("gonilux"), QStringLiteral("gonilux-cli")}) {
        const QFileInfo info(Bin(name));
        EXPECT_TRUE(info.isFile() && info.isExecutable()) << name.toStdString();
    }
    const ProcessResult version =
        RunProcess(Bin(QStringLiteral("gonilux-cli")), {QStringLiteral("--version")});
    EXPECT_EQ(version.Status, 0);
    EXPECT_TRUE(version.Out.startsWith(QLatin1String("gonilux-cli "))) << version.Out.toStdString();
}

TEST_F(InstallTest, LauncherOpensPhotometricFilesWithTheViewer) {
    const QString path = Data(QStringLiteral("applications/gonilux.desktop"));
    auto entry = ReadDesktopGroup(path, QStringLiteral("Desktop Entry"));
    ASSERT_FALSE(entry.empty()) << path.toStdString();
    EXPECT_EQ(entry["Type"], QLatin1String("Application"));
    EXPECT_EQ(entry["Name"], QLatin1String("Gonilux"));
    EXPECT_FALSE(entry["GenericName"].isEmpty());
    EXPECT_FALSE(entry["Comment"].isEmpty());
    // One file path, which the viewer opens by showing its folder with the file selected.
    EXPECT_EQ(entry["Exec"], QLatin1String("gonilux %f"));
    EXPECT_EQ(entry["Icon"], QLatin1String("gonilux"));
    const QStringList categories = SplitList(entry["Categories"]);
    EXPECT_TRUE(categories.contains(QLatin1String("Graphics")));
    EXPECT_TRUE(categories.contains(QLatin1String("Viewer")));
    EXPECT_EQ(AsSet(SplitList(entry["MimeType"])), kMimeTypes);

    ASSERT_EQ(SplitList(entry["Actions"]).size(), 1);
    const QString action = QStringLiteral("Desktop Action ") + SplitList(entry["Actions"]).first();
    auto open = ReadDesktopGroup(path, action);
    EXPECT_EQ(open["Name"], QLatin1String("Open with Gonilux"));
    EXPECT_EQ(open["Exec"], entry["Exec"]);

    if (QStringLiteral(GONILUX_DESKTOP_FILE_VALIDATE).isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed (package desktop-file-utils)";
    const ProcessResult valid = RunProcess(QStringLiteral(GONILUX_DESKTOP_FILE_VALIDATE), {path});
    EXPECT_EQ(valid.Status, 0) << valid.Out.toStdString() << valid.Err.toStdString();
}

TEST_F(InstallTest, MimePackageDefinesBothFileTypes) {
    QString error;
    auto types = ReadMimePackage(Data(QStringLiteral("mime/packages/gonilux.xml")), error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    std::set<QString> names;
    for (const auto& [name, type] : types)
        names.insert(name);
    EXPECT_EQ(names, kMimeTypes);

    const MimeType& ies = types[QStringLiteral("application/x-ies")];
    EXPECT_EQ(AsSet(ies.Globs), AsSet({QStringLiteral("*.ies"), QStringLiteral("*.IES")}));
    EXPECT_EQ(ies.Magic, QStringList{QStringLiteral("0:string:IESNA")});
    EXPECT_EQ(ies.SubClassOf, QStringList{QStringLiteral("text/plain")});
    const MimeType& ldt = types[QStringLiteral("application/x-eulumdat")];
    EXPECT_EQ(ldt.Globs, QStringList{QStringLiteral("*.ldt")});
    EXPECT_EQ(ldt.SubClassOf, QStringList{QStringLiteral("text/plain")});

    if (QStringLiteral(GONILUX_UPDATE_MIME_DATABASE).isEmpty())
        GTEST_SKIP() << "update-mime-database is not installed (package shared-mime-info)";
    // The database tool accepts the package and files both types under their globs.
    const QString mime = Data(QStringLiteral("mime"));
    const ProcessResult update = RunProcess(QStringLiteral(GONILUX_UPDATE_MIME_DATABASE), {mime});
    ASSERT_EQ(update.Status, 0) << update.Err.toStdString();
    QFile globs(mime + QStringLiteral("/globs2"));
    ASSERT_TRUE(globs.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(globs.readAll());
    EXPECT_TRUE(text.contains(QLatin1String(":application/x-ies:*.ies\n")));
    EXPECT_TRUE(text.contains(QLatin1String(":application/x-eulumdat:*.ldt\n")));
}

TEST_F(InstallTest, IconThemeHasTheScalableIconAndEveryPngSize) {
    QSvgRenderer svg(Data(QStringLiteral("icons/hicolor/scalable/apps/gonilux.svg")));
    EXPECT_TRUE(svg.isValid());
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage png(Data(QStringLiteral("icons/hicolor/%1x%1/apps/gonilux.png").arg(size)));
        ASSERT_FALSE(png.isNull());
        EXPECT_EQ(png.size(), QSize(size, size));
        EXPECT_TRUE(png.hasAlphaChannel());
        EXPECT_EQ(qAlpha(png.pixel(0, 0)), 0); // a round icon: the corners stay clear
        EXPECT_EQ(qAlpha(png.pixel(size / 2, size / 2)), 255);
    }
}

TEST_F(InstallTest, ThumbnailerRunsTheCommandLineTool) {
    auto entry = ReadDesktopGroup(Data(QStringLiteral("thumbnailers/gonilux.thumbnailer")),
                                  QStringLiteral("Thumbnailer Entry"));
    EXPECT_EQ(entry["TryExec"], QLatin1String("gonilux-cli"));
    EXPECT_EQ(entry["Exec"], QLatin1String("gonilux-cli thumbnail -s %s %i %o"));
    EXPECT_EQ(AsSet(SplitList(entry["MimeType"])), kMimeTypes);
}

} // namespace
} // namespace gonilux::installtest
