#include "browser/WebBrowser2.h"

namespace {

constexpr DISPID kDispidNavigate = 104;
constexpr DISPID kDispidRefresh = -550;

} // namespace

HRESULT CWebBrowser2::Navigate(LPCWSTR URL, VARIANT* Flags, VARIANT* TargetFrameName,
                               VARIANT* PostData, VARIANT* Headers) {
    // A BSTR, then four VARIANT pointers.
    static const BYTE params[] = "\x08\x4C\x4C\x4C\x4C";
    return InvokeHelper(kDispidNavigate, DISPATCH_METHOD, VT_EMPTY, nullptr, params, URL, Flags,
                        TargetFrameName, PostData, Headers);
}

HRESULT CWebBrowser2::Refresh() {
    return InvokeHelper(kDispidRefresh, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
}
