// The photometric files of a folder, for the commands that take a whole folder.
#pragma once

#include <filesystem>
#include <vector>

namespace gonilux::cli {

// .ies and .ldt names, whatever their case.
bool IsPhotometricName(const std::filesystem::path& path);

// The photometric files in `folder` (and below it when `recursive`), in the order the folder
// gives them; folders denied to us are skipped. False, with the reason on standard error, when
// the folder cannot be read (what was found before stays in `files`).
bool PhotometricFilesIn(const std::filesystem::path& folder, bool recursive,
                        std::vector<std::filesystem::path>& files);

} // namespace gonilux::cli
