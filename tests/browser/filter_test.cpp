// The file list's filter: the hidden entries in each view, the reading of unread entries,
// Escape, another folder listed, and where the focus goes.
#include "browser/details_columns.h"
#include "browser/entry_filter.h"
#include "list_view_fixture.h"

#include <QTranslator>
#include <algorithm>

namespace gonilux::browser::testing {
namespace {

class FilterTest : public ListViewTest {
  protected:
    void SetUp() override {
        ListViewTest::SetUp();
        view_.CheckBoxUpClick(true);
        view_.CheckBoxSortClick(true);
        // "alpha.ies" matches "alpha" by name, "b.ies" by its [TEST] string, "c.ies" not at all.
        folder_ = makeFolder("lib",
                             {{"alpha.ies", IesFile("T-1")},
                              {"b.ies", IesFile("ALPHA-7")},
                              {"c.ies", IesFile("T-3 \xE7lair")}}, // Latin-1 ç
                             {"zeta"});
        other_ = makeFolder("other", {{"alpha2.ies", IesFile("T-9")}});
        show(folder_);
    }
    QString folder_, other_;
};

TEST_F(FilterTest, EachViewShowsTheMatchingFilesWithoutRegardToCase) {
    for (auto style : {FolderListView::ViewStyle::List, FolderListView::ViewStyle::Icons,
                       FolderListView::ViewStyle::Thumbnails}) {
        view_.setViewStyle(style);
        show(folder_);
        panels_.clear();
        filter(QStringLiteral("Alpha")); // the titles are read behind the panel
        EXPECT_EQ(panels_, QStringList{"正在读取 IES 文件...||3"});
        EXPECT_FALSE(view_.processingPanel()->isVisible());
        for (const auto& [text, shown] : std::vector<std::pair<QString, QString>>{
                 {"Alpha", "alpha.ies!|b.ies!|~c.ies!"},
                 {"t-3", "~alpha.ies!|~b.ies!|c.ies!"},
                 {"ÇLAIR", "~alpha.ies!|~b.ies!|c.ies!"},
                 {"C.IES", "~alpha.ies!|~b.ies!|c.ies!"},
                 {"nothing like it", "~alpha.ies!|~b.ies!|~c.ies!"},
                 {"", "alpha.ies!|b.ies!|c.ies!"}}) {
            view_.setFilterText(text);
            EXPECT_EQ(dump(), "直到 'lib'|zeta|" + shown) << text.toStdString();
        }
    }
}

TEST_F(FilterTest, ReadingCountsBrokenFilesOnceAndATextSetMeanwhileStartsOver) {
    makeFolder("lib", {{"a0.ies", IesFile("T-0", true)}}); // damaged: counted, no box
    show(folder_);
    view_.setFilterText(QStringLiteral("alpha"));
    EXPECT_TRUE(view_.processingPanel()->isVisible());
    filter(QStringLiteral("T-3"));
    EXPECT_EQ(dump(), "直到 'lib'|zeta|~a0.ies!|~alpha.ies!|~b.ies!|c.ies!");
    EXPECT_FALSE(view_.processingPanel()->isVisible());
    EXPECT_TRUE(messages_.empty() && view_.readProblemCount() == 1);
    // A file that cannot be opened is tried once, not on every key.
    show(other_);
    ASSERT_TRUE(QFile::remove(other_ + "/alpha2.ies") && QDir(other_).mkdir("alpha2.ies"));
    filter(QStringLiteral("a"));
    filter(QStringLiteral("al"));
    EXPECT_TRUE(messages_.empty() && view_.readProblemCount() == 1);
}

TEST_F(FilterTest, EscapeOrAnotherFolderClearsTheFilterEvenWhileReading) {
    QSignalSpy cleared(&view_, &FolderListView::filterCleared);
    QTest::keyClick(&view_, Qt::Key_Escape); // no filter: nothing to clear
    filter(QStringLiteral("b.ies"));
    QTest::keyClick(&view_, Qt::Key_Escape);
    EXPECT_EQ(dump(), "直到 'lib'|zeta|alpha.ies!|b.ies!|c.ies!");
    filter(QStringLiteral("b.ies"));
    show(folder_); // the same folder again keeps it
    EXPECT_EQ(dump(), "直到 'lib'|zeta|~alpha.ies!|b.ies!|~c.ies!");
    show(other_);
    EXPECT_EQ(cleared.count(), 2);
    // Listing a folder while the filter's files are read ends that reading.
    show(folder_);
    view_.setFilterText(QStringLiteral("t-"));
    view_.ShowFolderContents(ListingOf(other_));
    EXPECT_TRUE(settled());
    EXPECT_TRUE(view_.filterText().isEmpty());
    EXPECT_EQ(dump(), "直到 'other'|alpha2.ies");
    EXPECT_FALSE(view_.processingPanel()->isVisible());
}

TEST_F(FilterTest, AHiddenFocusMovesToTheFirstVisibleFile) {
    QSignalSpy preview(&view_, &FolderListView::previewItem);
    select(rowOf("c.ies"));
    view_.setRowSelected(rowOf("alpha.ies"), true);
    filter(QStringLiteral("ALPHA-7")); // hides c.ies (focused) and alpha.ies
    EXPECT_EQ(dump(), "直到 'lib'|zeta|~alpha.ies!|b.ies*+!|~c.ies!");
    // The selection followed the focus: b is previewed.
    EXPECT_TRUE(preview.count() == 2 && preview.at(1).at(0).toInt() == rowOf("b.ies"));
    // Nothing left to focus but folder entries: the focus goes there, the preview stays.
    filter(QStringLiteral("nothing like it"));
    EXPECT_EQ(dump(), "直到 'lib'*|zeta|~alpha.ies!|~b.ies!|~c.ies!");
    EXPECT_EQ(preview.count(), 2);
    // A focus that is not selected moves without selecting.
    filter(QString());
    view_.setCurrentRow(rowOf("c.ies"), QItemSelectionModel::NoUpdate);
    filter(QStringLiteral("b.ies"));
    EXPECT_EQ(dump(), "直到 'lib'|zeta|~alpha.ies!|b.ies*!|~c.ies!");
}

TEST_F(FilterTest, SortingAndCaptionChangesKeepTheFilter) {
    filter(QStringLiteral("alpha"));
    chooseCaption(1); // captions become the [TEST] strings, sorted
    EXPECT_EQ(dump(), "直到 'lib'*|zeta|ALPHA-7!|T-1!|~T-3 çlair!");
    view_.CheckBoxSortClick(false);
    chooseCaption(0);
    EXPECT_EQ(dump(), "直到 'lib'*|zeta|b.ies!|alpha.ies!|~c.ies!");
    view_.CheckBoxSortClick(true); // every file row is taken out and put back
    view_.CheckBoxUpClick(false);
    EXPECT_EQ(dump(), "zeta*|alpha.ies!|b.ies!|~c.ies!");
}

// The text is a query of the library's language, as `gonilux-cli find` takes it: all words must
// match; fields, figures and ranges pick files; an invalid query hides nothing.
TEST_F(FilterTest, QueriesPickFilesByTitlesFiguresAndKind) {
    const QString lib = makeFolder("real", {{"broken.ies", IesFile("T-0 acme", true)},
                                            {"b.ies", IesFile("T-B").replace("10 1 1", "10 1 2")}});
    for (const auto& [from, to] : std::vector<std::pair<QString, QString>>{
             {"ies-real/holg-eulumdat-rs/Indoor_60W_120G_5300LM_5000K_OVNI.ies", "ovni.ies"},
             {"ies-real/tobspr-RenderPipeline/tight_focused.ies", "tight.ies"},
             {"ies-real/ksmet1977-luxpy/Testlamp_Isym2_theta180+_erco_33499000_1xqt32_230w.IES",
              "erco.IES"},
             {"ldt-real/Frudawski-LightingToolbox/lambert.ldt", "lambert.ldt"}})
        ASSERT_TRUE(QFile::copy(GONILUX_TESTDATA_DIR "/" + from, lib + "/" + to));
    show(lib);
    const auto shown = [this] {
        QStringList names;
        for (int row = view_.Tag(); row < view_.count(); ++row)
            if (!view_.isRowHidden(row)) names << EntryFileName(*view_.entryAt(row));
        return names.join(' ');
    };
    filter("file:.ldt format:LDT"); // the names tell: no file is read
    EXPECT_EQ(shown(), "lambert.ldt");
    EXPECT_FALSE(dump().contains('!'));
    for (const auto& [query, files] : std::vector<std::pair<QString, QString>>{
             {"interlight", "ovni.ies"},
             {"INFINITY carthage", "tight.ies"},
             {"erco 230W", "erco.IES"},
             {"acme lambert", ""},
             {"manufacturer:erco lamp:\"QT32 230\"", "erco.IES"},
             {"lamp:led catalog:7006", "ovni.ies"},
             {"luminaire:lambert file:.ldt", "lambert.ldt"},
             {"format:ies error:no", "b.ies erco.IES ovni.ies tight.ies"},
             {"format:ldt", "lambert.ldt"},
             {"error:yes", "broken.ies"},
             {"type:B", "b.ies"},
             {"type:a", ""},
             {"flux>=5000", "ovni.ies tight.ies"},
             {"watts<100 type:c", "broken.ies ovni.ies"},
             {"beam:20..40", "tight.ies"},
             {"maxcd>20000 lor<=60", "tight.ies"},
             {"lumens=1000", "b.ies lambert.ldt"},
             {"format:ldt OR (type:b error:no)", "b.ies lambert.ldt"},
             {"光束角 >= 20 AND 光束角<=40", "tight.ies"},
             {"flux >= 5000 or 状态:yes", "broken.ies ovni.ies tight.ies"},
             {"ugr<19 flux>3000", "tight.ies"},
             {"bug:B1U0G1", "broken.ies lambert.ldt"},
             {"road:i cutoff:full", "tight.ies"},
             {"u>=5 OR l65>20000", "erco.IES ovni.ies"},
             {"flux>=abc", "b.ies broken.ies erco.IES lambert.ldt ovni.ies tight.ies"}}) {
        filter(query);
        EXPECT_EQ(shown(), files) << query.toStdString();
    }
}

// Each details column that shows a title or a figure is a field of the query language by the
// name it shows, in Chinese and in English (without its unit). A mistake's message speaks the
// interface's language: Chinese, or in English the core's own words.
TEST(FilterQuery, TheColumnsNamesAreFieldsAndMistakesSpeakTheInterfacesLanguage) {
    QTranslator english;
    ASSERT_TRUE(english.load(QStringLiteral(":/i18n/gonilux_en.qm")));
    const auto& fields = library::QueryFieldNames();
    const char* const wrong[] = {
        "zoom:2", "flux>=abc", "beam:20..x", "beam:40..20", "lamp>x",
        "lamp:",  "type:d",    "flux<>3",    ">= 3",        "\"a b",
        "a () b", "(a",        "a)",         "a OR",        "((((((((((((((((((((((((((((((((((x",
        "bug:B9"};
    QStringList chinese, withoutField;
    for (const bool inEnglish : {false, true}) {
        if (inEnglish) QCoreApplication::installTranslator(&english);
        for (const DetailsColumnInfo& info : DetailsColumns()) {
            const std::string key = info.Key == std::string("status") ? "error" : info.Key;
            if (std::find(fields.begin(), fields.end(), key) == fields.end()) {
                if (!inEnglish) withoutField << info.Key;
                continue;
            }
            const QString name = ColumnHeader(info.Column).section(QStringLiteral(" ("), 0, 0);
            const std::string value = key == "type"    ? "c"
                                      : key == "error" ? "no"
                                      : key == "bug"   ? "B1U0G1"
                                      : key == "road"  ? "iii"
                                                       : "1";
            const library::QueryParse q = library::ParseQuery(name.toStdString() + ":" + value);
            ASSERT_TRUE(q.Ok) << name.toStdString() << ": " << q.Error;
            ASSERT_EQ(q.Value.Terms.size(), 1u) << name.toStdString();
            EXPECT_EQ(q.Value.Terms[0].Field, key) << name.toStdString();
        }
        for (const char* text : wrong) {
            const library::QueryParse q = library::ParseQuery(text);
            const QString shown = QueryErrorText(q);
            if (inEnglish) {
                EXPECT_EQ(shown.toStdString(), q.Error) << text;
                continue;
            }
            chinese << QString::number(int(q.Kind));
            EXPECT_NE(shown.toStdString(), q.Error) << text;
            for (const std::string& arg : q.Args)
                EXPECT_TRUE(shown.contains(QString::fromStdString(arg))) << text;
        }
    }
    QCoreApplication::removeTranslator(&english);
    EXPECT_EQ(withoutField, (QStringList{"symmetry", "size", "folder"}));
    EXPECT_EQ(chinese.join(' '), "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"); // every kind once
    EXPECT_EQ(QueryErrorText(library::ParseQuery("a b")), "");
}

} // namespace
} // namespace gonilux::browser::testing
