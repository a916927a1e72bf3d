#pragma once
// Fetches one file over HTTP/1.1 into a local path: a probe from byte 100 (ProbeOffset) on tells the
// size, whether ranges are served, where a redirect leads and which version of the file it is; then
// each byte range streams on its own thread and connection straight to its place in one side file
// made at full size beside the target, which takes the target's name once every range is whole.
// An interrupted download keeps the side file and a small record of how far each range got, so that
// the next download of the same address to the same target continues there.
#include "updater/DiskFile.h"
#include "updater/HttpReply.h"
#include "updater/SegmentPlan.h"
#include "updater/TcpSocket.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace qivyun {

inline constexpr char BadAddressText[] = "更新Url地址错误";
inline constexpr char ServerErrorText[] = "服务器连接出现错误！请间隔一段时间重试";

// Redirects followed by one probe before it gives up.
inline constexpr int MaxRedirects = 8;
// A segment collects body bytes up to this many before it writes them in one piece.
inline constexpr std::size_t WriteBlockSize = 1024 * 1024;

// The failure cause of a download that was asked to stop.
inline constexpr char StoppedText[] = "stopped";

enum class DownloadOutcome : int { Idle, Running, Complete, Failed, Stopped };

struct DownloadOptions {
    // Byte ranges fetched at once (1..10) when the server serves ranges.
    int segmentCount = 4;
    // Added to the target's path for the finished file, so that nothing is written over an existing
    // file of the target's name (a redirect still names the target).
    std::string sideSuffix;
    // Continue from the record an interrupted download of the same address left, where the server
    // still has the same file; otherwise (and without this) start over.
    bool resume = false;
    // A redirect leaves the target's name as given, instead of taking the location's file name.
    bool keepTargetName = false;
};

// The side file and the record that a download to `writtenPath` keeps until it is whole.
std::string SidePathOf(const std::string& writtenPath);
std::string RecordPathOf(const std::string& writtenPath);
// Removes a downloaded file together with whatever a download of it kept for resuming.
void DiscardDownload(const std::string& writtenPath);

class SegmentedDownloader {
public:
    // Where the two messages of a bad address and a server error go (a message box in the updater).
    using MessageSink = std::function<void(const char* text)>;
    explicit SegmentedDownloader(MessageSink showMessage = {});
    // Stops a running download and keeps what resuming it needs.
    ~SegmentedDownloader();
    SegmentedDownloader(const SegmentedDownloader&) = delete;
    SegmentedDownloader& operator=(const SegmentedDownloader&) = delete;

    // How long a connection may stay quiet (connecting, before the reply head, within the body)
    // before the download gives up; the build's setting at first. Set it between downloads.
    void SetQuietTime(int milliseconds) { quietMilliseconds = milliseconds; }

    // Probes on the caller's thread, then returns while the segments download. Waits first for the
    // end of the last download.
    void Start(const std::string& url, const std::string& target, const DownloadOptions& options = {});
    // Asks the download (or the probe under way) to stop and keep what resuming needs; returns at
    // once and may be called from any thread.
    void RequestStop();
    // Stops every segment, keeps the side file and its record for a later Start, and waits.
    void StopAndSave();
    // Blocks until the download of the last Start has ended.
    void Wait();
    // Waits at most `milliseconds` for the end of the download; true when it has ended.
    bool WaitFor(int milliseconds);

    // Counters of the running download, readable from any thread.
    std::int64_t TotalSize() const { return totalSize.load(); }
    std::int32_t PermilleSum() const;
    std::int64_t ReceivedSum() const;
    void ClearSegmentCounters();

    // Idle before any Start and after a failed probe; Running until every segment has ended.
    DownloadOutcome Outcome() const { return outcome.load(); }
    bool Ranged() const { return ranged; }
    // The last Start continued an interrupted download.
    bool Resumed() const { return resumed; }
    int LastProbeState() const { return probeState; }
    // The last Start refused its address before asking anyone.
    bool AddressRefused() const { return addressRefused; }
    const std::string& TargetPath() const { return targetPath; }
    // Where the finished file is: the target's path and the side suffix.
    std::string WrittenPath() const { return targetPath + options.sideSuffix; }
    const SegmentPlan& Plan() const { return plan; }
    // Why the last download did not complete, in a few English words for logs and the command
    // line ("cannot connect to HOST:PORT", "HTTP status 404", ...); empty when it did.
    const std::string& FailureCause() const { return failureCause; }

private:
    int Probe();
    void KeepShortProbeBody(const ReplyHead& reply, const char* early, std::size_t earlyCount);
    bool ReadReplyHead(TcpSocket& socket, char* block, std::size_t& size, std::size_t& bodyStart);
    bool PrepareSideFile();
    bool TakeUpRecord();
    void RunSegment(int segment);
    // What a segment's reply head must say for its body to belong at the segment's place.
    bool ReplyFitsSegment(const ReplyHead& reply, std::int64_t from, std::int64_t asked, int segment);
    void FailSegment(int segment, std::string cause, bool discardParts = false);
    void RunKeeper();
    void FinishDownload();
    void SaveRecord();
    std::string QuietText() const;
    std::string ConnectionEnd(const TcpSocket& socket, const char* whenQuiet, const char* otherwise) const;

    MessageSink showMessage;
    Address address;
    std::string requestedUrl;
    std::string targetPath;
    DownloadOptions options;
    TcpSocket probeSocket;
    std::atomic<std::int64_t> totalSize{0};
    std::array<std::atomic<std::int32_t>, MaxSegments> segmentPermille{};
    // Bytes of each segment on disk, this run's and earlier runs'.
    std::array<std::atomic<std::int64_t>, MaxSegments> segmentReceived{};
    bool ranged = false;
    bool resumed = false;
    bool addressRefused = false;
    std::string etag;
    std::string lastModified;
    // The body of a short probe reply, which belongs at probeBodyOffset.
    std::string probeBody;
    std::int64_t probeBodyOffset = 0;
    SegmentPlan plan;
    DiskFile sideFile;
    // Each segment thread writes only its own entries; the keeper reads them after joining.
    std::array<bool, MaxSegments> segmentFailed{};
    std::array<std::string, MaxSegments> segmentFailure;
    // The parts on disk are not the file's (it changed on the server): nothing of them is kept.
    std::atomic<bool> discardParts{false};
    std::string failureCause;
    int quietMilliseconds;
    std::array<std::thread, MaxSegments> segmentThread;
    std::thread keeperThread;
    std::atomic<bool> stopRequested{false};
    std::mutex segmentsMutex;
    std::condition_variable segmentEnded;
    int segmentsRunning = 0;
    std::mutex endMutex;
    std::condition_variable downloadEnded;
    int probeState = 0;
    std::atomic<DownloadOutcome> outcome{DownloadOutcome::Idle};
};

}  // namespace qivyun
