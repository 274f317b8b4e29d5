// Writing a file whole or not at all: a picture that cannot be written in
// full must neither leave a file that looks like one nor cut short the
// picture it was to replace.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tools {

// Writes bytes to the file named by exactly the bytes of path (no change of
// encoding). A regular file, or a new one, is written as a file with no
// name in the same folder (or, where the file system has none, under a
// hidden partial name) and takes its place once every byte is on disk; a
// file it replaces keeps its permissions. A symbolic link, live or
// dangling, is followed: the file it names is written, the link stays. A
// device or a pipe (/dev/stdout) is written in place. Killed at any moment,
// the writer leaves the old file or the new one: a partial file that a
// SIGKILL leaves is removed by the next run that writes into its folder.
// Returns what went wrong, as the system says it, or nothing.
std::optional<std::string> writeFileWhole(const std::string& path, std::string_view bytes);

} // namespace tools
