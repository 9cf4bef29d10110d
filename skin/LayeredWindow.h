// Layered windows: per-pixel alpha artwork and colour keys.
#pragma once

#include <windows.h>

#include "Gdi.h"
#include "skin/GdiPlusPng.h"

// User32's layered-window functions, bound by name once per process so that the program still
// starts where they are missing. Callers test each pointer before calling it.
class UpdateLayeredTool {
public:
    using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF,
                                                BLENDFUNCTION*, DWORD);
    using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

    // The single binding, made on the first call; it lives until the process ends.
    static UpdateLayeredTool* GetInstance();

    virtual ~UpdateLayeredTool();
    UpdateLayeredTool(const UpdateLayeredTool&) = delete;
    UpdateLayeredTool& operator=(const UpdateLayeredTool&) = delete;

    HMODULE m_hUser32;
    UpdateLayeredWindowFn m_pfnUpdateLayeredWindow;
    SetLayeredWindowAttributesFn m_pfnSetLayeredWindowAttributes;

private:
    UpdateLayeredTool();
};

// A window painted from per-pixel alpha artwork. The owner loads m_image and stores its own
// handle in m_hWnd.
class CLayeredWindow {
public:
    // Makes m_hWnd a layered window showing the artwork at its current position and the
    // artwork's size. Nothing repaints it afterwards.
    void UpdateFromImage();

    CGdiPlusPngResource m_image;
    HWND m_hWnd = nullptr;
};

// A window whose pixels of one key colour are transparent and let the mouse through. The owner
// paints its background with m_brKey to make it vanish.
class CColorKeyWindow : public CLayeredWindow {
public:
    // m_hWnd and m_crKey must be set before.
    void ApplyColorKey(BYTE bAlpha);

    CBrush m_brKey;
    COLORREF m_crKey = 0;
};
