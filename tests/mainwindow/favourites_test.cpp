// Favourite folders: adding the focused folder, removing, opening one, the view and caption each
// remembers, hints, and the settings file.
#include "viewer_fixture.h"

namespace gonilux::mainwindow::testing {
namespace {

class FavouritesTest : public ViewerTest {
  protected:
    void SetUp() override {
        ViewerTest::SetUp();
        write("lib/a.ies", TypeCText(0));
        open();
        favs_ = window_->favourites();
    }
    QListWidget* box() const { return ctl<QListWidget>("ListBoxFavorites"); }
    Favourites* favs_ = nullptr;
};

// ".." stands for the folder shown, a subfolder entry for itself, a file entry for no folder.
TEST_F(FavouritesTest, AddAndOpenFolderTakeTheFocusedFolder) {
    window_->openStartPath(path("lib"));
    browser::PopupMenu* p = window_->fileActions()->PopupMenu();
    for (auto [row, folder, adds] :
         {std::tuple{0, "lib", true}, {1, "lib/sub", true}, {2, "lib", false}, {0, "lib", false}}) {
        list()->setCurrentRow(row);
        window_->fileActions()->PopupMenuPopup();
        EXPECT_EQ(p->AddToFavorites1->isVisible() + ctl<QPushButton>("ButtonAdd")->isEnabled(),
                  2 * adds)
            << row;
        const int before = favs_->count();
        p->AddToFavorites1->trigger();
        EXPECT_EQ(favs_->count(), before + adds);
        EXPECT_FALSE(ctl<QPushButton>("ButtonAdd")->isEnabled()) << row;
        shell_->Calls.clear();
        p->Openfolder1->trigger();
        EXPECT_EQ(shell_->Calls, QStringList{"folder " + path(folder)});
    }
    EXPECT_GE(favs_->FindFavourite(path("lib")), 0);
    EXPECT_FALSE(ctl<QPushButton>("ButtonRemove")->isEnabled());
    box()->item(favs_->FindFavourite(path("lib/sub")))->setSelected(true);
    EXPECT_TRUE(ctl<QPushButton>("ButtonRemove")->isEnabled());
    ctl<QPushButton>("ButtonRemove")->click();
    EXPECT_EQ(favs_->count(), 1);
    EXPECT_EQ(favs_->FavouritePath(0), path("lib"));
    EXPECT_FALSE(ctl<QPushButton>("ButtonRemove")->isEnabled());
}

// Leaving a favourite stores the view and caption that "查看" and "标题" ask for, returning
// applies them, and with "记住设置" off neither happens.
TEST_F(FavouritesTest, ViewAndCaptionAreRememberedOnlyWhenAskedFor) {
    window_->openStartPath(path("lib"));
    list()->setCurrentRow(0);
    favs_->AddToFavorites1Click();
    EXPECT_EQ(favs_->ViewCode(0), 0x20); // list, file name
    QRadioButton* const views[] = {ctl<QRadioButton>("RadioButtonThumbnails"),
                                   ctl<QRadioButton>("RadioButtonIcons")};
    for (auto [favs, keepViews, keepCaptions, view, caption, code, thumbnails, returned] :
         {std::tuple{true, true, true, 0, 1, 0x01, true, 1},
          {true, false, true, 1, 2, 0x02, false, 2},
          {true, true, false, 1, 3, 0x12, false, 0},
          {false, true, true, 0, 4, 0x12, false, 0}}) {
        ctl("CheckBoxFavs")->setChecked(favs);
        EXPECT_EQ(ctl("CheckBoxFavViews")->isEnabledTo(o()) +
                      ctl("CheckBoxFavCaptions")->isEnabledTo(o()),
                  2 * favs);
        ctl("CheckBoxFavViews")->setChecked(keepViews);
        ctl("CheckBoxFavCaptions")->setChecked(keepCaptions);
        views[view]->setChecked(true);
        ctl<QComboBox>("ComboBoxCaption")->setCurrentIndex(caption);
        window_->openStartPath(path("other"));
        EXPECT_EQ(favs_->ViewCode(0), code) << caption;
        ctl<QRadioButton>("RadioButtonList")->setChecked(true);
        ctl<QComboBox>("ComboBoxCaption")->setCurrentIndex(0);
        window_->openStartPath(path("lib"));
        EXPECT_EQ(ctl<QRadioButton>("RadioButtonThumbnails")->isChecked(), thumbnails) << caption;
        EXPECT_EQ(list()->captionChoice(), returned) << caption;
    }
    ctl("CheckBoxFavs")->setChecked(true);
    ctl<QRadioButton>("RadioButtonDetails")->setChecked(true); // the details view is code 3
    window_->openStartPath(path("other"));
    EXPECT_EQ(favs_->ViewCode(0), 0x30);
    ctl<QRadioButton>("RadioButtonList")->setChecked(true);
    window_->openStartPath(path("lib"));
    EXPECT_TRUE(ctl<QRadioButton>("RadioButtonDetails")->isChecked());
    // Closing in a favourite stores its view as well.
    ctl<QRadioButton>("RadioButtonList")->setChecked(true);
    ctl<QComboBox>("ComboBoxCaption")->setCurrentIndex(4);
    window_.reset();
    EXPECT_TRUE(read("gonilux.ini").contains("folder0=24" + path("lib").toUtf8()));
}

TEST_F(FavouritesTest, AFavouriteOpensByDoubleClickEnterOrTheSubmenu) {
    favs_->AddFavourite("other", path("other")); // listed by name, with the folder's icon
    favs_->AddFavourite("lib", path("lib"));
    EXPECT_FALSE(box()->item(1)->icon().isNull());
    ctl<TGroupBoxEx>("GroupBoxExFavorites")->setCollapsed(false);
    window_->openStartPath(path("lib/sub"));
    emit box()->itemDoubleClicked(box()->item(1));
    EXPECT_EQ(treePath(), path("other"));
    box()->setCurrentRow(0);
    QTest::keyClick(box(), Qt::Key_Return);
    EXPECT_EQ(treePath(), path("lib"));
    window_->fileActions()->PopupMenuPopup();
    const QList<QAction*> items = window_->fileActions()->PopupMenu()->Favorites1->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[1]->text(), "other");
    items[1]->trigger();
    EXPECT_EQ(treePath(), path("other"));
    EXPECT_EQ(items[0]->statusTip(), QStringLiteral("?") + path("lib"));

    EXPECT_EQ(FavouriteHintPath("/d//") + FavouriteHintPath("/"), "/d/");
}

} // namespace
} // namespace gonilux::mainwindow::testing
