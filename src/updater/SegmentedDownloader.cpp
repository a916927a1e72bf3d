#include "updater/SegmentedDownloader.h"

#include "BuildConfig.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace qivyun {
namespace {

bool FileExists(const std::string& path) {
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        std::fclose(file);
        return true;
    }
    return false;
}

std::string ReadWholeFile(const std::string& path) {
    std::string bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        std::size_t count;
        while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
        std::fclose(file);
    }
    return bytes;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string HostAndPort(const Address& address) { return address.host + ":" + std::to_string(address.port); }

// What a socket that failed to connect or to take a request says about the server.
std::string ConnectionFailure(const TcpSocket& socket, const Address& address, const std::string& quietText) {
    return socket.TimedOut() ? "no answer from " + HostAndPort(address) + " within " + quietText
                             : "cannot connect to " + HostAndPort(address);
}

std::int32_t Permille(std::int32_t received, std::int32_t length) {
    if (length <= 0) return 1000;
    return static_cast<std::int32_t>(static_cast<double>(received) * 1000.0 / static_cast<double>(length));
}

}  // namespace

SegmentedDownloader::SegmentedDownloader(MessageSink sink)
    : showMessage(std::move(sink)), quietMilliseconds(config::DownloadQuietSeconds * 1000) {}

std::string SegmentedDownloader::QuietText() const {
    return quietMilliseconds % 1000 == 0 ? std::to_string(quietMilliseconds / 1000) + " s"
                                         : std::to_string(quietMilliseconds) + " ms";
}

SegmentedDownloader::~SegmentedDownloader() {
    for (auto& flag : stopFlag) flag = true;
    Wait();
}

std::int32_t SegmentedDownloader::PermilleSum() const {
    std::int32_t sum = 0;
    for (const auto& permille : segmentPermille) sum += permille.load();
    return sum;
}

std::uint32_t SegmentedDownloader::ReceivedSum() const {
    std::uint32_t sum = 0;
    for (const auto& received : segmentReceived) sum += static_cast<std::uint32_t>(received.load());
    return sum;
}

void SegmentedDownloader::ClearSegmentCounters() {
    for (auto& permille : segmentPermille) permille = 0;
    for (auto& received : segmentReceived) received = 0;
}

void SegmentedDownloader::Wait() {
    if (mergeThread.joinable()) mergeThread.join();
}

std::string SegmentedDownloader::PartPath(int segment) const { return partBase + std::to_string(segment); }

void SegmentedDownloader::DeleteParts() const {
    for (int i = 0; i < segmentCount; ++i) std::remove(PartPath(i).c_str());
}

void SegmentedDownloader::Start(const std::string& url, const std::string& target, int count, const std::string& suffix) {
    Wait();
    ClearSegmentCounters();
    for (auto& base : plan.base) base = 0;
    totalSize = 0;
    outcome = DownloadOutcome::Idle;
    segmentFailed.fill(false);
    failureCause.clear();

    if (!ParseAddress(url, address)) {
        failureCause = "not an address of the form http://host[:port]/path";
        if (showMessage) showMessage(BadAddressText);
        return;
    }
    targetPath = std::string(TrimBlanks(target));
    sideSuffix = suffix;
    segmentCount = count < 1 ? 1 : count > MaxSegments ? MaxSegments : count;
    if (Probe() != 0) return;

    partBase = WrittenPath() + ".down";
    LoadState();
    if (plan.start[0] == NotSplit) plan = SplitSegments(totalSize, segmentCount);

    outcome = DownloadOutcome::Running;
    nextSegment = 0;
    const int threads = ranged ? segmentCount : 1;
    for (int i = 0; i < threads; ++i) {
        stopFlag[i] = false;
        segmentThread[i] = std::thread(&SegmentedDownloader::RunSegment, this);
    }
    mergeThread = std::thread(&SegmentedDownloader::RunMerge, this);
}

// A state file left by StopAndSave resumes the download, as long as it describes this file: the
// same segment count ending at the probed size, with ranges served. Otherwise its parts are stale.
void SegmentedDownloader::LoadState() {
    resumed = false;
    plan.start[0] = NotSplit;
    if (!FileExists(partBase)) return;
    const auto loaded = DecodeSegmentState(ReadWholeFile(partBase), segmentCount);
    std::remove(partBase.c_str());
    if (loaded && ranged && loaded->end[segmentCount - 1] == static_cast<std::int32_t>(totalSize.load())) {
        plan = *loaded;
        resumed = true;
        return;
    }
    DeleteParts();
}

// Receives into the head block until the empty line that ends the head has arrived, the block is
// full or the peer stops sending.
bool SegmentedDownloader::ReadReplyHead(TcpSocket& socket, char* block, std::size_t& size, std::size_t& bodyStart) {
    size = 0;
    bodyStart = NoBodyStart;
    while (size < ReplyHeadBlockSize) {
        const long count = socket.Receive(block + size, ReplyHeadBlockSize - size);
        if (count <= 0) break;
        size += static_cast<std::size_t>(count);
        bodyStart = BodyStart(block, size);
        if (bodyStart != NoBodyStart) return true;
    }
    return false;
}

int SegmentedDownloader::Probe() {
    for (int redirects = 0;; ++redirects) {
        probeSocket.Close();
        probeSocket.SetQuietTime(quietMilliseconds);
        // no connection, or a request that did not go out whole, gets no reply worth reading
        if (!probeSocket.Connect(address.host, address.port) ||
            !probeSocket.SendAll(RequestHead(address, ProbeRangeLine()))) {
            failureCause = ConnectionFailure(probeSocket, address, QuietText());
            probeSocket.Close();
            probeState = ProbeMalformed;
            return 1;
        }
        char block[ReplyHeadBlockSize] = {};
        std::size_t size = 0, bodyStart = 0;
        ReadReplyHead(probeSocket, block, size, bodyStart);
        const bool quiet = probeSocket.TimedOut();
        probeSocket.Close();
        const ReplyHead reply = ParseReplyHead(std::string(block, size) + "\r\n");
        probeState = reply.probeState;
        if (reply.probeState == ProbeServerError) {
            failureCause = "HTTP status " + std::to_string(reply.status);
            if (showMessage) showMessage(ServerErrorText);
            return 1;
        }
        if (reply.probeState == ProbeMalformed) {
            failureCause = quiet ? "no reply from " + HostAndPort(address) + " within " + QuietText()
                                 : "no usable HTTP reply from " + HostAndPort(address);
            return 1;
        }
        if (reply.probeState == ProbeRedirected) {
            if (redirects >= MaxRedirects) {
                failureCause = "more than " + std::to_string(MaxRedirects) + " redirects";
                probeState = ProbeMalformed;
                return 1;
            }
            targetPath = RedirectTargetPath(targetPath, reply.location);
            address = reply.redirect;
            continue;
        }
        ranged = reply.status == 206;
        totalSize = static_cast<std::uint32_t>(reply.contentLength + (ranged ? ProbeOffset : 0));
        return 0;
    }
}

void SegmentedDownloader::RunSegment() {
    const int i = nextSegment.fetch_add(1);
    if (plan.start[i] == FinishedSegment) {
        segmentPermille[i] = 1000;
        segmentReceived[i] = plan.length[i];
        return;
    }
    segmentReceived[i] = 0;
    const std::int64_t due = ranged ? SegmentBytesDue(plan, i, totalSize) : std::int64_t{totalSize.load()};
    const auto fail = [this, i](std::string cause) {
        segmentFailed[i] = true;
        segmentFailure[i] = std::move(cause);
    };

    TcpSocket socket(quietMilliseconds);
    if (!socket.Connect(address.host, address.port) ||
        !socket.SendAll(RequestHead(address, ranged ? SegmentRangeLine(plan.start[i], plan.end[i]) : std::string())))
        return fail(ConnectionFailure(socket, address, QuietText()));
    char head[ReplyHeadBlockSize] = {};
    std::size_t size = 0, bodyStart = 0;
    // A head that does not end within the block, or a reply other than the asked-for range (an
    // error page), writes nothing: the file is never made of reply text.
    if (!ReadReplyHead(socket, head, size, bodyStart)) {
        return fail(socket.TimedOut() ? "no reply from " + HostAndPort(address) + " within " + QuietText()
                                      : "no usable HTTP reply from " + HostAndPort(address));
    }
    const int status = ParseReplyHead(std::string_view(head, bodyStart)).status;
    if (status != (ranged ? 206 : 200)) return fail("HTTP status " + std::to_string(status) + " for a part of the file");

    File part(std::fopen(PartPath(i).c_str(), resumed ? "ab" : "wb"));
    if (!part) return fail("cannot write " + PartPath(i));
    if (!ranged) plan.length[0] = static_cast<std::int32_t>(totalSize.load());

    std::int64_t written = 0;
    std::string cause;
    const auto append = [&](const char* bytes, std::size_t count) {
        // bytes beyond the asked-for range mean the server sent something else
        if (written + static_cast<std::int64_t>(count) > due) {
            cause = "more bytes than asked for from " + HostAndPort(address);
            return false;
        }
        if (std::fwrite(bytes, 1, count, part.get()) != count) {
            cause = "cannot write " + PartPath(i);
            return false;
        }
        written += static_cast<std::int64_t>(count);
        segmentReceived[i] = static_cast<std::int32_t>(written) + plan.base[i];
        segmentPermille[i] = Permille(segmentReceived[i], plan.length[i]);
        return true;
    };
    bool intact = append(head + bodyStart, size - bodyStart);

    std::vector<char> block(ReceiveBlockSize);
    while (intact) {
        if (stopFlag[i]) {
            plan.start[i] += static_cast<std::int32_t>(written);
            plan.base[i] += static_cast<std::int32_t>(written);
            return;
        }
        const long count = socket.Receive(block.data(), block.size());
        if (count <= 0) {
            if (written < due)
                cause = (socket.TimedOut() ? "nothing from " + HostAndPort(address) + " for " + QuietText()
                                           : "the connection to " + HostAndPort(address) + " ended") +
                        " after " + std::to_string(written) + " of " + std::to_string(due) + " bytes";
            break;
        }
        intact = append(block.data(), static_cast<std::size_t>(count));
    }
    part.reset();
    socket.Close();
    if (intact && written == due) {
        plan.start[i] = FinishedSegment;
        return;
    }
    // what did arrive stays counted, so a state kept by a later stop resumes after it
    plan.start[i] += static_cast<std::int32_t>(written);
    plan.base[i] += static_cast<std::int32_t>(written);
    fail(cause);
}

void SegmentedDownloader::RunMerge() {
    const int threads = ranged ? segmentCount : 1;
    for (int i = 0; i < threads; ++i) segmentThread[i].join();
    for (int i = 0; i < threads; ++i) {
        if (stopFlag[i]) {
            outcome = DownloadOutcome::Stopped;
            return;
        }
    }
    // A segment that broke off or was answered with something else leaves no target: a short file
    // is never passed off as the download.
    for (int i = 0; i < threads; ++i) {
        if (segmentFailed[i]) {
            DeleteParts();
            failureCause = segmentFailure[i];
            outcome = DownloadOutcome::Failed;
            return;
        }
    }
    const std::string writtenPath = WrittenPath();
    File target(std::fopen(writtenPath.c_str(), "wb"));
    bool merged = target != nullptr;
    std::vector<char> block(ReceiveBlockSize);
    for (int i = 0; i < threads; ++i) {
        if (File part{std::fopen(PartPath(i).c_str(), "rb")}) {
            std::size_t count;
            while (merged && (count = std::fread(block.data(), 1, block.size(), part.get())) > 0)
                merged = std::fwrite(block.data(), 1, count, target.get()) == count;
        } else {
            merged = false;
        }
        std::remove(PartPath(i).c_str());
    }
    if (target && std::fclose(target.release()) != 0) merged = false;
    if (ranged) std::remove(partBase.c_str());
    if (!merged) {
        std::remove(writtenPath.c_str());
        failureCause = "cannot write " + writtenPath;
    }
    outcome = merged ? DownloadOutcome::Complete : DownloadOutcome::Failed;
}

void SegmentedDownloader::StopAndSave() {
    for (auto& flag : stopFlag) flag = true;
    Wait();
    // Only a download that the stop really interrupted has a state worth keeping.
    if (outcome == DownloadOutcome::Stopped) WriteWholeFile(partBase, EncodeSegmentState(plan, segmentCount));
}

}  // namespace qivyun
