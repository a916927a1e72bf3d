#include "updater/DiskFile.h"

#include "common/CodePage.h"

#include <windows.h>

namespace qivyun {
namespace {

HANDLE Win32Handle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// The error of this thread's last failed file operation, kept apart from the calls that follow it.
thread_local DWORD lastFailure = 0;

bool Failed(DWORD error = GetLastError()) {
    lastFailure = error;
    return false;
}

// The file's parts are written by several threads through one handle; others may read it meanwhile.
HANDLE OpenWide(const std::string& path, DWORD disposition) {
    return CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// An explicit position makes each call independent of the handle's own file pointer, which other
// threads move.
OVERLAPPED At(std::int64_t offset) {
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(offset) & 0xffffffffu);
    position.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
    return position;
}

}  // namespace

DiskFile DiskFile::CreateAtSize(const std::string& path, std::int64_t size) {
    const HANDLE opened = OpenWide(path, CREATE_ALWAYS);
    if (opened == INVALID_HANDLE_VALUE) {
        Failed();
        return {};
    }
    DiskFile file(reinterpret_cast<std::intptr_t>(opened));
    LARGE_INTEGER end;
    end.QuadPart = size;
    if (size < 0 || !SetFilePointerEx(opened, end, nullptr, FILE_BEGIN) || !SetEndOfFile(opened)) {
        Failed(size < 0 ? ERROR_INVALID_PARAMETER : GetLastError());
        return {};
    }
    return file;
}

DiskFile DiskFile::OpenExisting(const std::string& path) {
    const HANDLE opened = OpenWide(path, OPEN_EXISTING);
    if (opened == INVALID_HANDLE_VALUE) Failed();
    return opened == INVALID_HANDLE_VALUE ? DiskFile() : DiskFile(reinterpret_cast<std::intptr_t>(opened));
}

std::int64_t DiskFile::Size() const {
    LARGE_INTEGER size;
    if (!IsOpen() || !GetFileSizeEx(Win32Handle(handle), &size)) return -1;
    return size.QuadPart;
}

bool DiskFile::WriteAt(std::int64_t offset, const char* data, std::size_t size) {
    while (size > 0) {
        const DWORD piece = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        OVERLAPPED position = At(offset);
        DWORD written = 0;
        if (!WriteFile(Win32Handle(handle), data, piece, &written, &position)) return Failed();
        if (written == 0) return Failed(ERROR_DISK_FULL);
        data += written;
        size -= written;
        offset += written;
    }
    return true;
}

long DiskFile::ReadAt(std::int64_t offset, char* data, std::size_t size) {
    const DWORD piece = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    OVERLAPPED position = At(offset);
    DWORD count = 0;
    if (ReadFile(Win32Handle(handle), data, piece, &count, &position)) return static_cast<long>(count);
    return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
}

bool DiskFile::Flush() { return IsOpen() && (FlushFileBuffers(Win32Handle(handle)) || Failed()); }

bool DiskFile::Close() {
    if (!IsOpen()) return true;
    const bool closed = CloseHandle(Win32Handle(handle)) != 0 || Failed();
    handle = invalid;
    return closed;
}

namespace disk {

bool Exists(const std::string& path) { return GetFileAttributesW(WideFromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

bool Remove(const std::string& path) {
    return DeleteFileW(WideFromUtf8(path).c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ||
           GetLastError() == ERROR_PATH_NOT_FOUND || Failed();
}

bool Rename(const std::string& from, const std::string& to) {
    return MoveFileExW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0 ||
           Failed();
}

std::string LastFailureText() {
    if (lastFailure == 0) return {};
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        lastFailure, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length > 0 ? std::wstring(text, length) : std::wstring();
    LocalFree(text);
    // the system's sentence ends with a full stop and a line break
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' || message.back() == L'.'))
        message.pop_back();
    return message.empty() ? "system error " + std::to_string(lastFailure) : Utf8FromWide(message);
}

}  // namespace disk
}  // namespace qivyun
