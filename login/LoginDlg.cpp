#include "login/LoginDlg.h"

#include "MessageEntries.h"
#include "resource.h"

CLoginDlg::CLoginDlg() : CDialogEx(IDD_LOGIN_DIALOG) {}

const MessageMap* CLoginDlg::GetMessageMap() const {
    static const MessageEntry entries[] = {
        OnWmClose<&CLoginDlg::OnClose>(),
    };
    static const MessageMap map(CDialogEx::GetMessageMap(), entries);
    return &map;
}

// Closing the main window (its taskbar button, say) ends the program without asking.
void CLoginDlg::OnClose() { EndDialog(IDOK); }
