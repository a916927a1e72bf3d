#include "updater/DiskFile.h"

#include <utility>

namespace qivyun {

DiskFile::DiskFile(DiskFile&& other) noexcept : handle(std::exchange(other.handle, invalid)) {}

DiskFile& DiskFile::operator=(DiskFile&& other) noexcept {
    if (this != &other) {
        Close();
        handle = std::exchange(other.handle, invalid);
    }
    return *this;
}

namespace disk {

std::optional<std::string> ReadSmall(const std::string& path, std::size_t limit) {
    DiskFile file = DiskFile::OpenExisting(path);
    const std::int64_t size = file.Size();
    if (size < 0 || static_cast<std::uint64_t>(size) > limit) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const long count = file.ReadAt(static_cast<std::int64_t>(done), bytes.data() + done, bytes.size() - done);
        if (count <= 0) return std::nullopt;
        done += static_cast<std::size_t>(count);
    }
    return bytes;
}

bool ReplaceWhole(const std::string& path, const std::string& bytes) {
    const std::string partial = path + ".partial";
    DiskFile file = DiskFile::CreateAtSize(partial, static_cast<std::int64_t>(bytes.size()));
    const bool written = file.IsOpen() && file.WriteAt(0, bytes.data(), bytes.size());
    if (file.Close() && written && Rename(partial, path)) return true;
    Remove(partial);
    return false;
}

std::string CannotWriteText(const std::string& path) {
    const std::string reason = LastFailureText();
    return "cannot write " + path + (reason.empty() ? "" : ": " + reason);
}

}  // namespace disk
}  // namespace qivyun
