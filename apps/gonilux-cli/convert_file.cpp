#include "convert_file.h"

#include "photometry/export_text.h"
#include "photometry/file_io.h"
#include "photometry/header_titles.h"
#include "photometry/ies_writer.h"
#include "photometry/ldt_reader.h"
#include "photometry/ldt_writer.h"

#include <cstdio>
#include <filesystem>
#include <vector>

namespace gonilux::cli {
namespace {

namespace fs = std::filesystem;

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The progress mark of the file in hand, for every line printed about it.
thread_local std::string progress;

ConvertOutcome Fail(const std::string& message) {
    std::fprintf(stderr, "gonilux-cli: %s%s\n", progress.c_str(), message.c_str());
    return ConvertOutcome::Failed;
}

ConvertOutcome NothingToDo(const std::string& file, const char* why) {
    std::printf("%s%s: nothing to convert (%s)\n", progress.c_str(), file.c_str(), why);
    return ConvertOutcome::NothingToDo;
}

bool Exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::path(path), ec);
}

ConvertOutcome Write(const std::string& output, const std::string& text) {
    std::error_code ec;
    const fs::path folder = fs::path(output).parent_path();
    if (!folder.empty() && !fs::exists(folder, ec)) fs::create_directories(folder, ec);
    std::string error;
    if (!WriteFileAtomically(output, text, error))
        return Fail("cannot write " + output + ": " + error);
    std::printf("%s%s\n", progress.c_str(), output.c_str());
    return ConvertOutcome::Converted;
}

// A file this program did not write is replaced only with --force.
bool MayReplace(const ConvertArgs& args, const std::string& output) {
    return args.Force || !Exists(output) || IsAuthorFile(output);
}

std::string ForeignFile(const std::string& output) {
    return output + " already exists and was not written by Gonilux; use --force to replace it";
}

struct Source {
    TiesData Entry;
    std::vector<std::string> Keywords; // an IES file's header keyword lines
};

// Reads the file into `source`; false when it could not be read at all.
bool Read(const std::string& file, Source& source) {
    source.Entry = CreateIesData(FileNameOf(file));
    if (!LoadIesEntry(source.Entry, file)) return false;
    std::string bytes;
    std::string error;
    if (!IsLdtFileName(file) && ReadWholeFile(file, bytes, error))
        source.Keywords = HeaderKeywordLines(bytes);
    return true;
}

std::string Damaged(const std::string& file, const TiesData& entry) {
    return file + (IsLdtFileName(file) ? ": damaged EULUMDAT file (" : ": damaged file (") +
           DamageText(entry.Diagnostics) + "); nothing written";
}

// EULUMDAT to LM-63-2002: FILE.ldt becomes FILE.ies.
ConvertOutcome ToIes(const ConvertArgs& args, const std::string& file, const Source& source,
                     const std::string& folder) {
    if (!IsLdtFileName(file)) return NothingToDo(file, "--to ies converts EULUMDAT files");
    const TiesData& entry = source.Entry;
    if (entry.Diagnostics.Damaged()) return Fail(Damaged(file, entry));
    const std::string output = ExportFileName(folder, entry.Lines[TitleFileName], ExportKind::None);
    if (Exists(output) && !args.Force)
        return Fail(output + " already exists; use --force to replace it");
    return Write(output, BuildIesText(entry.Ies, entry.Lines));
}

// IES to EULUMDAT: FILE.ies becomes FILE.ldt.
ConvertOutcome ToLdt(const ConvertArgs& args, const std::string& file, const Source& source,
                     const std::string& folder) {
    if (IsLdtFileName(file)) return NothingToDo(file, "already EULUMDAT");
    const TiesData& entry = source.Entry;
    if (entry.Diagnostics.Damaged()) return Fail(Damaged(file, entry));
    const std::string output = LdtExportFileName(folder, entry.Lines[TitleFileName]);
    if (!MayReplace(args, output)) return Fail(ForeignFile(output));
    const LdtText text = BuildLdtText(entry.Ies, entry.Lines, FileNameOf(output));
    if (!text.Ok) return Fail(file + ": no usable intensity table; nothing written");
    return Write(output, text.Text);
}

// Type B (or A, re-sampled) to type C, or planes from 90 rotated to 0.
ConvertOutcome ToTypeC(const ConvertArgs& args, const std::string& file, const Source& source,
                       const std::string& folder) {
    const TiesData& entry = source.Entry;
    const int type = entry.Ies.PhotometricType;
    if (args.Resample && type != 2 && type != 3) return NothingToDo(file, "not type A or B");
    const ExportKind kind = args.Resample ? ExportKind::Resampled : ExportKindOf(entry.Ies);
    if (kind == ExportKind::None)
        return NothingToDo(file, "not type B, and its horizontal angles do not start at 90");
    const ExportText text = args.Resample
                                ? BuildResampledText(entry.Ies, entry.Lines, source.Keywords)
                                : BuildExportText(entry.Ies, entry.Lines, source.Keywords);
    if (!text.Ok) return Fail(file + ": the intensity table cannot be converted; nothing written");
    const std::string output = ExportFileName(folder, entry.Lines[TitleFileName], kind);
    if (!MayReplace(args, output)) return Fail(ForeignFile(output));
    return Write(output, text.Text());
}

} // namespace

ConvertOutcome ConvertFile(const ConvertArgs& args, const std::string& file, bool hasOutputDir,
                           const std::string& outputDir) {
    progress = args.Progress;
    Source source;
    if (!Read(file, source)) return Fail(file + ": " + source.Entry.Diagnostics.OpenError);
    const std::string folder = hasOutputDir ? outputDir : FolderOf(file);
    switch (args.To) {
    case ConvertTarget::Ies:
        return ToIes(args, file, source, folder);
    case ConvertTarget::Ldt:
        return ToLdt(args, file, source, folder);
    default:
        return ToTypeC(args, file, source, folder);
    }
}

} // namespace gonilux::cli
