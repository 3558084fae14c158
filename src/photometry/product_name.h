// The name and version the program signs with: window titles, the about text, print jobs and
// the files it writes all say "Gonilux v2.9" (major and minor of the project's version).
#pragma once

#include "gonilux_version.h"

#include <string_view>

// For texts built at compile time around it ("IES diagramm by " GONILUX_PRODUCT_NAME).
#define GONILUX_PRODUCT_NAME "Gonilux v" GONILUX_VERSION_SHORT

namespace gonilux {

inline constexpr std::string_view kProductName = GONILUX_PRODUCT_NAME;

} // namespace gonilux
