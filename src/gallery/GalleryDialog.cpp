#include "gallery/GalleryDialog.h"

#include "common/CodePage.h"
#include "common/FilePath.h"
#include "gallery/BarWindows.h"
#include "framework/DeviceContext.h"
#include "framework/MessageCrackers.h"
#include "framework/SystemCalls.h"
#include "framework/Text.h"
#include "gallery/FrameworkWindow.h"
#include "gallery/GalleryIds.h"
#include "gallery/GallerySections.h"
#include "skin/SkinEngine.h"

#include <commctrl.h>

#include <fstream>
#include <iterator>
#include <string>

namespace qivyun::gallery {
namespace {

constexpr char Title[] = "Qiv云播皮肤样板";

std::string FileName(const std::string& utf8Path) {
    const size_t slash = utf8Path.find_last_of("\\/");
    return slash == std::string::npos ? utf8Path : utf8Path.substr(slash + 1);
}

}  // namespace

const MessageMap<GalleryDialog> GalleryDialog::messages = {
    OnMessage(WM_COMMAND, &GalleryDialog::OnCommandMessage),
    OnMessage(WM_HSCROLL, &GalleryDialog::OnScroll),
    OnMessage(WM_VSCROLL, &GalleryDialog::OnScroll),
    OnMessage(WM_DRAWITEM, &GalleryDialog::OnDrawItem),
    OnMessage(SkinFailedMessage, &GalleryDialog::OnSkinFailed),
};

GalleryDialog::GalleryDialog(SkinChoice skin)
    : DialogImpl(IDD_GALLERY), skin_(std::move(skin)), nextId_(IDC_GALLERY_FIRST_CONTROL) {}

void GalleryDialog::OnClick(UINT id, std::function<void(HWND)> action) { clicks_[id] = std::move(action); }

bool GalleryDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // The client area the sections fill, whatever the template's units come to.
    RECT frame{0, 0, GalleryWidth, GalleryHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)));
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const SectionEntry& entry : GallerySectionTable()) {
        GallerySection section(*this, entry.caption, entry.area);
        entry.fill(section);
        // Below its controls: a tab control clips itself by its siblings above it, and would vanish
        // under the box it stands in. The Tab key's order (the controls') stays as they were made.
        SetWindowPos(section.GroupBox(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    // The windows of kinds the gallery's own window cannot hold open beside it.
    OpenFrameworkWindow(hwnd_);
    LoadSkin();
    // Beside the gallery: the control bars' windows.
    OpenBarWindows(hwnd_);
    return true;
}

// As the programs do: the skin is loaded once the window's controls stand, which the load then
// skins all at once.
void GalleryDialog::LoadSkin() {
    std::string title = Title;
    switch (skin_.source) {
    case SkinChoice::Source::None:
        title += " - 系统外观（未载入皮肤）";
        break;
    case SkinChoice::Source::File: {
        std::ifstream file(FilePath(skin_.file), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), {}};
        skinResult_ = file ? skin::LoadSkinFromMemory(bytes.data(), bytes.size(), "", 0, 0, 0)
                           : static_cast<int>(skin::LoadResult::FileUnreadable);
        if (skinResult_ == 0) {
            title += " - " + GbkFromUtf8(FileName(skin_.file));
            break;
        }
        const std::string text = "皮肤文件载入失败：" + GbkFromUtf8(skin_.file) + "\n结果 " +
                                 std::to_string(skinResult_) + "：" + LoadResultMeaning(skinResult_) +
                                 "。\n\n样板改用内置皮肤。";
        failure_ = text;
        // Told once the window shows, in the built-in skin.
        PostMessageW(hwnd_, SkinFailedMessage, 0, 0);
        title += " - 内置皮肤（" + GbkFromUtf8(FileName(skin_.file)) + " 载入失败，结果 " +
                 std::to_string(skinResult_) + "）";
        skin::LoadSkinFromResource(MAKEINTRESOURCEA(IDR_GALLERY_SKIN), "ZOR", "", 0, 0, 0);
        break;
    }
    case SkinChoice::Source::BuiltIn:
        skinResult_ = skin::LoadSkinFromResource(MAKEINTRESOURCEA(IDR_GALLERY_SKIN), "ZOR", "", 0, 0, 0);
        title += " - 内置皮肤";
        break;
    }
    SetText(title);
}

LRESULT GalleryDialog::OnSkinFailed(WPARAM, LPARAM) {
    ShowMessageBox(hwnd_, failure_.c_str(), Title, MB_OK | MB_ICONWARNING);
    return 0;
}

LRESULT GalleryDialog::OnCommandMessage(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED) {
        if (auto click = clicks_.find(id); click != clicks_.end()) {
            click->second(crack::Window(lParam));
            return 0;
        }
        if (id == IDCANCEL) EndDialog(IDCANCEL);
    }
    return 0;
}

// The scroll-bar controls move as their messages say; trackbars keep their own position.
LRESULT GalleryDialog::OnScroll(WPARAM wParam, LPARAM lParam) {
    const HWND bar = crack::Window(lParam);
    if (!bar || GetWindowLongW(bar, GWL_STYLE) & (SBS_SIZEBOX | SBS_SIZEGRIP)) return 0;
    wchar_t className[16] = {};
    GetClassNameW(bar, className, 16);
    if (std::wstring_view(className) != L"ScrollBar") return 0;
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(bar, SB_CTL, &info);
    const int page = static_cast<int>(info.nPage);
    int position = info.nPos;
    switch (crack::ScrollCode(wParam)) {
    case SB_LINEUP: position -= 1; break;
    case SB_LINEDOWN: position += 1; break;
    case SB_PAGEUP: position -= page; break;
    case SB_PAGEDOWN: position += page; break;
    case SB_TOP: position = info.nMin; break;
    case SB_BOTTOM: position = info.nMax; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    default: return 0;
    }
    SetScrollPos(bar, SB_CTL, position, TRUE);
    return 0;
}

// The owner-drawn button: the brand's colours, pressed darker, its text in the middle.
LRESULT GalleryDialog::OnDrawItem(WPARAM, LPARAM lParam) {
    const DRAWITEMSTRUCT& item = *crack::DrawItem(lParam);
    if (item.CtlType != ODT_BUTTON) return FALSE;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    UniqueGdiObject<HBRUSH> face(CreateSolidBrush(pressed ? RGB(18, 52, 120) : RGB(58, 110, 196)));
    FillRect(item.hDC, &item.rcItem, face.Get());
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, RGB(255, 255, 255));
    RECT text = item.rcItem;
    DrawTextW(item.hDC, WideTextOf(item.hwndItem).c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(item.hDC, &focus);
    }
    return TRUE;
}

}  // namespace qivyun::gallery
