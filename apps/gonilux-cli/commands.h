// Subcommands of gonilux-cli. Each takes its own arguments (argv[0] is the subcommand's name)
// and returns the process exit status: 0 success, 1 a file failed, 2 a usage error.
#pragma once

namespace gonilux::cli {

int RunInfo(int argc, char** argv);
int RunConvert(int argc, char** argv);

// Prints "gonilux-cli: <message>" and the usage hint to stderr; returns 2.
int UsageError(const char* message, const char* detail = nullptr);

} // namespace gonilux::cli
