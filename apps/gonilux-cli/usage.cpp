// The usage error every subcommand reports in the same form.
#include "commands.h"

#include <cstdio>

namespace gonilux::cli {

int UsageError(const char* message, const char* detail) {
    if (detail)
        std::fprintf(stderr, "gonilux-cli: %s: %s\n", message, detail);
    else
        std::fprintf(stderr, "gonilux-cli: %s\n", message);
    std::fprintf(stderr, "Try 'gonilux-cli --help'.\n");
    return 2;
}

} // namespace gonilux::cli
