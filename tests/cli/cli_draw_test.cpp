// gonilux-cli thumbnail and render: their arguments, and the pictures they write.
#include "cli_util.h"

#include <QImage>
#include <algorithm>

namespace {

using namespace gonilux::clitest;

class CliDrawTest : public CliFixture {
  protected:
    QImage Image(const std::string& name) const {
        return QImage((dir_ / name).c_str()).convertToFormat(QImage::Format_ARGB32);
    }
};

TEST_F(CliDrawTest, ArgumentsGiveTheExpectedTranscript) {
    ExpectTranscript("draw.txt");
    EXPECT_EQ(Image("t8.png").size(), QSize(8, 8));
    EXPECT_EQ(Image("t2048.png").size(), QSize(2048, 2048));
    EXPECT_EQ(Image("r16.png").size(), QSize(16, 16));
    EXPECT_NE(Slurp(dir_ / "r10000.svg").find("width=\"10000"), std::string::npos);
}

// Each file's thumbnail, damaged files' too, matches the picture checked in for it (a round field
// with clear corners and the red curve of the file's own distribution); GONILUX_UPDATE_EXPECTED=1
// rewrites them. An older picture is replaced whole.
TEST_F(CliDrawTest, ThumbnailsMatchTheExpectedPictures) {
    Write("t.png", "an older picture");
    Write("empty.ies", "");
    Write("cut.ies", "IESNA:LM-63-2002\r\nTILT=NONE\r\n1 1000 1 5 3");
    for (const std::string name :
         {"floodlight_b_two_sided.ies", "floodlight_b_one_sided.ies", "ldt_isym1_pendant.ldt",
          "malformed_header_truncated.ies", "empty.ies", "cut.ies"}) {
        SCOPED_TRACE(name);
        const CliRun run = Cli("thumbnail -s 96 " + name + " t.png");
        EXPECT_EQ(std::to_string(run.Status) + run.Out + run.Err, "0");
        const fs::path expected = fs::path(GONILUX_TESTDATA_DIR) / "expected/cli" / (name + ".png");
        if (std::getenv("GONILUX_UPDATE_EXPECTED")) Image("t.png").save(expected.c_str());
        const QImage image = Image("t.png"),
                     want = QImage(expected.c_str()).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), want.size());
        int differing = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb a = image.pixel(x, y), b = want.pixel(x, y);
                differing +=
                    std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))}) > 32;
            }
        EXPECT_LE(differing, 3);
    }
    EXPECT_EQ(Files().size(), 31u);
}

// Each switch and value of render changes the picture of a file it applies to.
TEST_F(CliDrawTest, EveryRenderOptionChangesThePicture) {
    Write("side.ies", "TILT=NONE\n1 1000 1 3 1 2 2 0 0 0\n1 1 0\n-90 0 90\n90\n1 2 3\n");
    const auto render = [this](const std::string& args) {
        EXPECT_EQ(Cli("render " + args + " -o o.svg").Status, 0) << args;
        return Slurp(dir_ / "o.svg");
    };
    for (const std::string args :
         {"side.ies --complete", "side.ies --labels", "side.ies --thumbnail",
          "malformed_header_truncated.ies --fit", "side.ies --absolute", "side.ies --center",
          "side.ies --no-warning", "side.ies --scale 2", "side.ies --size 300",
          "floodlight_b_one_sided.ies --plane 2", "malformed_header_truncated.ies --no-ortho"}) {
        const std::string file = args.substr(0, args.find(' '));
        EXPECT_TRUE(render(args) != render(file)) << args;
    }
}

} // namespace
