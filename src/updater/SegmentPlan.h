#pragma once
// How a file is cut into byte ranges, and the resume state that keeps a stopped download's ranges.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qivyun {

inline constexpr int MaxSegments = 10;
// A range start that marks a segment finished in an earlier run, and one that marks a file not yet split.
inline constexpr std::int32_t FinishedSegment = -99;
inline constexpr std::int32_t NotSplit = -1;

struct SegmentPlan {
    std::array<std::int32_t, MaxSegments> start{};
    std::array<std::int32_t, MaxSegments> end{};
    std::array<std::int32_t, MaxSegments> length{};
    std::array<std::int32_t, MaxSegments> base{};
};

// Splits totalSize bytes into `count` ranges of totalSize / count bytes: segment i runs from i*q to
// (i+1)*q - 1 with length end - start; the last one ends at totalSize with length totalSize - start.
SegmentPlan SplitSegments(std::uint32_t totalSize, int count);

// The bytes a segment still has to deliver: up to its end inclusive, never past the file's end.
std::int64_t SegmentBytesDue(const SegmentPlan& plan, int segment, std::uint32_t totalSize);

// The state file: raw 32-bit little-endian integers, the `count` (start, end) pairs, then `count`
// lengths, then `count` bases.
std::string EncodeSegmentState(const SegmentPlan& plan, int count);
// Nothing when the text is shorter than `count` segments need.
std::optional<SegmentPlan> DecodeSegmentState(const std::string& bytes, int count);

}  // namespace qivyun
