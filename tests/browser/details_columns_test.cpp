// The details view's columns without a window: each column's text and sort key for real files,
// a damaged, a vanished and an unread entry; the sort of rows; the header state's text forms;
// and, in a shown list, the details view of found files with their folder column.
#include "browser/details_columns.h"
#include "list_view_fixture.h"
#include "photometry/file_io.h"

#include <QHeaderView>
#include <QTreeView>

namespace gonilux::browser::testing {
namespace {

// One line an entry: every column's text, and "=number" where it sorts by a number.
QString RowLine(const DetailsEntry& row) {
    QStringList cells;
    for (const DetailsColumnInfo& info : DetailsColumns()) {
        const DetailsCell cell = DetailsCellOf(info.Column, row);
        cells << cell.Text + (std::isnan(cell.Number) ? "" : "=" + QString::number(cell.Number));
    }
    return cells.join(" | ") + "\n";
}

TEST(DetailsColumns, TextsAndSortKeysOfRealFilesAndDamagedOnes) {
    QString text;
    for (const DetailsColumnInfo& info : DetailsColumns())
        text += QString("%1 %2 %3%4 | ")
                    .arg(QString(info.Key), ColumnHeader(info.Column))
                    .arg(info.Width)
                    .arg(ColumnAlignment(info.Column).testFlag(Qt::AlignRight) ? " right" : "");
    text += "\n";
    QTemporaryDir temporary;
    QFile damaged(temporary.filePath("damaged.ies"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly) && damaged.write(IesFile("T-9", true)) > 0);
    damaged.close();
    QStringList paths{damaged.fileName(), temporary.filePath("vanished.ies")};
    for (const char* folder : {"ies-real/ksmet1977-luxpy", "ldt-real/cagrin-QLumEdit"}) {
        const QDir dir(QStringLiteral(GONILUX_TESTDATA_DIR "/") + folder);
        for (const QString& name :
             dir.entryList({"*.ies", "*.IES", "*.ldt"}, QDir::Files, QDir::Name))
            paths << dir.filePath(name);
    }
    for (const QString& path : paths) {
        const QFileInfo file(path);
        TiesData entry = NewFileEntry(file.fileName());
        LoadIesEntry(entry, path.toStdString());
        const tMetrics metrics = ComputeMetrics(entry.Ies);
        const bool ours = path.startsWith(temporary.path());
        text += RowLine({entry, entry.Loaded ? &metrics : nullptr, file.exists() ? file.size() : -1,
                         3, ours ? "<temporary>" : file.dir().dirName()});
    }
    text += RowLine({NewFileEntry("unread.ies"), nullptr, -1, 3, {}}); // only its names
    TiesData odd = NewFileEntry("odd.ies"); // read, of no known type, without figures
    odd.Loaded = true;
    odd.Ies.PhotometricType = 4;
    odd.Ies.ExactInputWatts = 12.5;
    text += RowLine({odd, nullptr, 0, 3, {}});
    ExpectText(text, "details_rows.txt");
}

TEST(DetailsColumns, SortsNumbersAsNumbersAndTextsAsTheListDoesEmptiesLastFoldersFirst) {
    const double n = kNoValue;
    const std::vector<DetailsCell> numbers{{"", 5}, {"", n},  {"", 10},  {"", n},
                                           {"", 9}, {"", 10}, {"", 100}, {"", -1}};
    EXPECT_EQ(SortedDetailsRows(numbers, 2, true, false), (std::vector{0, 1, 7, 4, 2, 5, 6, 3}));
    EXPECT_EQ(SortedDetailsRows(numbers, 2, true, true), (std::vector{0, 1, 6, 2, 5, 4, 7, 3}));
    EXPECT_EQ(SortedDetailsRows(numbers, 99, true, true), (std::vector{0, 1, 2, 3, 4, 5, 6, 7}));
    const QStringList texts{"z", "b", "", "B", "a", "é", "Z", "b1", "", "_", "10", "9"};
    std::vector<DetailsCell> cells;
    for (const QString& t : texts)
        cells.push_back({t});
    // The file list's own sort of the same texts, the empty ones moved to the end.
    std::vector<int> listOrder = SortedRowOrder(texts, 1);
    std::stable_partition(listOrder.begin() + 1, listOrder.end(),
                          [&](int row) { return !texts[row].isEmpty(); });
    EXPECT_EQ(SortedDetailsRows(cells, 1, false, false), listOrder); // "10" "9" "a" "b" "B" ...
    EXPECT_EQ(SortedDetailsRows(cells, 1, false, true),
              (std::vector{0, 5, 9, 6, 7, 1, 3, 4, 11, 10, 2, 8}));
    EXPECT_TRUE(SortedDetailsRows({}, 3, false, true).empty());
}

// The ratings' columns show the single values of lists and queries to their digits; through the
// model they come as the reader stored them, and sort like the other figures, empty cells last.
TEST(DetailsColumns, RatingsShowTheirListValuesAndSortWithTheEmptyOnesLast) {
    tRatings rated;
    rated.Valid = true;
    rated.Outdoor.Bug = {true, 1, 0, 2};
    rated.Outdoor.Roadway = {true, RoadType::III, RoadLength::Medium};
    rated.Outdoor.Spacing = {1.314, 1.226, 1.5};
    rated.Ugr = {18.24, 19.06};
    rated.Luminance.Valid = true;
    rated.Luminance.Values[2] = {1200, 3456.4, 2100};
    tRatings dark = rated; // no opening, no BUG, no spacing criterion across
    dark.Outdoor.Bug = {};
    dark.Outdoor.Spacing.Across = kNoValue;
    dark.Luminance = {};
    dark.Ugr = {};
    tRatings unrated = rated;
    unrated.Valid = false;
    const DetailsColumn columns[] = {DetailsColumn::Bug, DetailsColumn::Ugr, DetailsColumn::Road,
                                     DetailsColumn::Spacing, DetailsColumn::Luminance65};
    TiesData entry;
    ASSERT_TRUE(LoadIesEntry(entry, GONILUX_SAMPLES_DIR "/downlight_c_quarter.ies"));
    const TiesData unread = NewFileEntry("unread.ies");
    QStringList shown;
    using Shown = std::pair<const TiesData*, const tRatings*>;
    for (const auto& [e, r] : {Shown{&entry, &rated}, Shown{&entry, &dark}, Shown{&entry, &unrated},
                               Shown{&entry, nullptr}, Shown{&unread, &rated}}) {
        QStringList cells;
        for (const DetailsColumn column : columns) {
            const DetailsCell cell = DetailsCellOf(column, {*e, nullptr, -1, 0, {}, r});
            cells << cell.Text +
                         (std::isnan(cell.Number) ? "" : "=" + QString::number(cell.Number));
        }
        shown << cells.join(' ');
    }
    EXPECT_EQ(shown, (QStringList{"B1 U0 G2 19.1=19.06 III 1.23=1.226 3 456=3456.4",
                                  "  III 1.31=1.314 ", "    ", "    ", "    "}));

    tRatings worse = rated;
    worse.Ugr.Crosswise = 25;
    FileListModel model;
    for (const auto& [name, ratings] :
         {std::pair{"a", dark}, {"b", worse}, {"c", unrated}, {"d", rated}}) {
        const int row = model.appendFile(std::make_unique<TiesData>(NewFileEntry(name)), {}, name);
        model.storeRead(row, TiesData(entry), std::nullopt, ratings);
    }
    model.appendFile(std::make_unique<TiesData>(NewFileEntry("e")), {}, "e"); // unread
    model.appendFile(std::make_unique<TiesData>(NewFileEntry("f")), {}, "f");
    model.storeRead(5, TiesData(entry)); // read without ratings: computed when asked
    EXPECT_TRUE(model.ratings(5) && !model.ratings(4) && model.ratings(1)->Ugr.Crosswise == 25);
    EXPECT_TRUE(model.index(1, 0).data(Qt::ToolTipRole).toString().endsWith(": 25.0"));
    model.removeEntry(5);
    const auto sorted = [&](DetailsColumn column, Qt::SortOrder order) {
        model.sort(int(column), order);
        return model.captions().join("");
    };
    EXPECT_EQ(sorted(DetailsColumn::Ugr, Qt::AscendingOrder), "dbace");
    EXPECT_EQ(sorted(DetailsColumn::Ugr, Qt::DescendingOrder), "bdace");
    EXPECT_EQ(sorted(DetailsColumn::Spacing, Qt::DescendingOrder), "abdce");
}

TEST(DetailsHeader, TextsRoundTripAndWhatCannotBeReadIsSkipped) {
    const DetailsHeaderState defaults = DefaultDetailsHeader();
    DetailsHeaderState changed = defaults;
    std::swap(changed.Columns[0], changed.Columns[12]);
    changed.Columns[0].Visible = !changed.Columns[0].Visible;
    changed.Columns[3].Width = kMaxColumnWidth;
    changed.SortColumn = DetailsColumn::Flux;
    changed.Descending = true;
    EXPECT_EQ(ParseDetailsHeader(DetailsColumnsText(changed), DetailsSortText(changed)), changed);
    // clang-format off
    const std::pair<QString, QString> columns[] = {
        {"", DetailsColumnsText(defaults)},
        {"-caption:100,nonsense,caption:abc", DetailsColumnsText(defaults)},
        {" flux : 80 ,-flux:90,bogus,caption:15,file:x:3,lamp,status:4001,,beam:16,-caption:4000",
         "flux:80,lamp:150,beam:16,-caption:4000,-file:160,-manufacturer:140,-luminaire:200,"
         "-catalog:120,-lumens:110,-watts:95,-efficacy:90,-maxcd:105,-field:70,-bug:80,-ugr:50,"
         "-road:70,-sc:60,-l65:110,-type:50,-symmetry:90,-size:80,-status:120,-folder:200"}};
    const std::pair<QString, QString> sorts[] = {{"flux", "flux:asc"},
        {" maxcd : desc ", "maxcd:desc"}, {"flux:down", ""}, {"nope:desc", ""}, {"size:asc:x", ""},
        {"", ""}};
    // clang-format on
    for (const auto& [text, read] : columns)
        EXPECT_EQ(DetailsColumnsText(ParseDetailsHeader(text, "")), read) << text.toStdString();
    for (const auto& [sort, read] : sorts)
        EXPECT_EQ(DetailsSortText(ParseDetailsHeader("", sort)), read) << sort.toStdString();
}

TEST_F(ListViewTest, TheDetailsViewOfFoundFilesShowsTheirFoldersAndOpensThem) {
    const QString lib = makeFolder("lib", {{"b.ies", IesFile()}, {"a.ies", IesFile()}}, {"sub"});
    write("lib/sub/c.ies", IesFile());
    view_.CheckBoxSortClick(true);
    view_.setViewStyle(FolderListView::ViewStyle::Details);
    show(lib);
    QHeaderView* header = view_.detailsView()->header();
    const int folder = static_cast<int>(DetailsColumn::Folder);
    EXPECT_TRUE(header->isSectionHidden(folder));
    EXPECT_EQ(header->model()->headerData(folder, Qt::Horizontal),
              ColumnHeader(DetailsColumn::Folder));
    filter("b.ies"); // Escape in the details view clears the filter as in the list
    const QString shown = dump() + " ";
    QTest::keyClick(view_.detailsView(), Qt::Key_Escape);
    EXPECT_EQ(QString(shown + dump()).remove('!'), "sub|~a.ies|b.ies sub|a.ies|b.ies");
    view_.ShowFoundFiles({lib + "/sub/c.ies", lib + "/b.ies", lib + "/a.ies"});
    QStringList folders;
    for (int row = 0; row < view_.count(); ++row)
        folders << view_.entryCaption(row) + ":" +
                       view_.fileModel()->cell(row, DetailsColumn::Folder).Text;
    EXPECT_EQ(folders.join(' '), "a.ies: b.ies: c.ies:sub");
    EXPECT_TRUE(view_.showsFoundFiles() && !header->isSectionHidden(folder));
    QSignalSpy opened(&view_, &FolderListView::foundFileActivated);
    view_.activateFoundFile(2);
    EXPECT_EQ(opened.value(0).value(0).toString(), lib + "/sub/c.ies");
    show(lib);
    EXPECT_TRUE(!view_.showsFoundFiles() && header->isSectionHidden(folder));
}

} // namespace
} // namespace gonilux::browser::testing
