// gonilux-cli convert: type B to type C, or planes starting at 90 rotated to 0.
#include "commands.h"

#include "photometry/export_text.h"
#include "photometry/file_io.h"
#include "photometry/header_titles.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace gonilux::cli {
namespace {

struct ConvertArgs {
    std::string File;
    std::string OutputDir;
    bool HasOutputDir = false;
    bool Force = false;
};

// Returns 0 when the arguments are complete, else the usage error's status.
int ParseArgs(int argc, char** argv, ConvertArgs& args) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--force") == 0) {
            args.Force = true;
        } else if (std::strcmp(argv[i], "--output-dir") == 0) {
            if (i + 1 >= argc) return UsageError("convert: --output-dir needs a folder");
            args.OutputDir = argv[++i];
            args.HasOutputDir = true;
        } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            return UsageError("convert: unknown option", argv[i]);
        } else if (args.File.empty()) {
            args.File = argv[i];
        } else {
            return UsageError("convert: only one file at a time", argv[i]);
        }
    }
    return args.File.empty() ? UsageError("convert: no file given") : 0;
}

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "gonilux-cli: %s\n", message.c_str());
    return 1;
}

}  // namespace

int RunConvert(int argc, char** argv) {
    ConvertArgs args;
    if (int usage = ParseArgs(argc, argv, args)) return usage;
    TiesData entry = CreateIesData(FileNameOf(args.File));
    if (!LoadIesEntry(entry, args.File))
        return Fail(args.File + ": " + entry.Diagnostics.OpenError);
    const ExportKind kind = ExportKindOf(entry.Ies);
    if (kind == ExportKind::None)
        return Fail(args.File +
                    ": nothing to convert: the file is not type B and its horizontal angles do "
                    "not start at 90");
    const ExportText text = BuildExportText(entry.Ies, entry.Lines);
    if (!text.Ok) {
        std::fprintf(stderr, "Unexpected error.\n");
        return 1;
    }
    const std::string folder = args.HasOutputDir ? args.OutputDir : FolderOf(args.File);
    const std::string output = ExportFileName(folder, entry.Lines[TitleFileName], kind);
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::path(output), ec) && !args.Force &&
        !IsAuthorFile(output))
        return Fail(output + " already exists and was not written by Gonilux; use --force to "
                             "replace it");
    std::string error;
    if (!WriteFileAtomically(output, text.Text(), error))
        return Fail("cannot write " + output + ": " + error);
    std::printf("%s\n", output.c_str());
    return 0;
}

}  // namespace gonilux::cli
