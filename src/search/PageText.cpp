#include "search/PageText.h"

#include "common/CodePage.h"

#include <algorithm>
#include <utility>

namespace qivyun {

void PageTextBuilder::AppendLine(std::string_view line) {
    // Each line is converted on its own: a UTF-8 sequence cut short by a line feed becomes "?"
    // instead of joining the bytes of the next line.
    const bool ascii = std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
        pageText += line;  // ASCII is the same in UTF-8 and GBK
    } else {
        pageText += GbkFromUtf8(line);
    }
}

void PageTextBuilder::Append(std::string_view bodyBytes) {
    while (!bodyBytes.empty()) {
        const size_t lineFeed = bodyBytes.find('\n');
        if (lineFeed == std::string_view::npos) {
            partialLine += bodyBytes;
            return;
        }
        if (partialLine.empty()) {
            AppendLine(bodyBytes.substr(0, lineFeed));
        } else {
            partialLine += bodyBytes.substr(0, lineFeed);
            AppendLine(partialLine);
            partialLine.clear();
        }
        bodyBytes.remove_prefix(lineFeed + 1);
    }
}

std::string PageTextBuilder::Finish() {
    if (!partialLine.empty()) {
        AppendLine(partialLine);
        partialLine.clear();
    }
    return std::move(pageText);
}

std::string AssemblePageText(std::string_view body) {
    PageTextBuilder builder;
    builder.Append(body);
    return builder.Finish();
}

}  // namespace qivyun
