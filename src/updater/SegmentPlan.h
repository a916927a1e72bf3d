#pragma once
// How a file is cut into byte ranges, and the record that lets an interrupted download continue.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qivyun {

inline constexpr int MaxSegments = 10;

struct SegmentPlan {
    int count = 0;
    // The first byte of each range and the last one asked for (the last range asks up to the size).
    std::array<std::int64_t, MaxSegments> start{};
    std::array<std::int64_t, MaxSegments> end{};
    // The length the per-mille figure counts against: end - start, for the last range size - start.
    std::array<std::int64_t, MaxSegments> length{};
};

// Splits totalSize bytes into `count` ranges of totalSize / count bytes: segment i runs from i*q to
// (i+1)*q - 1 with length end - start; the last one ends at totalSize with length totalSize - start.
SegmentPlan SplitSegments(std::int64_t totalSize, int count);

// The bytes a segment delivers in all: up to its end inclusive, never past the file's end.
std::int64_t SegmentBytesDue(const SegmentPlan& plan, int segment, std::int64_t totalSize);

// Thousandths of `length` that `received` bytes make, 1000 for a segment of no length.
std::int32_t SegmentPermille(std::int64_t received, std::int64_t length);

// What an interrupted download keeps beside its side file: which file it was (the address asked
// for, the size and the validators the server sent) and how far each range got.
struct DownloadRecord {
    std::string address;
    std::int64_t size = 0;
    std::string etag;
    std::string lastModified;
    SegmentPlan plan;
    // Bytes of each range on disk, from its start on.
    std::array<std::int64_t, MaxSegments> received{};
};

// A few lines of text: a first line naming the format, then "KEY VALUE" lines.
std::string EncodeDownloadRecord(const DownloadRecord& record);
// Nothing for a text that is not a whole record of this format, or whose ranges do not cover the
// file once or claim more bytes than they hold.
std::optional<DownloadRecord> DecodeDownloadRecord(std::string_view text);

}  // namespace qivyun
