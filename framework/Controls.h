// Wrappers of the standard controls and menus.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "Wnd.h"

class CButton : public CWnd {
public:
    // Owner-drawn buttons draw themselves when their parent reflects WM_DRAWITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CStatic : public CWnd {
public:
    HBITMAP SetBitmap(HBITMAP hBitmap);
};

class CToolTipCtrl : public CWnd {
public:
    ~CToolTipCtrl() override;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    // The whole of pWnd is the tool; its tip reads lpszText.
    BOOL AddTool(CWnd* pWnd, LPCWSTR lpszText);
    // Passes a mouse message on to the tip so it can show and hide itself.
    void RelayEvent(MSG* pMsg);
    void Activate(BOOL bActivate);

private:
    HWND m_hWndOwner = nullptr;
};

// Owns a menu handle; a popup menu is destroyed with its owner.
class CMenu {
public:
    CMenu() : m_hMenu(nullptr) {}
    ~CMenu() { DestroyMenu(); }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    BOOL CreatePopupMenu();
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCWSTR lpszNewItem = nullptr);
    // Returns the chosen command with TPM_RETURNCMD, otherwise whether the menu ran.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd);
    BOOL DestroyMenu();
    HMENU GetSafeHmenu() const { return m_hMenu; }

    HMENU m_hMenu;
};
