// Real IES and EULUMDAT files in the file list: which names are listed, the .ldt switch listing
// the folder again with the selection kept, and every real file read, captioned and described.
#include "list_view_fixture.h"

namespace gonilux::browser::testing {
namespace {

class LdtListTest : public ListViewTest {
  protected:
    void SetUp() override {
        ListViewTest::SetUp();
        copyLdt("JosefJerabek-illumination_map/NITYA XL T5A 47k6 840.LDT");
        copyLdt("123VincentB-eulumdat-plot/sample_43_isym4.ldt");
        for (const char* name : {"plain.ies", ".hidden.IES", "notes.ldt.txt", "g.iesx"})
            write(name, IesFile());
        QDir(root_.path()).mkdir("sub.ldt");
        view_.CheckBoxSortClick(true);
    }
};

TEST_F(LdtListTest, TheSwitchListsTheFolderAgainKeepingTheSelection) {
    ASSERT_TRUE(view_.listsLdt()); // on by default
    show();
    EXPECT_EQ(dump(),
              "sub.ldt|.hidden.IES|NITYA XL T5A 47k6 840.LDT|plain.ies|sample_43_isym4.ldt");
    QSignalSpy previews(&view_, &FolderListView::previewItem);
    // The IES entry stays current and selected, and is previewed again after the new listing.
    select(3);
    view_.CheckBoxLdtClick(false);
    EXPECT_EQ(dump(), "sub.ldt|.hidden.IES|plain.ies*+!");
    view_.CheckBoxLdtClick(true);
    EXPECT_EQ(dump(),
              "sub.ldt|.hidden.IES|NITYA XL T5A 47k6 840.LDT|plain.ies*+!|sample_43_isym4.ldt");
    EXPECT_EQ(previews.last().at(0).toInt(), 3);
    // The shown .ldt entry goes away: the preview is emptied.
    select(4);
    previews.clear();
    view_.CheckBoxLdtClick(false);
    view_.CheckBoxLdtClick(false); // the same switch twice lists nothing again
    EXPECT_EQ(dump(), "sub.ldt*|.hidden.IES|plain.ies");
    EXPECT_TRUE(previews.size() == 1 && previews.last().at(0).toInt() == -1);

    // The figures are those of the last read.
    view_.CheckBoxLdtClick(true);
    select(4);
    EXPECT_EQ(previews.last().at(0).toInt(), 4); // choosing goes on previewing after the switch
    const double flux = view_.entryMetrics(4)->LuminaireFlux;
    ASSERT_TRUE(QFile::remove(root_.filePath("sample_43_isym4.ldt")) &&
                QFile::copy(root_.filePath("NITYA XL T5A 47k6 840.LDT"),
                            root_.filePath("sample_43_isym4.ldt")));
    view_.LoadIesEntry(4);
    EXPECT_NE(view_.entryMetrics(4)->LuminaireFlux, flux);
    EXPECT_TRUE(messages_.empty());
}

// Every real file of the test data: its luminaire caption and its hover text once read, and the
// boxes reading it brought up.
TEST_F(ListViewTest, RealFilesAreReadCaptionedAndDescribed) {
    QString text;
    view_.CheckBoxSortClick(true);
    for (const char* kind : {"ies-real", "ldt-real"}) {
        const QDir dir(QStringLiteral(GONILUX_TESTDATA_DIR "/") + kind);
        const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        ASSERT_FALSE(names.isEmpty()) << kind;
        for (const QString& name : names) {
            show(dir.filePath(name));
            text += "## " + name + "\n";
            for (int row = 0; row < view_.count(); ++row) {
                messages_.clear();
                select(row);
                text += view_.entryToolTip(row) + "\n";
                for (const MessageService::Message& m : messages_)
                    text += "! " + m.Title + " " + m.Text.section('\r', 0, 0) + "\n";
            }
            chooseCaption(3);
            text += dump() + "\n\n";
            chooseCaption(0);
        }
    }
    ExpectText(text, "real_files.txt");
}

} // namespace
} // namespace gonilux::browser::testing
