// The interface language: English and Chinese texts of the main window, the stored choice, the
// --lang option and the completeness of the English translation file.
#include "browser/popup_menu.h"
#include "diagram/opening.h"
#include "mainwindow/file_actions.h"
#include "mainwindow/group_box_ex.h"
#include "mainwindow/hover_readout.h"
#include "mainwindow/language.h"
#include "mainwindow/options_panel.h"
#include "photometry/ini_document.h"
#include "viewer_fixture.h"

#include <QCommandLineParser>
#include <QLabel>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace gonilux::mainwindow::testing {
namespace {

struct InterfaceTexts {
    Language Installed;
    QString ViewGroup, RefreshTip, RefreshItem, ErrorText, InfoText, Opening, Readout;
};

// One text per translated part: panel, popup, messages, info label, diagram and readout.
const InterfaceTexts kTexts[] = {
    {Language::Chinese, "显示IES", "更新   \nF5", "更新                F5",
     "Initialization error\rUnable reading configuration\r", "文件名:   b.ies\r生  产  商:   ACME",
     "方形", " Degree 45"},
    {Language::English, "Display", "Refresh\nF5", "Refresh\tF5",
     "Initialization error\rUnable to read the settings\r", "File name: b.ies\rManufacturer: ACME",
     "Rectangle", " Angle 45"},
};

class TranslationTest : public ViewerTest, public ::testing::WithParamInterface<InterfaceTexts> {
  protected:
    void SetUp() override {
        ViewerTest::SetUp();
        ASSERT_TRUE(InstallLanguage(GetParam().Installed));
    }
    void TearDown() override {
        ViewerTest::TearDown();
        InstallLanguage(Language::Chinese);
    }
};

TEST_P(TranslationTest, MainWindowShowsTheInstalledLanguage) {
    const InterfaceTexts& expected = GetParam();
    EXPECT_EQ(InstalledLanguage(), expected.Installed);
    write(QStringLiteral("gonilux.ini"), "[Viewer]\nWidth=wide\n");
    write(QStringLiteral("lib/b.ies"), TypeBText());
    open();
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_EQ(messages_.front().Text, expected.ErrorText);

    const OptionsPanel* o = window_->options();
    EXPECT_EQ(o->GroupBoxExView->title(), expected.ViewGroup);
    EXPECT_EQ(o->ButtonRefresh->toolTip(), expected.RefreshTip);

    window_->openStartPath(path(QStringLiteral("lib")));
    select(QStringLiteral("b.ies"));
    EXPECT_EQ(window_->infoText(), expected.InfoText);
    window_->fileActions()->PopupMenuPopup();
    const browser::TPopupMenu* popup = window_->fileActions()->PopupMenu();
    EXPECT_EQ(popup->Refresh->text(), expected.RefreshItem);

    EXPECT_EQ(DescribeOpening({0.5, 0.25, 0, 2}).Description, expected.Opening);
    EXPECT_EQ(ReadoutDegreeLine(45), expected.Readout);
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslationTest, ::testing::ValuesIn(kTexts),
                         [](const auto& info) {
                             return info.param.Installed == Language::English ? "English"
                                                                              : "Chinese";
                         });

// Values of the stored key and what a run without --lang takes from them.
TEST(LanguageSetting, StoredValuesAndTheirLanguage) {
    const struct {
        const char* Ini;
        Language Expected;
    } cases[] = {
        {"", Language::Chinese},
        {"[GroupBoxExOther]\nLanguage=en\n", Language::English},
        {"[GroupBoxExOther]\nLanguage=EN\n", Language::English},
        {"[GroupBoxExOther]\nLanguage=zh\n", Language::Chinese},
        {"[GroupBoxExOther]\nLanguage=fr\n", Language::Chinese},
        {"[Viewer]\nLanguage=en\n", Language::Chinese},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LanguageFromIni(IniDocument::Parse(c.Ini)), c.Expected) << c.Ini;
    }
}

TEST(LanguageSetting, StoredBesideTheOtherOptions) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("gonilux.ini"));
    EXPECT_EQ(ReadLanguageSetting(file), Language::Chinese); // no file yet
    QFile seed(file);
    ASSERT_TRUE(seed.open(QIODevice::WriteOnly));
    seed.write("[GroupBoxExOther]\nCollapsed=1\n; kept\n[Render]\nZoom=3\n");
    seed.close();
    ASSERT_TRUE(StoreLanguageSetting(file, Language::English));
    EXPECT_EQ(ReadLanguageSetting(file), Language::English);
    ASSERT_TRUE(seed.open(QIODevice::ReadOnly));
    EXPECT_EQ(
        seed.readAll(),
        QByteArray("[GroupBoxExOther]\nCollapsed=1\n; kept\nLanguage=en\n[Render]\nZoom=3\n"));
}

// --lang wins over the stored choice for the run; without it the stored choice applies.
TEST(LanguageSetting, CommandLineOptionAndStoredChoice) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("gonilux.ini"));
    ASSERT_TRUE(StoreLanguageSetting(file, Language::English));
    const struct {
        QStringList Arguments;
        std::optional<Language> Expected;
    } cases[] = {
        {{}, Language::English},
        {{"--lang", "zh"}, Language::Chinese},
        {{"--lang=en"}, Language::English},
        {{"--lang", "ZH"}, Language::Chinese},
        {{"--lang", "fr"}, std::nullopt},
        {{"--lang", ""}, std::nullopt},
    };
    for (const auto& c : cases) {
        QCommandLineParser parser;
        parser.addOption(LanguageOption());
        ASSERT_TRUE(parser.parse(QStringList{"gonilux"} + c.Arguments))
            << parser.errorText().toStdString();
        QString error;
        EXPECT_EQ(StartLanguage(parser, file, error), c.Expected)
            << c.Arguments.join(' ').toStdString();
        EXPECT_EQ(error.isEmpty(), c.Expected.has_value());
    }
}

// Choosing in the panel stores the choice at once, says when it applies, and the window's own
// saving keeps it; the next window shows it.
class LanguageChoiceTest : public ViewerTest {};

TEST_F(LanguageChoiceTest, RoundTripsThroughTheSettingsFile) {
    open();
    const QString file = path(QStringLiteral("gonilux.ini"));
    QComboBox* combo = window_->options()->ComboBoxLanguage;
    EXPECT_EQ(combo->currentIndex(), 0);
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_EQ(messages_.front().Title, QStringLiteral("语言"));
    EXPECT_EQ(messages_.front().Text, QStringLiteral("界面语言将在下次启动时更改。"));
    EXPECT_EQ(ReadLanguageSetting(file), Language::English);
    EXPECT_EQ(InstalledLanguage(), Language::Chinese); // the running interface stays
    window_.reset();
    EXPECT_EQ(ReadLanguageSetting(file), Language::English);
    open();
    EXPECT_EQ(window_->options()->ComboBoxLanguage->currentIndex(), 1);
    window_->options()->ComboBoxLanguage->setCurrentIndex(0);
    window_.reset();
    EXPECT_EQ(ReadLanguageSetting(file), Language::Chinese);
}

// Every message of the English file is translated, keeps the source's place markers, and
// nothing unfinished or obsolete is left in it.
TEST(TranslationFile, EveryMessageHasAFinishedTranslation) {
    QFile file(QStringLiteral(GONILUX_TS_FILE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    int messages = 0;
    QString context, source;
    static const QRegularExpression kMarker(QStringLiteral("%\\d"));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("TS")) {
            EXPECT_EQ(xml.attributes().value(QLatin1String("language")), QLatin1String("en"));
        } else if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.name() == QLatin1String("translation")) {
            ++messages;
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            const std::string where = (context + QStringLiteral(": ") + source).toStdString();
            EXPECT_TRUE(type.isEmpty()) << type.toStdString() << " " << where;
            EXPECT_FALSE(text.trimmed().isEmpty()) << where;
            QStringList expectedMarkers, markers;
            for (const auto& m : kMarker.globalMatch(source))
                expectedMarkers << m.captured();
            for (const auto& m : kMarker.globalMatch(text))
                markers << m.captured();
            expectedMarkers.sort();
            markers.sort();
            EXPECT_EQ(markers, expectedMarkers) << where;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(messages, 150);
}

} // namespace
} // namespace gonilux::mainwindow::testing
