// The settings file: what a first start writes, a full round trip, malformed and odd values,
// the last folder, a file that cannot be written, and the interface language.
#include "mainwindow/language.h"
#include "mainwindow/viewer_options.h"
#include "viewer_fixture.h"

#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QSlider>

namespace gonilux::mainwindow::testing {
namespace {

// The options panel's named controls in the order they are made: "x" disabled, "#n" the place
// in its row or group, then its caption (with "*" when checked), choices, range or text, and hint.
QByteArray PanelListing(const OptionsPanel* panel) {
    QByteArray text;
    for (const QWidget* w : panel->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith("qt_")) continue;
        QString shown;
        if (const auto* b = qobject_cast<const QAbstractButton*>(w))
            shown = b->text() + (b->isChecked() ? "*" : "");
        else if (const auto* c = qobject_cast<const QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i)
                shown += c->itemText(i) + (i == c->currentIndex() ? "*|" : "|");
        else if (const auto* s = qobject_cast<const QSlider*>(w))
            shown = QString("%1..%2=%3").arg(s->minimum()).arg(s->maximum()).arg(s->value());
        else if (const auto* e = qobject_cast<const QLineEdit*>(w))
            shown = e->text();
        else if (const auto* g = qobject_cast<const QGroupBox*>(w))
            shown = g->title();
        const QLayout* layout = w->parentWidget()->layout();
        text += (w->isEnabledTo(panel) ? "" : "x") + w->objectName().toUtf8() + " #" +
                QByteArray::number(layout ? layout->indexOf(w) : -1) + " " + shown.toUtf8() +
                (w->toolTip().isEmpty() ? "" : " ? " + w->toolTip().replace('\n', '|').toUtf8()) +
                "\n";
    }
    return text.replace(qVersion(), "<qt>");
}

class SettingsTest : public ViewerTest {
  protected:
    void SetUp() override {
        ViewerTest::SetUp();
        size_ = {}; // the size the settings give
    }
    void TearDown() override {
        ViewerTest::TearDown();
        InstallLanguage(Language::Chinese);
    }
    // The file as written, with the tree's folder, its name and the Qt version as placeholders.
    QByteArray written() {
        window_.reset();
        return read("gonilux.ini")
            .replace(root_.path().toUtf8(), "<root>")
            .replace(QFileInfo(root_.path()).fileName().toUtf8(), "<name>")
            .replace(qVersion(), "<qt>");
    }
};

// Compared with tests/data/expected/mainwindow/first_start.ini (GONILUX_UPDATE_EXPECTED=1
// rewrites it); a smaller window is centred on the screen.
TEST_F(SettingsTest, AFirstStartWritesEveryDefault) {
    open();
    EXPECT_EQ(window_->size(), QSize(800, 600));
    EXPECT_TRUE(o()->isShown() && messages_.isEmpty());
    ExpectSameAsFile("first_panel.txt", PanelListing(o()));
    // The picture once the layouts asked for have been done, as the user sees it.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    ExpectSamePicture("first_panel.png", o()->grab().toImage());
    ExpectSameAsFile("first_start.ini", written());
    open("[Viewer]\nWidth=600\nHeight=500\n");
    EXPECT_EQ(window_->pos(), QPoint(100, 150));
}

// The options table is what a first start writes: every section, key, order and default (the
// folder and the Qt version are the run's own), so renaming a control cannot change the file.
TEST(ViewerOptionTable, IsTheFirstStartFile) {
    IniDocument written;
    WriteViewerOptions(DefaultViewerOptions({800, 800}, {0, 300}), written);
    written.SetValue("Viewer", "Path", "<name>/");
    written.SetValue("GroupBoxExOther", "EditTrel", "C++20 · Qt <qt>");
    const IniDocument expected = IniDocument::Parse(
        ReadFile(GONILUX_TESTDATA_DIR "/expected/mainwindow/first_start.ini").toStdString());
    std::vector<std::string> sections = expected.Sections();
    sections.pop_back(); // [Render], the render window's
    EXPECT_EQ(written.Sections(), sections);
    for (const std::string& section : sections)
        EXPECT_EQ(written.Entries(section), expected.Entries(section)) << section;
}

// A file with every key away from its default, an unknown section and two favourites is
// written back unchanged.
TEST_F(SettingsTest, EveryKeyRoundTrips) {
    const QByteArray text = ReadFile(GONILUX_TESTDATA_DIR "/expected/mainwindow/changed.ini");
    open(text);
    EXPECT_EQ(QRect(window_->pos(), window_->size()), QRect(30, 40, 820, 610));
    EXPECT_FALSE(o()->isShown());
    EXPECT_EQ(treePath(), path("lib/sub"));
    EXPECT_TRUE(messages_.isEmpty());
    EXPECT_EQ(written().toStdString(), text.toStdString());
}

// Reading stops at the first malformed number: what came before it stays, the rest is not
// applied, and the user is told once.
TEST_F(SettingsTest, AMalformedNumberStopsReadingAndIsReported) {
    open("[Viewer]\nWidth=700\nHeight=tall\n[Options]\nK=10\n[GroupBoxExView]\nCheckBoxKeep=1\n");
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_EQ(messages_[0].Title + messages_[0].Text, "错误！初始化错误\r无法读取设置\r");
    EXPECT_EQ(window_->width(), 700);
    EXPECT_FALSE(ctl<QSlider>("TrackBarK")->value() != 80 || ctl("CheckBoxKeep")->isChecked() ||
                 !ctl("CheckBoxSort")->isChecked());
    // clang-format off
    for (const char* bad : {"[Viewer]\nWidth=", "[Viewer]\nLeft=a", "[Viewer]\nTop=a", "[Viewer]\nOrtho=a",
                            "[Viewer]\nFit=a", "[Viewer]\nState=a", "[Viewer]\nTree=a", "[Viewer]\nRight=a",
                            "[Viewer]\nInfo=a", "[Options]\nPanel=a", "[Options]\nK=a", "[Options]\nR=a",
                            "[Favorites]\nfolder0=zz/", "[GroupBoxExEye]\nCollapsed=a", "[GroupBoxExEye]\nTrackBarR=a",
                            "[GroupBoxExList]\nComboBoxUp=a", "[GroupBoxExList]\nCheckBoxUp=a"}) {
        // clang-format on
        messages_.clear();
        open(bad);
        EXPECT_EQ(messages_.size(), 1) << bad;
    }
}

TEST_F(SettingsTest, WindowStateAndOddValues) {
    open("[Viewer]\nState=2\n[Options]\nK=20\nR=40\n[GroupBoxExEye]\nTrackBarK=60\nTrackBarR=500\n"
         "[GroupBoxExView]\nRB=RadioButtonGone\n[GroupBoxExList]\nComboBoxUp=3\n");
    EXPECT_TRUE(window_->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(ctl<QSlider>("TrackBarK")->value(), 60);           // the group's own key wins
    EXPECT_EQ(ctl<QSlider>("TrackBarR")->value(), 64);           // clamped into the slider's range
    EXPECT_EQ(ctl<QComboBox>("ComboBoxUp")->currentIndex(), -1); // one past the last item
    EXPECT_FALSE(ctl<QRadioButton>("RadioButtonList")->isChecked() ||
                 ctl<QRadioButton>("RadioButtonIcons")->isChecked() ||
                 ctl<QRadioButton>("RadioButtonThumbnails")->isChecked());
    EXPECT_TRUE(written().startsWith("[Viewer]\nState=2\nWidth=800\n"));
    open("[Viewer]\nState=7\n[Options]\nR=40\n"); // the lens keys of [Options] without the group's
    EXPECT_EQ(window_->windowState(), Qt::WindowNoState);
    EXPECT_EQ(ctl<QSlider>("TrackBarR")->value(), 40);
    EXPECT_TRUE(messages_.isEmpty());
    // Vanished and repeated favourites are dropped; a key missing ends the list.
    open("[Favorites]\nfolder0=22<root>/gone\nfolder1=16<root>/lib\nfolder2=20<root>/lib/\n"
         "folder4=20<root>/other\n");
    EXPECT_TRUE(written().contains("[Favorites]\nfolder0=16<root>/lib\n[Render]"));
    // A preset read sets its switches; an unknown one shows the preset the switches match.
    for (const char* presets :
         {"[GroupBoxExTree]\nRB=RadioButton9X\n[GroupBoxExList]\nRB=RadioButtonL9X\n",
          "[GroupBoxExTree]\nRB=RadioButtonGone\nCheckBoxLines=1\n[GroupBoxExList]\nRB=Gone\n"
          "CheckBoxHandPont=0\nCheckBoxUnderlineHot=0\nCheckBoxUnderlineCold=0\n"
          "CheckBoxLHotTrack=0\n"}) {
        open(presets);
        EXPECT_TRUE(ctl<QRadioButton>("RadioButton9X")->isChecked() &&
                    ctl("CheckBoxLines")->isChecked() && !ctl("CheckBoxHandPont")->isChecked() &&
                    ctl<QRadioButton>("RadioButtonL9X")->isChecked())
            << presets;
    }
    for (const char* save : {"1", "0"}) { // the last folder, only while "保存最后文件夹" is on
        open(QByteArray("[Viewer]\nPath=<name>/lib/sub/\n[GroupBoxExOther]\nCheckBoxSave=") + save);
        EXPECT_EQ(treePath(), *save == '1' ? path("lib/sub") : root_.path()) << save;
    }
}

// The details view is the fourth view; a header state that cannot be read falls back to its
// defaults without a message.
TEST_F(SettingsTest, DetailsViewAndADamagedHeaderState) {
    open("[Viewer]\nDetailsColumns=,-caption:9,zz\nDetailsSort=flux:sideways\n"
         "[GroupBoxExView]\nRB=RadioButtonDetails\n");
    EXPECT_TRUE(ctl<QRadioButton>("RadioButtonDetails")->isChecked() && messages_.isEmpty());
    EXPECT_EQ(list()->viewStyle(), browser::FolderListView::ViewStyle::Details);
    const QByteArray text = written();
    EXPECT_TRUE(text.contains("\nDetailsColumns=caption:200,manufacturer:140,luminaire:200,") &&
                text.contains("\nDetailsSort=\n") && text.contains("RB=RadioButtonDetails\n"))
        << text.toStdString();
}

TEST_F(SettingsTest, AReadOnlyFileIsReportedOnceAtDestroy) {
    write("gonilux.ini", "[Viewer]\nWidth=800\n");
    QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::ReadUser);
    open();
    window_->close();
    EXPECT_TRUE(messages_.isEmpty());
    window_.reset();
    EXPECT_TRUE(test::WaitUntil([&] { return !messages_.isEmpty(); }));
    EXPECT_EQ(messages_.size() == 1 ? messages_[0].Title + messages_[0].Text : "",
              "Gonilux v2.9无法写入设置。\r文件 '" + iniPath() + "' 可能是只读的。");
    EXPECT_EQ(read("gonilux.ini"), QByteArray("[Viewer]\nWidth=800\n"));
}

// Panel, popup, messages and info labels speak the installed language. Choosing in the panel
// stores the choice at once and says it applies at the next start; the window's own saving
// keeps it; a missing or unknown stored value means Chinese.
TEST_F(SettingsTest, TheLanguageIsShownAndItsChoiceStored) {
    ASSERT_TRUE(InstallLanguage(Language::English));
    open("[Viewer]\nWidth=wide\n[GroupBoxExOther]\nCollapsed=1\n; kept\nLanguage=EN\n[Render]\n");
    EXPECT_EQ(messages_.value(0).Text, "Initialization error\rUnable to read the settings\r");
    EXPECT_EQ(ctl<TGroupBoxEx>("GroupBoxExView")->title() +
                  ctl<QPushButton>("ButtonRefresh")->toolTip(),
              "DisplayRefresh\nF5");
    write("lib/b.ies", kTypeB);
    window_->openStartPath(path("lib/b.ies"));
    EXPECT_EQ(window_->infoText(), "File name: b.ies\rManufacturer: ACME");
    window_->fileActions()->PopupMenuPopup();
    EXPECT_EQ(window_->fileActions()->PopupMenu()->Refresh->text(), "Refresh\tF5");
    ASSERT_TRUE(InstallLanguage(Language::Chinese)); // the translator goes
    // Qt's own dialogs (the file dialogs are Qt's) speak Chinese with the Chinese interface.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "取消");
    EXPECT_EQ(ctl<QComboBox>("ComboBoxLanguage")->currentIndex(), 1);
    ctl<QComboBox>("ComboBoxLanguage")->setCurrentIndex(0);
    emit ctl<QComboBox>("ComboBoxLanguage")->activated(0);
    EXPECT_EQ(messages_.value(1).Title + messages_.value(1).Text,
              "语言界面语言将在下次启动时更改。");
    EXPECT_TRUE(
        read("gonilux.ini").contains("[GroupBoxExOther]\nCollapsed=1\n; kept\nLanguage=zh\n"));
    ASSERT_TRUE(StoreLanguageSetting(iniPath(), Language::English));
    window_.reset(); // saving keeps the choice made
    EXPECT_EQ(ReadLanguageSetting(iniPath()), Language::Chinese);
    EXPECT_EQ(ReadLanguageSetting(path("none.ini")), Language::Chinese);
}

} // namespace
} // namespace gonilux::mainwindow::testing
