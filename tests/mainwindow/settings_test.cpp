// The settings file: defaults, round trip, malformed values, states, precedence, write failures.
#include "mainwindow/group_box_ex.h"
#include "mainwindow/options_panel.h"
#include "mainwindow/preview_pane.h"
#include "photometry/ini_document.h"
#include "viewer_fixture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QToolButton>
#include <algorithm>

namespace gonilux::mainwindow::testing {
namespace {

// Windows at their stored (or default) size over the fixture's folder tree.
class SettingsTest : public ViewerTest {
  protected:
    QString iniPath() const { return path(QStringLiteral("gonilux.ini")); }
    void writeIni(const QByteArray& text) { write(QStringLiteral("gonilux.ini"), text); }
    QByteArray readIni() const {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    std::unique_ptr<TMainWindow> open() {
        StartOptions start;
        start.SettingsFile = iniPath();
        start.RootPath = root_.path();
        auto window = std::make_unique<TMainWindow>(start);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }
    IniDocument parsed() const { return IniDocument::Parse(readIni().toStdString()); }
};

TEST_F(SettingsTest, NoFileGivesTheDesignedDefaults) {
    auto window = open();
    EXPECT_EQ(window->size(), QSize(800, 600));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window->x(), (screen.width() - 800) / 2);
    OptionsPanel* o = window->options();
    EXPECT_TRUE(window->preview()->SpeedButtonOrtho()->isChecked());
    EXPECT_FALSE(window->preview()->SpeedButtonFit()->isChecked());
    EXPECT_TRUE(o->isShown());
    EXPECT_EQ(o->TrackBarK->value(), 80);
    EXPECT_TRUE(o->RadioButtonList->isChecked());
    const bool collapsed[] = {false, true, true, true, true, true, false};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(o->groups()[i]->isCollapsed(), collapsed[i]) << i;
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(SettingsTest, EveryKeyRoundTrips) {
    {
        auto window = open();
        OptionsPanel* o = window->options();
        o->ComboBoxCaption->setCurrentIndex(3);
        o->CheckBoxKeep->setChecked(true);
        o->RadioButtonIcons->setChecked(true);
        o->CheckBoxMulti->setChecked(true);
        o->TrackBarAlpha->setValue(77);
        o->ComboBoxUp->setCurrentIndex(0);
        o->GroupBoxExTree->setCollapsed(false);
        window->preview()->SpeedButtonFit()->setChecked(true);
        window->resize(900, 640);
        window->close();
    }
    const QByteArray first = readIni();
    IniDocument ini = parsed();
    EXPECT_EQ(ini.ValueOr("GroupBoxExView", "ComboBoxCaption", ""), "3");
    EXPECT_EQ(ini.ValueOr("GroupBoxExView", "RB", ""), "RadioButtonIcons");
    EXPECT_EQ(ini.ValueOr("Viewer", "Fit", ""), "1");
    EXPECT_EQ(ini.ValueOr("Viewer", "Width", ""), "900");
    EXPECT_EQ(ini.ValueOr("GroupBoxExEye", "TrackBarAlpha", ""), "77");
    const std::vector<std::string> order = {"Viewer",
                                            "Options",
                                            "GroupBoxExOptions",
                                            "GroupBoxExView",
                                            "GroupBoxExTree",
                                            "GroupBoxExList",
                                            "GroupBoxExEye",
                                            "GroupBoxExFavorites",
                                            "GroupBoxExOther",
                                            "Favorites",
                                            "Render"};
    std::vector<std::string> written = ini.Sections();
    std::vector<std::string> expected;
    for (const std::string& name : order) // the sections written, in the file's order
        if (std::find(written.begin(), written.end(), name) != written.end())
            expected.push_back(name);
    EXPECT_EQ(written, expected);
    EXPECT_GE(written.size(), 9u);
    {
        auto window = open();
        OptionsPanel* o = window->options();
        EXPECT_EQ(o->ComboBoxCaption->currentIndex(), 3);
        EXPECT_TRUE(o->CheckBoxKeep->isChecked());
        EXPECT_TRUE(o->RadioButtonIcons->isChecked());
        EXPECT_EQ(o->TrackBarAlpha->value(), 77);
        EXPECT_EQ(o->ComboBoxUp->currentIndex(), 0);
        EXPECT_FALSE(o->GroupBoxExTree->isCollapsed());
        EXPECT_TRUE(window->preview()->SpeedButtonFit()->isChecked());
        EXPECT_EQ(window->size(), QSize(900, 640));
        window->close();
    }
    EXPECT_EQ(readIni().toStdString(), first.toStdString()); // a second save writes the same file
}

TEST_F(SettingsTest, MalformedWidthStopsReadingAndIsReported) {
    writeIni(
        "[Viewer]\nWidth=wide\nHeight=500\n[Options]\nK=10\n[GroupBoxExView]\nCheckBoxKeep=1\n");
    auto window = open();
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_EQ(messages_[0].Title, QStringLiteral("Error!"));
    EXPECT_EQ(messages_[0].Text,
              QStringLiteral("Initialization error\rUnable reading configuration\r"));
    EXPECT_NE(window->height(), 500);
    EXPECT_EQ(window->options()->TrackBarK->value(), 80);
    EXPECT_FALSE(window->options()->CheckBoxKeep->isChecked());
}

TEST_F(SettingsTest, WindowStateAndSliderPrecedence) {
    writeIni(
        "[Viewer]\nState=7\n[Options]\nK=20\nR=40\n[GroupBoxExEye]\nTrackBarK=60\nTrackBarR=500\n"
        "[GroupBoxExView]\nRB=RadioButtonGone\n");
    auto window = open();
    EXPECT_EQ(window->windowState(), Qt::WindowNoState);
    EXPECT_EQ(window->options()->TrackBarK->value(), 60); // the group's own key wins
    EXPECT_EQ(window->options()->TrackBarR->value(), 64); // clamped into the slider's range
    EXPECT_FALSE(window->options()->RadioButtonList->isChecked());
    EXPECT_FALSE(window->options()->RadioButtonIcons->isChecked());
    EXPECT_FALSE(window->options()->RadioButtonThumbnails->isChecked());
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(SettingsTest, GroupsStoredExpandedAreStackedWithoutOverlap) {
    QByteArray text;
    for (const char* group :
         {"GroupBoxExOptions", "GroupBoxExView", "GroupBoxExTree", "GroupBoxExList",
          "GroupBoxExEye", "GroupBoxExFavorites", "GroupBoxExOther"})
        text += QByteArray("[") + group + "]\nCollapsed=0\n";
    writeIni(text);
    auto window = open();
    const QList<TGroupBoxEx*> groups = window->options()->groups();
    ASSERT_EQ(groups.size(), 7);
    for (int i = 1; i < groups.size(); ++i) {
        SCOPED_TRACE(groups[i]->objectName().toStdString());
        EXPECT_FALSE(groups[i]->isCollapsed());
        EXPECT_GE(groups[i]->y(), groups[i - 1]->y() + groups[i - 1]->height());
    }
}

TEST_F(SettingsTest, MaximisedStateIsRestored) {
    writeIni("[Viewer]\nState=2\n");
    auto window = open();
    EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);
    window->close();
    EXPECT_EQ(parsed().ValueOr("Viewer", "State", ""), "2");
}

TEST_F(SettingsTest, UnknownSectionsAndFavoritesSurviveASave) {
    const QByteArray lib = QDir(path(QStringLiteral("lib"))).absolutePath().toUtf8();
    writeIni("[Viewer]\nWidth=820\n[Mine]\nkeep=me, as is\\\n[Favorites]\nfolder0=22" + lib + "\n");
    open()->close();
    IniDocument ini = parsed();
    EXPECT_EQ(ini.ValueOr("Mine", "keep", ""), "me, as is\\");
    EXPECT_EQ(ini.ValueOr("Favorites", "folder0", ""), "22" + lib.toStdString());
}

TEST_F(SettingsTest, LastFolderIsReopened) {
    const QString deep = QDir(path(QStringLiteral("lib/sub"))).absolutePath();
    {
        auto window = open();
        window->openStartPath(deep);
        window->close();
    }
    const std::string stored = parsed().ValueOr("Viewer", "Path", "");
    EXPECT_NE(stored.find("/lib/sub/"), std::string::npos) << stored;
    auto window = open();
    EXPECT_EQ(window->folderTree()->ParsingName(window->folderTree()->currentItem()), deep);
}

TEST_F(SettingsTest, ReadOnlySettingsAreReportedOnceAtDestroy) {
    writeIni("[Viewer]\nWidth=800\n");
    QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::ReadUser);
    {
        auto window = open();
        window->close();
        EXPECT_TRUE(messages_.isEmpty());
    }
    QTest::qWait(20);
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_EQ(messages_[0].Title, QStringLiteral("Gonilux v2.9"));
    EXPECT_EQ(messages_[0].Text,
              QStringLiteral("Unable to write configuration data.\rIt is possible file '") +
                  iniPath() + QStringLiteral("' is read only."));
    EXPECT_EQ(readIni(), QByteArray("[Viewer]\nWidth=800\n"));
}

} // namespace
} // namespace gonilux::mainwindow::testing
