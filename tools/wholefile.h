// Writing a file whole or not at all: a picture that cannot be written in
// full must neither leave a file that looks like one nor cut short the
// picture it was to replace.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tools {

// Writes bytes to the file named by exactly the bytes of path (no change of
// encoding). A regular file, or a new one, is written beside its place in
// the same folder and renamed over it once every byte is on disk; a file
// it replaces keeps its permissions. A device or a pipe (/dev/stdout) is
// written in place. Returns what went wrong, as the system says it, or
// nothing.
std::optional<std::string> writeFileWhole(const std::string& path, std::string_view bytes);

} // namespace tools
