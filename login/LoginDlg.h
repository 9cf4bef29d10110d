// The login background window: the program's main window and the modal dialog it runs in. It
// shows the login artwork as a shaped, per-pixel alpha window; the login panel lies over it and
// the two move and show as one.
#pragma once

#include "Dialog.h"
#include "skin/LayeredWindow.h"

class CLoginDlg : public CDialogEx {
public:
    CLoginDlg();

    HICON m_hIcon;
    // Which window leads a move of the pair: TRUE this one, FALSE the panel. Whichever window
    // is hit-tested claims the lead, and only the leader's WM_MOVE moves the other, so no move
    // is echoed back.
    BOOL m_bBackgroundLeads;
    // The panel over the artwork; the application deletes it after the modal loop.
    CDialogEx* m_pActiveDlg;
    CLayeredWindow m_layered;

protected:
    BOOL OnInitDialog() override;
    // Enter, Escape and the IDCANCEL the dialog manager makes of WM_CLOSE never close it.
    void OnOK() override {}
    void OnCancel() override {}
    const MessageMap* GetMessageMap() const override;

    void OnPaint();
    HCURSOR OnQueryDragIcon();
    LRESULT OnNcHitTest(CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnMove(int x, int y);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnClose();
};
