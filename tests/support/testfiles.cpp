// SPDX-License-Identifier: GPL-3.0-or-later
#include "testfiles.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <stdlib.h>
#include <system_error>

namespace fs = std::filesystem;

namespace testsupport {

std::string fileBytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool putFile(const fs::path &path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    return static_cast<bool>(out);
}

TempDir::TempDir()
{
    std::string name = (fs::temp_directory_path() / "cobbleton-test-XXXXXX").string();
    if (::mkdtemp(name.data()) == nullptr)
        throw fs::filesystem_error("cannot make a temporary directory", name,
                                   std::error_code(errno, std::generic_category()));
    m_path = name;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

std::size_t TempDir::entryCount() const
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_path), fs::directory_iterator()));
}

} // namespace testsupport
