// Our skin's parts drawn through DrawPart as the skinners will draw them, in a window whose
// screenshot is saved as out/screens/skin-gallery.png: a framed window with caption buttons, a
// group box with check boxes and radio buttons, push buttons in every look, a progress bar, a list
// with its header and scroll bars, a pop-up menu and an inactive title bar.
#include "skin/container/DrawPart.h"
#include "../support/WindowCapture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace qivyun::skin {
namespace {

constexpr int GalleryWidth = 640, GalleryHeight = 430;

class Gallery {
public:
    explicit Gallery(const SkinData& skin)
        : skin_(skin), font_(CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, "宋体")) {}

    void Paint(HDC dc) {
        dc_ = dc;
        SetBkMode(dc, TRANSPARENT);
        const HGDIOBJ previousFont = SelectObject(dc, font_.Get());
        RECT all{0, 0, GalleryWidth, GalleryHeight};
        FillRect(dc, &all, skin_.BackgroundBrush());
        Frame(RECT{0, 0, GalleryWidth, GalleryHeight}, true, "Qiv云播盒子 皮肤预览");
        SearchEngines(RECT{16, 44, 300, 196});
        Buttons(210);
        Progress(RECT{16, 258, 300, 271}, 40);
        List(RECT{320, 44, 624, 250});
        Menu(RECT{320, 266, 470, 384});
        Frame(RECT{490, 266, 624, 384}, false, "未激活窗口");
        SelectObject(dc, previousFont);
    }

private:
    void Part(RECT rect, SkinPart part) { DrawPart(dc_, rect, skin_.Part(part), skin_); }
    void Text(RECT rect, const char* text, SkinColour colour, UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE) {
        SetTextColor(dc_, skin_.Colour(colour));
        DrawTextA(dc_, text, -1, &rect, format);
    }
    int Metric(SkinMetric metric) const { return skin_.Metric(metric); }

    // Title bar, caption buttons placed by the pairs, frame edges.
    void Frame(RECT r, bool active, const char* title) {
        const int titleHeight = Metric(SkinMetric::TitleBarHeight);
        const int side = Metric(SkinMetric::FrameSideWidth), bottom = Metric(SkinMetric::FrameBottomHeight);
        Part(RECT{r.left, r.top, r.right, r.top + titleHeight}, active ? SkinPart::TitleBarActive : SkinPart::TitleBarInactive);
        Part(RECT{r.left, r.top + titleHeight, r.left + side, r.bottom - bottom}, active ? SkinPart::FrameLeftActive : SkinPart::FrameLeftInactive);
        Part(RECT{r.right - side, r.top + titleHeight, r.right, r.bottom - bottom}, active ? SkinPart::FrameRightActive : SkinPart::FrameRightInactive);
        Part(RECT{r.left, r.bottom - bottom, r.right, r.bottom}, active ? SkinPart::FrameBottomActive : SkinPart::FrameBottomInactive);
        const int w = Metric(SkinMetric::CaptionButtonWidth), h = Metric(SkinMetric::CaptionButtonHeight);
        const std::pair<SkinPair, SkinPart> buttons[] = {
            {SkinPair::CloseButtonPosition, active ? SkinPart::CloseButtonOver : SkinPart::CloseButtonNormal},
            {SkinPair::MaximiseButtonPosition, active ? SkinPart::MaximiseButtonHeld : SkinPart::RestoreButtonNormal},
            {SkinPair::MinimiseButtonPosition, active ? SkinPart::MinimiseButtonOver : SkinPart::MinimiseButtonNormal},
        };
        int textEnd = r.right;
        for (const auto& [pair, part] : buttons) {
            const POINT at = skin_.Pair(pair);
            const int x = at.x < 0 ? r.right + at.x : r.left + at.x;
            if (x < r.left + 60) continue;  // a narrow window shows only the buttons that fit
            Part(RECT{x, r.top + at.y, x + w, r.top + at.y + h}, part);
            textEnd = x;
        }
        const POINT text = skin_.Pair(SkinPair::TitleTextPosition);
        Text(RECT{r.left + text.x - 20, r.top + text.y, textEnd, r.top + titleHeight}, title,
             active ? SkinColour::TitleTextActive : SkinColour::TitleTextInactive);
    }

    void SearchEngines(RECT r) {
        const char caption[] = " 搜索引擎选项 ";
        SIZE size;
        GetTextExtentPoint32A(dc_, caption, int(sizeof caption - 1), &size);
        Part(RECT{r.left, r.top + size.cy / 2, r.right, r.bottom}, SkinPart::GroupBoxFrame);
        RECT gap{r.left + 10 - 2, r.top, r.left + 10 + size.cx + 2, r.top + size.cy};
        FillRect(dc_, &gap, skin_.BackgroundBrush());
        Text(RECT{r.left + 10, r.top, r.left + 10 + size.cx, r.top + size.cy}, caption, SkinColour::GroupBoxCaptionText);
        const std::pair<SkinPart, const char*> boxes[] = {
            {SkinPart::CheckBoxCheckedNormal, "Ed2k 4U 资源"}, {SkinPart::CheckBoxOver, "H31B 磁力"},
            {SkinPart::CheckBoxMixedNormal, "DHCT 种子"},      {SkinPart::CheckBoxCheckedFocused, "FuSo 搜索"},
            {SkinPart::CheckBoxDisabled, "Hash 哈希(停用)"},
        };
        int y = r.top + 22;
        for (const auto& [part, label] : boxes) {
            Part(RECT{r.left + 12, y, r.left + 25, y + 13}, part);
            Text(RECT{r.left + 30, y - 2, r.left + 150, y + 15}, label,
                 part == SkinPart::CheckBoxDisabled ? SkinColour::CheckBoxTextDisabled : SkinColour::CheckBoxText);
            y += 24;
        }
        const std::pair<SkinPart, const char*> radios[] = {
            {SkinPart::RadioCheckedNormal, "MTkan 云播"}, {SkinPart::RadioOver, "KCPlay 云播"},
            {SkinPart::RadioHeld, "按下"}, {SkinPart::RadioCheckedDisabled, "停用"},
        };
        y = r.top + 22;
        for (const auto& [part, label] : radios) {
            Part(RECT{r.left + 160, y, r.left + 173, y + 13}, part);
            Text(RECT{r.left + 178, y - 2, r.right - 8, y + 15}, label,
                 part == SkinPart::RadioCheckedDisabled ? SkinColour::RadioTextDisabled : SkinColour::RadioText);
            y += 24;
        }
    }

    void Buttons(int top) {
        const std::pair<SkinPart, const char*> buttons[] = {
            {SkinPart::PushButtonNormal, "搜索资源"}, {SkinPart::PushButtonOver, "加载更多"},
            {SkinPart::PushButtonFocused, "确定"},    {SkinPart::PushButtonHeld, "取消"},
            {SkinPart::PushButtonDisabled, "停用"},
        };
        int x = 16;
        for (const auto& [part, label] : buttons) {
            RECT r{x, top, x + 54, top + 25};
            Part(r, part);
            if (part == SkinPart::PushButtonHeld) OffsetRect(&r, skin_.Pair(SkinPair::PushButtonPressedShift).x, skin_.Pair(SkinPair::PushButtonPressedShift).y);
            Text(r, label, part == SkinPart::PushButtonDisabled ? SkinColour::PushButtonTextDisabled : SkinColour::PushButtonText,
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            x += 57;  // five buttons across the group box's width
        }
    }

    void Progress(RECT r, int percent) {
        Part(r, SkinPart::ProgressTrough);
        const ImagePart& trough = skin_.Part(SkinPart::ProgressTrough);
        const int filled = (r.right - r.left) * percent / 100;
        Part(RECT{r.left + trough.left, r.top + trough.top, r.left + filled - trough.right, r.bottom - trough.bottom}, SkinPart::ProgressBar);
        Part(RECT{r.left, r.bottom + 8, r.left + 140, r.bottom + 21}, SkinPart::ProgressTroughDisabled);
        Part(RECT{r.left + trough.left, r.bottom + 8 + trough.top, r.left + 90, r.bottom + 21 - trough.bottom}, SkinPart::ProgressBarDisabled);
    }

    // A list with a border in the skin's colours, its header, rows, and both scroll bars.
    void List(RECT r) {
        UniqueGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, skin_.Colour(SkinColour::BorderPen)));
        UniqueGdiObject<HBRUSH> fill(CreateSolidBrush(skin_.Colour(SkinColour::BorderFill)));
        const HGDIOBJ previousPen = SelectObject(dc_, pen.Get()), previousBrush = SelectObject(dc_, fill.Get());
        Rectangle(dc_, r.left, r.top, r.right, r.bottom);
        SelectObject(dc_, previousPen), SelectObject(dc_, previousBrush);
        const int bar = Metric(SkinMetric::VerticalBarWidth), arrow = Metric(SkinMetric::VerticalArrowHeight);
        const RECT inner{r.left + 2, r.top + 2, r.right - 2 - bar, r.bottom - 2 - Metric(SkinMetric::HorizontalBarHeight)};
        const RECT header{inner.left, inner.top, inner.right, inner.top + 22};
        Part(header, SkinPart::HeaderItem);
        const std::pair<int, const char*> columns[] = {{32, "ID"}, {110, "影片名称"}, {54, "大小"}, {90, "地址"}};
        int x = header.left;
        for (size_t i = 0; i < 4; ++i) {
            const RECT item{x, header.top, x + columns[i].first, header.bottom};
            const SkinPart part = i == 1 ? SkinPart::HeaderItemOver : i == 2 ? SkinPart::HeaderItemHeld : SkinPart::HeaderItem;
            Part(item, part);
            Text(RECT{item.left + 6, item.top, item.right - 6, item.bottom}, columns[i].second, SkinColour(Index(part) - 118));
            x += columns[i].first;
        }
        const char* rows[] = {"1  【双击点播】星际穿越 4K", "2  【双击点播】流浪地球", "3  【双击点播】霸王别姬", "4  【双击点播】千与千寻"};
        int y = header.bottom + 6;
        for (const char* row : rows) {
            Text(RECT{inner.left + 6, y, inner.right, y + 18}, row, SkinColour::StaticText);
            y += 22;
        }
        // vertical bar: arrows, track, thumb under the pointer
        const int barX = inner.right, top = inner.top, bottom = inner.bottom;
        Part(RECT{barX, top, barX + bar, top + arrow}, SkinPart::ScrollUpNormal);
        Part(RECT{barX, top + arrow, barX + bar, bottom - arrow}, SkinPart::ScrollTrackVertical);
        Part(RECT{barX, top + arrow + 30, barX + bar, top + arrow + 90}, SkinPart::ScrollThumbVerticalOver);
        Part(RECT{barX, bottom - arrow, barX + bar, bottom}, SkinPart::ScrollDownHeld);
        // horizontal bar and the corner between both
        const int hBar = Metric(SkinMetric::HorizontalBarHeight), hArrow = Metric(SkinMetric::HorizontalArrowWidth);
        Part(RECT{inner.left, bottom, inner.left + hArrow, bottom + hBar}, SkinPart::ScrollLeftDisabled);
        Part(RECT{inner.left + hArrow, bottom, inner.right - hArrow, bottom + hBar}, SkinPart::ScrollTrackHorizontal);
        Part(RECT{inner.left + 60, bottom, inner.left + 180, bottom + hBar}, SkinPart::ScrollThumbHorizontal);
        Part(RECT{inner.right - hArrow, bottom, inner.right, bottom + hBar}, SkinPart::ScrollRightOver);
        RECT corner{inner.right, bottom, inner.right + bar, bottom + hBar};
        FillRect(dc_, &corner, skin_.BackgroundBrush());
    }

    void Menu(RECT r) {
        Part(r, SkinPart::MenuBackground);
        const int itemHeight = Metric(SkinMetric::MenuItemHeight), indent = Metric(SkinMetric::MenuTextIndent);
        int y = r.top + 3;
        const struct {
            const char* text;
            bool highlighted, checked, separator, disabled, submenu;
        } items[] = {
            {"在线播放", true, false, false, false, false}, {"复制地址", false, true, false, false, false},
            {nullptr, false, false, true, false, false},    {"下载", false, false, false, true, false},
            {"更多", false, false, false, false, true},
        };
        for (const auto& item : items) {
            if (item.separator) {
                const int h = Metric(SkinMetric::MenuSeparatorHeight);
                Part(RECT{r.left + 3, y, r.right - 3, y + h}, SkinPart::MenuSeparator);
                y += h;
                continue;
            }
            const RECT row{r.left + 3, y, r.right - 3, y + itemHeight};
            if (item.highlighted) Part(row, SkinPart::MenuItemHighlight);
            if (item.checked) Part(RECT{row.left + 7, y + 6, row.left + 19, y + 18}, SkinPart::MenuCheck);
            if (item.submenu) Part(RECT{row.right - 14, y + 8, row.right - 6, y + 16}, SkinPart::MenuSubmenuArrow);
            Text(RECT{row.left + indent, y, row.right, y + itemHeight}, item.text,
                 item.disabled ? SkinColour::MenuTextDisabled : item.highlighted ? SkinColour::MenuTextHighlighted : SkinColour::MenuText);
            y += itemHeight;
        }
    }

    const SkinData& skin_;
    UniqueGdiObject<HFONT> font_;
    HDC dc_ = nullptr;
};

LRESULT CALLBACK GalleryProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        reinterpret_cast<Gallery*>(GetWindowLongPtrA(window, GWLP_USERDATA))->Paint(dc);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(SkinGalleryTest, OurSkinsPartsDrawnAsTheSkinnersWillDrawThem) {
    std::ifstream file(QIVYUN_SKIN_FILE, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    SkinData skin;
    ASSERT_EQ(skin.ReadSkin(bytes.data(), bytes.size()), SkinResult::Loaded);
    Gallery gallery(skin);

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = GalleryProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "QivYunSkinGallery";
    RegisterClassA(&windowClass);
    const HWND window = CreateWindowExA(WS_EX_TOPMOST, "QivYunSkinGallery", "", WS_POPUP | WS_VISIBLE, 20, 20, GalleryWidth,
                                        GalleryHeight, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&gallery));
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);

    // What the window shows: the keyed corner of a push button lets the window background through,
    // its top edge does not.
    HDC screen = GetDC(window);
    EXPECT_EQ(GetPixel(screen, 16, 210), skin.BackgroundColour());
    EXPECT_NE(GetPixel(screen, 16 + 26, 210), skin.BackgroundColour());
    ReleaseDC(window, screen);
    EXPECT_TRUE(test::SaveWindowPng(window, test::ScreensFolder() + "/skin-gallery.png"));
    DestroyWindow(window);
    UnregisterClassA("QivYunSkinGallery", windowClass.hInstance);
}

}  // namespace
}  // namespace qivyun::skin
