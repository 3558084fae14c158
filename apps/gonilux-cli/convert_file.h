// Converting one file for gonilux-cli convert.
#pragma once

#include <string>

namespace gonilux::cli {

enum class ConvertTarget { TypeC, Ies, Ldt };
enum class ConvertOutcome { Converted, NothingToDo, Failed };

struct ConvertArgs {
    std::string Path;
    std::string OutputDir;
    bool HasOutputDir = false;
    bool Force = false;
    bool Recursive = false;
    bool Resample = false;
    ConvertTarget To = ConvertTarget::TypeC;
    std::string Progress; // "[3/120] " before each line of a folder's conversion
};

// Converts `file` as `args` say into `outputDir` (beside the file unless `hasOutputDir`; the
// folder is made when missing). Prints the written file's path, or why nothing was done, on
// standard output, and a failure's reason on standard error.
ConvertOutcome ConvertFile(const ConvertArgs& args, const std::string& file, bool hasOutputDir,
                           const std::string& outputDir);

} // namespace gonilux::cli
