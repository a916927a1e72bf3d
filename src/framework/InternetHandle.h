#pragma once
// Owns one WinINet handle (a session, a connection or an opened address).
#include "framework/Handles.h"

#include <wininet.h>

namespace qivyun {

struct CloseInternetHandle {
    void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};

using InternetHandle = UniqueOwner<HINTERNET, CloseInternetHandle>;

}  // namespace qivyun
