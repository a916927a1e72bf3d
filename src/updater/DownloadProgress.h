#pragma once
// The figures the updater's window shows while a download runs: bar position, percentage, speed,
// amounts in units of 1024 bytes, and the status and speed lines made of them.
#include <cstdint>
#include <string>

namespace qivyun {

// The progress bar's range: four segments of a thousand each.
inline constexpr std::int32_t ProgressRange = 4000;

struct ProgressFigures {
    std::int32_t position = 0;
    std::string percentText;
    std::string speedText;
    std::string amountText;
    std::string speedLine;
    std::string statusLine;
    // The received units have reached the total's units.
    bool reachedTotal = false;
};

// Tenths of a second between two millisecond tick counts (the count may have wrapped).
std::uint32_t ElapsedTenths(std::uint32_t nowTick, std::uint32_t startTick);

// One tick's figures from the downloader's counters: the per-mille sum is the bar position, the
// percentage is position * 100 / 4000, the speed is received units per second (received units /
// elapsed tenths * 10) with two decimals (0.00 before the first tenth has passed). Sizes and their
// products are 64-bit.
ProgressFigures ComputeProgress(std::uint32_t elapsedTenths, std::int64_t totalSize, std::int32_t permilleSum,
                                std::int64_t receivedSum, const std::string& downloadName);

// The name a status line shows for a path: the text after the last backslash (or, without one,
// the last slash), or the whole text; without the part from the last dot on when keepExtension is
// false.
std::string FileNameOfPath(const std::string& path, bool keepExtension);

// The status line once a download has ended: "100%" for one that is complete (also when one
// connection without ranges filled only a quarter of the bar), the last percentage otherwise.
std::string FinishedStatusLine(const std::string& downloadName, const std::string& percentText, bool complete);

}  // namespace qivyun
