#pragma once
// The downloader's files: one file written at offsets by several threads at once, and the few whole
// file operations around it. Paths are UTF-8; the Windows side turns them into UTF-16 for the wide
// functions, the POSIX side hands them over as they are.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace qivyun {

class DiskFile {
public:
    DiskFile() = default;
    ~DiskFile() { Close(); }
    DiskFile(DiskFile&& other) noexcept;
    DiskFile& operator=(DiskFile&& other) noexcept;
    DiskFile(const DiskFile&) = delete;
    DiskFile& operator=(const DiskFile&) = delete;

    // Creates the file (or empties an existing one) and gives it `size` bytes at once, so that every
    // part can be written at its place; a closed file when either step fails.
    static DiskFile CreateAtSize(const std::string& path, std::int64_t size);
    // Opens an existing file for reading and writing, without changing it.
    static DiskFile OpenExisting(const std::string& path);

    bool IsOpen() const { return handle != invalid; }
    // The file's size, -1 when it cannot be told.
    std::int64_t Size() const;
    // Writes every byte at `offset`, whatever other threads write elsewhere meanwhile.
    bool WriteAt(std::int64_t offset, const char* data, std::size_t size);
    // Reads up to `size` bytes at `offset`: the count, 0 at the end, -1 on an error.
    long ReadAt(std::int64_t offset, char* data, std::size_t size);
    // What was written reaches the disk before this returns.
    bool Flush();
    // False when the system reports a failure of a write it had deferred.
    bool Close();

private:
    static constexpr std::intptr_t invalid = -1;
    explicit DiskFile(std::intptr_t handle) : handle(handle) {}
    std::intptr_t handle = invalid;
};

namespace disk {

bool Exists(const std::string& path);
// True when the file is gone afterwards (also when there was none).
bool Remove(const std::string& path);
// Moves a file to `to` in one step, replacing a file of that name.
bool Rename(const std::string& from, const std::string& to);
// A small file whole (a record, a text); nothing when it cannot be read or is longer than `limit`.
std::optional<std::string> ReadSmall(const std::string& path, std::size_t limit);
// Writes `bytes` beside `path` and moves them into its place, so that `path` holds either its old
// text or the whole new one.
bool ReplaceWhole(const std::string& path, const std::string& bytes);
// The system's reason for the last file operation of this thread that failed ("No space left on
// device"), in UTF-8; empty when none has failed.
std::string LastFailureText();
// "cannot write PATH: REASON" with the reason of this thread's last failure.
std::string CannotWriteText(const std::string& path);

}  // namespace disk
}  // namespace qivyun
