#pragma once
// The page text of one response: the body read line by line (a line ends at a line feed, which is
// dropped; a carriage return before it stays), each line turned from UTF-8 into GBK ("?" for what
// GBK cannot hold) and the lines joined with nothing between them. The transport only hands over
// the body's bytes, in chunks of any size.
#include <string>
#include <string_view>

namespace qivyun {

class PageTextBuilder {
public:
    // Takes the next bytes of the body; a line may run across chunks.
    void Append(std::string_view bodyBytes);
    // The page text, including the last line when the body does not end with a line feed.
    std::string Finish();

private:
    void AppendLine(std::string_view line);

    std::string pageText;
    std::string partialLine;
};

// The page text of a whole body at once.
std::string AssemblePageText(std::string_view body);

}  // namespace qivyun
