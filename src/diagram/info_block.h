// The information block in the corners of a full-mode diagram.
#pragma once

#include <QString>

namespace gonilux {

struct GonioContext;
struct tIES;

// The lines of the information block, shared by both forms.
QString TypeLetter(int photometricType);            // "C", "B", "A"; "?" for any other type
QString MaxIntensityValue(const GonioContext& ctx); // grouped intensity figure, with unit
QString PowerValue(const tIES& ies);                // " 2x36=72 W" or "=72 W" (text after label)
QString PlaneAngleText(const GonioContext& ctx);    // angle of the requested plane

// Text form: Chinese labels down the left side, the type label top right.
void DrawInfoText(const GonioContext& ctx);

// Pictogram form (screen only): a pictogram before each value, the type pictogram top right and
// the lamps bottom left.
void DrawInfoIcons(const GonioContext& ctx);

// Size of the pictograms beside texts of the current font height.
int PictogramSize(const GonioContext& ctx);

} // namespace gonilux
