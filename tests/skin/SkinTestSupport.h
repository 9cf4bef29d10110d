// What the skin tests share: GDI+ running for the whole program, and an application object so
// that the resource handle is this executable with the launcher's artwork linked in.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "WinApp.h"
#include "skin/GdiPlusPng.h"

// The sprite of the resource nResId as 32-bit ARGB pixels, to compare the screen with.
class CSprite {
public:
    explicit CSprite(UINT nResId)
        : m_image(LoadPngFromResource(AfxGetResourceHandle(), nResId)),
          m_bitmap(static_cast<INT>(m_image->GetWidth()), static_cast<INT>(m_image->GetHeight()),
                   PixelFormat32bppARGB) {
        Gdiplus::Graphics g(&m_bitmap);
        g.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        g.DrawImage(m_image.get(), 0, 0, Width(), Height());
    }
    int Width() const { return static_cast<int>(m_image->GetWidth()); }
    int Height() const { return static_cast<int>(m_image->GetHeight()); }
    Gdiplus::Color At(int x, int y) {
        Gdiplus::Color c;
        m_bitmap.GetPixel(x, y, &c);
        return c;
    }

private:
    std::unique_ptr<Gdiplus::Image> m_image;
    Gdiplus::Bitmap m_bitmap;
};

inline bool Near(COLORREF a, BYTE r, BYTE g, BYTE b, int tolerance = 4) {
    return std::abs(GetRValue(a) - r) <= tolerance && std::abs(GetGValue(a) - g) <= tolerance &&
           std::abs(GetBValue(a) - b) <= tolerance;
}
