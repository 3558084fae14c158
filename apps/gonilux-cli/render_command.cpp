#include "render_command.h"

#include "commands.h"
#include "diagram/diagram_file.h"
#include "offscreen_app.h"
#include "photometry/file_io.h"
#include "photometry/ldt_reader.h"

#include <QByteArray>
#include <QGuiApplication>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace gonilux::cli {

namespace {

struct RenderArguments {
    std::string Input;
    std::string Output;
    DiagramRequest Request;
    bool PlaneGiven = false;
    bool AngleGiven = false;
    double Angle = 0;
    bool English = false;
};

bool ParseInt(const char* text, int low, int high, int& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < low || parsed > high) return false;
    value = static_cast<int>(parsed);
    return true;
}

bool ParseScale(const char* text, double& value) {
    char* end = nullptr;
    const double parsed = std::strtod(text, &end);
    if (end == text || *end != '\0' || !(parsed > 0.01 && parsed <= 100)) return false;
    value = parsed;
    return true;
}

bool Is(const char* arg, const char* name) {
    return std::strcmp(arg, name) == 0;
}

bool ApplySwitch(const char* arg, DiagramRequest& request) {
    DiagramOptions& o = request.Options;
    if (Is(arg, "--thumbnail"))
        request.Thumbnail = true;
    else if (Is(arg, "--labels"))
        o.Labels = true;
    else if (Is(arg, "--absolute"))
        o.Multi = true;
    else if (Is(arg, "--fit"))
        o.Fit = true;
    else if (Is(arg, "--no-ortho"))
        o.Ortho = false;
    else if (Is(arg, "--complete"))
        o.Complete = true;
    else if (Is(arg, "--center"))
        o.Center = true;
    else if (Is(arg, "--no-warning"))
        o.Warning = false;
    else
        return false;
    return true;
}

// Options that take a value; `i` is moved past the value. 0 = handled, 2 = usage error,
// -1 = not such an option.
int ApplyValue(int argc, char** argv, int& i, RenderArguments& args) {
    const char* arg = argv[i];
    const bool output = Is(arg, "-o") || Is(arg, "--output");
    if (!output && !Is(arg, "--size") && !Is(arg, "--plane") && !Is(arg, "--scale") &&
        !Is(arg, "--angle") && !Is(arg, "--lang") && !Is(arg, "--units"))
        return -1;
    if (i + 1 >= argc) return UsageError("option needs a value", arg);
    const char* value = argv[++i];
    DiagramRequest& r = args.Request;
    if (output) {
        args.Output = value;
    } else if (Is(arg, "--size")) {
        if (!ParseInt(value, 16, 10000, r.Width))
            return UsageError("size must be 16 to 10000", value);
        r.Height = r.Width;
    } else if (Is(arg, "--plane")) {
        if (!ParseInt(value, 0, 1000000, r.Plane)) return UsageError("invalid plane index", value);
        args.PlaneGiven = true;
    } else if (Is(arg, "--angle")) {
        char* end = nullptr;
        args.Angle = std::strtod(value, &end);
        if (end == value || *end != '\0') return UsageError("--angle needs degrees", value);
        args.AngleGiven = true;
    } else if (Is(arg, "--lang")) {
        if (!Is(value, "en") && !Is(value, "zh")) return UsageError("--lang is en or zh", value);
        args.English = Is(value, "en");
    } else if (Is(arg, "--units")) {
        if (!ParseLengthSystem(value, r.Options.Lengths))
            return UsageError("--units is metric or file", value);
    } else if (!ParseScale(value, r.Scale)) {
        return UsageError("scale must be a number above 0.01 and at most 100", value);
    }
    return 0;
}

int ParseArguments(int argc, char** argv, RenderArguments& args) {
    args.Request.Options.Fit = false; // the preview's fit button starts up
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (ApplySwitch(arg, args.Request)) continue;
        const int valued = ApplyValue(argc, argv, i, args);
        if (valued == 0) continue;
        if (valued > 0) return valued;
        if (arg[0] == '-' && arg[1] != '\0') return UsageError("unknown option", arg);
        if (!args.Input.empty()) return UsageError("more than one input file", arg);
        args.Input = arg;
    }
    if (args.Input.empty()) return UsageError("render needs an IES file");
    args.Request.Options.Eulumdat = IsLdtFileName(args.Input);
    if (args.Output.empty())
        return UsageError("render needs an output file (-o OUT.png|.svg|.pdf)");
    if (args.PlaneGiven && args.AngleGiven) return UsageError("give --plane or --angle, not both");
    return 0;
}

std::string AngleList(const tArrEx& angles) {
    std::string list;
    for (double angle : angles) {
        char text[32];
        std::snprintf(text, sizeof text, "%s%g", list.empty() ? "" : " ", angle);
        list += text;
    }
    return list;
}

// The plane index from --plane or --angle, checked against the file's planes; 0 when it is
// in range, else the usage error's status.
int ChoosePlane(RenderArguments& args, const tIES& ies) {
    const tArrEx& angles = ies.HorzAngles;
    if (args.AngleGiven) {
        for (std::size_t i = 0; i < angles.size(); ++i) {
            if (std::fabs(angles[i] - args.Angle) < 1e-6) {
                args.Request.Plane = static_cast<int>(i);
                return 0;
            }
        }
        const std::string planes = "the file's planes are at " + AngleList(angles);
        return UsageError("no plane at that angle", planes.c_str());
    }
    if (args.PlaneGiven && static_cast<std::size_t>(args.Request.Plane) >= angles.size()) {
        const std::string count =
            "the file has " + std::to_string(angles.size()) + " planes, numbered from 0";
        return UsageError("plane index out of range", count.c_str());
    }
    return 0;
}

} // namespace

int RunRenderCommand(int argc, char** argv) {
    RenderArguments args;
    if (const int status = ParseArguments(argc, argv, args); status != 0) return status;
    const QString output = QString::fromLocal8Bit(args.Output.c_str());
    if (DiagramFormatOf(output) == DiagramFormat::Unknown) {
        std::fprintf(stderr, "gonilux-cli: unknown picture format of %s (use .png, .svg or .pdf)\n",
                     args.Output.c_str());
        return 1;
    }
    TiesData entry;
    if (!LoadIesEntry(entry, args.Input)) {
        const std::string& reason = entry.Diagnostics.OpenError;
        std::fprintf(stderr, "gonilux-cli: cannot read %s%s%s\n", args.Input.c_str(),
                     reason.empty() ? "" : ": ", reason.c_str());
        return 1;
    }
    if (const int status = ChoosePlane(args, entry.Ies); status != 0) return status;
    EnsureOffscreenApplication();
    if (args.English) InstallEnglishLabels();
    QString error;
    if (!WriteDiagramFile(output, entry.Ies, args.Request, error)) {
        std::fprintf(stderr, "gonilux-cli: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}

} // namespace gonilux::cli
