// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// Files for tests. No test framework needed.
namespace testsupport {

// The whole file as bytes; "" when it cannot be read.
std::string fileBytes(const std::filesystem::path &path);

// Creates or truncates `path` and writes `bytes`. Returns false when the file could not be written.
[[nodiscard]] bool putFile(const std::filesystem::path &path, std::string_view bytes);

// A fresh, empty directory under the system's temporary directory, removed with everything in it
// when the object goes. Throws std::filesystem::filesystem_error
// when no directory can be made.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::filesystem::path &path() const { return m_path; }
    std::filesystem::path operator/(const std::filesystem::path &name) const { return m_path / name; }

    // How many entries the directory holds directly (to see that no temporary file was left).
    std::size_t entryCount() const;

private:
    std::filesystem::path m_path;
};

} // namespace testsupport
