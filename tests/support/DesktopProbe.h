// What the tests of real windows need from the desktop around them: real X input through
// xdotool, message pumping until something has happened, pixels read back from the screen,
// and the process's GDI object count.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace desktop {

// Runs xdotool with args (its own syntax, e.g. L"mousemove 100 200") and waits until it has
// finished, pumping this thread's messages meanwhile. True when xdotool succeeded.
bool Xdotool(const std::wstring& args);

// Pumps this thread's messages until done() holds or maxMillis have passed; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD maxMillis = 5000);

// Pumps what is pending now and what it causes, for a short while.
void PumpPending(DWORD millis = 200);

// What the screen shows in rc (screen coordinates), row by row.
class CScreenShot {
public:
    explicit CScreenShot(const RECT& rc);
    COLORREF At(int x, int y) const; // in screen coordinates

private:
    RECT m_rc;
    std::vector<COLORREF> m_pixels;
};

// A top-level popup painted in one colour, that counts the left clicks it receives: something
// for a shaped window to lie over.
class CSolidWindow {
public:
    CSolidWindow(const RECT& rc, COLORREF colour);
    ~CSolidWindow();
    CSolidWindow(const CSolidWindow&) = delete;
    CSolidWindow& operator=(const CSolidWindow&) = delete;

    HWND m_hWnd = nullptr;
    int m_nClicks = 0;

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    HBRUSH m_hBrush;
};

// GDI objects this process holds. Where GetGuiResources has no answer (Wine answers 0), the
// GDI handle table the process environment block points to is counted instead.
unsigned GdiObjectCount();

} // namespace desktop
