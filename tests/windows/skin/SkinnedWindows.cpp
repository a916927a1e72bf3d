#include "SkinnedWindows.h"

#include "../support/DibCanvas.h"
#include "framework/Handles.h"
#include "skin/container/DrawPart.h"
#include "skin/SkinEngine.h"

#include <fstream>
#include <iterator>

namespace qivyun::skin::test {

const SkinData& LoadOurSkin() {
    static const bool loaded = [] {
        std::ifstream file(QIVYUN_SKIN_FILE, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
        AttachSkinEngine(GetModuleHandleA(nullptr));
        return LoadSkinFromMemory(bytes.data(), bytes.size(), nullptr, 0, 0, 0) == 0;
    }();
    EXPECT_TRUE(loaded);
    return SkinEngine::Current()->Skin();
}

HostWindow::HostWindow(int width, int height) {
    static const ATOM hostClass = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &HostWindow::Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.lpszClassName = "SkinnerTestHost";
        return RegisterClassA(&windowClass);
    }();
    (void)hostClass;
    window_ = CreateWindowExA(0, "SkinnerTestHost", "", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                              nullptr, nullptr, GetModuleHandleA(nullptr), this);
    SetForegroundWindow(window_);
    UpdateWindow(window_);
}

HostWindow::~HostWindow() { DestroyWindow(window_); }

HWND HostWindow::Child(const char* className, const char* text, DWORD style, int x, int y, int width, int height,
                       DWORD exStyle, int id) const {
    HWND child = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    UpdateWindow(child);
    return child;
}

LRESULT CALLBACK HostWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    }
    auto* host = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, LoadOurSkin().BackgroundBrush());
        return 1;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (host && host->heard) host->heard(message, wParam, lParam);
        break;
    case WM_DRAWITEM:
        if (host && host->drawItem) {
            host->drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int Picture::Count(COLORREF colour, const RECT& area) const {
    const uint32_t wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) count += At(x, y) == wanted;
    return count;
}

namespace {

using qivyun::test::DibCanvas;

Picture Take(const DibCanvas& canvas) {
    const uint32_t* first = canvas.Pixels();
    return Picture{canvas.Width(), canvas.Height(),
                   std::vector<uint32_t>(first, first + size_t(canvas.Width()) * size_t(canvas.Height()))};
}

}  // namespace

Picture Capture(HWND window, RECT area) {
    if (IsRectEmpty(&area)) {
        GetWindowRect(window, &area);
        OffsetRect(&area, -area.left, -area.top);
    }
    GdiFlush();
    DibCanvas canvas(area.right - area.left, area.bottom - area.top);
    HDC windowDc = GetWindowDC(window);
    BitBlt(canvas.Dc(), 0, 0, area.right - area.left, area.bottom - area.top, windowDc, area.left, area.top, SRCCOPY);
    ReleaseDC(window, windowDc);
    return Take(canvas);
}

Picture Drawn(int width, int height, const std::function<void(HDC)>& draw) {
    DibCanvas canvas(width, height);
    draw(canvas.Dc());
    return Take(canvas);
}

Picture PartOnBackground(int width, int height, SkinPart part) {
    const SkinData& skin = LoadOurSkin();
    return Drawn(width, height, [&](HDC dc) {
        RECT all{0, 0, width, height};
        FillRect(dc, &all, skin.BackgroundBrush());
        DrawPart(dc, all, skin.Part(part), skin);
    });
}

testing::AssertionResult SamePicture(const Picture& actual, const Picture& expected, RECT ignore) {
    if (actual.width != expected.width || actual.height != expected.height)
        return testing::AssertionFailure() << "size " << actual.width << " x " << actual.height << ", expected "
                                           << expected.width << " x " << expected.height;
    int differing = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            const POINT point{x, y};
            if (PtInRect(&ignore, point) || actual.At(x, y) == expected.At(x, y)) continue;
            if (differing++ == 0) firstX = x, firstY = y;
        }
    }
    if (differing == 0) return testing::AssertionSuccess();
    return testing::AssertionFailure() << differing << " pixels differ, the first at (" << firstX << ", " << firstY
                                       << "): " << std::hex << actual.At(firstX, firstY) << " instead of "
                                       << expected.At(firstX, firstY);
}

}  // namespace qivyun::skin::test
