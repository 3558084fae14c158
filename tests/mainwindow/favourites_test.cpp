// Favourite folders: adding, removing, view settings per folder and the settings file.
#include "browser/popup_menu.h"
#include "mainwindow/favourites.h"
#include "mainwindow/file_actions.h"
#include "mainwindow/options_panel.h"
#include "photometry/ini_document.h"
#include "viewer_fixture.h"

#include <QMenu>
#include <QStatusTipEvent>

namespace gonilux::mainwindow::testing {
namespace {

TEST(ViewCodeTest, EncodesViewAndCaptionAsHexDigits) {
    const struct {
        int View, Caption, Code;
    } cases[] = {{2, 2, 0x22}, {0, 0, 0x00}, {1, 6, 0x16}, {-1, -1, 0x20}};
    for (const auto& c : cases) {
        const int code = EncodeViewCode(c.View, c.Caption);
        EXPECT_EQ(code, c.Code);
        EXPECT_EQ(ViewIndexOf(code), c.View < 0 ? 2 : c.View);
        EXPECT_EQ(CaptionIndexOf(code), c.Caption < 0 ? 0 : c.Caption);
    }
}

class FavouritesTest : public ViewerTest {
  protected:
    void SetUp() override {
        ViewerTest::SetUp();
        write(QStringLiteral("lib/a.ies"), TypeCText(0));
        write(QStringLiteral("other/b.ies"), TypeCText(0));
        open();
        o_ = window_->options();
        favs_ = window_->favourites();
    }
    void addCurrentFolder() {
        list()->setCurrentItem(nullptr);
        list()->clearSelection();
        o_->ButtonAdd->click();
    }
    OptionsPanel* o_ = nullptr;
    TFavourites* favs_ = nullptr;
};

TEST_F(FavouritesTest, AddRefusesDuplicatesAndRemoveDeletesSelected) {
    window_->openStartPath(path(QStringLiteral("lib")));
    list()->setCurrentRow(list()->Tag() - 1); // "sub"
    favs_->AddToFavorites1Click();
    ASSERT_EQ(favs_->count(), 1);
    EXPECT_EQ(favs_->FavouritePath(0), path(QStringLiteral("lib/sub")));
    EXPECT_FALSE(o_->ButtonAdd->isEnabled());
    favs_->AddToFavorites1Click();
    EXPECT_EQ(favs_->count(), 1);
    const int lib = favs_->AddFavourite(QStringLiteral("lib"), path(QStringLiteral("lib")));
    EXPECT_EQ(favs_->FindFavourite(path(QStringLiteral("lib"))), lib);
    EXPECT_EQ(favs_->FindFavourite(path(QStringLiteral("LIB"))), -1);
    o_->ListBoxFavorites->item(lib)->setSelected(true);
    EXPECT_TRUE(o_->ButtonRemove->isEnabled());
    o_->ButtonRemove->click();
    EXPECT_EQ(favs_->count(), 1);
    EXPECT_EQ(favs_->FindFavourite(path(QStringLiteral("lib"))), -1);
    EXPECT_FALSE(o_->ButtonRemove->isEnabled());
}

// Leaving a favourite stores its view and caption; returning restores the caption, and the view
// only while views are kept too.
TEST_F(FavouritesTest, ViewAndCaptionAreRestoredOnReturn) {
    o_->CheckBoxFavs->setChecked(true);
    o_->CheckBoxFavCaptions->setChecked(true);
    window_->openStartPath(path(QStringLiteral("lib")));
    addCurrentFolder();
    ASSERT_EQ(favs_->count(), 1);
    for (bool views : {true, false}) {
        SCOPED_TRACE(views ? "views kept" : "views off");
        o_->CheckBoxFavViews->setChecked(views);
        o_->RadioButtonThumbnails->setChecked(true);
        o_->ComboBoxCaption->setCurrentIndex(views ? 1 : 2);
        window_->openStartPath(path(QStringLiteral("other")));
        o_->RadioButtonList->setChecked(true);
        o_->ComboBoxCaption->setCurrentIndex(0);
        window_->openStartPath(path(QStringLiteral("lib")));
        EXPECT_EQ(o_->RadioButtonThumbnails->isChecked(), views);
        EXPECT_EQ(o_->ComboBoxCaption->currentIndex(), views ? 1 : 2);
        EXPECT_EQ(list()->captionChoice(), views ? 1 : 2);
    }
}

TEST_F(FavouritesTest, SettingsRoundTripDropsVanishedFolders) {
    window_->openStartPath(path(QStringLiteral("lib")));
    favs_->AddFavourite(QStringLiteral("lib"), path(QStringLiteral("lib")));
    favs_->AddFavourite(QStringLiteral("other"), path(QStringLiteral("other")));
    favs_->setViewCode(favs_->AddFavourite(QStringLiteral("sub"), path(QStringLiteral("lib/sub"))),
                       0x16);
    IniDocument stale;
    stale.SetValue("Favorites", "folder3", "22/gone");
    std::string error;
    ASSERT_TRUE(SaveIniFile(window_->settingsPath().toStdString(), stale, error));
    window_->close();
    window_.reset();
    IniDocument ini;
    ASSERT_TRUE(
        LoadIniFile(root_.filePath(QStringLiteral("gonilux.ini")).toStdString(), ini, error));
    // The folder shown last takes the current view (list) and caption (file name).
    EXPECT_EQ(ini.ValueOr("Favorites", "folder0", ""),
              "20" + path(QStringLiteral("lib")).toStdString());
    EXPECT_EQ(ini.ValueOr("Favorites", "folder2", ""),
              "16" + path(QStringLiteral("lib/sub")).toStdString());
    EXPECT_EQ(ini.ValueOr("Favorites", "folder3", "***"), "***");
    QDir(path(QStringLiteral("other"))).removeRecursively();
    open();
    TFavourites* favs = window_->favourites();
    ASSERT_EQ(favs->count(), 2);
    EXPECT_EQ(favs->FavouritePath(0), path(QStringLiteral("lib")));
    EXPECT_EQ(favs->FavouritePath(1), path(QStringLiteral("lib/sub")));
    EXPECT_EQ(favs->ViewCode(1), 0x16);
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(FavouritesTest, HintsAndSubmenuShowThePath) {
    favs_->AddFavourite(QStringLiteral("lib"), path(QStringLiteral("lib")) + QLatin1Char('/'));
    EXPECT_EQ(FavouriteHintPath(QStringLiteral("/")),
              QDir::toNativeSeparators(QStringLiteral("/")));
    QMenu menu;
    favs_->FillMenu(&menu);
    ASSERT_EQ(menu.actions().size(), 1);
    EXPECT_EQ(menu.actions()[0]->text(), QStringLiteral("lib"));
    EXPECT_EQ(menu.actions()[0]->statusTip(),
              QStringLiteral("?") + QDir::toNativeSeparators(path(QStringLiteral("lib"))));
    // Hovering the popup's favourite sends its hint to the menu; the title bar shows it.
    QStatusTipEvent tip(menu.actions()[0]->statusTip());
    QCoreApplication::sendEvent(window_->fileActions()->PopupMenu(), &tip);
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("Gonilux v2.9    ") +
                                          QDir::toNativeSeparators(path(QStringLiteral("lib"))));
}

} // namespace
} // namespace gonilux::mainwindow::testing
