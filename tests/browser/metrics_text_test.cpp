// The photometric figures as text: number grouping, which lines appear for which figures, the
// angle names of the photometric types, and the hover text of file entries.
#include "browser/metrics_text.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace gonilux::browser {
namespace {

constexpr int kTypeC = 1;
constexpr int kTypeB = 2;

// A record's figures with everything known.
tMetrics FullMetrics() {
    tMetrics m;
    m.Valid = true;
    m.LuminaireFlux = 1234.4;
    m.LampFlux = 1452.2;
    m.DownwardFraction = 0.9712;
    m.UpwardFraction = 0.0288;
    m.LightOutputRatio = 0.85;
    m.Efficacy = 92.14;
    m.MaxIntensity = 1234.0;
    m.MaxVertAngle = 35;
    m.MaxHorzAngle = 90;
    m.Spread0 = {48.24, 80.0};
    m.Spread90 = {50.06, 82.56};
    return m;
}

TEST(MetricsText, GroupedNumbers) {
    struct Case {
        double Value;
        int Decimals;
        const char* Expected;
    };
    const std::vector<Case> cases = {
        {999, 0, "999"},
        {1234, 0, "1 234"},
        {1234567.891, 1, "1 234 567.9"},
        {999.96, 1, "1 000.0"},
        {-12345.4, 0, "-12 345"},
        {-0.04, 1, "0.0"}, // no sign on a value that rounds to zero
        {kNoValue, 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GroupedNumber(c.Value, c.Decimals).toStdString(), c.Expected)
            << c.Value << " " << c.Decimals;
}

TEST(MetricsText, AllFiguresOfATypeCRecord) {
    const QStringList lines = MetricsLines(FullMetrics(), kTypeC);
    EXPECT_EQ(lines, (QStringList{
                         QStringLiteral("光通量: 1 234 lm (相对光度)"),
                         QStringLiteral("灯具效率 (LOR): 85.0 %"),
                         QStringLiteral("光效: 92.1 lm/W"),
                         QStringLiteral("最大光强: 1 234 cd (C90, γ 35°)"),
                         QStringLiteral("光束角 C0-C180: 48.2° / C90-C270: 50.1°"),
                         QStringLiteral("场角 C0-C180: 80.0° / C90-C270: 82.6°"),
                         QStringLiteral("向下光通: 97 %"),
                     }));
    EXPECT_EQ(MetricsBlock(FullMetrics(), kTypeC), QStringLiteral("\n\n") + lines.join('\n'));
}

TEST(MetricsText, AbsentFiguresAreLeftOut) {
    struct Case {
        const char* Name;
        void (*Change)(tMetrics&);
        int Type;
        std::vector<std::string> Expected; // the lines that differ from or remain of the full set
    };
    const std::vector<Case> cases = {
        {"absolute photometry: no lamp flux, no ratio",
         [](tMetrics& m) {
             m.Absolute = true;
             m.LampFlux = m.LightOutputRatio = kNoValue;
             m.Efficacy = kNoValue;
             m.Spread0 = m.Spread90 = {};
             m.DownwardFraction = kNoValue;
         },
         kTypeC,
         {"光通量: 1 234 lm (绝对光度)", "最大光强: 1 234 cd (C90, γ 35°)"}},
        {"one plane pair without a beam, direction unknown, small figures",
         [](tMetrics& m) {
             m.LuminaireFlux = 7.26;
             m.MaxIntensity = 3.04;
             m.MaxHorzAngle = kNoValue;
             m.LightOutputRatio = m.Efficacy = m.DownwardFraction = kNoValue;
             m.Spread0.Beam = kNoValue;
             m.Spread90.Field = kNoValue;
         },
         kTypeC,
         {"光通量: 7.3 lm (相对光度)", "最大光强: 3.0 cd", "光束角 C90-C270: 50.1°",
          "场角 C0-C180: 80.0°"}},
        {"type B names horizontal and vertical angles",
         [](tMetrics& m) {
             m.MaxHorzAngle = -22.5;
             m.MaxVertAngle = 0;
             m.LuminaireFlux = m.LightOutputRatio = m.Efficacy = m.DownwardFraction = kNoValue;
         },
         kTypeB,
         {"最大光强: 1 234 cd (H -22.5°, V 0°)", "光束角 H 0°: 48.2° / H 90°: 50.1°",
          "场角 H 0°: 80.0° / H 90°: 82.6°"}},
        {"an invalid record has no figures", [](tMetrics& m) { m.Valid = false; }, kTypeC, {}},
    };
    for (const Case& c : cases) {
        tMetrics m = FullMetrics();
        c.Change(m);
        QStringList expected;
        for (const std::string& line : c.Expected)
            expected << QString::fromStdString(line);
        EXPECT_EQ(MetricsLines(m, c.Type), expected) << c.Name;
    }
    tMetrics none;
    EXPECT_TRUE(MetricsBlock(none, kTypeC).isEmpty());
}

TEST(MetricsText, ToolTipOfReadUnreadAndDamagedEntries) {
    TiesData unread = CreateIesData("lamp.ldt");
    unread.Diagnostics.HeaderError = true; // not known before a read: no error line
    unread.Diagnostics.HeaderErrorLine = 4;
    EXPECT_EQ(EntryToolTipText(unread, std::nullopt), QStringLiteral("lamp.ldt"));
    EXPECT_TRUE(HeaderErrorText(unread).isEmpty());

    TiesData read = CreateIesData("lamp.ldt");
    read.Loaded = true;
    read.Ies.PhotometricType = kTypeC;
    EXPECT_EQ(EntryToolTipText(read, FullMetrics()),
              QStringLiteral("lamp.ldt\n") + MetricsLines(FullMetrics(), kTypeC).join('\n'));

    TiesData damaged = read;
    damaged.Diagnostics.HeaderError = true;
    damaged.Diagnostics.HeaderErrorLine = 4;
    tMetrics empty;
    EXPECT_EQ(HeaderErrorText(damaged), QStringLiteral("Error! Line 4"));
    EXPECT_EQ(EntryToolTipText(damaged, empty), QStringLiteral("lamp.ldt\nError! Line 4"));
}

} // namespace
} // namespace gonilux::browser
