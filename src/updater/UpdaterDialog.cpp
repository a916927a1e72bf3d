#include "updater/UpdaterDialog.h"

#include "common/CodePage.h"
#include "framework/SystemCalls.h"
#include "skin/SkinEngine.h"
#include "updater/DiskFile.h"
#include "updater/DownloadProgress.h"
#include "updater/UpdaterResourceIds.h"

#include <commctrl.h>

namespace qivyun {

const MessageMap<UpdaterDialog> UpdaterDialog::messages = {
    OnMessage(WM_TIMER, &UpdaterDialog::OnTimer),
    OnClick(IDC_RERUN_CHECK, &UpdaterDialog::OnRerunCheck),
};

UpdaterDialog::UpdaterDialog(UpdaterSettings updaterSettings)
    : DialogImpl(IDD_UPDATER_DIALOG),
      settings(std::move(updaterSettings)),
      downloader([this](const char* text) {
          if (!quietDownload) ShowMessageBox(Handle(), text, UpdaterCaption, MB_OK);
      }) {}

void UpdaterDialog::DoDataExchange(DataExchange& exchange) {
    exchange.Text(IDC_STATUS_LINE, statusLine);
    exchange.Text(IDC_SPEED_LINE, speedLine);
}

bool UpdaterDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    SelfReplaceCheck();
    SetWindowPos(Handle(), nullptr, 0, 0, 500, 200, SWP_NOZORDER);
    MoveItem(IDC_STATUS_LINE, 32, 45, 440, 16);
    MoveItem(IDC_PROGRESS, 30, 65, 440, 12);
    MoveItem(IDC_SPEED_LINE, 32, 90, 440, 16);
    SendDlgItemMessageW(Handle(), IDC_PROGRESS, PBM_SETRANGE32, 0, ProgressRange);
    SendDlgItemMessageW(Handle(), IDC_PROGRESS, PBM_SETPOS, 200, 0);
    skin::LoadSkinFromResource(MAKEINTRESOURCEA(IDR_UPDATER_SKIN), "ZOR", "", 0, 0, 0);
    UpdateWorkerWindow window{
        Gate(),
        [this](const std::string& url, const std::string& target, const std::string& sideSuffix, bool quiet) {
            StartDownload(url, target, sideSuffix, quiet);
        },
        downloadEnded,
        [this] { ReportUpToDate(); },
        [this](const char* text) { ReportStopped(text); },
    };
    worker.Start([window, settings = settings] { return UpdateWorker(window, settings); });
    return true;
}

void UpdaterDialog::SelfReplaceCheck() {
    const std::string properPath = settings.currentDirectory + "\\" + UpdaterFileName;
    const std::string temporaryPath = settings.currentDirectory + "\\" + UpdaterTempFileName;
    if (lstrcmpiW(WideFromUtf8(settings.ownPath).c_str(), WideFromUtf8(properPath).c_str()) == 0) {
        if (disk::Exists(temporaryPath)) {
            EndRunningCopies(temporaryPath);
            Sleep(500);
            disk::Remove(temporaryPath);
        }
    } else {
        // the running file is a downloaded temporary copy, or the updater was started elsewhere
        EndRunningCopies(properPath);
        Sleep(500);
        disk::Remove(properPath);
        CopyFileW(WideFromUtf8(settings.ownPath).c_str(), WideFromUtf8(properPath).c_str(), FALSE);
        Sleep(500);
        StartProgram(properPath);
        EndProcess(0);
        return;
    }
    UniqueHandle mutex(CreateMutexW(nullptr, TRUE, UpdaterMutexName));
    const bool alreadyRunning = mutex && GetLastError() == ERROR_ALREADY_EXISTS;
    if (!alreadyRunning) {
        // the first check keeps the mutex for the whole run; a repeated one lets its copy go
        if (!instanceMutex) instanceMutex = std::move(mutex);
        return;
    }
    ShowMessageBox(Handle(), UpdaterRunningText, UpdaterCaption, MB_OK);
    mutex.Reset();
    EndProcess(0);
}

void UpdaterDialog::OnRerunCheck() { SelfReplaceCheck(); }

// The probe runs here, on the window's thread, before the segments go on by themselves. A program
// arrives beside its place and is checked by its digests before it is used, so an interrupted one
// may go on where it stopped.
void UpdaterDialog::StartDownload(const std::string& url, const std::string& target, const std::string& sideSuffix,
                                  bool quiet) {
    quietDownload = quiet;
    DownloadOptions options;
    options.sideSuffix = sideSuffix;
    options.resume = !sideSuffix.empty();
    downloader.Start(url, target, options);
    // The status line is GBK text; the file names the updater downloads are its own, in ASCII.
    downloadName = GbkFromUtf8(FileNameOfPath(target, true));
    downloadStart = GetTickCount();
    SetTimer(ProgressTimer, 150);
}

void UpdaterDialog::OnTimer(UINT_PTR id) {
    if (id == ProgressTimer) ShowProgress();
}

// The download counts as complete when the downloader has ended (merged, failed or never
// started), so a download that broke off is never announced while the target is absent.
void UpdaterDialog::ShowProgress() {
    const ProgressFigures figures =
        ComputeProgress(ElapsedTenths(GetTickCount(), downloadStart), downloader.TotalSize(), downloader.PermilleSum(),
                        downloader.ReceivedSum(), downloadName);
    SendDlgItemMessageW(Handle(), IDC_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(figures.position), 0);
    speedLine = figures.speedLine;
    statusLine = figures.statusLine;
    UpdateData(false);
    if (downloader.Outcome() == DownloadOutcome::Running) return;
    KillTimer(ProgressTimer);
    downloader.ClearSegmentCounters();
    SendDlgItemMessageW(Handle(), IDC_PROGRESS, PBM_SETPOS, ProgressRange, 0);
    statusLine = FinishedStatusLine(downloadName, figures.percentText, downloader.Outcome() == DownloadOutcome::Complete);
    UpdateData(false);
    downloadEnded->Set();
}

void UpdaterDialog::ReportUpToDate() {
    statusLine = UpToDateStatusText;
    SendDlgItemMessageW(Handle(), IDC_PROGRESS, PBM_SETPOS, ProgressRange, 0);
    UpdateData(false);
    ShowMessageBox(Handle(), UpToDateText, UpdaterCaption, MB_OK);
    EndProcess(0);
}

void UpdaterDialog::ReportStopped(const char* text) {
    ShowMessageBox(Handle(), text, UpdaterCaption, MB_OK | MB_ICONWARNING);
    EndProcess(0);
}

}  // namespace qivyun
