// Every rating of an entry together: what an entry's format and keyword tell the ratings, the
// single values of lists and queries, the notes of a record that cannot be rated, and the
// ratings' tables of text as the command line prints them.
#include "photometry/rating_tables.h"
#include "photometry/ratings.h"
#include "test_util.h"

#include <cmath>

namespace gonilux {
namespace {

using testutil::MakeRecord;
using testutil::Steps;

// A Lambertian downlight of 1000 cd below, quarter symmetry, with a 0.6 x 0.6 m opening.
tIES Downlight(std::uint16_t type = 1) {
    const tArrEx vert = Steps(0, 90, 5), horz = Steps(0, 90, 15);
    tArrEx2 table(horz.size(), tArrEx(vert.size()));
    for (auto& row : table)
        for (std::size_t v = 0; v < vert.size(); ++v)
            row[v] = 1000 * std::cos(vert[v] * std::numbers::pi / 180);
    tIES ies = MakeRecord(type, vert, horz, table);
    ies.Width = ies.Length = 0.6;
    return ies;
}

TEST(Ratings, SingleValuesTakeTheWorseUgrAndTheSmallerSpacing) {
    const double n = kNoValue;
    const struct {
        double A, B, Worse, Smaller;
    } rows[] = {{18, 19, 19, 18}, {n, 17, 17, 17}, {20, n, 20, 20}, {n, n, n, n}};
    for (const auto& r : rows) {
        const double worse = WorseUgr({r.A, r.B});
        const double smaller = SpacingValue({r.A, r.B, 5});
        EXPECT_TRUE(std::isnan(r.Worse) ? std::isnan(worse) : worse == r.Worse) << r.A << r.B;
        EXPECT_TRUE(std::isnan(r.Smaller) ? std::isnan(smaller) : smaller == r.Smaller);
    }
    TiesData entry = CreateIesData("road.LDT");
    entry.Distribution = "TYPE III, MEDIUM";
    const tRatingInput input = RatingInputOf(entry);
    EXPECT_TRUE(input.Eulumdat);
    EXPECT_EQ(input.Distribution, "TYPE III, MEDIUM");
    EXPECT_FALSE(RatingInputOf(CreateIesData("road.ies")).Eulumdat);
    EXPECT_FALSE(RatingInputOf(TiesData{}).Eulumdat);
}

TEST(Ratings, EveryFigureOrANoteSayingWhyNot) {
    const tRatings lit = ComputeRatings(Downlight(), {});
    EXPECT_TRUE(lit.Valid);
    EXPECT_TRUE(lit.Notes.empty());
    EXPECT_TRUE(std::isfinite(WorseUgr(lit.Ugr)));
    // Lambertian: the same luminance at every angle, I(0) over the opening.
    EXPECT_NEAR(Luminance65(lit.Luminance), 1000 / 0.36, 1);
    tIES bare = Downlight();
    bare.Width = bare.Length = 0;
    const tRatings noOpening = ComputeRatings(bare, {});
    EXPECT_TRUE(noOpening.Valid && std::isnan(WorseUgr(noOpening.Ugr)));
    EXPECT_TRUE(std::isnan(Luminance65(noOpening.Luminance)));
    ASSERT_EQ(noOpening.Notes.size(), 1u);
    EXPECT_NE(noOpening.Notes[0].find("no luminous opening"), std::string::npos);
    const tRatings typeA = ComputeRatings(Downlight(3), {});
    EXPECT_FALSE(typeA.Valid);
    EXPECT_TRUE(std::isnan(WorseUgr(typeA.Ugr)) && !typeA.Luminance.Valid);
    ASSERT_EQ(typeA.Notes.size(), 1u);
    EXPECT_NE(typeA.Notes[0].find("type A"), std::string::npos);
}

TEST(RatingTables, EachKindHasItsLabelsAndShape) {
    const tIES ies = Downlight();
    const struct {
        const char* Kind;
        std::size_t Rows, Columns;
        const char *Corner, *FirstColumn, *LastColumn, *FirstRow, *LastRow;
    } rows[] = {
        {"lcs", 11, 3, "zone", "lm", "% luminaire", "BL", "UH"},
        {"bug", 4, 2, "letter", "rating", "rating", "B", "G"},
        {"ugr", 20, 11, "room", "70/50/20 crosswise", "30/30/20 endwise", "2H 2H", "12H 8H"},
        {"cu", 12, 19, "RCR", "80/70", "0/0", "0", "10"},
        {"sc", 4, 2, "direction", "SC", "SC", "0-180", "diagonal"},
        {"luminance", 6, 4, "gamma", "C0", "C90", "45", "85"},
    };
    for (const auto& r : rows) {
        EXPECT_TRUE(IsRatingTableKind(r.Kind));
        const RatingTable table = BuildRatingTable(r.Kind, ies, {});
        ASSERT_EQ(table.Rows.size(), r.Rows) << r.Kind;
        for (const auto& row : table.Rows)
            ASSERT_EQ(row.size(), r.Columns) << r.Kind;
        EXPECT_EQ(table.Rows[0][0], r.Corner) << r.Kind;
        EXPECT_EQ(table.Rows[0][1], r.FirstColumn) << r.Kind;
        EXPECT_EQ(table.Rows[0].back(), r.LastColumn) << r.Kind;
        EXPECT_EQ(table.Rows[1][0], r.FirstRow) << r.Kind;
        EXPECT_EQ(table.Rows.back()[0], r.LastRow) << r.Kind;
    }
    // The LCS shares add up to the whole; a Lambertian downlight lights only the lower zones.
    const RatingTable lcs = BuildRatingTable("lcs", ies, {});
    double percent = 0;
    for (std::size_t i = 1; i < lcs.Rows.size(); ++i)
        percent += std::stod(lcs.Rows[i][2]);
    EXPECT_NEAR(percent, 100, 0.5);
    EXPECT_EQ(std::stod(lcs.Rows.back()[1]), 0);
    // The spacing switch reaches the UGR table; a kind that does not exist is no table.
    EXPECT_NE(BuildRatingTable("ugr", ies, {}, 1.0).Title, BuildRatingTable("ugr", ies, {}).Title);
    EXPECT_FALSE(IsRatingTableKind("polar"));
    EXPECT_FALSE(BuildRatingTable("polar", ies, {}).Valid());
    tIES bare = ies;
    bare.Width = bare.Length = 0;
    const RatingTable none = BuildRatingTable("ugr", bare, {});
    EXPECT_FALSE(none.Valid());
    EXPECT_NE(none.Note.find("no luminous opening"), std::string::npos);
    EXPECT_EQ(RatingCsv({"", {{"a,b", "c\"d"}, {"1", "2"}}, ""}), "\"a,b\",\"c\"\"d\"\n1,2\n");
}

} // namespace
} // namespace gonilux
