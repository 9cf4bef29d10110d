#include "DesktopProbe.h"

#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <fstream>

namespace desktop {

namespace {

// A file name under Z:, the drive Wine maps to the unix root, so that a unix shell can write it
// and this program read it.
struct DoneFile {
    std::string unixPath;
    std::wstring windowsPath;
};

DoneFile NextDoneFile() {
    static unsigned s_count = 0;
    char name[96];
    std::snprintf(name, sizeof(name), "/tmp/velmora-xdotool-%lu-%u",
                  static_cast<unsigned long>(::GetCurrentProcessId()), ++s_count);
    DoneFile file{name, L"Z:"};
    for (const char* p = name; *p; ++p)
        file.windowsPath += static_cast<wchar_t>(*p == '/' ? '\\' : *p);
    return file;
}

} // namespace

bool Xdotool(const std::wstring& args) {
    // Wine starts unix programs without a process handle to wait on: the shell leaves xdotool's
    // exit status in a file instead.
    DoneFile done = NextDoneFile();
    std::wstring unixDone(done.unixPath.begin(), done.unixPath.end());
    std::wstring cmd = L"/bin/sh -c \"xdotool " + args + L"; echo $? > " + unixDone + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &pi))
        return false;
    if (pi.hProcess)
        ::CloseHandle(pi.hProcess);
    if (pi.hThread)
        ::CloseHandle(pi.hThread);
    int status = -1;
    PumpUntil(
        [&] {
            std::ifstream in(done.windowsPath.c_str());
            return static_cast<bool>(in >> status);
        },
        10000);
    ::DeleteFileW(done.windowsPath.c_str());
    return status == 0;
}

bool PumpUntil(const std::function<bool()>& done, DWORD maxMillis) {
    DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > maxMillis)
            return false;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void PumpPending(DWORD millis) {
    PumpUntil([] { return false; }, millis);
}

CScreenShot::CScreenShot(const RECT& rc) : m_rc(rc) {
    int cx = rc.right - rc.left;
    int cy = rc.bottom - rc.top;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBmp = ::CreateDIBSection(hScreen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(hMem, hBmp);
    ::BitBlt(hMem, 0, 0, cx, cy, hScreen, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    const auto* px = static_cast<const DWORD*>(bits);
    m_pixels.reserve(static_cast<std::size_t>(cx) * cy);
    for (int i = 0; i < cx * cy; ++i)
        m_pixels.push_back(RGB((px[i] >> 16) & 0xFF, (px[i] >> 8) & 0xFF, px[i] & 0xFF));
    ::SelectObject(hMem, old);
    ::DeleteObject(hBmp);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
}

COLORREF CScreenShot::At(int x, int y) const {
    return m_pixels[static_cast<std::size_t>(y - m_rc.top) * (m_rc.right - m_rc.left) +
                    (x - m_rc.left)];
}

CSolidWindow::CSolidWindow(const RECT& rc, COLORREF colour) : m_hBrush(::CreateSolidBrush(colour)) {
    static const ATOM s_class = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &CSolidWindow::WndProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"VelmoraTestSolidWindow";
        return ::RegisterClassW(&wc);
    }();
    m_hWnd = ::CreateWindowExW(0, MAKEINTATOM(s_class), L"beneath", WS_POPUP | WS_VISIBLE, rc.left,
                               rc.top, rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr,
                               ::GetModuleHandleW(nullptr), this);
    ::UpdateWindow(m_hWnd);
}

CSolidWindow::~CSolidWindow() {
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    ::DeleteObject(m_hBrush);
}

LRESULT CALLBACK CSolidWindow::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<CSolidWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    switch (message) {
    case WM_ERASEBKGND: {
        RECT rc;
        ::GetClientRect(hWnd, &rc);
        ::FillRect(reinterpret_cast<HDC>(wParam), &rc, self->m_hBrush);
        return TRUE;
    }
    case WM_LBUTTONDOWN:
        ++self->m_nClicks;
        return 0;
    case WM_NCDESTROY:
        self->m_hWnd = nullptr;
        break;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

unsigned GdiObjectCount() {
    if (DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS))
        return n;
    // One cell per handle, in the same layout for 64-bit processes and Wine alike.
    struct Cell {
        std::uint64_t kernelObject;
        USHORT processId;
        USHORT count;
        USHORT unique;
        BYTE type;
        BYTE flags;
        std::uint64_t user;
    };
    static_assert(sizeof(Cell) == 24);
    constexpr int kMaxHandles = 0x10000;
    constexpr std::size_t kTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
    PROCESS_BASIC_INFORMATION pbi = {};
    if (!NT_SUCCESS(::NtQueryInformationProcess(::GetCurrentProcess(), ProcessBasicInformation,
                                                &pbi, sizeof(pbi), nullptr)))
        return 0;
    auto* peb = reinterpret_cast<const BYTE*>(pbi.PebBaseAddress);
    auto* cells = *reinterpret_cast<const Cell* const*>(peb + kTableOffset);
    if (!cells)
        return 0;
    USHORT self = static_cast<USHORT>(::GetCurrentProcessId());
    unsigned n = 0;
    for (int i = 0; i < kMaxHandles; ++i) {
        if (cells[i].type && (cells[i].processId == self || cells[i].processId == 0))
            ++n;
    }
    return n;
}

} // namespace desktop
