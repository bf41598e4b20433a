// SPDX-License-Identifier: GPL-3.0-or-later
#include "leveldata/filebytes.h"
#include "leveldata/filebytesdetail.h"

#include <algorithm>
#include <cstdint>
#include <string>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace leveldata {
namespace {

// Callers compare against std::errc, so the common failures become generic codes; anything else
// keeps its Windows code, whose message() is the system's text.
[[nodiscard]] std::error_code fromWin32(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return std::make_error_code(std::errc::no_such_file_or_directory);
    case ERROR_ACCESS_DENIED: return std::make_error_code(std::errc::permission_denied);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return std::make_error_code(std::errc::device_or_resource_busy);
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return std::make_error_code(std::errc::file_exists);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return std::make_error_code(std::errc::no_space_on_device);
    case ERROR_WRITE_PROTECT: return std::make_error_code(std::errc::read_only_file_system);
    case ERROR_INVALID_NAME: return std::make_error_code(std::errc::invalid_argument);
    case ERROR_FILENAME_EXCED_RANGE: return std::make_error_code(std::errc::filename_too_long);
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return std::make_error_code(std::errc::not_enough_memory);
    default: return {static_cast<int>(error), std::system_category()};
    }
}

[[nodiscard]] std::error_code lastError()
{
    return fromWin32(::GetLastError());
}

class FileHandle
{
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) { }
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;
    ~FileHandle()
    {
        if (valid())
            ::CloseHandle(m_handle);
    }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }
    [[nodiscard]] std::error_code close()
    {
        const HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return ::CloseHandle(handle) ? std::error_code{} : lastError();
    }

private:
    HANDLE m_handle;
};

// ReadFile and WriteFile take a DWORD count; stay well below it.
constexpr std::size_t MaxChunk = std::size_t{1} << 30;

[[nodiscard]] std::error_code writeAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min(bytes.size(), MaxChunk));
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return lastError();
        bytes.remove_prefix(written);
    }
    return {};
}

// The attributes a replaced file keeps; read-only is refused before it matters.
constexpr DWORD KeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

} // namespace

std::error_code readFileBytes(const std::filesystem::path &path, std::string &bytes)
{
    bytes.clear();
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = ::GetLastError();
        // Opening a directory as a file fails with "access denied".
        if (error == ERROR_ACCESS_DENIED) {
            const DWORD attributes = ::GetFileAttributesW(path.c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
                return std::make_error_code(std::errc::is_a_directory);
        }
        return fromWin32(error);
    }
    // Consoles, pipes and devices such as NUL open too; they are never read, so nothing blocks.
    if (::GetFileType(file.get()) != FILE_TYPE_DISK)
        return std::make_error_code(std::errc::invalid_argument);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file.get(), &info))
        return lastError();
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return std::make_error_code(std::errc::is_a_directory);

    const std::uint64_t size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    const auto hint = static_cast<std::size_t>(std::min<std::uint64_t>(size, MaxFileBytes));
    return detail::readCapped(hint, bytes, [&file](char *buffer, std::size_t size, std::size_t &got) {
        DWORD n = 0;
        if (!::ReadFile(file.get(), buffer, static_cast<DWORD>(std::min(size, MaxChunk)), &n, nullptr))
            return lastError();
        got = n;
        return std::error_code{};
    });
}

std::error_code replaceFileBytes(const std::filesystem::path &path, std::string_view bytes)
{
    std::filesystem::path target;
    std::error_code ec = detail::replacementTarget(path, target);
    if (ec)
        return ec;

    DWORD keepAttributes = FILE_ATTRIBUTE_NORMAL;
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return std::make_error_code(std::errc::is_a_directory);
        if (attributes & FILE_ATTRIBUTE_DEVICE)
            return std::make_error_code(std::errc::invalid_argument);
        if (attributes & FILE_ATTRIBUTE_READONLY)
            return std::make_error_code(std::errc::permission_denied);
        if (attributes & KeptAttributes)
            keepAttributes = attributes & KeptAttributes;
    } else if (const DWORD error = ::GetLastError(); error != ERROR_FILE_NOT_FOUND) {
        return fromWin32(error);
    }

    std::filesystem::path dir = target.parent_path();
    if (dir.empty())
        dir = ".";
    // A directory's read-only attribute only marks a customised folder, so it is not checked.
    const DWORD dirAttributes = ::GetFileAttributesW(dir.c_str());
    if (dirAttributes == INVALID_FILE_ATTRIBUTES)
        return lastError();
    if (!(dirAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::make_error_code(std::errc::not_a_directory);

    std::filesystem::path temp;
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (int attempt = 0; handle == INVALID_HANDLE_VALUE && attempt < 100; ++attempt) {
        temp = dir / detail::temporaryFileName();
        handle = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, keepAttributes, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            const DWORD error = ::GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
                return fromWin32(error);
        }
    }
    if (handle == INVALID_HANDLE_VALUE)
        return std::make_error_code(std::errc::file_exists);

    FileHandle file(handle);
    ec = writeAll(file.get(), bytes);
    if (!ec && !::FlushFileBuffers(file.get()))
        ec = lastError();
    if (const auto closed = file.close(); !ec)
        ec = closed;
    // MoveFileExW rather than ReplaceFileW: a failed ReplaceFileW can leave the target renamed
    // away, and the attributes worth keeping are already on the temporary file.
    if (!ec && !::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ec = lastError();
    if (ec) {
        ::DeleteFileW(temp.c_str());
        return ec;
    }
    return {};
}

} // namespace leveldata
