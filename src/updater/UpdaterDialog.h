#pragma once
// QivYunUpdate's only window: status line, progress bar and speed line over the download of the
// manifest, the updater itself and the main program.
#include "framework/Dialog.h"
#include "framework/Event.h"
#include "framework/Handles.h"
#include "framework/WorkerThread.h"
#include "updater/SegmentedDownloader.h"
#include "updater/UpdateWorker.h"
#include "updater/UpdaterSettings.h"

#include <memory>
#include <string>

namespace qivyun {

inline constexpr wchar_t UpdaterMutexName[] = L"QivYunUpdateFSG";
inline constexpr char UpdaterRunningText[] = "自动更新已经在运行";
inline constexpr char UpToDateText[] = "当前已为最新版本！";
inline constexpr char UpToDateStatusText[] = "正在获取版本信息..........100%";
inline constexpr char UpdaterCaption[] = "QivYunUpdate";

class UpdaterDialog : public DialogImpl<UpdaterDialog> {
public:
    static const MessageMap<UpdaterDialog> messages;
    static constexpr UINT_PTR ProgressTimer = 1;

    explicit UpdaterDialog(UpdaterSettings settings);

    // Ends a copy that runs from elsewhere (or a leftover temporary copy), then holds the single
    // instance mutex.
    void SelfReplaceCheck();
    // The worker's requests, on this window's thread: a download whose progress timer 1 shows and
    // whose end it reports to the worker (a quiet one shows no message of the downloader's); the
    // report that everything is current and the one that the update stopped, which end the program.
    void StartDownload(const std::string& url, const std::string& target, const std::string& sideSuffix = {},
                       bool quiet = false);
    void ReportUpToDate();
    void ReportStopped(const char* text);

    const UpdaterSettings& Settings() const { return settings; }
    SegmentedDownloader& Downloader() { return downloader; }
    const std::string& StatusLine() const { return statusLine; }
    const std::string& SpeedLine() const { return speedLine; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(DataExchange& exchange) override;

private:
    void OnTimer(UINT_PTR id);
    void OnRerunCheck();
    void ShowProgress();

    UpdaterSettings settings;
    SegmentedDownloader downloader;
    // Co-owned by the worker, which may outlive the window.
    std::shared_ptr<Event> downloadEnded = std::make_shared<Event>();
    std::string downloadName;
    bool quietDownload = false;
    WorkerThread worker;
    UniqueHandle instanceMutex;
    DWORD downloadStart = 0;
    std::string statusLine;
    std::string speedLine;
};

}  // namespace qivyun
