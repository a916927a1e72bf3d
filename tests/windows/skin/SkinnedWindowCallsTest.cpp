// The redirected functions about windows that carry a skinner: procedure reads and writes keep
// the engine outermost, painting, DCs, regions and scroll bars go to the skinner.
#include "framework/Handles.h"
#include "framework/SubclassedWindow.h"
#include "skin/engine/Redirections.h"
#include "skin/SkinEngine.h"
#include "skin/patching/Unpatched.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qivyun::skin {
namespace {

std::vector<std::string> journal;

class JournalSkinner : public WindowSkinner {
public:
    explicit JournalSkinner(bool* gone = nullptr) : gone_(gone) {}
    ~JournalSkinner() override {
        if (gone_) *gone_ = true;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) journal.push_back("engine");
        return CallPrevious(message, wParam, lParam);
    }

private:
    bool* gone_;
};

class JournalControl : public SubclassedWindow {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) journal.push_back("framework");
        return DefaultProc(message, wParam, lParam);
    }
};

WNDPROC beneathRawSubclass = nullptr;
LRESULT CALLBACK RawSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) journal.push_back("raw");
    return CallWindowProcA(beneathRawSubclass, window, message, wParam, lParam);
}

TEST(SkinnedWindowCallsTest, SubclassingAfterTheEngineGoesBeneathItAndReadsBackItsOwnProcedure) {
    InstallRedirections();
    HWND button = CreateWindowExA(0, "Button", "OK", WS_POPUP | BS_PUSHBUTTON, 0, 0, 80, 24, nullptr, nullptr,
                                  nullptr, nullptr);
    const LONG_PTR ansiView = GetWindowLongPtrA(button, GWLP_WNDPROC), wideView = GetWindowLongPtrW(button, GWLP_WNDPROC);
    bool skinnerGone = false;
    auto* skinner = new JournalSkinner(&skinnerGone);
    skinner->Attach(button);
    WNDPROC engineProcedure = unpatched::WindowProcedure(button);
    EXPECT_EQ(engineProcedure, skinner->procedure);
    // A caller reads the procedure beneath the engine's in its own character set, as before.
    EXPECT_EQ(GetWindowLongPtrA(button, GWLP_WNDPROC), ansiView);
    EXPECT_EQ(GetWindowLongPtrW(button, GWLP_WNDPROC), wideView);
    auto readProcedure = [&] { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(button, GWLP_WNDPROC)); };

    // The framework's subclassing (the common controls' SetWindowSubclass).
    JournalControl control;
    control.Attach(button);
    WNDPROC frameworkProcedure = readProcedure();
    EXPECT_NE(frameworkProcedure, engineProcedure);
    EXPECT_EQ(unpatched::WindowProcedure(button), engineProcedure);
    SendMessageA(button, WM_APP, 0, 0);
    EXPECT_EQ(journal, (std::vector<std::string>{"engine", "framework"}));

    // A raw subclassing gets back what it read, and reads back its own procedure.
    journal.clear();
    beneathRawSubclass = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RawSubclass)));
    EXPECT_EQ(beneathRawSubclass, frameworkProcedure);
    EXPECT_EQ(readProcedure(), &RawSubclass);
    EXPECT_EQ(unpatched::WindowProcedure(button), engineProcedure);
    SendMessageA(button, WM_APP, 0, 0);
    EXPECT_EQ(journal, (std::vector<std::string>{"engine", "raw", "framework"}));

    // The framework lets go at the window's end; the skinner goes with the window.
    DestroyWindow(button);
    EXPECT_TRUE(skinnerGone);
    EXPECT_EQ(WindowSkinner::Of(button), nullptr);
    EXPECT_FALSE(control.Exists());
    journal.clear();
}

// A skinner that paints off screen, hands out DCs, shapes its window and draws its own vertical
// bar, keeping a journal of what reached it.
class OffScreenSkinner : public WindowSkinner {
public:
    OffScreenSkinner() : buffer_(CreateCompatibleBitmap(screen_, 20, 20)), memory_(screen_, buffer_.Get()) {
        paint_.beginPaint = [this](HWND, PAINTSTRUCT*) {
            journal.push_back("begin paint");
            return memory_.Get();
        };
        paint_.endPaint = [](HWND, const PAINTSTRUCT*) {
            journal.push_back("end paint");
            return TRUE;
        };
        dcs_.getDc = [this](HWND) {
            dcs_.handedOut.push_back(memory_.Get());
            return memory_.Get();
        };
        dcs_.releaseDc = [](HWND, HDC) {
            journal.push_back("release");
            return 1;
        };
    }
    ~OffScreenSkinner() override { ReleaseDC(nullptr, screen_); }

    void OnAttach() override {
        SetPaintRedirect(&paint_);
        SetDcRedirect(&dcs_);
    }
    bool ShapesWindow() const override { return true; }
    ScrollState* OwnScrollBar(int bar) override { return bar == SB_VERT ? &vertical : nullptr; }
    void RedrawOwnScrollBars() override { journal.push_back("redraw bars"); }

    HDC Memory() const { return memory_.Get(); }
    DcRedirect& Dcs() { return dcs_; }
    ScrollState vertical;

private:
    HDC screen_ = GetDC(nullptr);
    UniqueGdiObject<HBITMAP> buffer_;
    MemoryDc memory_;
    PaintRedirect paint_;
    DcRedirect dcs_;
};

TEST(SkinnedWindowCallsTest, PaintingDcsRegionsAndOwnScrollBarsOfASkinnedWindowGoToItsSkinner) {
    SkinEngine& engine = SkinEngine::Attach(GetModuleHandleA(nullptr));
    HWND window = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0, 120, 90,
                                  nullptr, nullptr, nullptr, nullptr);
    auto* skinner = new OffScreenSkinner;
    skinner->Attach(window);
    journal.clear();

    PAINTSTRUCT paint{};
    EXPECT_EQ(BeginPaint(window, &paint), skinner->Memory());
    EXPECT_TRUE(EndPaint(window, &paint));

    HDC system = GetDC(window);  // the record is not active yet
    EXPECT_EQ(WindowFromDC(system), window);
    EXPECT_EQ(ReleaseDC(window, system), 1);
    skinner->Dcs().active = true;
    EXPECT_EQ(GetDC(window), skinner->Memory());
    EXPECT_EQ(ReleaseDC(window, skinner->Memory()), 1);
    HDC windowDc = GetWindowDC(window);  // no routine for it
    EXPECT_NE(windowDc, skinner->Memory());
    EXPECT_EQ(ReleaseDC(window, windowDc), 1);
    EXPECT_EQ(journal, (std::vector<std::string>{"begin paint", "end paint", "release"}));

    EXPECT_EQ(WindowFromDC(skinner->Memory()), nullptr);
    engine.RememberDcOwner(skinner->Memory(), window);
    EXPECT_EQ(WindowFromDC(skinner->Memory()), window);
    engine.ForgetDcOwner(skinner->Memory());
    EXPECT_EQ(WindowFromDC(skinner->Memory()), nullptr);

    EXPECT_EQ(SetWindowRgn(window, CreateRectRgn(0, 0, 10, 10), TRUE), 1);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(window, region), ERROR);
    DeleteObject(region);

    // The vertical bar is the skinner's (the system's follows it without drawing); the horizontal
    // one stays the system's.
    journal.clear();
    unpatched::SetScrollRange(window, SB_VERT, 0, 10, FALSE);
    EXPECT_TRUE(SetScrollRange(window, SB_VERT, 0, 200, TRUE));
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_PAGE | SIF_POS;
    info.nPage = 50;
    info.nPos = 190;
    EXPECT_EQ(SetScrollInfo(window, SB_VERT, &info, FALSE), 151);
    EXPECT_EQ(SetScrollPos(window, SB_VERT, 20, TRUE), 151);
    EXPECT_EQ(GetScrollPos(window, SB_VERT), 20);
    int minimum = -1, maximum = -1;
    EXPECT_TRUE(GetScrollRange(window, SB_VERT, &minimum, &maximum));
    EXPECT_EQ(maximum, 200);
    SCROLLINFO read{};
    read.cbSize = sizeof(read);
    read.fMask = SIF_ALL;
    EXPECT_TRUE(GetScrollInfo(window, SB_VERT, &read));
    EXPECT_EQ(read.nPage, 50u);
    EXPECT_EQ(read.nPos, 20);
    SCROLLINFO systemBar{};
    systemBar.cbSize = sizeof(systemBar);
    systemBar.fMask = SIF_RANGE;
    EXPECT_TRUE(unpatched::GetScrollInfo(window, SB_VERT, &systemBar));
    EXPECT_EQ(systemBar.nMax, 200);  // the system's own bar takes the writes too, so it shows and hides
    EXPECT_TRUE(EnableScrollBar(window, SB_BOTH, ESB_DISABLE_BOTH));
    EXPECT_EQ(skinner->vertical.disabledArrows, static_cast<unsigned>(ESB_DISABLE_BOTH));
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof(bar);
    EXPECT_TRUE(GetScrollBarInfo(window, OBJID_VSCROLL, &bar));
    EXPECT_TRUE(IsRectEmpty(&bar.rcScrollBar));
    EXPECT_TRUE(GetScrollBarInfo(window, OBJID_HSCROLL, &bar));
    EXPECT_FALSE(IsRectEmpty(&bar.rcScrollBar));
    EXPECT_EQ(journal, (std::vector<std::string>{"redraw bars", "redraw bars", "redraw bars"}));
    DestroyWindow(window);
    journal.clear();
}

TEST(SkinnedWindowCallsTest, BlackTextIntoTheRecolouringDcComesOutInItsColour) {
    InstallRedirections();
    BITMAPINFO bitmapInfo{};
    bitmapInfo.bmiHeader = {sizeof(BITMAPINFOHEADER), 40, -20, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueGdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &bitmapInfo, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDc dc(nullptr, bitmap.Get());
    // Draws black or blue text and tells which colours came out.
    auto draw = [&](COLORREF textColour) {
        PatBlt(dc.Get(), 0, 0, 40, 20, WHITENESS);
        SetTextColor(dc.Get(), textColour);
        SetBkMode(dc.Get(), TRANSPARENT);
        ExtTextOutW(dc.Get(), 1, 1, 0, nullptr, L"WM", 2, nullptr);
        GdiFlush();
    };
    auto inked = [&](COLORREF colour) {
        uint32_t pixel = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
        for (int i = 0; i < 40 * 20; ++i) {
            if ((static_cast<uint32_t*>(bits)[i] & 0xffffff) == pixel) return true;
        }
        return false;
    };
    RecolourBlackText(dc.Get(), RGB(200, 0, 0));
    draw(RGB(0, 0, 0));
    EXPECT_TRUE(inked(RGB(200, 0, 0)));
    EXPECT_FALSE(inked(RGB(0, 0, 0)));
    EXPECT_EQ(GetTextColor(dc.Get()), RGB(0, 0, 0));  // put back after drawing
    draw(RGB(0, 0, 255));
    EXPECT_TRUE(inked(RGB(0, 0, 255)));
    RecolourBlackText(nullptr, 0);
    draw(RGB(0, 0, 0));
    EXPECT_TRUE(inked(RGB(0, 0, 0)));
    EXPECT_FALSE(inked(RGB(200, 0, 0)));
}

}  // namespace
}  // namespace qivyun::skin
