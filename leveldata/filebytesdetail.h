// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Pieces of the file functions that both platforms' versions share. Internal to leveldata.

#include "leveldata/filebytes.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>

namespace leveldata::detail {

// Fills `bytes` through `readChunk(char *buffer, std::size_t size, std::size_t &got)`, which reads
// at most `size` bytes into `buffer`, sets `got` (0 at the end of the file) and returns the error
// of a failed read. `sizeHint` is the file's size as the system reported it; the file may change
// while it is read, so one byte past the limit is asked for to tell a file of exactly MaxFileBytes
// from a longer one. Returns as readFileBytes does.
template <class ReadChunk>
[[nodiscard]] std::error_code readCapped(std::size_t sizeHint, std::string &bytes, ReadChunk readChunk)
{
    bytes.resize(std::min(sizeHint, MaxFileBytes) + 1);
    std::size_t total = 0;
    while (total <= MaxFileBytes) {
        if (total == bytes.size())
            bytes.resize(std::min(bytes.size() * 2, MaxFileBytes + 1));
        std::size_t got = 0;
        if (const std::error_code ec = readChunk(bytes.data() + total, bytes.size() - total, got)) {
            bytes.clear();
            return ec;
        }
        if (got == 0)
            break;
        total += got;
    }
    if (total > MaxFileBytes) {
        bytes.resize(MaxFileBytes);
        return std::make_error_code(std::errc::file_too_large);
    }
    bytes.resize(total);
    return {};
}

// The file a replacement writes: `path` itself, or the file a symbolic link at `path` leads to
// (the link stays a link). Fails for a path without a file name.
[[nodiscard]] inline std::error_code replacementTarget(const std::filesystem::path &path, std::filesystem::path &target)
{
    if (path.empty() || !path.has_filename())
        return std::make_error_code(std::errc::invalid_argument);
    target = path;
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        target = std::filesystem::canonical(path, ec);
        return ec;
    }
    return {};
}

// A name for the temporary file of a replacement: ".lay-" and six lower-case letters or digits,
// different at each call. It does not grow with the target's name, so a target whose name is as
// long as the file system allows can still be replaced. Names of two processes may meet now and
// then; the caller creates the file exclusively and asks again.
inline std::string temporaryFileName()
{
    // Seeded from the clock and from where this program was loaded (which differs between
    // processes), then one splitmix64 step per name.
    static std::atomic<std::uint64_t> next{
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())
        ^ reinterpret_cast<std::uintptr_t>(&next)};
    std::uint64_t x = next.fetch_add(0x9E3779B97F4A7C15u);
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9u;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBu;
    x ^= x >> 31;
    constexpr std::string_view Characters = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string name = ".lay-";
    for (int i = 0; i < 6; ++i) {
        name += Characters[x % Characters.size()];
        x /= Characters.size();
    }
    return name;
}

} // namespace leveldata::detail
