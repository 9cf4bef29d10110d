// The window class bound to a hosted WebBrowser control: the application's two operations on
// it, each one automation call through the control's site.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include "Wnd.h"

class CWebBrowser2 : public CWnd {
public:
    // Loads URL; the four VARIANTs (flags, target frame, post data, headers) go by reference.
    // Returns at once: the page arrives later and its events tell when.
    HRESULT Navigate(LPCWSTR URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData,
                     VARIANT* Headers);
    // Reloads the page shown now.
    HRESULT Refresh();
};
