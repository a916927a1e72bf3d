#include "search/FetchPageText.h"

#include "common/CodePage.h"
#include "framework/InternetHandle.h"
#include "framework/ProcessPaths.h"
#include "search/PageText.h"

#include <windows.h>
#include <wininet.h>

#include <utility>

namespace qivyun {

std::string AgentName() {
    std::string name = ModulePath();
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

std::optional<std::string> FetchPageText(const std::string& address) {
    const std::string agent = AgentName();
    // Declared before the response so that the response is closed first.
    InternetHandle session(InternetOpenW(WideFromUtf8(agent).c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return std::nullopt;
    InternetHandle response(
        InternetOpenUrlW(session.Get(), WideFromGbk(address).c_str(), nullptr, 0, INTERNET_FLAG_TRANSFER_ASCII, 1));
    if (!response) return std::nullopt;

    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!HttpQueryInfoW(response.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        return std::nullopt;
    if (status < 200 || status > 299) return std::nullopt;

    PageTextBuilder page;
    char buffer[8192];
    for (;;) {
        DWORD read = 0;
        // A body cut off by a broken connection is a failed request, never a partial page.
        if (!InternetReadFile(response.Get(), buffer, sizeof(buffer), &read)) return std::nullopt;
        if (read == 0) break;
        page.Append(std::string_view(buffer, read));
    }
    return page.Finish();
}

}  // namespace qivyun
