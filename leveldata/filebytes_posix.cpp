// SPDX-License-Identifier: GPL-3.0-or-later
#include "leveldata/filebytes.h"
#include "leveldata/filebytesdetail.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace leveldata {
namespace {

[[nodiscard]] std::error_code lastError()
{
    return {errno, std::generic_category()};
}

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) { }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }
    // Closes now so that a failing close (delayed write error) can be reported.
    [[nodiscard]] std::error_code close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0 ? std::error_code{} : lastError();
    }

private:
    int m_fd;
};

[[nodiscard]] std::error_code writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return lastError();
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return {};
}

bool hasWriteBit(mode_t mode)
{
    return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

[[nodiscard]] std::error_code writeTemporary(int fd, std::string_view bytes, const mode_t *keepMode)
{
    if (keepMode && ::fchmod(fd, *keepMode) != 0)
        return lastError();
    if (auto ec = writeAll(fd, bytes))
        return ec;
    if (::fsync(fd) != 0)
        return lastError();
    return {};
}

void syncDirectory(const std::filesystem::path &dir)
{
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::error_code readFileBytes(const std::filesystem::path &path, std::string &bytes)
{
    bytes.clear();
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        return lastError();
    struct stat st
    {
    };
    if (::fstat(file.get(), &st) != 0)
        return lastError();
    if (S_ISDIR(st.st_mode))
        return std::make_error_code(std::errc::is_a_directory);
    if (!S_ISREG(st.st_mode))
        return std::make_error_code(std::errc::invalid_argument);

    const std::size_t hint = st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
    return detail::readCapped(hint, bytes, [&file](char *buffer, std::size_t size, std::size_t &got) {
        ssize_t n;
        do
            n = ::read(file.get(), buffer, size);
        while (n < 0 && errno == EINTR);
        if (n < 0)
            return lastError();
        got = static_cast<std::size_t>(n);
        return std::error_code{};
    });
}

std::error_code replaceFileBytes(const std::filesystem::path &path, std::string_view bytes)
{
    std::filesystem::path target;
    std::error_code ec = detail::replacementTarget(path, target);
    if (ec)
        return ec;

    mode_t keepMode = 0;
    bool exists = false;
    struct stat st
    {
    };
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return std::make_error_code(std::errc::is_a_directory);
        if (!S_ISREG(st.st_mode))
            return std::make_error_code(std::errc::invalid_argument);
        if (!hasWriteBit(st.st_mode))
            return std::make_error_code(std::errc::permission_denied);
        keepMode = st.st_mode & 07777;
        exists = true;
    } else if (errno != ENOENT) {
        return lastError();
    }

    std::filesystem::path dir = target.parent_path();
    if (dir.empty())
        dir = ".";
    struct stat dirStat
    {
    };
    if (::stat(dir.c_str(), &dirStat) != 0)
        return lastError();
    if (!S_ISDIR(dirStat.st_mode))
        return std::make_error_code(std::errc::not_a_directory);
    if (!hasWriteBit(dirStat.st_mode))
        return std::make_error_code(std::errc::permission_denied);

    std::filesystem::path temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = dir / detail::temporaryFileName();
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return lastError();
    }
    if (fd < 0)
        return std::make_error_code(std::errc::file_exists);

    FileDescriptor file(fd);
    ec = writeTemporary(file.get(), bytes, exists ? &keepMode : nullptr);
    if (const auto closed = file.close(); !ec)
        ec = closed;
    if (!ec && ::rename(temp.c_str(), target.c_str()) != 0)
        ec = lastError();
    if (ec) {
        ::unlink(temp.c_str());
        return ec;
    }
    syncDirectory(dir);
    return {};
}

} // namespace leveldata
