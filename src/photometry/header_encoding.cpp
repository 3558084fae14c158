#include "header_encoding.h"

#include "ies_record.h"
#include "text_encoding.h"

#include <algorithm>
#include <memory>
#include <unicode/ucnv.h>
#include <unicode/ucsdet.h>

namespace gonilux {
namespace {

constexpr std::string_view kUtf8 = "UTF-8";
constexpr std::string_view kGb18030 = "GB18030";
constexpr std::string_view kWindows1252 = "windows-1252";

// Below this confidence (0-100) ICU's guess for a short header is not taken.
constexpr int kMinimumConfidence = 30;
// Fewer non-ASCII bytes than this are not worth asking the detector about.
constexpr long kFewestForDetector = 4;

bool IsHigh(unsigned char c) {
    return c >= 0x80;
}

bool IsAsciiLetter(unsigned char c) {
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}

// A run of non-ASCII bytes that is one pair between two ASCII letters: how Latin-1 text with two
// accented letters in a row looks ("Gr\xF6\xDF" "e"), and rarely how Chinese text looks.
bool IsLatinLookingPair(std::string_view bytes, std::size_t start, std::size_t length) {
    if (length != 2 || start == 0 || start + 2 >= bytes.size()) return false;
    return IsAsciiLetter(static_cast<unsigned char>(bytes[start - 1])) &&
           IsAsciiLetter(static_cast<unsigned char>(bytes[start + 2]));
}

bool LooksLikeGb2312(std::string_view bytes) {
    bool chineseRun = false;
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (!IsHigh(static_cast<unsigned char>(bytes[i]))) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < bytes.size() && IsHigh(static_cast<unsigned char>(bytes[i])))
            ++i;
        const std::size_t length = i - start;
        if (length % 2 != 0) return false;
        for (std::size_t k = start; k < i; k += 2) {
            const auto lead = static_cast<unsigned char>(bytes[k]);
            const auto trail = static_cast<unsigned char>(bytes[k + 1]);
            if (lead < 0xB0 || lead > 0xF7 || trail < 0xA1 || trail > 0xFE) return false;
        }
        if (!IsLatinLookingPair(bytes, start, length)) chineseRun = true;
    }
    return chineseRun;
}

// True when some run of non-ASCII bytes is at least this long: Latin text has at most two
// accented letters in a row, words of CJK or Cyrillic text are longer.
bool HasLongHighRun(std::string_view bytes, std::size_t least) {
    std::size_t run = 0;
    for (char c : bytes) {
        run = IsHigh(static_cast<unsigned char>(c)) ? run + 1 : 0;
        if (run >= least) return true;
    }
    return false;
}

// Cyrillic words in windows-1251: every non-ASCII byte a letter (А-я, Ё, ё), most of them
// lower-case (0xE0-0xFF), and some word of three letters or more. Chinese text has most of its
// bytes below 0xE0 and many below 0xC0; Latin text has no three accented letters in a row.
bool LooksLikeWindows1251(std::string_view bytes) {
    std::size_t letters = 0;
    std::size_t lower = 0;
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) continue;
        if (c < 0xC0 && c != 0xA8 && c != 0xB8) return false;
        ++letters;
        if (c >= 0xE0) ++lower;
    }
    return letters > 0 && 2 * lower >= letters && HasLongHighRun(bytes, 3);
}

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};

// True when every byte sequence is a character the encoding defines.
bool DecodesCleanly(std::string_view bytes, const char* encoding) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> converter(ucnv_open(encoding, &status));
    if (U_FAILURE(status)) return false;
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &status);
    std::u16string out(bytes.size() + 1, u'\0');
    ucnv_toUChars(converter.get(), out.data(), static_cast<int32_t>(out.size()), bytes.data(),
                  static_cast<int32_t>(bytes.size()), &status);
    return U_SUCCESS(status);
}

// Text with whole words outside ASCII that only one of the multi-byte encodings of Japan and
// Taiwan can hold.
std::string StructuralGuess(std::string_view bytes) {
    if (!HasLongHighRun(bytes, 3)) return {};
    const bool japanese = DecodesCleanly(bytes, "Shift_JIS");
    const bool chinese = DecodesCleanly(bytes, "Big5");
    if (japanese != chinese) return japanese ? "Shift_JIS" : "Big5";
    return {};
}

struct DetectorCloser {
    void operator()(UCharsetDetector* d) const { ucsdet_close(d); }
};

// ICU's guess when it is confident and names an encoding the user could also choose.
std::string DetectedEncoding(std::string_view bytes) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UCharsetDetector, DetectorCloser> detector(ucsdet_open(&status));
    if (U_FAILURE(status)) return {};
    ucsdet_setText(detector.get(), bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    const UCharsetMatch* match = ucsdet_detect(detector.get(), &status);
    if (U_FAILURE(status) || !match) return {};
    const char* name = ucsdet_getName(match, &status);
    const int32_t confidence = ucsdet_getConfidence(match, &status);
    if (U_FAILURE(status) || !name || confidence < kMinimumConfidence) return {};
    const std::string_view found(name);
    if (found == "ISO-8859-1" || found == kUtf8) return {};
    for (std::string_view known : HeaderEncodingNames())
        if (known == found) return std::string(known);
    return {};
}

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return (x | 0x20) == (y | 0x20); });
}

std::string ConvertWithIcu(std::string_view bytes, std::string_view encoding) {
    const std::string from(encoding);
    std::string out(bytes.size() * 4 + 4, '\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        ucnv_convert("UTF-8", from.c_str(), out.data(), static_cast<int32_t>(out.size()),
                     bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status)) return ToUtf8Windows1252(bytes);
    out.resize(static_cast<std::size_t>(length));
    return out;
}

} // namespace

const std::vector<std::string_view>& HeaderEncodingNames() {
    static const std::vector<std::string_view> names = {
        kUtf8,        kGb18030,     "Big5",         "Shift_JIS",    "EUC-KR",
        "EUC-JP",     kWindows1252, "windows-1250", "windows-1251", "ISO-8859-2",
        "ISO-8859-5", "ISO-8859-7", "KOI8-R"};
    return names;
}

bool IsKnownHeaderEncoding(std::string_view name) {
    if (SameName(name, kAutoEncoding)) return true;
    const auto& names = HeaderEncodingNames();
    return std::any_of(names.begin(), names.end(),
                       [&](std::string_view known) { return SameName(known, name); });
}

std::string ChooseHeaderEncoding(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(kUtf8);
    if (LooksLikeWindows1251(bytes)) return "windows-1251";
    if (LooksLikeGb2312(bytes)) return std::string(kGb18030);
    std::string detected = StructuralGuess(bytes);
    // A degree sign or two says nothing a detector could use (and asking costs time).
    const auto high = std::count_if(bytes.begin(), bytes.end(),
                                    [](char c) { return IsHigh(static_cast<unsigned char>(c)); });
    if (detected.empty() && high >= kFewestForDetector) detected = DetectedEncoding(bytes);
    return detected.empty() ? std::string(kWindows1252) : detected;
}

std::string TitlesEncoding(const std::vector<std::string>& titles, std::string_view choice) {
    if (!SameName(choice, kAutoEncoding)) {
        const auto& names = HeaderEncodingNames();
        const auto known = std::find_if(names.begin(), names.end(),
                                        [&](std::string_view n) { return SameName(n, choice); });
        return std::string(known != names.end() ? *known : kWindows1252);
    }
    std::string joined;
    for (std::size_t i = TitleTest; i < titles.size(); ++i)
        joined += titles[i] + '\n';
    return ChooseHeaderEncoding(joined);
}

std::vector<std::string> DecodeTitles(const std::vector<std::string>& titles,
                                      std::string_view encoding) {
    std::vector<std::string> out;
    out.reserve(titles.size());
    for (std::size_t i = 0; i < titles.size(); ++i)
        out.push_back(i >= TitleTest ? DecodeHeaderText(titles[i], encoding)
                                     : ToUtf8Lenient(titles[i]));
    return out;
}

std::string DecodeHeaderText(std::string_view bytes, std::string_view encoding) {
    std::string chosen =
        SameName(encoding, kAutoEncoding) ? ChooseHeaderEncoding(bytes) : std::string(encoding);
    const auto& names = HeaderEncodingNames();
    const auto known = std::find_if(names.begin(), names.end(),
                                    [&](std::string_view n) { return SameName(n, chosen); });
    if (known == names.end()) return ToUtf8Windows1252(bytes);
    if (*known == kWindows1252) return Windows1252ToUtf8(bytes);
    if (*known == kUtf8 && IsValidUtf8(bytes)) return std::string(bytes);
    return ConvertWithIcu(bytes, *known);
}

} // namespace gonilux
