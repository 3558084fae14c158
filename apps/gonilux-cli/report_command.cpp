// "gonilux-cli report": the photometric datasheet of a file, or the catalogue of a folder (a
// contents page of thumbnails, then one datasheet per file), as an A4 PDF.
#include "commands.h"
#include "diagram/datasheet.h"
#include "folder_files.h"
#include "offscreen_app.h"
#include "render_command.h"

#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace gonilux::cli {

namespace {

namespace fs = std::filesystem;

struct ReportArgs {
    std::string Input;
    std::string Output;
    bool Recursive = false;
    bool English = false;
    DatasheetIsolux Isolux; // --height, --size
    LengthSystem Units = LengthSystem::Metric;
};

bool EndsWithPdf(const std::string& name) {
    if (name.size() < 4) return false;
    std::string suffix = name.substr(name.size() - 4);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return suffix == ".pdf";
}

int ParseArguments(int argc, char** argv, ReportArgs& args) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const bool metres = std::strcmp(arg, "--height") == 0 || std::strcmp(arg, "--size") == 0;
        const bool valued = std::strcmp(arg, "-o") == 0 || std::strcmp(arg, "--output") == 0 ||
                            std::strcmp(arg, "--lang") == 0 || std::strcmp(arg, "--units") == 0 ||
                            metres;
        if (valued && i + 1 >= argc) return UsageError("report: missing value of", arg);
        if (metres) {
            double& value = arg[2] == 'h' ? args.Isolux.Height : args.Isolux.Size;
            if (!ParseMetres(argv[++i], value))
                return UsageError("report: a positive number of metres must follow", arg);
        } else if (std::strcmp(arg, "-o") == 0 || std::strcmp(arg, "--output") == 0) {
            args.Output = argv[++i];
        } else if (std::strcmp(arg, "--lang") == 0) {
            const char* value = argv[++i];
            if (std::strcmp(value, "en") != 0 && std::strcmp(value, "zh") != 0)
                return UsageError("--lang is en or zh", value);
            args.English = std::strcmp(value, "en") == 0;
        } else if (std::strcmp(arg, "--units") == 0) {
            if (!ParseLengthSystem(argv[++i], args.Units))
                return UsageError("report: --units takes", "metric or file");
        } else if (std::strcmp(arg, "--recursive") == 0) {
            args.Recursive = true;
        } else if (arg[0] == '-' && arg[1] != '\0') {
            return UsageError("report: unknown option", arg);
        } else if (!args.Input.empty()) {
            return UsageError("report: more than one file or folder given", arg);
        } else {
            args.Input = arg;
        }
    }
    if (args.Input.empty()) return UsageError("report: no file or folder given");
    if (args.Output.empty()) return UsageError("report: no output given (-o OUT.pdf)");
    if (!EndsWithPdf(args.Output))
        return UsageError("report: the output is a PDF file", args.Output.c_str());
    return 0;
}

// The file list's order: ASCII letters without regard to case, everything else by its bytes.
bool ListOrder(const std::string& a, const std::string& b) {
    auto fold = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; };
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) {
            return fold(static_cast<unsigned char>(x)) < fold(static_cast<unsigned char>(y));
        });
}

// The photometric files of the folder (relative names, and below it when recursive), in the
// list's order; false when the folder cannot be read.
bool FolderFiles(const ReportArgs& args, std::vector<std::string>& names) {
    std::vector<fs::path> files;
    const bool read = PhotometricFilesIn(args.Input, args.Recursive, files);
    for (const fs::path& file : files)
        names.push_back(file.lexically_relative(args.Input).string());
    std::stable_sort(names.begin(), names.end(), ListOrder);
    return read;
}

// Why a file has no datasheet, in the command line's words.
std::string ProblemText(const DatasheetInput& input) {
    switch (input.Problem) {
    case DatasheetProblem::Unreadable:
        return "cannot read: " + input.Detail.toStdString();
    case DatasheetProblem::DamagedHeader:
        return "damaged header: Line " + input.Detail.toStdString();
    case DatasheetProblem::Truncated:
        return "damaged file: " + input.Detail.toStdString();
    case DatasheetProblem::NoTable:
        return "no usable intensity table";
    case DatasheetProblem::None:
        break;
    }
    return "damaged";
}

} // namespace

int RunReportCommand(int argc, char** argv) {
    ReportArgs args;
    if (const int status = ParseArguments(argc, argv, args); status != 0) return status;
    std::error_code ec;
    const bool folder = fs::is_directory(args.Input, ec);
    std::vector<std::string> names{args.Input};
    bool failed = false;
    if (folder) {
        names.clear();
        failed = !FolderFiles(args, names);
        if (names.empty()) {
            std::fprintf(stderr, "gonilux-cli: no photometric files in %s\n", args.Input.c_str());
            return 1;
        }
    }
    EnsureOffscreenApplication();
    if (args.English) InstallEnglishLabels();
    std::vector<std::string> paths;
    for (const std::string& name : names)
        paths.push_back(folder ? (fs::path(args.Input) / name).string() : name);
    std::vector<DatasheetInput> inputs = LoadDatasheetInputs(
        paths, 0,
        [&](int index, int count) {
            if (folder)
                std::fprintf(stderr, "[%d/%d] %s\n", index + 1, count, names[index].c_str());
        },
        args.Isolux);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        inputs[i].Lengths = args.Units;
        if (inputs[i].Ok) continue;
        std::fprintf(stderr, "gonilux-cli: %s: %s\n", names[i].c_str(),
                     ProblemText(inputs[i]).c_str());
        failed = true;
    }
    if (!folder && failed) return 1; // a damaged file alone has no datasheet
    QString error;
    if (!WriteReportPdf(QString::fromLocal8Bit(args.Output.c_str()), inputs, {}, error)) {
        std::fprintf(stderr, "gonilux-cli: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    return failed ? 1 : 0;
}

} // namespace gonilux::cli
