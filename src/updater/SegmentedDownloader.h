#pragma once
// Fetches one file over HTTP/1.1 into a local path: a probe from byte 100 (ProbeOffset) on tells the size,
// whether ranges are served and where a redirect leads; then each byte range streams on its own
// thread and connection into a part file next to the target, and a merge thread joins the parts
// into the target once every range has ended.
#include "updater/HttpReply.h"
#include "updater/SegmentPlan.h"
#include "updater/TcpSocket.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace qivyun {

inline constexpr char BadAddressText[] = "更新Url地址错误";
inline constexpr char ServerErrorText[] = "服务器连接出现错误！请间隔一段时间重试";

// Redirects followed by one probe before it gives up.
inline constexpr int MaxRedirects = 8;
// Body bytes are received in blocks of this size.
inline constexpr std::size_t ReceiveBlockSize = 64 * 1024;

enum class DownloadOutcome : int { Idle, Running, Complete, Failed, Stopped };

class SegmentedDownloader {
public:
    // Where the two messages of a bad address and a server error go (a message box in the updater).
    using MessageSink = std::function<void(const char* text)>;
    explicit SegmentedDownloader(MessageSink showMessage = {});
    ~SegmentedDownloader();
    SegmentedDownloader(const SegmentedDownloader&) = delete;
    SegmentedDownloader& operator=(const SegmentedDownloader&) = delete;

    // How long a connection may stay quiet (connecting, before the reply head, within the body)
    // before the download gives up; the build's setting at first. Set it between downloads.
    void SetQuietTime(int milliseconds) { quietMilliseconds = milliseconds; }

    // Probes on the caller's thread, then returns while the segments download. Waits first for a
    // download still merging. With a side suffix the file is written to the target's path with the
    // suffix added (a redirect still names the target), so that nothing is written over an
    // existing file of the target's name.
    void Start(const std::string& url, const std::string& target, int segmentCount, const std::string& sideSuffix = {});
    // Stops every segment and keeps the part files and the state file for the next Start.
    void StopAndSave();
    // Blocks until the merge thread of the last Start has ended.
    void Wait();

    // Counters of the running download, readable from any thread.
    std::uint32_t TotalSize() const { return totalSize.load(); }
    std::int32_t PermilleSum() const;
    std::uint32_t ReceivedSum() const;
    std::int32_t SegmentPermille(int segment) const { return segmentPermille[segment].load(); }
    std::int32_t SegmentReceived(int segment) const { return segmentReceived[segment].load(); }
    void ClearSegmentCounters();

    // Idle before any Start and after a failed probe; Running until the merge thread ends.
    DownloadOutcome Outcome() const { return outcome.load(); }
    bool Ranged() const { return ranged; }
    bool Resumed() const { return resumed; }
    int LastProbeState() const { return probeState; }
    const std::string& TargetPath() const { return targetPath; }
    // Where the file is written: the target's path and the side suffix.
    std::string WrittenPath() const { return targetPath + sideSuffix; }
    const Address& CurrentAddress() const { return address; }
    const SegmentPlan& Plan() const { return plan; }
    // Why the last download did not complete, in a few English words for logs and the command
    // line ("cannot connect to HOST:PORT", "HTTP status 404", ...); empty when it did.
    const std::string& FailureCause() const { return failureCause; }

private:
    int Probe();
    bool ReadReplyHead(TcpSocket& socket, char* block, std::size_t& size, std::size_t& bodyStart);
    void LoadState();
    void RunSegment();
    void RunMerge();
    std::string PartPath(int segment) const;
    std::string QuietText() const;
    void DeleteParts() const;

    MessageSink showMessage;
    Address address;
    std::string targetPath;
    std::string sideSuffix;
    int segmentCount = 0;
    TcpSocket probeSocket;
    std::atomic<std::uint32_t> totalSize{0};
    std::array<std::atomic<std::int32_t>, MaxSegments> segmentPermille{};
    std::array<std::atomic<std::int32_t>, MaxSegments> segmentReceived{};
    bool ranged = false;
    std::string partBase;
    bool resumed = false;
    // Each segment thread writes only its own entries; the merge reads them after joining.
    SegmentPlan plan;
    std::array<bool, MaxSegments> segmentFailed{};
    std::array<std::string, MaxSegments> segmentFailure;
    std::string failureCause;
    int quietMilliseconds;
    std::array<std::thread, MaxSegments> segmentThread;
    std::thread mergeThread;
    std::array<std::atomic<bool>, MaxSegments> stopFlag{};
    std::atomic<int> nextSegment{0};
    int probeState = 0;
    std::atomic<DownloadOutcome> outcome{DownloadOutcome::Idle};
};

}  // namespace qivyun
