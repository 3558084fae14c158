// Plain file access for the core: whole-file reads, atomic writes, loading an entry.
#pragma once

#include "ies_record.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace gonilux {

// The largest file read. The largest real photometric files are about 1.3 MB; 64 MiB leaves
// fifty times that and still keeps a misnamed disk image from filling the memory.
inline constexpr std::uint64_t kMaxFileBytes = 64ull * 1024 * 1024;

// Reads a whole regular file of at most kMaxFileBytes into `bytes`. Pipes, sockets and devices
// are never read (and never waited for). On failure returns false and a readable reason in
// `error`.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

// Writes `bytes` to `path` through a temporary file in the same folder and a rename, so the
// target is either the old file or the complete new one. False with a reason on failure.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

// Reads the file at `path` into the entry: record, title strings, author mark, diagnostics.
// A read file marks the entry Loaded whatever the reader found in it. A file that cannot be
// read (vanished, unreadable) leaves the entry as it was, with the reason in its diagnostics,
// and returns false.
bool LoadIesEntry(TiesData& entry, const std::string& path);

// True when the file at `path` exists and is a file this program wrote ([CHANGED] names the
// author).
bool IsAuthorFile(const std::string& path);

} // namespace gonilux
