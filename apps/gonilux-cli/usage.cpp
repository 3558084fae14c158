// The usage error every subcommand reports in the same form, and the options several share.
#include "commands.h"

#include <cstdio>
#include <cstring>

namespace gonilux::cli {

int UsageError(const char* message, const char* detail) {
    if (detail)
        std::fprintf(stderr, "gonilux-cli: %s: %s\n", message, detail);
    else
        std::fprintf(stderr, "gonilux-cli: %s\n", message);
    std::fprintf(stderr, "Try 'gonilux-cli --help'.\n");
    return 2;
}

bool ParseLengthSystem(const char* text, LengthSystem& system) {
    if (std::strcmp(text, "metric") == 0)
        system = LengthSystem::Metric;
    else if (std::strcmp(text, "file") == 0)
        system = LengthSystem::File;
    else
        return false;
    return true;
}

} // namespace gonilux::cli
