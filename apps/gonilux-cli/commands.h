// Subcommands of gonilux-cli. Each takes its own arguments (argv[0] is the subcommand's name)
// and returns the process exit status: 0 success, 1 a file failed, 2 a usage error.
#pragma once

#include "photometry/figure_format.h"

#include <string>

namespace gonilux::cli {

int RunInfo(int argc, char** argv);
int RunIndex(int argc, char** argv);
int RunFind(int argc, char** argv);

// The JSON object `info --json` prints for `file`, with `extra` ("\"key\":value,") first.
std::string InfoJsonLine(const std::string& file, const std::string& extra);
int RunConvert(int argc, char** argv);
int RunTable(int argc, char** argv);

// A positive, finite number of metres ("3", "2.5"); false leaves `value` unspecified.
bool ParseMetres(const char* text, double& value);
// "metric" or "file" (the argument of --units); false for anything else.
bool ParseLengthSystem(const char* text, LengthSystem& system);

// Prints "gonilux-cli: <message>" and the usage hint to stderr; returns 2.
int UsageError(const char* message, const char* detail = nullptr);

} // namespace gonilux::cli
