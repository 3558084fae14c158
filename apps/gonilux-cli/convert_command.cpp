// gonilux-cli convert: type B to type C (as relabelled planes, or re-sampled), planes starting at
// 90 rotated to 0, EULUMDAT to IES and IES to EULUMDAT; one file or every file of a folder.
#include "commands.h"
#include "convert_file.h"
#include "folder_files.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace gonilux::cli {
namespace {

namespace fs = std::filesystem;

// Returns 0 when the arguments are complete, else the usage error's status.
int ParseTarget(const char* name, ConvertArgs& args) {
    if (std::strcmp(name, "ies") == 0) {
        args.To = ConvertTarget::Ies;
    } else if (std::strcmp(name, "ldt") == 0) {
        args.To = ConvertTarget::Ldt;
    } else if (std::strcmp(name, "c") == 0) {
        args.To = ConvertTarget::TypeC;
    } else {
        return UsageError("convert: unknown format (ies, ldt or c)", name);
    }
    return 0;
}

int ParseArgs(int argc, char** argv, ConvertArgs& args) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--force") == 0) {
            args.Force = true;
        } else if (std::strcmp(arg, "--recursive") == 0) {
            args.Recursive = true;
        } else if (std::strcmp(arg, "--resample") == 0) {
            args.Resample = true;
        } else if (std::strcmp(arg, "--output-dir") == 0) {
            if (i + 1 >= argc) return UsageError("convert: --output-dir needs a folder");
            args.OutputDir = argv[++i];
            args.HasOutputDir = true;
        } else if (std::strcmp(arg, "--to") == 0) {
            if (i + 1 >= argc) return UsageError("convert: --to needs a format");
            if (int usage = ParseTarget(argv[++i], args)) return usage;
        } else if (arg[0] == '-' && arg[1] != '\0') {
            return UsageError("convert: unknown option", arg);
        } else if (args.Path.empty()) {
            args.Path = arg;
        } else {
            return UsageError("convert: one file or folder at a time", arg);
        }
    }
    if (args.Resample && args.To == ConvertTarget::Ies)
        return UsageError("convert: --resample makes type C files; not with --to ies");
    return args.Path.empty() ? UsageError("convert: no file or folder given") : 0;
}

// The photometric files of the folder (and its subfolders), sorted; unreadable folders are
// reported and counted as failures.
std::vector<fs::path> FilesOf(const ConvertArgs& args, int& failed) {
    std::vector<fs::path> files;
    if (!PhotometricFilesIn(args.Path, args.Recursive, files)) ++failed;
    std::sort(files.begin(), files.end());
    return files;
}

// Every file of the folder: a progress line each, then the counts.
int ConvertFolder(ConvertArgs args) {
    int failed = 0;
    const std::vector<fs::path> files = FilesOf(args, failed);
    int converted = 0;
    int nothing = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::string outputDir;
        if (args.HasOutputDir) {
            const fs::path relative = files[i].parent_path().lexically_relative(args.Path);
            outputDir = (fs::path(args.OutputDir) / relative).lexically_normal().string();
        }
        args.Progress = "[" + std::to_string(i + 1) + "/" + std::to_string(files.size()) + "] ";
        switch (ConvertFile(args, files[i].string(), args.HasOutputDir, outputDir)) {
        case ConvertOutcome::Converted:
            ++converted;
            break;
        case ConvertOutcome::NothingToDo:
            ++nothing;
            break;
        case ConvertOutcome::Failed:
            ++failed;
            break;
        }
        std::fflush(stdout);
        std::fflush(stderr);
    }
    std::printf("converted %d, nothing to do %d, failed %d\n", converted, nothing, failed);
    return failed == 0 ? 0 : 1;
}

} // namespace

int RunConvert(int argc, char** argv) {
    ConvertArgs args;
    if (int usage = ParseArgs(argc, argv, args)) return usage;
    std::error_code ec;
    if (fs::is_directory(args.Path, ec)) return ConvertFolder(args);
    const ConvertOutcome outcome = ConvertFile(args, args.Path, args.HasOutputDir, args.OutputDir);
    return outcome == ConvertOutcome::Failed ? 1 : 0;
}

} // namespace gonilux::cli
