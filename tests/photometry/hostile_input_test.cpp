// Fields left empty in EULUMDAT files, and figures of lights that do not shine down.
#include "photometry/ldt_reader.h"
#include "photometry/metrics.h"
#include "test_util.h"

#include <cmath>

namespace gonilux {
namespace {

using namespace testutil;

// EULUMDAT has one field a line: empty lines are empty fields and move nothing.
TEST(LdtFields, EmptyLinesReadAsZeroWithoutShifting) {
    const std::string original =
        ReadText(fs::path(GONILUX_TESTDATA_DIR) / "ldt-real/Wei-Lim-lighting/ldt_min_example.ldt");
    std::vector<std::string> lines;
    for (std::size_t at = 0, next; at < original.size(); at = next + 1) {
        next = std::min(original.find('\n', at), original.size());
        lines.push_back(original.substr(at, next - at));
    }
    tIES expected;
    ASSERT_FALSE(ParseLdt(original, "a.ldt", expected).Diagnostics.HeaderError);
    // Colour temperature, colour rendering and watts; then six of the direct ratios.
    for (const std::vector<int>& blank : {std::vector{29, 30, 31}, {32, 33, 34, 35, 36, 37}}) {
        std::vector<std::string> changed = lines;
        for (int index : blank)
            changed[std::size_t(index)].clear();
        tIES read;
        const LdtParseResult result = ParseLdt(JoinLines(changed, "\n"), "a.ldt", read);
        EXPECT_FALSE(result.Diagnostics.HeaderError) << result.Diagnostics.HeaderErrorLine;
        EXPECT_EQ(Dump(read).substr(Dump(read).find('|')),
                  Dump(expected).substr(Dump(expected).find('|')));
    }
}

// Efficacy divides by the watts as written; an uplight's beam is measured about the zenith.
TEST(Metrics, FractionalWattsAndBeamsAboutThePeak) {
    const tArrEx gammas = Steps(0, 180, 5);
    tArrEx down(gammas.size()), up(gammas.size());
    for (std::size_t i = 0; i < gammas.size(); ++i)
        down[i] = up[gammas.size() - 1 - i] =
            std::pow(std::max(0.0, std::cos(gammas[i] * M_PI / 180)), 8);
    tIES downlight = MakeRecord(1, gammas, {0}, {down});
    downlight.ExactInputWatts = 43.5;
    const tMetrics d = ComputeMetrics(downlight);
    EXPECT_NEAR(d.Efficacy, d.LuminaireFlux / 43.5, 1e-9);
    const tMetrics u = ComputeMetrics(MakeRecord(1, gammas, {0}, {up}));
    EXPECT_NEAR(u.Spread0.Beam, d.Spread0.Beam, 1e-9);
    EXPECT_NEAR(u.Spread90.Field, d.Spread90.Field, 1e-9);
    EXPECT_LT(u.Spread0.Beam, 90);
    EXPECT_EQ(d.Spread0.Axis, 0);
    EXPECT_EQ(u.Spread0.Axis, 180);
}

} // namespace
} // namespace gonilux
