#include "app/LoginApp.h"

#include <commctrl.h>
#include <gdiplus.h>

#include "OccManager.h"
#include "login/LoginDlg.h"

CLoginApp theApp;

CLoginApp::CLoginApp() : CWinApp(nullptr), m_gdiplusToken(0) {
    m_dwRestartManagerSupportFlags = AFX_RESTART_MANAGER_SUPPORT_RESTART;
}

BOOL CLoginApp::InitInstance() {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    CWinApp::InitInstance();

    AfxEnableControlContainer();

    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr);

    SetRegistryKey(L"应用程序向导生成的本地应用程序");

    CLoginDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;

    // The whole run happened inside the modal loop above; returning FALSE ends the process
    // with the code of the quit request that ended it.
    return FALSE;
}
