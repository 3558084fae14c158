// gonilux-cli convert: type B to type C, or planes starting at 90 rotated to 0; with --to ies,
// an EULUMDAT file to an LM-63-2002 file.
#include "commands.h"
#include "photometry/export_text.h"
#include "photometry/file_io.h"
#include "photometry/header_titles.h"
#include "photometry/ies_writer.h"
#include "photometry/ldt_reader.h"

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
    bool ToIes = false;
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
        } else if (std::strcmp(argv[i], "--to") == 0) {
            if (i + 1 >= argc) return UsageError("convert: --to needs a format");
            if (std::strcmp(argv[++i], "ies") != 0)
                return UsageError("convert: unknown format (only \"ies\")", argv[i]);
            args.ToIes = true;
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

bool Exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::path(path), ec);
}

int Write(const std::string& output, const std::string& text) {
    std::string error;
    if (!WriteFileAtomically(output, text, error))
        return Fail("cannot write " + output + ": " + error);
    std::printf("%s\n", output.c_str());
    return 0;
}

// --to ies: FILE.ldt becomes FILE.ies; an existing file is replaced only with --force.
int ConvertToIes(const ConvertArgs& args) {
    if (!IsLdtFileName(args.File))
        return Fail(args.File + ": --to ies converts EULUMDAT files (.ldt)");
    TiesData entry = CreateIesData(FileNameOf(args.File));
    if (!LoadIesEntry(entry, args.File))
        return Fail(args.File + ": " + entry.Diagnostics.OpenError);
    if (entry.Diagnostics.HeaderError)
        return Fail(args.File + ": damaged EULUMDAT file (Line " +
                    std::to_string(entry.Diagnostics.HeaderErrorLine) + "); nothing written");
    const std::string folder = args.HasOutputDir ? args.OutputDir : FolderOf(args.File);
    const std::string output = ExportFileName(folder, entry.Lines[TitleFileName], ExportKind::None);
    if (Exists(output) && !args.Force)
        return Fail(output + " already exists; use --force to replace it");
    return Write(output, BuildIesText(entry.Ies, entry.Lines));
}

} // namespace

int RunConvert(int argc, char** argv) {
    ConvertArgs args;
    if (int usage = ParseArgs(argc, argv, args)) return usage;
    if (args.ToIes) return ConvertToIes(args);
    TiesData entry = CreateIesData(FileNameOf(args.File));
    if (!LoadIesEntry(entry, args.File))
        return Fail(args.File + ": " + entry.Diagnostics.OpenError);
    const ExportKind kind = ExportKindOf(entry.Ies);
    if (kind == ExportKind::None) {
        // Not a failure: a batch over a folder reports only what really went wrong.
        std::printf("%s: nothing to convert (not type B, and its horizontal angles do not "
                    "start at 90)\n",
                    args.File.c_str());
        return 0;
    }
    const ExportText text = BuildExportText(entry.Ies, entry.Lines);
    if (!text.Ok) {
        std::fprintf(stderr, "Unexpected error.\n");
        return 1;
    }
    const std::string folder = args.HasOutputDir ? args.OutputDir : FolderOf(args.File);
    const std::string output = ExportFileName(folder, entry.Lines[TitleFileName], kind);
    if (Exists(output) && !args.Force && !IsAuthorFile(output))
        return Fail(output + " already exists and was not written by Gonilux; use --force to "
                             "replace it");
    return Write(output, text.Text());
}

} // namespace gonilux::cli
