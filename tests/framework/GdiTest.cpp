// GDI owners: objects selected into a memory DC are deselected before the DC goes, so their own
// owners can free them; owners free what they hold exactly once.
#include <gtest/gtest.h>

#include "Gdi.h"

namespace {

DWORD GdiObjects() {
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}

TEST(Gdi, MemoryDcGivesBackWhatWasSelectedIntoIt) {
    HDC hScreen = GetDC(nullptr);
    CBitmap bitmap;
    bitmap.Attach(CreateCompatibleBitmap(hScreen, 16, 16));
    CBrush brush;
    brush.CreateSolidBrush(RGB(1, 2, 3));
    {
        CMemoryDC dc(hScreen);
        dc.SelectObject(bitmap.GetSafeHandle());
        dc.SelectObject(brush.GetSafeHandle());
        // A second selection of the same kind must not make the first one stick.
        CBitmap other;
        other.Attach(CreateCompatibleBitmap(hScreen, 8, 8));
        dc.SelectObject(other.GetSafeHandle());
        dc.SelectObject(bitmap.GetSafeHandle());
    }
    ReleaseDC(nullptr, hScreen);
    // Deleting fails while an object is still selected into a live DC.
    EXPECT_TRUE(bitmap.DeleteObject());
    EXPECT_TRUE(brush.DeleteObject());
}

TEST(Gdi, OwnersReleaseTheirObjectsOnce) {
    DWORD before = GdiObjects();
    for (int i = 0; i < 100; ++i) {
        CBrush brush;
        brush.CreateSolidBrush(RGB(i, 0, 0));
        CFont font;
        font.CreatePointFont(90, L"MS Shell Dlg");
        CBrush replaced;
        replaced.CreateSolidBrush(RGB(0, i, 0));
        replaced.Attach(CreateSolidBrush(RGB(0, 0, i))); // frees the first brush
        CMemoryDC dc(nullptr);
    }
    EXPECT_LE(GdiObjects(), before + 2);
}

} // namespace
