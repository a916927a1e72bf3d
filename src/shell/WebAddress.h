#pragma once
// Whether a text from outside names a web page (http or https), so the shell opens it in a browser.
#include <string_view>

namespace qivyun {

inline bool IsWebAddress(std::string_view address) {
    auto startsWith = [address](std::string_view scheme) {
        if (address.size() <= scheme.size()) return false;
        for (size_t i = 0; i < scheme.size(); ++i) {
            char c = address[i];
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            if (c != scheme[i]) return false;
        }
        return true;
    };
    return startsWith("http://") || startsWith("https://");
}

}  // namespace qivyun
