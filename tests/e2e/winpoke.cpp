// A small remote control for end-to-end tests: lists the top-level windows that Wine knows and
// sends them window messages, so that a test driver outside Wine can see and steer a program.
//
//   winpoke list                  one line per visible top-level window:
//                                 hwnd pid tid x y w h style exstyle xid caption
//   winpoke close HWND            posts WM_CLOSE
//   winpoke quit TID CODE         posts WM_QUIT with CODE to a thread
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace {

BOOL CALLBACK PrintWindow(HWND hWnd, LPARAM) {
    if (!IsWindowVisible(hWnd))
        return TRUE;
    DWORD pid = 0;
    DWORD tid = GetWindowThreadProcessId(hWnd, &pid);
    RECT rc;
    GetWindowRect(hWnd, &rc);
    WCHAR caption[256] = L"";
    GetWindowTextW(hWnd, caption, 256);
    // Wine's X11 driver keeps the X window of each top-level window in this property.
    auto xid = reinterpret_cast<ULONG_PTR>(GetPropW(hWnd, L"__wine_x11_whole_window"));
    char utf8[1024];
    WideCharToMultiByte(CP_UTF8, 0, caption, -1, utf8, sizeof(utf8), nullptr, nullptr);
    std::printf("%llu %lu %lu %ld %ld %ld %ld %#lx %#lx %llu %s\n",
                static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(hWnd)), pid, tid,
                rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                static_cast<unsigned long>(GetWindowLongPtrW(hWnd, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongPtrW(hWnd, GWL_EXSTYLE)),
                static_cast<unsigned long long>(xid), utf8);
    return TRUE;
}

HWND ParseHwnd(const char* s) {
    return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoull(s, nullptr, 0)));
}

ULONG_PTR Number(const char* s) {
    return static_cast<ULONG_PTR>(std::strtoull(s, nullptr, 0));
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && !std::strcmp(argv[1], "list")) {
        EnumWindows(&PrintWindow, 0);
        return 0;
    }
    if (argc == 3 && !std::strcmp(argv[1], "close"))
        return PostMessageW(ParseHwnd(argv[2]), WM_CLOSE, 0, 0) ? 0 : 1;
    if (argc == 4 && !std::strcmp(argv[1], "quit"))
        return PostThreadMessageW(static_cast<DWORD>(Number(argv[2])), WM_QUIT, Number(argv[3]), 0)
                   ? 0
                   : 1;
    std::fprintf(stderr, "usage: winpoke list | close HWND | quit TID CODE\n");
    return 2;
}
