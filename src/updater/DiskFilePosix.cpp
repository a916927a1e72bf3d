#include "updater/DiskFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace qivyun {
namespace {

int Descriptor(std::intptr_t handle) { return static_cast<int>(handle); }

// errno of this thread's last failed file operation, kept apart from the calls that follow it.
thread_local int lastFailure = 0;

bool Failed(int error = errno) {
    lastFailure = error;
    return false;
}

}  // namespace

DiskFile DiskFile::CreateAtSize(const std::string& path, std::int64_t size) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        Failed();
        return {};
    }
    DiskFile file(fd);
    // the parts not yet written read as zeros and take no room on file systems that allow holes
    if (size < 0 || ::ftruncate(fd, static_cast<off_t>(size)) != 0) {
        Failed(size < 0 ? EINVAL : errno);
        return {};
    }
    return file;
}

DiskFile DiskFile::OpenExisting(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) Failed();
    return fd < 0 ? DiskFile() : DiskFile(fd);
}

std::int64_t DiskFile::Size() const {
    struct stat status {};
    if (!IsOpen() || ::fstat(Descriptor(handle), &status) != 0) return -1;
    return static_cast<std::int64_t>(status.st_size);
}

bool DiskFile::WriteAt(std::int64_t offset, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::pwrite(Descriptor(handle), data, size, static_cast<off_t>(offset));
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return Failed();
        if (written == 0) return Failed(ENOSPC);
        data += written;
        size -= static_cast<std::size_t>(written);
        offset += written;
    }
    return true;
}

long DiskFile::ReadAt(std::int64_t offset, char* data, std::size_t size) {
    for (;;) {
        const ssize_t count = ::pread(Descriptor(handle), data, size, static_cast<off_t>(offset));
        if (count < 0 && errno == EINTR) continue;
        return static_cast<long>(count);
    }
}

bool DiskFile::Flush() { return IsOpen() && (::fdatasync(Descriptor(handle)) == 0 || Failed()); }

bool DiskFile::Close() {
    if (!IsOpen()) return true;
    const bool closed = ::close(Descriptor(handle)) == 0 || Failed();
    handle = invalid;
    return closed;
}

namespace disk {

bool Exists(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0;
}

bool Remove(const std::string& path) { return ::unlink(path.c_str()) == 0 || errno == ENOENT || Failed(); }

bool Rename(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 || Failed();
}

std::string LastFailureText() { return lastFailure == 0 ? std::string() : std::generic_category().message(lastFailure); }

}  // namespace disk
}  // namespace qivyun
