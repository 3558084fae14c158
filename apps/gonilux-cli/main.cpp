// gonilux-cli: IES photometric files from the command line.
#include "commands.h"
#include "gonilux_version.h"

#ifdef GONILUX_HAVE_RENDER
#include "render_command.h"

namespace gonilux::cli {}
#endif

#include <cstdio>
#include <cstring>

namespace {

const char* const kUsage =
    "Usage: gonilux-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  info [--json] [--encoding NAME|auto] [--units metric|file] FILE...\n"
    "                                        summary of each IES file with its luminous flux,\n"
    "                                        light output ratio, efficacy, maximum intensity,\n"
    "                                        beam and field angles; --json prints one JSON\n"
    "                                        object per line (figures under \"metrics\",\n"
    "                                        numbers to 6 significant digits); --encoding\n"
    "                                        reads the header text in NAME; --units: the\n"
    "                                        opening in metric units (the default) or the\n"
    "                                        file's own (feet, metres, mm for EULUMDAT)\n"
    "  convert FILE|DIR [--to c|ies|ldt] [--resample] [--recursive] [--output-dir DIR]\n"
    "          [--force]\n"
    "                                        --to c (the default): a type B file as type C\n"
    "                                        (\"_C\"), or planes starting at 90 rotated to 0\n"
    "                                        (\"_R\"); with --resample a type A or B file\n"
    "                                        re-sampled onto a type C grid (\"_Cr\"), keeping\n"
    "                                        its flux; --to ies: EULUMDAT as FILE.ies;\n"
    "                                        --to ldt: IES as FILE.ldt. A folder: every file\n"
    "                                        in it (--recursive: and below) that needs it\n"
    "  index DIR... [--index FILE]           bring the library index of each folder tree up\n"
    "                                        to date (new and changed files read, vanished\n"
    "                                        ones dropped)\n"
    "  find DIR QUERY... [--index FILE] [--json|--csv] [--sort FIELD] [--limit N]\n"
    "       [--no-update]                    the files under DIR that match QUERY (see the\n"
    "                                        README: words, manufacturer:acme, flux >= 3000,\n"
    "                                        beam:20..40, a OR (b c) ...); --sort -FIELD\n"
    "                                        sorts descending; exit 1 when none matches\n"
    "  table FILE --kind candela|zonal|isolux|lcs|bug|ugr|cu|sc|luminance [--unit cd|cdklm]\n"
    "        [--height M] [--size M] [--spacing 0.25|1] [--csv]\n"
    "                                        the candela table (in cd, or --unit cdklm: in\n"
    "                                        cd per 1000 lm of rated lamp flux, as the report\n"
    "                                        window offers), the zonal lumens with\n"
    "                                        the CIE flux code, or the illuminance (lx) on a\n"
    "                                        floor --height metres below the luminaire (3)\n"
    "                                        over a square of --size metres (10), 11 x 11\n"
    "                                        points, or a ratings table (TM-15 zones, BUG,\n"
    "                                        UGR, CU, spacing criterion, luminance); --csv:\n"
    "                                        as CSV\n"
#ifdef GONILUX_HAVE_RENDER
    "  render FILE -o OUT.png|.svg|.pdf [--size N] [--plane N | --angle DEG] [--thumbnail]\n"
    "         [--labels] [--lang en|zh] [--absolute] [--fit] [--no-ortho] [--complete]\n"
    "         [--center] [--no-warning] [--scale S] [--units metric|file]\n"
    "                                        draw the polar diagram of FILE at the plane\n"
    "                                        with that index (from 0) or angle\n"
    "  thumbnail -s SIZE FILE OUT.png        the file list's thumbnail of FILE, SIZE x SIZE\n"
    "                                        pixels (8 to 2048), for file managers\n"
    "  report FILE|DIR -o OUT.pdf [--recursive] [--lang en|zh] [--units metric|file]\n"
    "         [--height M] [--size M]\n"
    "                                        the A4 photometric datasheet of FILE, or the\n"
    "                                        catalogue of DIR's files (--recursive: and\n"
    "                                        below): contents pages, then a datasheet each;\n"
    "                                        its isolux diagram M metres below (3) over a\n"
    "                                        square of M metres (10)\n"
#endif
    "  --help                                this text\n"
    "  --version                             the program's version\n"
    "\n"
    "Exit status: 0 success (also \"nothing to convert\"); 1 a file could not be read or\n"
    "written, or was damaged (info still prints every record); 2 usage error.\n";

} // namespace

int main(int argc, char** argv) {
    using namespace gonilux::cli;
    if (argc < 2) return UsageError("missing command");
    const char* command = argv[1];
    if (std::strcmp(command, "--help") == 0 || std::strcmp(command, "-h") == 0 ||
        std::strcmp(command, "help") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (std::strcmp(command, "--version") == 0) {
        std::puts("gonilux-cli " GONILUX_VERSION);
        return 0;
    }
    if (std::strcmp(command, "info") == 0) return RunInfo(argc - 1, argv + 1);
    if (std::strcmp(command, "convert") == 0) return RunConvert(argc - 1, argv + 1);
    if (std::strcmp(command, "index") == 0) return RunIndex(argc - 1, argv + 1);
    if (std::strcmp(command, "find") == 0) return RunFind(argc - 1, argv + 1);
    if (std::strcmp(command, "table") == 0) return RunTable(argc - 1, argv + 1);
#ifdef GONILUX_HAVE_RENDER
    if (std::strcmp(command, "render") == 0) return RunRenderCommand(argc - 1, argv + 1);
    if (std::strcmp(command, "thumbnail") == 0) return RunThumbnailCommand(argc - 1, argv + 1);
    if (std::strcmp(command, "report") == 0) return RunReportCommand(argc - 1, argv + 1);
#endif
    return UsageError("unknown command", command);
}
