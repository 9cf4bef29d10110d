// Window objects: one C++ object per window handle, message dispatch through per-class tables.
#pragma once

#include <windows.h>

#include "MessageMap.h"

struct CPoint : POINT {
    CPoint() : POINT{0, 0} {}
    CPoint(int px, int py) : POINT{px, py} {}
};

struct CSize : SIZE {
    CSize() : SIZE{0, 0} {}
    CSize(int w, int h) : SIZE{w, h} {}
};

struct CRect : RECT {
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CPoint TopLeft() const { return CPoint(left, top); }
};

class CDC;
class COleControlSite;
struct EventSinkMap;

class CWnd {
public:
    HWND m_hWnd;

    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The object bound to a handle, or nullptr when no object owns that window.
    static CWnd* FromHandlePermanent(HWND hWnd);
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    BOOL Attach(HWND hWnd);
    HWND Detach();
    // Routes the window's messages through this object; PreSubclassWindow runs first.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();
    BOOL DestroyWindow();

    // Runs just before a window is subclassed into this object.
    virtual void PreSubclassWindow();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // A notification the parent reflects back to its child control (WM_DRAWITEM).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual const MessageMap* GetMessageMap() const;
    // The table of the events of hosted ActiveX controls this window handles.
    virtual const EventSinkMap* GetEventSinkMap() const;
    // Last call the object gets for its window, after WM_NCDESTROY.
    virtual void PostNcDestroy() {}

    // Default processing of the message being handled right now.
    LRESULT Default();

    // Offers pMsg to the objects of the window it is for and of its ancestors, up to hWndStop.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // Hosted ActiveX control this object is bound to, if any. Its window is then the control's,
    // and the moving, showing and automation calls below go through the control's site.
    COleControlSite* m_pCtrlSite;

    // An automation call of the bound control: pbParamInfo is the parameter type string (one
    // VARTYPE byte per argument, 0x40 added for pointers; zero-terminated), the arguments
    // follow it, and the result is stored at pvRet as vtRet (VT_EMPTY: none). Without a bound
    // control nothing is called.
    HRESULT InvokeHelper(DISPID dispid, WORD wFlags, VARTYPE vtRet, void* pvRet,
                         const BYTE* pbParamInfo, ...);

    BOOL MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    BOOL MoveWindow(const RECT& rc, BOOL bRepaint = TRUE);
    BOOL ShowWindow(int nCmdShow);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    void SetWindowText(LPCWSTR lpszString);
    void InvalidateRect(const RECT* lpRect, BOOL bErase = TRUE);
    void Invalidate(BOOL bErase = TRUE);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL IsWindowEnabled() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    CWnd* GetDlgItem(int nID) const;
    HDC GetDC();
    int ReleaseDC(HDC hDC);
    CWnd* SetActiveWindow();
    CWnd* GetParent() const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // The standard window procedure of every window that has an object.
    static LRESULT CALLBACK StandardWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Finds and runs the handler of a message; false when no table has one.
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    WNDPROC m_pfnSuper; // the window procedure we subclassed, if any

    friend class CWndCreationHook;
};

// A borrowed window handle in a CWnd's clothes, for handler parameters about windows that have
// no object of their own. It never owns or subclasses the window.
class CTempWnd : public CWnd {
public:
    explicit CTempWnd(HWND hWnd) { m_hWnd = hWnd; }
    ~CTempWnd() override { m_hWnd = nullptr; }
};

// While alive, the next window created on this thread is bound to pWnd from its very first
// message on (the way dialogs get their objects before WM_INITDIALOG).
class CWndCreationHook {
public:
    explicit CWndCreationHook(CWnd* pWnd);
    ~CWndCreationHook();
    CWndCreationHook(const CWndCreationHook&) = delete;
    CWndCreationHook& operator=(const CWndCreationHook&) = delete;

private:
    static LRESULT CALLBACK CbtProc(int nCode, WPARAM wParam, LPARAM lParam);
    HHOOK m_hHook;
    CWnd* m_pPrevious;
};
