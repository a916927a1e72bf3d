#include "common/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace qivyun {
namespace {

// Converts with iconv; an input sequence the target cannot hold (or that is invalid in the
// source) is skipped as one character and written as "?".
std::string Convert(std::string_view input, const char* from, const char* to, int (*sequenceLength)(unsigned char)) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert between UTF-8 and CP936");
    std::string out;
    out.resize(input.size() * 2 + 16);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    size_t written = 0;
    while (inLeft > 0) {
        char* outPtr = out.data() + written;
        size_t outLeft = out.size() - written;
        size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        written = out.size() - outLeft;
        if (rc != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
        } else {  // EILSEQ or EINVAL (truncated sequence at the end)
            size_t skip = static_cast<size_t>(sequenceLength(static_cast<unsigned char>(*in)));
            if (skip > inLeft) skip = inLeft;
            in += skip;
            inLeft -= skip;
            if (written + 1 > out.size()) out.resize(out.size() * 2);
            out[written++] = '?';
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    out.resize(written);
    iconv_close(cd);
    return out;
}

int Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    return 1;
}

int GbkSequenceLength(unsigned char lead) { return lead >= 0x81 && lead <= 0xFE ? 2 : 1; }

}  // namespace

std::string GbkFromUtf8(std::string_view utf8) { return Convert(utf8, "UTF-8", "CP936", Utf8SequenceLength); }

std::string Utf8FromGbk(std::string_view gbk) { return Convert(gbk, "CP936", "UTF-8", GbkSequenceLength); }

}  // namespace qivyun
