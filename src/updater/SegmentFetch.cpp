// One segment's connection: its range asked for from where the segment stands, its reply checked,
// its body written in large pieces straight to its place in the side file.
#include "updater/SegmentedDownloader.h"

#include <algorithm>
#include <memory>

namespace qivyun {
namespace {

// A slow connection still shows its progress and keeps its bytes for a stop this often.
constexpr auto WriteInterval = std::chrono::milliseconds(250);

}  // namespace

void SegmentedDownloader::FailSegment(int segment, std::string cause, bool discard) {
    segmentFailed[segment] = true;
    segmentFailure[segment] = std::move(cause);
    if (discard) {
        // the other segments' bytes are of no use either: they stop at once
        discardParts = true;
        stopRequested = true;
    }
}

// A ranged reply must be the range asked for, of a file of the probed size; an unranged one the
// whole file. A validator other than the probe's means the file changed on the server meanwhile.
bool SegmentedDownloader::ReplyFitsSegment(const ReplyHead& reply, std::int64_t from, std::int64_t asked, int segment) {
    const int expected = ranged ? 206 : 200;
    if (reply.status != expected) {
        FailSegment(segment, "HTTP status " + std::to_string(reply.status) + " for a part of the file");
        return false;
    }
    const bool otherVersion = (!etag.empty() && !reply.etag.empty() && reply.etag != etag) ||
                              (!lastModified.empty() && !reply.lastModified.empty() && reply.lastModified != lastModified) ||
                              (ranged && reply.fileSize != UnknownSize && reply.fileSize != totalSize) ||
                              (!ranged && reply.contentLength != totalSize);
    if (otherVersion) {
        FailSegment(segment, "the file changed on " + HostAndPort(address) + " during the download", true);
        return false;
    }
    if (ranged && ((reply.rangeFirst != UnknownSize && reply.rangeFirst != from) || reply.contentLength < asked)) {
        FailSegment(segment, "another range than asked for from " + HostAndPort(address));
        return false;
    }
    return true;
}

void SegmentedDownloader::RunSegment(int i) {
    struct EndNotice {
        SegmentedDownloader& downloader;
        ~EndNotice() {
            std::lock_guard lock(downloader.segmentsMutex);
            --downloader.segmentsRunning;
            downloader.segmentEnded.notify_all();
        }
    } notice{*this};

    const std::int64_t due = SegmentBytesDue(plan, i, totalSize);
    std::int64_t received = segmentReceived[i];
    const std::int64_t from = plan.start[i] + received;
    TcpSocket socket(quietMilliseconds);
    socket.SetCancelFlag(&stopRequested);
    if (!socket.Connect(address.host, address.port) ||
        !socket.SendAll(RequestHead(address, ranged ? SegmentRangeLine(from, plan.end[i]) : std::string()))) {
        if (!socket.Cancelled()) FailSegment(i, ConnectionEnd(socket, "no answer from ", "cannot connect to "));
        return;
    }
    char head[ReplyHeadBlockSize] = {};
    std::size_t size = 0, bodyStart = 0;
    // A head that does not end within the block, or a reply other than the asked-for range (an
    // error page), writes nothing: the file is never made of reply text.
    if (!ReadReplyHead(socket, head, size, bodyStart)) {
        if (!socket.Cancelled()) FailSegment(i, ConnectionEnd(socket, "no reply from ", "no usable HTTP reply from "));
        return;
    }
    if (!ReplyFitsSegment(ParseReplyHead(std::string_view(head, bodyStart)), from, due - received, i)) return;

    // Bytes are collected into one block and written in one piece when it is full, when the range
    // is whole, when the connection ends or a while after the last write. A short range takes no
    // more memory than it needs.
    const std::size_t blockSize = static_cast<std::size_t>(std::min<std::int64_t>(
        std::max<std::int64_t>(due - received, static_cast<std::int64_t>(ReplyHeadBlockSize)), WriteBlockSize));
    const auto block = std::make_unique<char[]>(blockSize);
    std::size_t filled = 0;
    auto lastWrite = std::chrono::steady_clock::now();
    const auto writeOut = [&] {
        if (filled == 0) return true;
        if (!sideFile.WriteAt(plan.start[i] + received, block.get(), filled)) {
            FailSegment(i, disk::CannotWriteText(SidePathOf(WrittenPath())));
            return false;
        }
        received += static_cast<std::int64_t>(filled);
        filled = 0;
        lastWrite = std::chrono::steady_clock::now();
        segmentReceived[i] = received;
        segmentPermille[i] = SegmentPermille(received, plan.length[i]);
        return true;
    };
    // bytes past the range belong to no part of the file
    const auto take = [&](std::size_t count) {
        const auto wanted = static_cast<std::size_t>(due - received) - filled;
        filled += count < wanted ? count : wanted;
    };
    std::copy(head + bodyStart, head + size, block.get());
    take(size - bodyStart);

    while (received + static_cast<std::int64_t>(filled) < due) {
        if (stopRequested) {
            writeOut();
            return;
        }
        const long count = socket.Receive(block.get() + filled, blockSize - filled);
        if (count <= 0) {
            if (!writeOut() || socket.Cancelled()) return;
            const std::string cause = socket.TimedOut()
                                          ? "nothing from " + HostAndPort(address) + " for " + QuietText()
                                          : "the connection to " + HostAndPort(address) + " ended";
            FailSegment(i, cause + " after " + std::to_string(received) + " of " + std::to_string(due) + " bytes");
            return;
        }
        take(static_cast<std::size_t>(count));
        if (filled == blockSize || std::chrono::steady_clock::now() - lastWrite >= WriteInterval) {
            if (!writeOut()) return;
        }
    }
    writeOut();
}

}  // namespace qivyun
