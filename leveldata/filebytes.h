// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace leveldata {

// Level files are a few kilobytes. Nothing beyond this many bytes of a file is ever read, so a
// huge or endless file cannot exhaust memory; it still leaves room for a 10 MB line.
inline constexpr std::size_t MaxFileBytes = 16 * 1024 * 1024;

// Reads the whole of a regular file into `bytes` (cleared first). Returns:
// - empty on success;
// - std::errc::no_such_file_or_directory when nothing is at `path`;
// - std::errc::is_a_directory for a directory, std::errc::invalid_argument for anything else that
//   is not a regular file (a FIFO or device is not opened for blocking reads, so nothing hangs);
// - std::errc::file_too_large when the file is longer than MaxFileBytes: `bytes` then holds its
//   first MaxFileBytes bytes;
// - the system's error otherwise (no read permission, I/O error), `bytes` empty.
// On Windows, consoles, pipes and devices such as NUL count as "anything else"; a file another
// program holds locked gives std::errc::device_or_resource_busy.
[[nodiscard]] std::error_code readFileBytes(const std::filesystem::path &path, std::string &bytes);

// Replaces the file at `path` by `bytes` so that a crash or failure leaves either the old file or
// the new one, never a mix: writes a temporary file in the same directory (under a short name of
// its own, so a name as long as the file system allows can be replaced too), syncs it, gives it
// the old file's permission bits (a new file gets the usual 0666 less the umask), renames it over
// `path` and syncs the directory. A symbolic link at `path` stays a link; its target is replaced.
// Returns empty on success. On failure the old file is untouched, the temporary file is removed
// and the error is returned; failures include a missing directory, a directory or other
// non-regular file at `path`, and a read-only target. A file or directory without any write
// permission bit counts as read-only and is refused even for root, who could otherwise write it.
// A failure to sync the directory after the rename is not reported: the file is already replaced.
// On Windows the permission bits are the read-only attribute: a read-only file is refused; the
// hidden, system and archive attributes are kept; the replacement gets the access rights the
// directory passes on to new files; a directory's read-only attribute is ignored (Windows uses it
// to mark customised folders); the rename is written through (MoveFileExW), so there is no
// separate directory sync. Errors are the same std::errc values where one fits, else the Windows
// error code.
[[nodiscard]] std::error_code replaceFileBytes(const std::filesystem::path &path, std::string_view bytes);

} // namespace leveldata
