#include "Wnd.h"

#include <cstdarg>
#include <unordered_map>

#include "EventSink.h"
#include "OleControlSite.h"

namespace {

// Handle-to-object map of this thread's windows. Window objects belong to the thread that
// created their windows, as their messages do.
std::unordered_map<HWND, CWnd*>& HandleMap() {
    thread_local std::unordered_map<HWND, CWnd*> map;
    return map;
}

// The messages being handled on this thread, innermost first, for Default().
struct CurrentMessage {
    CWnd* wnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    CurrentMessage* outer;
};
thread_local CurrentMessage* t_pCurrent = nullptr;

class CurrentMessageScope {
public:
    CurrentMessageScope(CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam)
        : m_frame{wnd, message, wParam, lParam, t_pCurrent} {
        t_pCurrent = &m_frame;
    }
    ~CurrentMessageScope() { t_pCurrent = m_frame.outer; }

private:
    CurrentMessage m_frame;
};

thread_local CWnd* t_pWndInit = nullptr;

} // namespace

bool MessageEntry::Matches(UINT message, WPARAM wParam, LPARAM) const {
    if (message < firstMessage || message > lastMessage)
        return false;
    if (message == WM_COMMAND) {
        UINT id = LOWORD(wParam);
        return HIWORD(wParam) == code && id >= firstId && id <= lastId;
    }
    return true;
}

const MessageEntry* MessageMap::Find(UINT message, WPARAM wParam, LPARAM lParam) const {
    for (const MessageMap* map = this; map; map = map->base) {
        for (const MessageEntry* entry = map->first; entry != map->last; ++entry) {
            if (entry->Matches(message, wParam, lParam))
                return entry;
        }
    }
    return nullptr;
}

CWnd::CWnd() : m_hWnd(nullptr), m_pCtrlSite(nullptr), m_pfnSuper(nullptr) {}

CWnd::~CWnd() {
    if (m_pCtrlSite)
        m_pCtrlSite->DetachWindow(*this);
    if (m_hWnd && HandleMap().count(m_hWnd) && HandleMap()[m_hWnd] == this) {
        // The object goes first: the window must not call back into a half-destroyed object.
        HWND hWnd = m_hWnd;
        UnsubclassWindow();
        ::DestroyWindow(hWnd);
    }
    m_hWnd = nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    auto& map = HandleMap();
    auto it = map.find(hWnd);
    return it == map.end() ? nullptr : it->second;
}

BOOL CWnd::Attach(HWND hWnd) {
    if (!hWnd || m_hWnd)
        return FALSE;
    m_hWnd = hWnd;
    HandleMap()[hWnd] = this;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd) {
        auto& map = HandleMap();
        auto it = map.find(hWnd);
        if (it != map.end() && it->second == this)
            map.erase(it);
    }
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StandardWndProc)));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    HWND hCtl = ::GetDlgItem(pParent->m_hWnd, nID);
    return hCtl && SubclassWindow(hCtl);
}

void CWnd::PreSubclassWindow() {}

HWND CWnd::UnsubclassWindow() {
    if (m_pfnSuper && m_hWnd)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd && ::DestroyWindow(m_hWnd);
}

LRESULT CALLBACK CWnd::StandardWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    LRESULT result;
    {
        CurrentMessageScope scope(pWnd, message, wParam, lParam);
        result = pWnd->WindowProc(message, wParam, lParam);
    }
    // A handler may have deleted the object: look it up again rather than trusting pWnd.
    if (message == WM_NCDESTROY) {
        pWnd = FromHandlePermanent(hWnd);
        if (pWnd) {
            pWnd->UnsubclassWindow();
            pWnd->PostNcDestroy();
        }
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (const MessageEntry* entry = GetMessageMap()->Find(message, wParam, lParam)) {
        *pResult = entry->handler(*this, message, wParam, lParam);
        return true;
    }
    if (message == WM_DRAWITEM && wParam != 0) {
        // Owner-drawn controls draw themselves: hand the request back to the control's object.
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        CWnd* pChild = FromHandlePermanent(dis->hwndItem);
        if (pChild && pChild->OnChildNotify(message, wParam, lParam, pResult))
            return true;
    }
    return false;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    for (CurrentMessage* frame = t_pCurrent; frame; frame = frame->outer) {
        if (frame->wnd == this)
            return DefWindowProc(frame->message, frame->wParam, frame->lParam);
    }
    return 0;
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}

const MessageMap* CWnd::GetMessageMap() const {
    static const MessageMap map(nullptr);
    return &map;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = FromHandlePermanent(hWnd)) {
            if (pWnd->PreTranslateMessage(pMsg))
                return TRUE;
        }
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

const EventSinkMap* CWnd::GetEventSinkMap() const {
    static const EventSinkMap map(nullptr);
    return &map;
}

HRESULT CWnd::InvokeHelper(DISPID dispid, WORD wFlags, VARTYPE vtRet, void* pvRet,
                           const BYTE* pbParamInfo, ...) {
    if (!m_pCtrlSite)
        return E_UNEXPECTED;
    va_list args;
    va_start(args, pbParamInfo);
    HRESULT hr = m_pCtrlSite->InvokeHelperV(dispid, wFlags, vtRet, pvRet, pbParamInfo, args);
    va_end(args);
    return hr;
}

BOOL CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    if (m_pCtrlSite)
        return m_pCtrlSite->MoveWindow(x, y, nWidth, nHeight);
    return ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

BOOL CWnd::MoveWindow(const RECT& rc, BOOL bRepaint) {
    return MoveWindow(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, bRepaint);
}

BOOL CWnd::ShowWindow(int nCmdShow) {
    if (m_pCtrlSite)
        return m_pCtrlSite->ShowWindow(nCmdShow);
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy,
                          nFlags);
}

void CWnd::GetWindowRect(LPRECT lpRect) const {
    ::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::GetClientRect(LPRECT lpRect) const {
    ::GetClientRect(m_hWnd, lpRect);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const {
    ::ScreenToClient(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const {
    ::ClientToScreen(m_hWnd, lpPoint);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    // Centre over the owner (or the alternate owner) while it is visible and not minimised,
    // otherwise over the work area of the monitor the window is on.
    HWND hCenter = pAlternateOwner ? pAlternateOwner->m_hWnd : nullptr;
    if (!hCenter)
        hCenter = (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    if (hCenter && (!::IsWindowVisible(hCenter) || ::IsIconic(hCenter)))
        hCenter = nullptr;

    CRect rcDlg;
    GetWindowRect(&rcDlg);
    CRect rcArea;
    CRect rcCenter;
    if (GetStyle() & WS_CHILD) {
        HWND hParent = ::GetParent(m_hWnd);
        ::GetClientRect(hParent, &rcArea);
        rcCenter = rcArea;
        if (hCenter) {
            ::GetClientRect(hCenter, &rcCenter);
            ::MapWindowPoints(hCenter, hParent, reinterpret_cast<LPPOINT>(&rcCenter), 2);
        }
    } else {
        MONITORINFO mi = {};
        mi.cbSize = sizeof(mi);
        ::GetMonitorInfoW(::MonitorFromWindow(hCenter ? hCenter : m_hWnd, MONITOR_DEFAULTTOPRIMARY),
                          &mi);
        static_cast<RECT&>(rcArea) = mi.rcWork;
        rcCenter = rcArea;
        if (hCenter)
            ::GetWindowRect(hCenter, &rcCenter);
    }
    int x = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
    // Keep the window inside the area where that is possible.
    if (x + rcDlg.Width() > rcArea.right)
        x = rcArea.right - rcDlg.Width();
    if (x < rcArea.left)
        x = rcArea.left;
    if (y + rcDlg.Height() > rcArea.bottom)
        y = rcArea.bottom - rcDlg.Height();
    if (y < rcArea.top)
        y = rcArea.top;
    SetWindowPos(nullptr, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {
BOOL ModifyLong(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(hWnd, nIndex));
    DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongPtrW(hWnd, nIndex, static_cast<LONG_PTR>(newStyle));
    if (nFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}
} // namespace

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

DWORD CWnd::GetStyle() const {
    return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const {
    return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE));
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
    return reinterpret_cast<HICON>(::SendMessageW(
        m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

void CWnd::SetWindowText(LPCWSTR lpszString) {
    ::SetWindowTextW(m_hWnd, lpszString);
}

void CWnd::InvalidateRect(const RECT* lpRect, BOOL bErase) {
    ::InvalidateRect(m_hWnd, lpRect, bErase);
}

void CWnd::Invalidate(BOOL bErase) {
    ::InvalidateRect(m_hWnd, nullptr, bErase);
}

BOOL CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::IsIconic() const {
    return ::IsIconic(m_hWnd);
}

BOOL CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
    return ::EnableWindow(m_hWnd, bEnable);
}

CWnd* CWnd::GetDlgItem(int nID) const {
    return FromHandlePermanent(::GetDlgItem(m_hWnd, nID));
}

HDC CWnd::GetDC() {
    return ::GetDC(m_hWnd);
}

int CWnd::ReleaseDC(HDC hDC) {
    return ::ReleaseDC(m_hWnd, hDC);
}

CWnd* CWnd::SetActiveWindow() {
    return FromHandlePermanent(::SetActiveWindow(m_hWnd));
}

CWnd* CWnd::GetParent() const {
    return FromHandlePermanent(::GetParent(m_hWnd));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

CWndCreationHook::CWndCreationHook(CWnd* pWnd) : m_hHook(nullptr), m_pPrevious(t_pWndInit) {
    t_pWndInit = pWnd;
    m_hHook = ::SetWindowsHookExW(WH_CBT, &CbtProc, nullptr, ::GetCurrentThreadId());
}

CWndCreationHook::~CWndCreationHook() {
    if (m_hHook)
        ::UnhookWindowsHookEx(m_hHook);
    t_pWndInit = m_pPrevious;
}

LRESULT CALLBACK CWndCreationHook::CbtProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HCBT_CREATEWND && t_pWndInit) {
        // Only the first window created belongs to the object; its controls come after it.
        CWnd* pWnd = t_pWndInit;
        t_pWndInit = nullptr;
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        pWnd->Attach(hWnd);
        pWnd->m_pfnSuper = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
            hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StandardWndProc)));
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}
