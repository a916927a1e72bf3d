#include "SkinnedWindows.h"

#include "framework/Handles.h"
#include "skin/DrawPart.h"
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

// A top-down 32-bit DIB section in a DC of its own.
class Surface {
public:
    Surface(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
        dc_ = CreateCompatibleDC(nullptr);
        previous_ = SelectObject(dc_, bitmap_.Get());
    }
    ~Surface() {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    Picture Take() const {
        GdiFlush();
        const auto* first = static_cast<const uint32_t*>(bits_);
        return Picture{width_, height_, std::vector<uint32_t>(first, first + size_t(width_) * size_t(height_))};
    }

private:
    int width_, height_;
    UniqueGdiObject<HBITMAP> bitmap_;
    void* bits_ = nullptr;
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace

Picture Capture(HWND window, RECT area) {
    if (IsRectEmpty(&area)) {
        GetWindowRect(window, &area);
        OffsetRect(&area, -area.left, -area.top);
    }
    GdiFlush();
    Surface surface(area.right - area.left, area.bottom - area.top);
    HDC windowDc = GetWindowDC(window);
    BitBlt(surface.Dc(), 0, 0, area.right - area.left, area.bottom - area.top, windowDc, area.left, area.top, SRCCOPY);
    ReleaseDC(window, windowDc);
    return surface.Take();
}

Picture Drawn(int width, int height, const std::function<void(HDC)>& draw) {
    Surface surface(width, height);
    draw(surface.Dc());
    return surface.Take();
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
