#include "updater/SegmentedDownloader.h"

#include "BuildConfig.h"

#include <algorithm>
#include <vector>

namespace qivyun {
namespace {

// The probe reads the reply head, and the body only when it is short enough to save the ranges it
// holds a connection each: a receive buffer of that size keeps the server from sending much more of
// a large body before the connection is closed.
constexpr std::int64_t ProbeKeepsBodiesUpTo = 64 * 1024;
constexpr int ProbeReceiveBuffer = static_cast<int>(ProbeKeepsBodiesUpTo);
// How often a running download writes down how far it got, for a process that is killed.
constexpr auto RecordInterval = std::chrono::seconds(1);
constexpr std::size_t RecordSizeLimit = 64 * 1024;

}  // namespace

std::string SidePathOf(const std::string& writtenPath) { return writtenPath + ".down"; }
std::string RecordPathOf(const std::string& writtenPath) { return SidePathOf(writtenPath) + ".state"; }

void DiscardDownload(const std::string& writtenPath) {
    disk::Remove(RecordPathOf(writtenPath));
    disk::Remove(SidePathOf(writtenPath));
    disk::Remove(writtenPath);
}

SegmentedDownloader::SegmentedDownloader(MessageSink sink)
    : showMessage(std::move(sink)), quietMilliseconds(config::DownloadQuietSeconds * 1000) {
    static_assert(std::atomic<std::int64_t>::is_always_lock_free, "the counters are read without locks");
}

SegmentedDownloader::~SegmentedDownloader() { StopAndSave(); }

std::string SegmentedDownloader::QuietText() const {
    return quietMilliseconds % 1000 == 0 ? std::to_string(quietMilliseconds / 1000) + " s"
                                         : std::to_string(quietMilliseconds) + " ms";
}

// Why a connection gave up: the download was stopped, the server stayed quiet ("no answer from
// HOST:PORT within 30 s"), or what `otherwise` says of the server.
std::string SegmentedDownloader::ConnectionEnd(const TcpSocket& socket, const char* whenQuiet, const char* otherwise) const {
    if (socket.Cancelled()) return StoppedText;
    if (socket.TimedOut()) return whenQuiet + HostAndPort(address) + " within " + QuietText();
    return otherwise + HostAndPort(address);
}

std::int32_t SegmentedDownloader::PermilleSum() const {
    std::int32_t sum = 0;
    for (const auto& permille : segmentPermille) sum += permille.load();
    return sum;
}

std::int64_t SegmentedDownloader::ReceivedSum() const {
    std::int64_t sum = 0;
    for (const auto& received : segmentReceived) sum += received.load();
    return sum;
}

void SegmentedDownloader::ClearSegmentCounters() {
    for (auto& permille : segmentPermille) permille = 0;
    for (auto& received : segmentReceived) received = 0;
}

void SegmentedDownloader::RequestStop() { stopRequested = true; }

void SegmentedDownloader::StopAndSave() {
    RequestStop();
    Wait();
}

void SegmentedDownloader::Wait() {
    if (keeperThread.joinable()) keeperThread.join();
}

bool SegmentedDownloader::WaitFor(int milliseconds) {
    std::unique_lock lock(endMutex);
    return downloadEnded.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                  [this] { return outcome != DownloadOutcome::Running; });
}

void SegmentedDownloader::Start(const std::string& url, const std::string& target, const DownloadOptions& given) {
    Wait();
    ClearSegmentCounters();
    totalSize = 0;
    outcome = DownloadOutcome::Idle;
    stopRequested = false;
    discardParts = false;
    segmentFailed.fill(false);
    failureCause.clear();
    resumed = false;
    ranged = false;
    etag.clear();
    lastModified.clear();
    sideFile.Close();

    requestedUrl = std::string(TrimBlanks(url));
    addressRefused = ParseAddress(requestedUrl, address) != AddressProblem::None;
    if (addressRefused) {
        failureCause = DescribeAddressProblem(requestedUrl);
        if (showMessage) showMessage(BadAddressText);
        return;
    }
    targetPath = std::string(TrimBlanks(target));
    options = given;
    options.segmentCount = std::clamp(options.segmentCount, 1, MaxSegments);
    if (Probe() != 0) return;

    outcome = DownloadOutcome::Running;
    if (!PrepareSideFile()) {
        failureCause = disk::CannotWriteText(SidePathOf(WrittenPath()));
        std::lock_guard lock(endMutex);
        outcome = DownloadOutcome::Failed;
        return;
    }
    // a range already whole (from an earlier run, or of no bytes in a tiny file) needs no connection
    std::vector<int> pending;
    for (int i = 0; i < plan.count; ++i)
        if (segmentReceived[i] < SegmentBytesDue(plan, i, totalSize)) pending.push_back(i);
    segmentsRunning = static_cast<int>(pending.size());
    for (const int i : pending) segmentThread[i] = std::thread(&SegmentedDownloader::RunSegment, this, i);
    keeperThread = std::thread(&SegmentedDownloader::RunKeeper, this);
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
    // a server that refuses the range without telling the size is asked once more for the whole file
    bool withoutRange = false;
    for (int redirects = 0;;) {
        probeSocket.Close();
        probeSocket.SetQuietTime(quietMilliseconds);
        probeSocket.SetCancelFlag(&stopRequested);
        probeSocket.LimitReceiveBuffer(ProbeReceiveBuffer);
        probeState = ProbeMalformed;
        // no connection, or a request that did not go out whole, gets no reply worth reading
        if (!probeSocket.Connect(address.host, address.port) ||
            !probeSocket.SendAll(RequestHead(address, withoutRange ? std::string() : ProbeRangeLine()))) {
            failureCause = ConnectionEnd(probeSocket, "no answer from ", "cannot connect to ");
            probeSocket.Close();
            return 1;
        }
        char block[ReplyHeadBlockSize] = {};
        std::size_t size = 0, bodyStart = 0;
        ReadReplyHead(probeSocket, block, size, bodyStart);
        const ReplyHead reply = ParseReplyHead(std::string(block, size) + "\r\n");
        probeBody.clear();
        if (reply.probeState == ProbeSizeKnown && reply.status < 300) KeepShortProbeBody(reply, block + bodyStart, size - bodyStart);
        probeSocket.Close();
        if (reply.status == 416 && reply.probeState == ProbeServerError && !withoutRange) {
            withoutRange = true;
            continue;
        }
        probeState = reply.probeState;
        if (reply.probeState == ProbeServerError) {
            failureCause = "HTTP status " + std::to_string(reply.status);
            if (showMessage) showMessage(ServerErrorText);
            return 1;
        }
        if (reply.probeState == ProbeMalformed) {
            failureCause = reply.redirectProblem != AddressProblem::None
                               ? "redirect to " + reply.location + ": " + DescribeAddressProblem(reply.location)
                               : ConnectionEnd(probeSocket, "no reply from ", "no usable HTTP reply from ");
            return 1;
        }
        if (reply.probeState == ProbeRedirected) {
            if (++redirects > MaxRedirects) {
                failureCause = "more than " + std::to_string(MaxRedirects) + " redirects";
                probeState = ProbeMalformed;
                return 1;
            }
            if (!options.keepTargetName) targetPath = RedirectTargetPath(targetPath, reply.location);
            address = reply.redirect;
            withoutRange = false;
            continue;
        }
        ranged = reply.status == 206 || reply.status == 416;
        if (reply.status == 416) totalSize = reply.fileSize;
        else if (ranged) totalSize = reply.fileSize != UnknownSize ? reply.fileSize : reply.contentLength + ProbeOffset;
        else totalSize = reply.contentLength;
        etag = reply.etag;
        lastModified = reply.lastModified;
        return 0;
    }
}

// A short body arrives whole on the probe's connection; one that breaks off is left to the segments.
void SegmentedDownloader::KeepShortProbeBody(const ReplyHead& reply, const char* early, std::size_t earlyCount) {
    const std::int64_t first = reply.status == 200 ? 0 : reply.rangeFirst == UnknownSize ? ProbeOffset : reply.rangeFirst;
    if (reply.contentLength > ProbeKeepsBodiesUpTo || (reply.status == 206 && first != ProbeOffset)) return;
    const auto length = static_cast<std::size_t>(reply.contentLength);
    probeBody.assign(early, std::min(earlyCount, length));
    char block[16 * 1024];
    while (probeBody.size() < length) {
        const long count = probeSocket.Receive(block, std::min(sizeof block, length - probeBody.size()));
        if (count <= 0) return probeBody.clear();
        probeBody.append(block, static_cast<std::size_t>(count));
    }
    probeBodyOffset = first;
}

// The side file holds every range at its place. A record of an interrupted download of this very
// file lets it go on from there; anything else left under these names is made anew, with what the
// probe brought already in it: a range that lies within it needs no connection of its own.
bool SegmentedDownloader::PrepareSideFile() {
    if (options.resume && ranged && TakeUpRecord()) return resumed = true;
    const std::string written = WrittenPath();
    disk::Remove(RecordPathOf(written));
    plan = SplitSegments(totalSize, ranged ? options.segmentCount : 1);
    sideFile = DiskFile::CreateAtSize(SidePathOf(written), totalSize);
    if (!sideFile.IsOpen()) return false;
    if (probeBody.empty()) return true;
    if (!sideFile.WriteAt(probeBodyOffset, probeBody.data(), probeBody.size())) return false;
    const std::int64_t bodyEnd = probeBodyOffset + static_cast<std::int64_t>(probeBody.size());
    for (int i = 0; i < plan.count; ++i) {
        if (plan.start[i] < probeBodyOffset || plan.start[i] >= bodyEnd) continue;
        segmentReceived[i] = std::min(SegmentBytesDue(plan, i, totalSize), bodyEnd - plan.start[i]);
        segmentPermille[i] = SegmentPermille(segmentReceived[i], plan.length[i]);
    }
    return true;
}

// The record must be of the same address, and the server must still report the same size and the
// same validators; the side file must still have its full size.
bool SegmentedDownloader::TakeUpRecord() {
    const std::string written = WrittenPath();
    const auto text = disk::ReadSmall(RecordPathOf(written), RecordSizeLimit);
    const auto record = text ? DecodeDownloadRecord(*text) : std::nullopt;
    if (!record || record->address != requestedUrl || record->size != totalSize || record->etag != etag ||
        record->lastModified != lastModified)
        return false;
    DiskFile side = DiskFile::OpenExisting(SidePathOf(written));
    if (side.Size() != totalSize) return false;
    sideFile = std::move(side);
    plan = record->plan;
    for (int i = 0; i < plan.count; ++i) {
        segmentReceived[i] = record->received[i];
        segmentPermille[i] = SegmentPermille(record->received[i], plan.length[i]);
    }
    return true;
}

// What is on disk is flushed before the record claims it, so that the record never runs ahead of
// the file.
void SegmentedDownloader::SaveRecord() {
    DownloadRecord record{requestedUrl, totalSize, etag, lastModified, plan, {}};
    for (int i = 0; i < plan.count; ++i) record.received[i] = segmentReceived[i];
    sideFile.Flush();
    disk::ReplaceWhole(RecordPathOf(WrittenPath()), EncodeDownloadRecord(record));
}

// Writes the record down while the segments run, then finishes the download once they have ended.
void SegmentedDownloader::RunKeeper() {
    {
        std::unique_lock lock(segmentsMutex);
        while (!segmentEnded.wait_for(lock, RecordInterval, [this] { return segmentsRunning == 0; })) {
            if (!ranged) continue;
            lock.unlock();
            SaveRecord();
            lock.lock();
        }
    }
    for (auto& thread : segmentThread)
        if (thread.joinable()) thread.join();
    FinishDownload();
}

// A whole file takes its name. An incomplete one keeps its side file and record where it can be
// continued: ranges served, something on disk, and nothing that shows the parts to be another file's.
void SegmentedDownloader::FinishDownload() {
    const std::string written = WrittenPath();
    bool whole = true;
    std::int64_t onDisk = 0;
    for (int i = 0; i < plan.count; ++i) {
        whole &= segmentReceived[i] == SegmentBytesDue(plan, i, totalSize);
        onDisk += segmentReceived[i];
    }
    for (int i = 0; i < plan.count; ++i) {
        if (segmentFailed[i] && failureCause.empty()) failureCause = segmentFailure[i];
    }
    DownloadOutcome ending = DownloadOutcome::Complete;
    if (whole && failureCause.empty()) {
        const bool closed = sideFile.Close();
        if (!closed || !disk::Rename(SidePathOf(written), written)) {
            failureCause = disk::CannotWriteText(written);
            disk::Remove(SidePathOf(written));
            ending = DownloadOutcome::Failed;
        }
        disk::Remove(RecordPathOf(written));
    } else {
        const bool failed = !failureCause.empty() || discardParts;
        if (failureCause.empty()) failureCause = StoppedText;
        ending = failed ? DownloadOutcome::Failed : DownloadOutcome::Stopped;
        if (ranged && !discardParts && onDisk > 0) {
            SaveRecord();
            sideFile.Close();
        } else {
            sideFile.Close();
            disk::Remove(RecordPathOf(written));
            disk::Remove(SidePathOf(written));
        }
    }
    std::lock_guard lock(endMutex);
    outcome = ending;
    downloadEnded.notify_all();
}

}  // namespace qivyun
