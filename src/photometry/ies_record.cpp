#include "ies_record.h"

namespace gonilux {

void ResetIes(tIES& ies) {
    ies.LumensPerLamp = 0;
    ies.Multiplier = 0;
    ies.Width = 0;
    ies.Length = 0;
    ies.Height = 0;
    ies.ExactInputWatts = 0;
    ies.Candela.clear();
    ies.VertCount = 0;
    ies.HorzCount = 0;
    ies.UnitsType = 0;
    ies.InputWatts = 0;
    ies.LampCount = 0;
    ies.PhotometricType = 0;
    ies.VertAngles.clear();
    ies.HorzAngles.clear();
}

void CopyIes(const tIES& src, tIES& dst) {
    if (&src == &dst) return;
    dst.LumensPerLamp = src.LumensPerLamp;
    dst.Multiplier = src.Multiplier;
    dst.Width = src.Width;
    dst.Length = src.Length;
    dst.Height = src.Height;
    dst.ExactInputWatts = src.ExactInputWatts;
    dst.VertCount = src.VertCount;
    dst.HorzCount = src.HorzCount;
    dst.UnitsType = src.UnitsType;
    dst.InputWatts = src.InputWatts;
    dst.LampCount = src.LampCount;
    dst.PhotometricType = src.PhotometricType;
    if (!src.Candela.empty()) dst.Candela = src.Candela;
    if (!src.VertAngles.empty()) dst.VertAngles = src.VertAngles;
    if (!src.HorzAngles.empty()) dst.HorzAngles = src.HorzAngles;
}

std::string DamageText(const ReadDiagnostics& d) {
    std::string text;
    if (d.HeaderError) text = "Line " + std::to_string(d.HeaderErrorLine);
    if (d.Truncated())
        text += (text.empty() ? "" : ", ") + std::string("ends after ") +
                std::to_string(d.ValuesRead) + " of " + std::to_string(d.ValuesExpected) +
                " values";
    return text;
}

TiesData CreateIesData(const std::string& fileName) {
    TiesData entry;
    entry.Lines = {std::string(), fileName};
    return entry;
}

} // namespace gonilux
