#include "skin/SkinEngine.h"

#include "framework/MessageCrackers.h"
#include "skin/SkinnerKinds.h"
#include "skin/engine/EngineMessages.h"
#include "skin/engine/Redirections.h"
#include "skin/engine/SkinProperties.h"
#include "skin/engine/SkinTypeChoice.h"
#include "skin/engine/SkinnerText.h"
#include "skin/patching/Unpatched.h"

#include <algorithm>
#include <string>

namespace qivyun::skin {
namespace {

// The one engine of the process: the hook and the menu-owner procedure, which the system calls
// without a context, reach it here.
SkinEngine* engine = nullptr;

int Code(LoadResult result) { return static_cast<int>(result); }

// The module's whole path, however long and whatever characters its folders hold.
std::wstring ModuleFileName(HINSTANCE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        // A path never exceeds 32767 characters.
        if (length < path.size() || path.size() > 32767) return path.substr(0, length);
        path.resize(path.size() * 2);
    }
}

LoadResult LoadResultOfReading(SkinResult result) {
    switch (result) {
    case SkinResult::Loaded: return LoadResult::Loaded;
    case SkinResult::NoBytes: return LoadResult::Unreadable;
    case SkinResult::FileUnreadable: return LoadResult::FileUnreadable;
    case SkinResult::AtlasUnusable: return LoadResult::AtlasUnusable;
    case SkinResult::BadStream: return LoadResult::BadStream;
    case SkinResult::BadVersion: return LoadResult::BadVersion;
    }
    return LoadResult::Unreadable;
}

}  // namespace

int AttachSkinEngine(HINSTANCE instance) {
    SkinEngine::Attach(instance);
    return Code(LoadResult::Loaded);
}

int LoadSkinFromResource(const char* name, const char* type, const char* reserved, int hue, int saturation,
                         int lightness) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = module ? FindResourceA(module, name, type) : nullptr;
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return Code(LoadResult::NoBytes);
    return LoadSkinFromMemory(bytes, SizeofResource(module, resource), reserved, hue, saturation, lightness);
}

int LoadSkinFromMemory(const void* bytes, size_t size, const char*, int hue, int saturation, int lightness) {
    SkinEngine* current = SkinEngine::Current();
    if (!current || !current->Hooked()) return Code(LoadResult::NotAttached);
    if (!bytes) return Code(LoadResult::NoBytes);
    return Code(current->Load(bytes, size, hue, saturation, lightness));
}

int LoadSkinFromFile() {
    SkinEngine* current = SkinEngine::Current();
    if (!current || !current->Hooked()) return Code(LoadResult::NotAttached);
    return Code(current->LoadFile());
}

SkinEngine* SkinEngine::Current() { return engine; }

SkinEngine& SkinEngine::Attach(HINSTANCE instance) {
    if (!engine) engine = new SkinEngine(instance);
    return *engine;
}

SkinEngine::SkinEngine(HINSTANCE instance) : instance_(instance) {
    if (HMODULE user = GetModuleHandleA("User32")) {
        updateLayeredWindow_ = reinterpret_cast<decltype(updateLayeredWindow_)>(
            reinterpret_cast<void*>(GetProcAddress(user, "UpdateLayeredWindow")));
        setLayeredWindowAttributes_ = reinterpret_cast<decltype(setLayeredWindowAttributes_)>(
            reinterpret_cast<void*>(GetProcAddress(user, "SetLayeredWindowAttributes")));
    }
    InstallRedirections();
    DWORD major = LOBYTE(LOWORD(GetVersion()));
    notVersion5_ = major != 5;

    WNDCLASSW dropDownList{};
    dropDownList.style = CS_HREDRAW | CS_VREDRAW;
    dropDownList.lpfnWndProc = &SkinEngine::DropDownListProcedure;
    dropDownList.hInstance = instance;
    dropDownList.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    dropDownList.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    // The trailing blank keeps it from ever matching the system's "ComboLBox".
    dropDownList.lpszClassName = L"ComboLBox ";
    RegisterClassW(&dropDownList);

    // A wide hook: the messages it sees carry their texts as UTF-16.
    if (major >= 5) hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &SkinEngine::HookProcedure, nullptr, GetCurrentThreadId());
}

LoadResult SkinEngine::Load(const void* bytes, size_t size, int hue, int saturation, int lightness) {
    bool coloursValid = hue >= 0 && hue <= 360 && saturation >= 0 && saturation <= 256 && lightness >= 0 &&
                        lightness <= 256;
    if (!coloursValid) return LoadResult::Unreadable;
    if (skinData_.ReadSkin(bytes, size) != SkinResult::Loaded) return LoadResult::Unreadable;
    skinData_.Recolour({hue, saturation, lightness});
    AfterLoad();
    return LoadResult::Loaded;
}

LoadResult SkinEngine::LoadFile() {
    std::wstring folder = ModuleFileName(instance_);
    folder.erase(std::min(folder.size(), folder.rfind(L'\\')));
    SkinResult result = skinData_.ReadSkinFile((folder + L"\\kelvo.zor").c_str());
    if (result == SkinResult::Loaded) AfterLoad();
    return LoadResultOfReading(result);
}

// Skinners rebuild what they derive from the skin, the items the engine drew get their own
// looks back, and every window of the thread is examined or redrawn.
void SkinEngine::AfterLoad() {
    for (WindowSkinner* skinner : skinners_) skinner->OnSkinLoaded();
    menuItems_.ReturnAll();
    RefreshThreadWindows();
}

WindowSkinner* SkinEngine::CreateSkinner(HWND window, SkinType type) {
    if (std::find(excludedTypes_.begin(), excludedTypes_.end(), type) != excludedTypes_.end()) return nullptr;
    WindowSkinner* skinner = CreateSkinnerOfKind(type, SkinnerContext{skinData_, *this});
    if (!skinner) return nullptr;
    skinner->Attach(window);
    skinner->skinType = type;
    skinner->Enrol(*this);
    skinners_.push_back(skinner);
    return skinner;
}

void SkinEngine::Leave(WindowSkinner& skinner) { std::erase(skinners_, &skinner); }

void SkinEngine::RememberDcOwner(HDC dc, HWND window) { skin::RememberDcOwner(dc, window); }

void SkinEngine::ForgetDcOwner(HDC dc) { skin::ForgetDcOwner(dc); }

void SkinEngine::RecolourBlackText(HDC dc, COLORREF colour) { skin::RecolourBlackText(dc, colour); }

void SkinEngine::Examine(HWND window) {
    if (GetPropA(window, ExaminedProperty) || GetPropA(window, SkinnerProperty)) return;
    if (auto chosen = reinterpret_cast<uintptr_t>(GetPropA(window, SkinTypeProperty))) {
        CreateSkinner(window, static_cast<SkinType>(chosen));
    } else {
        auto style = static_cast<uint32_t>(unpatched::GetWindowLongA(window, GWL_STYLE));
        if (SkinType type = SkinTypeForClass(ClassNameOf(window), style)) CreateSkinner(window, type);
    }
    SetPropA(window, ExaminedProperty, reinterpret_cast<HANDLE>(1));
}

LRESULT CALLBACK SkinEngine::HookProcedure(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && engine && engine->SkinLoaded()) {
        const CWPSTRUCT& sent = crack::SentMessage(lParam);
        switch (sent.message) {
        case WM_CREATE:
        case ExamineWindowMessage:
            engine->Examine(sent.hwnd);
            break;
        case WM_MEASUREITEM: {
            const MEASUREITEMSTRUCT* item = crack::MeasureItem(sent.lParam);
            if (item && item->CtlType == ODT_MENU && item->CtlID == 0) engine->InterceptMenuOwner(sent.hwnd);
            break;
        }
        case WM_DRAWITEM: {
            const DRAWITEMSTRUCT* item = crack::DrawItem(sent.lParam);
            if (sent.wParam == 0 && item && item->CtlType == ODT_MENU) engine->InterceptMenuOwner(sent.hwnd);
            break;
        }
        default:
            break;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void SkinEngine::InterceptMenuOwner(HWND window) {
    WNDPROC current = unpatched::WindowProcedure(window);
    if (!current) return;
    SetPropA(window, MenuOwnerProperty, reinterpret_cast<HANDLE>(current));
    unpatched::SetWindowProcedure(window, &SkinEngine::MenuOwnerProcedure);
}

LRESULT CALLBACK SkinEngine::MenuOwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto saved = reinterpret_cast<WNDPROC>(RemovePropA(window, MenuOwnerProperty));
    if (!saved) return DefWindowProcW(window, message, wParam, lParam);
    unpatched::SetWindowProcedure(window, saved);
    if (engine && message == WM_MEASUREITEM && engine->menuItems_.Measure(*crack::MeasureItem(lParam), engine->skinData_))
        return TRUE;
    if (engine && message == WM_DRAWITEM && engine->menuItems_.Draw(*crack::DrawItem(lParam), engine->skinData_))
        return TRUE;
    return CallWindowProcW(saved, window, message, wParam, lParam);
}

// Windows of the engine's own drop-down class are made by the combo-box kind, which draws them;
// until then they behave as plain windows.
LRESULT CALLBACK SkinEngine::DropDownListProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

BOOL CALLBACK SkinEngine::RefreshChild(HWND window, LPARAM self) {
    reinterpret_cast<SkinEngine*>(self)->RefreshWindow(window);
    return TRUE;
}

BOOL CALLBACK SkinEngine::RefreshTopLevel(HWND window, LPARAM self) {
    reinterpret_cast<SkinEngine*>(self)->RefreshWindow(window);
    EnumChildWindows(window, &SkinEngine::RefreshChild, self);
    return TRUE;
}

void SkinEngine::RefreshThreadWindows() {
    EnumThreadWindows(GetCurrentThreadId(), &SkinEngine::RefreshTopLevel, reinterpret_cast<LPARAM>(this));
}

void SkinEngine::RefreshWindow(HWND window) {
    if (!GetPropA(window, SkinnerProperty)) {
        RemovePropA(window, ExaminedProperty);
        SendMessageA(window, ExamineWindowMessage, 0, 0);
    }
    WindowSkinner* skinner = WindowSkinner::Of(window);
    if (!skinner) return;
    if (skinner->IsFramedWindow()) skinner->ForgetFrame();
    if (IsWindowVisible(window)) {
        InvalidateRect(window, nullptr, TRUE);
        // No size, move, z-order or activation change; frame changed; no owner z-order; deferred erase.
        SetWindowPos(window, nullptr, 0, 0, 0, 0, 0x2237);
    }
}

}  // namespace qivyun::skin
