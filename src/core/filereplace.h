// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// Makes the file at path hold exactly the bytes of parts, one after the other. Returns
// nothing on success, else the reason in the system's words ("No space left on device").
//
// A regular file, existing or new, is replaced whole: the bytes go to a temporary file in
// the same folder, which is flushed to disk and then renamed over the target, so a failure
// leaves the earlier file untouched and removes the temporary. A replaced file keeps its
// permission bits (and its owner where the system allows it). A symbolic link is followed:
// the file it points to is replaced and the link stays. A target that is not a regular file
// (a device such as /dev/full, a named pipe) is never renamed over; it is written directly.
// A folder, a file that may not be written and a folder that does not allow new files
// (even when the file itself is writable) are refused without writing anything.
std::optional<std::string> replaceFile(const std::filesystem::path& path,
                                       std::initializer_list<std::string_view> parts);

} // namespace quorvel
