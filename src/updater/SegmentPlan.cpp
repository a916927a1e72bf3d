#include "updater/SegmentPlan.h"

#include <algorithm>

namespace qivyun {

SegmentPlan SplitSegments(std::uint32_t totalSize, int count) {
    SegmentPlan plan;
    const std::uint32_t share = totalSize / static_cast<std::uint32_t>(count);
    for (int i = 0; i < count; ++i) {
        plan.start[i] = static_cast<std::int32_t>(static_cast<std::uint32_t>(i) * share);
        plan.end[i] = static_cast<std::int32_t>(static_cast<std::uint32_t>(i + 1) * share) - 1;
        plan.length[i] = plan.end[i] - plan.start[i];
    }
    plan.end[count - 1] = static_cast<std::int32_t>(totalSize);
    plan.length[count - 1] = static_cast<std::int32_t>(totalSize) - plan.start[count - 1];
    return plan;
}

std::int64_t SegmentBytesDue(const SegmentPlan& plan, int segment, std::uint32_t totalSize) {
    if (plan.start[segment] == FinishedSegment) return 0;
    const std::int64_t stop = std::min<std::int64_t>(std::int64_t{plan.end[segment]} + 1, totalSize);
    return std::max<std::int64_t>(0, stop - plan.start[segment]);
}

namespace {

void Put(std::string& bytes, std::int32_t value) {
    const auto word = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>((word >> shift) & 0xff));
}

std::int32_t Get(const std::string& bytes, std::size_t at) {
    std::uint32_t word = 0;
    for (int i = 3; i >= 0; --i) word = (word << 8) | static_cast<unsigned char>(bytes[at + i]);
    return static_cast<std::int32_t>(word);
}

}  // namespace

std::string EncodeSegmentState(const SegmentPlan& plan, int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        Put(bytes, plan.start[i]);
        Put(bytes, plan.end[i]);
    }
    for (int i = 0; i < count; ++i) Put(bytes, plan.length[i]);
    for (int i = 0; i < count; ++i) Put(bytes, plan.base[i]);
    return bytes;
}

std::optional<SegmentPlan> DecodeSegmentState(const std::string& bytes, int count) {
    if (count < 1 || count > MaxSegments || bytes.size() < static_cast<std::size_t>(count) * 16) return std::nullopt;
    SegmentPlan plan;
    std::size_t at = 0;
    for (int i = 0; i < count; ++i, at += 8) {
        plan.start[i] = Get(bytes, at);
        plan.end[i] = Get(bytes, at + 4);
    }
    for (int i = 0; i < count; ++i, at += 4) plan.length[i] = Get(bytes, at);
    for (int i = 0; i < count; ++i, at += 4) plan.base[i] = Get(bytes, at);
    return plan;
}

}  // namespace qivyun
