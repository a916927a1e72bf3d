#pragma once
// QivYunUpdate's only window: status line, progress bar and speed line over the download of the
// manifest, the updater itself and the main program.
#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "framework/WorkerThread.h"
#include "updater/SegmentedDownloader.h"
#include "updater/UpdateRequest.h"

#include <string>

namespace qivyun {

inline constexpr char UpdaterMutexName[] = "QivYunUpdateFSG";
inline constexpr char UpdaterRunningText[] = "自动更新已经在运行";
inline constexpr char UpToDateText[] = "当前已为最新版本！";
inline constexpr char UpToDateStatusText[] = "正在获取版本信息..........100%";
inline constexpr char UpdaterCaption[] = "QivYunUpdate";
inline constexpr char UpdaterFileName[] = "QivYunUpdate.exe";
inline constexpr char UpdaterTempFileName[] = "QivYunUpdate_Tmp.exe";
inline constexpr char PlayerFileName[] = "QivYunPlay.exe";

// Where the updater finds its files: the running executable, the current directory, the
// manifest's local copy and its address on the update server.
struct UpdaterSettings {
    std::string ownPath;
    std::string currentDirectory;
    std::string manifestPath;
    std::string manifestAddress;
    static UpdaterSettings ForThisProcess();
};

class UpdaterDialog : public DialogImpl<UpdaterDialog> {
public:
    static const MessageMap<UpdaterDialog> messages;
    static constexpr UINT_PTR ProgressTimer = 1;
    static constexpr UINT_PTR RequestTimer = 2;

    explicit UpdaterDialog(UpdaterSettings settings);

    // Ends a copy that runs from elsewhere (or a leftover temporary copy), then holds the single
    // instance mutex.
    void SelfReplaceCheck();
    // Timer 2: starts a download that the worker asked for.
    void StartRequestedDownload();

    const UpdaterSettings& Settings() const { return settings; }
    UpdateRequest& Request() { return request; }
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
    void ReportUpToDate();

    UpdaterSettings settings;
    UpdateRequest request;
    SegmentedDownloader downloader;
    WorkerThread worker;
    UniqueHandle instanceMutex;
    DWORD downloadStart = 0;
    bool upToDateReported = false;
    std::string statusLine;
    std::string speedLine;
};

// The worker: manifest, updater, main program, in that order; ends the process or raises upToDate.
unsigned UpdateWorker(UpdaterDialog& dialog);

// Ends every running process whose executable file name equals the file-name part of `path`
// (ignoring case), with the right to terminate only.
void EndRunningCopies(const std::string& path);

}  // namespace qivyun
