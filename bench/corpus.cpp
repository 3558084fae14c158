#include "corpus.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>

namespace gonilux::bench {
namespace {

// splitmix64: small, fast and the same on every platform (unlike the standard distributions).
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    double Uniform() { // [0, 1)
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return static_cast<double>(z >> 11) * 0x1.0p-53;
    }
    double Between(double low, double high) { return low + (high - low) * Uniform(); }

  private:
    std::uint64_t state_;
};

// A downlight-like distribution with a seed-dependent beam, side lobe, asymmetry and uplight.
struct Distribution {
    double Peak;
    double Exponent;
    double LobeAngle;
    double LobeWeight;
    double Asymmetry;
    double Uplight;

    explicit Distribution(Random& random)
        : Peak(random.Between(400, 18000)), Exponent(random.Between(0.8, 6.0)),
          LobeAngle(random.Between(20, 60)), LobeWeight(random.Between(0, 0.6)),
          Asymmetry(random.Between(0, 0.4)), Uplight(random.Between(0, 0.3)) {}

    double At(double gamma, double c) const {
        const double g = gamma * std::numbers::pi / 180;
        const double cRad = c * std::numbers::pi / 180;
        const double down = std::pow(std::max(std::cos(g), 0.0), Exponent);
        const double lobe = LobeWeight * std::exp(-std::pow((gamma - LobeAngle) / 15, 2));
        const double up = gamma > 90 ? Uplight * -std::cos(g) : 0;
        const double shape = (down + lobe) * (1 + Asymmetry * std::cos(cRad)) + up + 0.002;
        return Peak * shape / (1 + LobeWeight + Asymmetry);
    }
};

std::string Format(const char* format, double value) {
    char buffer[64];
    int n = std::snprintf(buffer, sizeof buffer, format, value);
    return std::string(buffer, static_cast<std::size_t>(std::max(n, 0)));
}

// Appends the tokens separated by blanks, in lines of at most 80 characters.
void AppendWrapped(std::string& out, const std::vector<std::string>& tokens) {
    std::size_t lineLength = 0;
    for (const std::string& token : tokens) {
        if (lineLength > 0 && lineLength + 1 + token.size() > 80) {
            out += "\r\n";
            lineLength = 0;
        }
        if (lineLength > 0) {
            out += ' ';
            ++lineLength;
        }
        out += token;
        lineLength += token.size();
    }
    out += "\r\n";
}

std::vector<double> EvenAngles(int count, double last) {
    std::vector<double> angles;
    for (int i = 0; i < count; ++i)
        angles.push_back(count > 1 ? last * i / (count - 1) : 0.0);
    return angles;
}

std::vector<std::string> AngleTokens(const std::vector<double>& angles) {
    std::vector<std::string> tokens;
    for (double a : angles)
        tokens.push_back(Format(std::fmod(a * 10, 1) == 0 ? "%.1f" : "%.2f", a));
    return tokens;
}

std::string Header(unsigned seed, int lumens) {
    const std::string id = std::to_string(seed);
    const std::string flux = std::to_string(lumens);
    const std::string lines[] = {
        "IESNA:LM-63-2002",
        "[TEST] BR-" + id,
        "[TESTLAB] Corpus Photometric Laboratory",
        "[ISSUEDATE] 12-FEB-2020",
        "[MANUFAC] Corpus Lighting Works",
        "[LUMCAT] CL-" + id + "-830",
        "[LUMINAIRE] Recessed downlight, generated distribution " + id,
        "[LAMPCAT] LED-" + flux + "-830",
        "[LAMP] LED module " + flux + " lm 3000 K",
        "[OTHER] Benchmark corpus file",
        "TILT=NONE",
    };
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out + "1 " + flux + " 1 ";
}

} // namespace

std::string MakeIesText(int vertCount, int horzCount, unsigned seed) {
    Random random(seed);
    const Distribution light(random);
    const int lumens = 500 + 100 * static_cast<int>(random.Uniform() * 200);
    const int watts = std::max(1, lumens / 110);
    const std::vector<double> vert = EvenAngles(vertCount, vertCount <= 91 ? 90 : 180);
    const std::vector<double> horz = EvenAngles(horzCount, 360);

    std::string out = Header(seed, lumens);
    out += std::to_string(vertCount) + " " + std::to_string(horzCount) +
           " 1 2 -0.150 0.000 0.000\r\n1.0 1.0 " + std::to_string(watts) + "\r\n";
    AppendWrapped(out, AngleTokens(vert));
    AppendWrapped(out, AngleTokens(horz));
    std::vector<std::string> row;
    for (double c : horz) {
        row.clear();
        for (double g : vert) {
            const double noise = 1 + 0.004 * (2 * random.Uniform() - 1);
            row.push_back(Format("%.1f", light.At(g, c) * noise));
        }
        AppendWrapped(out, row);
    }
    return out;
}

std::vector<std::string> WriteCorpus(const std::string& folder, int files, int vertCount,
                                     int horzCount) {
    std::vector<std::string> paths;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (int i = 0; i < files; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "corpus_%05d.ies", i);
        const std::filesystem::path path = std::filesystem::path(folder) / name;
        const std::string text = MakeIesText(vertCount, horzCount, static_cast<unsigned>(i));
        std::ofstream file(path, std::ios::binary);
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
        file.close();
        if (!file) break;
        paths.push_back(path.string());
    }
    return paths;
}

} // namespace gonilux::bench
