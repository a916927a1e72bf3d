#pragma once
// Cutting fields out of page text between fixed markers. Page text is GBK; positions are byte
// offsets from 0 and a marker that is not found has the position -1. Every result is a view into
// the text it was cut from: nothing is copied.
#include <cstddef>
#include <string_view>

namespace qivyun {

inline constexpr std::ptrdiff_t NotFound = -1;

// A byte that starts a double-byte GBK character.
inline bool IsGbkLeadByte(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x81 && value <= 0xFE;
}

// The first occurrence of marker at or after start, or -1 (also for a start beyond the end). The
// walk steps one GBK character at a time from start (a lead byte 0x81-0xFE and the byte after it
// are one character), so a marker matches only where a character begins, counted from start.
std::ptrdiff_t FindText(std::string_view text, std::string_view marker, std::ptrdiff_t start);

// The text between the first opening marker and the closing marker found after it. A missing
// closing marker gives the empty text; a missing opening marker makes the cut start at offset
// (length of open - 1) and run to the first closing marker from there.
std::string_view CutBetween(std::string_view text, std::string_view open, std::string_view close);

// CutBetween with its two searches made by findOpen(text, start) and findClose(text, start), which
// answer as FindText does for the opening and the closing marker.
template <typename FindOpen, typename FindClose>
std::string_view CutBetweenWith(std::string_view text, std::size_t openLength, FindOpen&& findOpen, FindClose&& findClose) {
    const std::ptrdiff_t a = findOpen(text, 0);
    const std::ptrdiff_t s = a + static_cast<std::ptrdiff_t>(openLength);
    const std::ptrdiff_t b = findClose(text, s);
    std::ptrdiff_t count = b - s;
    const std::ptrdiff_t first = s < 0 ? 0 : s;
    const auto length = static_cast<std::ptrdiff_t>(text.size());
    if (count <= 0 || first >= length) return {};
    if (count > length - first) count = length - first;
    return text.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(count));
}

// The text without its leading blanks, tabs, carriage returns, line feeds, vertical tabs and form
// feeds; the end is left alone.
std::string_view TrimLeft(std::string_view text);

// Everything after the byte at position p.
std::string_view TextAfter(std::string_view text, std::ptrdiff_t p);

}  // namespace qivyun
