#pragma once
// The main program's application object: one copy per logon, only with a working connection,
// then the main window as a modal dialog.
#include "framework/Application.h"
#include "framework/Handles.h"
#include "versioncheck/StartupCheck.h"

#include <string>

namespace qivyun {

inline constexpr wchar_t PlayerMutexName[] = L"QivYunFSG";
inline constexpr char AlreadyRunningText[] = "Qiv云播盒子已在运行中";
inline constexpr char AlreadyRunningCaption[] = "安全提示";
inline constexpr char NoNetworkText[] = "网络连接不可用,请检测你的网络连接是否正常,";
inline constexpr char NoNetworkCaption[] = "网络异常";

class PlayerApp : public Application {
public:
    // The probe address and the start-up check's places are the build's unless a test gives others.
    PlayerApp(std::string probeAddress, StartupCheckSettings checkSettings);
    PlayerApp();

    int GdiplusStartCount() const { return gdiplusStarts_; }
    int GdiplusShutdownCount() const { return gdiplusShutdowns_; }

protected:
    bool InitInstance() override;
    int ExitInstance() override;

private:
    void EnsureSingleInstance();
    void EnsureConnectivity();

    std::string probeAddress_;
    StartupCheckSettings checkSettings_;
    // Held for the whole run: the system releases it when the process ends.
    UniqueHandle instanceMutex_;
    ULONG_PTR gdiplusToken_ = 0;
    int gdiplusStarts_ = 0;
    int gdiplusShutdowns_ = 0;
};

}  // namespace qivyun
