#include "folder_files.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

namespace fs = std::filesystem;

namespace gonilux::cli {

bool IsPhotometricName(const fs::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".ies" || extension == ".ldt";
}

bool PhotometricFilesIn(const fs::path& folder, bool recursive, std::vector<fs::path>& files) {
    std::error_code ec;
    const auto options = fs::directory_options::skip_permission_denied;
    auto add = [&](const fs::directory_entry& entry) {
        std::error_code typeError;
        if (!entry.is_directory(typeError) && IsPhotometricName(entry.path()))
            files.push_back(entry.path());
    };
    if (recursive) {
        for (fs::recursive_directory_iterator it(folder, options, ec), end; !ec && it != end;
             it.increment(ec))
            add(*it);
    } else {
        for (fs::directory_iterator it(folder, options, ec), end; !ec && it != end;
             it.increment(ec))
            add(*it);
    }
    if (ec)
        std::fprintf(stderr, "gonilux-cli: cannot read the folder %s: %s\n",
                     folder.string().c_str(), ec.message().c_str());
    return !ec;
}

} // namespace gonilux::cli
