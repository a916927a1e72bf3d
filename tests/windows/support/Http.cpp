#include "Http.h"

#include <windows.h>
#include <wininet.h>

namespace qivyun::test {

std::string HttpRequest(const std::string& method, const std::string& address, const std::string& body, int* status) {
    std::string answer;
    HINTERNET session = InternetOpenA("qivyun-tests", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    URL_COMPONENTSA parts{};
    parts.dwStructSize = sizeof(parts);
    char host[256] = {}, path[2048] = {};
    parts.lpszHostName = host;
    parts.dwHostNameLength = sizeof(host);
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = sizeof(path);
    char extra[1024] = {};
    parts.lpszExtraInfo = extra;
    parts.dwExtraInfoLength = sizeof(extra);
    if (session && InternetCrackUrlA(address.c_str(), 0, 0, &parts)) {
        HINTERNET connection = InternetConnectA(session, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
        std::string target = std::string(path) + extra;
        HINTERNET request = connection ? HttpOpenRequestA(connection, method.c_str(), target.c_str(), nullptr, nullptr,
                                                          nullptr, INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0)
                                       : nullptr;
        if (request && HttpSendRequestA(request, nullptr, 0, const_cast<char*>(body.data()), static_cast<DWORD>(body.size()))) {
            DWORD code = 0, size = sizeof(code);
            HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &code, &size, nullptr);
            if (status) *status = static_cast<int>(code);
            char buffer[4096];
            DWORD read = 0;
            while (InternetReadFile(request, buffer, sizeof(buffer), &read) && read > 0) answer.append(buffer, read);
        }
        if (request) InternetCloseHandle(request);
        if (connection) InternetCloseHandle(connection);
    }
    if (session) InternetCloseHandle(session);
    return answer;
}

}  // namespace qivyun::test
