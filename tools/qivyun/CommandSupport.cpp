#include "Commands.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

namespace qivyun::tool {

std::size_t Utf8Sequence(std::string_view text, char32_t& codePoint) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (byte(i) & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < smallest[length] || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return 0;
    return length;
}

std::string Printable(std::string_view text) {
    std::string out;
    while (!text.empty()) {
        char32_t codePoint = 0;
        const std::size_t length = Utf8Sequence(text, codePoint);
        const bool control = codePoint < 0x20 || codePoint == 0x7F || (codePoint >= 0x80 && codePoint < 0xA0);
        if (length > 0 && !control) {
            out += text.substr(0, length);
            text.remove_prefix(length);
            continue;
        }
        // a control character's bytes, or one byte that begins no character
        for (std::size_t i = 0; i < std::max<std::size_t>(length, 1); ++i) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(text[i]));
            out += escaped;
        }
        text.remove_prefix(std::max<std::size_t>(length, 1));
    }
    return out;
}

int Complain(std::string_view command, std::string_view text, int status) {
    std::cerr << "qivyun" << (command.empty() ? "" : " ") << command << ": " << Printable(text) << "\n";
    return status;
}

std::optional<std::string> ReadInput(std::string_view command, const std::string& path) {
    if (const auto problem = InputProblem(path)) {
        Complain(command, path + ": " + *problem);
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    if (file.bad() || !file.is_open()) {
        Complain(command, path + ": " + std::strerror(errno));
        return std::nullopt;
    }
    return content.str();
}

CLI::Validator WholeNumber(long long low, long long high) {
    return CLI::Validator(
        [low, high](std::string& text) {
            long long value = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
            if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
                return Printable(text) + " is not a whole number from " + std::to_string(low) + " to " + std::to_string(high);
            return std::string();
        },
        std::to_string(low) + "-" + std::to_string(high));
}

}  // namespace qivyun::tool
