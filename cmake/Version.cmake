# The version has one home, project(Gonilux VERSION ...) in the top CMakeLists.txt. From there it
# reaches both programs' --version, the window's title and about text (gonilux_version.h through
# the gonilux_version target), the package (cmake/Package.cmake) and the AppStream release entry.

# The day the version above was released; the metainfo's newest <release> carries it.
set(GONILUX_RELEASE_DATE 2026-12-07)

configure_file(${CMAKE_CURRENT_LIST_DIR}/gonilux_version.h.in
               ${PROJECT_BINARY_DIR}/generated/gonilux_version.h @ONLY)
add_library(gonilux_version INTERFACE)
target_include_directories(gonilux_version INTERFACE ${PROJECT_BINARY_DIR}/generated)

# Where the project is published: the package's Homepage, the AppStream <url> and the base of the
# screenshots' addresses (the README's pictures under docs/). No public address is chosen yet; a
# packager publishing Gonilux sets the real one (-DGONILUX_HOMEPAGE=https://...).
set(GONILUX_HOMEPAGE "https://gonilux.example.org" CACHE STRING "The project's public web address")

# The licence the software centres show (an SPDX expression). No licence has been chosen for
# Gonilux yet; until then the metainfo says so honestly.
set(GONILUX_LICENSE "LicenseRef-proprietary" CACHE STRING "The project's licence (SPDX)")
