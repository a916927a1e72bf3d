#pragma once
// Owns one WinINet handle (a session, a connection or an opened address).
#include <windows.h>
#include <wininet.h>

namespace qivyun {

class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    ~InternetHandle() {
        if (handle_) InternetCloseHandle(handle_);
    }
    HINTERNET Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    HINTERNET handle_;
};

}  // namespace qivyun
