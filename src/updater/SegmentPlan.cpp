#include "updater/SegmentPlan.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace qivyun {

SegmentPlan SplitSegments(std::int64_t totalSize, int count) {
    SegmentPlan plan;
    plan.count = count;
    const std::int64_t share = totalSize / count;
    for (int i = 0; i < count; ++i) {
        plan.start[i] = i * share;
        plan.end[i] = (i + 1) * share - 1;
        plan.length[i] = plan.end[i] - plan.start[i];
    }
    plan.end[count - 1] = totalSize;
    plan.length[count - 1] = totalSize - plan.start[count - 1];
    return plan;
}

std::int64_t SegmentBytesDue(const SegmentPlan& plan, int segment, std::int64_t totalSize) {
    const std::int64_t stop = std::min(plan.end[segment] + 1, totalSize);
    return std::max<std::int64_t>(0, stop - plan.start[segment]);
}

std::int32_t SegmentPermille(std::int64_t received, std::int64_t length) {
    if (length <= 0) return 1000;
    return static_cast<std::int32_t>(received * 1000 / length);
}

namespace {

constexpr std::string_view RecordFormat = "qivyun download record 1";

bool ReadNumber(std::string_view text, std::int64_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

// The ranges cover [0, size) once, in order, and none claims more bytes than it asks for.
bool CoversTheFile(const DownloadRecord& record) {
    const SegmentPlan& plan = record.plan;
    if (plan.count < 1 || plan.count > MaxSegments || record.size < 0) return false;
    std::int64_t next = 0;
    for (int i = 0; i < plan.count; ++i) {
        if (plan.start[i] != std::min(next, record.size) || plan.end[i] < plan.start[i] - 1) return false;
        if (record.received[i] < 0 || record.received[i] > SegmentBytesDue(plan, i, record.size)) return false;
        next = std::max(next, plan.end[i] + 1);
    }
    return next >= record.size;
}

}  // namespace

std::string EncodeDownloadRecord(const DownloadRecord& record) {
    std::string text(RecordFormat);
    text += "\naddress " + record.address + "\nsize " + std::to_string(record.size) + "\n";
    if (!record.etag.empty()) text += "etag " + record.etag + "\n";
    if (!record.lastModified.empty()) text += "last-modified " + record.lastModified + "\n";
    for (int i = 0; i < record.plan.count; ++i) {
        text += "segment " + std::to_string(record.plan.start[i]) + " " + std::to_string(record.plan.end[i]) + " " +
                std::to_string(record.plan.length[i]) + " " + std::to_string(record.received[i]) + "\n";
    }
    return text;
}

std::optional<DownloadRecord> DecodeDownloadRecord(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at < text.size();) {
        const auto end = text.find('\n', at);
        if (end == std::string_view::npos) return std::nullopt;  // a record always ends its last line
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    if (lines.empty() || lines[0] != RecordFormat) return std::nullopt;
    DownloadRecord record;
    bool sized = false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto space = lines[i].find(' ');
        if (space == std::string_view::npos) return std::nullopt;
        const std::string_view key = lines[i].substr(0, space);
        const std::string_view value = lines[i].substr(space + 1);
        if (key == "address") {
            record.address = std::string(value);
        } else if (key == "size") {
            if (!ReadNumber(value, record.size)) return std::nullopt;
            sized = true;
        } else if (key == "etag") {
            record.etag = std::string(value);
        } else if (key == "last-modified") {
            record.lastModified = std::string(value);
        } else if (key == "segment" && record.plan.count < MaxSegments) {
            const int s = record.plan.count++;
            std::int64_t* fields[] = {&record.plan.start[s], &record.plan.end[s], &record.plan.length[s], &record.received[s]};
            std::string_view rest = value;
            for (std::int64_t* field : fields) {
                const auto cut = rest.find(' ');
                if (!ReadNumber(rest.substr(0, cut), *field)) return std::nullopt;
                rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
            }
            if (!rest.empty()) return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (record.address.empty() || !sized || !CoversTheFile(record)) return std::nullopt;
    return record;
}

}  // namespace qivyun
