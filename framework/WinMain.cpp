// The program's entry point, linked into every executable that has a CWinApp object.
#include "WinApp.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int) {
    return AfxWinMain(hInstance);
}
