// The framework's drawing owners: what they take they give back through the functions they were
// given, what they select or narrow is put back, an off-screen surface is made, moved and copied
// whole, and a pool lends surfaces again.
#include "framework/DeviceContext.h"
#include "framework/OffscreenSurface.h"

#include "../support/DibCanvas.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace qivyun {
namespace {

// DC functions that keep a journal of what was taken and given back.
std::vector<std::pair<HWND, HDC>> released;
HDC handedOut = nullptr;
HDC WINAPI JournalGetDc(HWND) { return handedOut; }
int WINAPI JournalReleaseDc(HWND window, HDC dc) {
    released.emplace_back(window, dc);
    return 1;
}

TEST(DeviceContextTest, OwnersGiveBackWhatTheyTookAndPutBackWhatTheyChanged) {
    test::DibCanvas canvas(40, 30);
    const DcFunctions journal{&JournalGetDc, &JournalGetDc, &JournalReleaseDc};
    const HWND window = GetDesktopWindow();
    handedOut = canvas.Dc();
    { ClientDc dc(window, journal); }
    { WindowDc dc(window, journal); }
    handedOut = nullptr;
    {
        ClientDc none(window, journal);
        EXPECT_FALSE(none);
    }
    EXPECT_EQ(released, (std::vector<std::pair<HWND, HDC>>{{window, canvas.Dc()}, {window, canvas.Dc()}}));

    UniqueGdiObject<HFONT> font(CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
    const HGDIOBJ before = GetCurrentObject(canvas.Dc(), OBJ_FONT);
    {
        SelectedObject selected(canvas.Dc(), font.Get());
        EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_FONT), font.Get());
        SelectedObject nothing(canvas.Dc(), nullptr);  // a null object selects nothing
        EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_FONT), font.Get());
    }
    EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_FONT), before);

    RECT whole;
    GetClipBox(canvas.Dc(), &whole);
    {
        SavedDcState saved(canvas.Dc());
        IntersectClipRect(canvas.Dc(), 5, 5, 10, 10);
        SetViewportOrgEx(canvas.Dc(), 3, 4, nullptr);
    }
    RECT after;
    GetClipBox(canvas.Dc(), &after);
    POINT origin;
    GetViewportOrgEx(canvas.Dc(), &origin);
    EXPECT_TRUE(EqualRect(&after, &whole));
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
}

TEST(DeviceContextTest, AnOffscreenSurfaceNeedsAreaAndCopiesItsWholePictureWhereverItWasMoved) {
    test::DibCanvas screen(20, 20, RGB(0, 0, 255));
    OffscreenSurface flat;
    EXPECT_FALSE(flat.Create(screen.Dc(), 0, 5));
    EXPECT_FALSE(OffscreenSurface(screen.Dc(), 5, -1));

    OffscreenSurface made(screen.Dc(), 4, 3);
    ASSERT_TRUE(made);
    UniqueGdiObject<HBRUSH> red(CreateSolidBrush(RGB(255, 0, 0)));
    const RECT all{0, 0, 4, 3};
    FillRect(made.Dc(), &all, red.Get());
    OffscreenSurface moved = std::move(made);
    EXPECT_FALSE(made);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved.Width(), 4);
    moved.CopyTo(screen.Dc(), 10, 10);
    EXPECT_EQ(screen.At(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(screen.At(13, 12), RGB(255, 0, 0));
    EXPECT_EQ(screen.At(14, 12), RGB(0, 0, 255));
    EXPECT_EQ(screen.At(13, 13), RGB(0, 0, 255));
    EXPECT_EQ(screen.At(9, 10), RGB(0, 0, 255));

    OffscreenSurface readable;
    ASSERT_TRUE(readable.CreateWithPixels(3, 2));
    FillRect(readable.Dc(), &all, red.Get());
    GdiFlush();
    EXPECT_EQ(readable.Pixels()[5] & 0xFFFFFF, 0xFF0000u);  // 0x00RRGGBB, the last pixel of the second row
}

TEST(DeviceContextTest, APoolLendsASurfaceAgainWithItsStatePutBackAndKeepsOnlyAFewSmallOnes) {
    test::DibCanvas screen(20, 20, RGB(0, 0, 255));
    SurfacePool pool;
    EXPECT_FALSE(pool.Borrow(screen.Dc(), 0, 5));
    HDC lent = nullptr;
    {
        SurfacePool::Lease first = pool.Borrow(screen.Dc(), 30, 20);
        ASSERT_TRUE(first);
        lent = first.Dc();
        SetTextColor(first.Dc(), RGB(1, 2, 3));
        UniqueGdiObject<HBRUSH> red(CreateSolidBrush(RGB(255, 0, 0)));
        const RECT all{0, 0, 30, 20};
        FillRect(first.Dc(), &all, red.Get());
        EXPECT_NE(pool.Borrow(screen.Dc(), 10, 10).Dc(), lent);  // lent at the same time: another one
    }
    {
        SurfacePool::Lease again = pool.Borrow(screen.Dc(), 12, 3);  // too wide for the other one
        EXPECT_EQ(again.Dc(), lent);
        EXPECT_EQ(GetTextColor(again.Dc()), RGB(0, 0, 0));
        again.CopyTo(screen.Dc(), 5, 10);  // the size asked for, not the surface's
        EXPECT_EQ(screen.At(16, 12), RGB(255, 0, 0));
        EXPECT_EQ(screen.At(17, 12), RGB(0, 0, 255));
        EXPECT_EQ(screen.At(16, 13), RGB(0, 0, 255));
    }
    { SurfacePool::Lease huge = pool.Borrow(screen.Dc(), 2000, 1000); }
    EXPECT_EQ(pool.Kept(), 2u);
    {
        std::vector<SurfacePool::Lease> many;
        for (int i = 0; i < 6; ++i) many.push_back(pool.Borrow(screen.Dc(), 40 + i, 40));
    }
    EXPECT_EQ(pool.Kept(), SurfacePool::KeptSurfaces);
}

}  // namespace
}  // namespace qivyun
