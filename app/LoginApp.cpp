#include "app/LoginApp.h"

#include <commctrl.h>
#include <gdiplus.h>

#include "OccManager.h"
#include "browser/CustomControlSite.h"
#include "browser/ImpIDispatch.h"
#include "login/LoginDlg.h"

CLoginApp theApp;

CLoginApp::CLoginApp() : CWinApp(nullptr), m_gdiplusToken(0), m_pExternal(nullptr) {
    m_dwRestartManagerSupportFlags = AFX_RESTART_MANAGER_SUPPORT_RESTART;
}

BOOL CLoginApp::InitInstance() {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    CWinApp::InitInstance();

    // Every ActiveX control a dialog creates from now on lives in the custom site; the
    // manager lives until the process ends.
    auto* pOccManager = new CCustomOccManager;
    m_pExternal = new CImpIDispatch;
    AfxEnableControlContainer(pOccManager);

    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr);

    SetRegistryKey(L"应用程序向导生成的本地应用程序");

    CLoginDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;

    // The login window took the windows it owned with it; the panel object outlives its window.
    delete dlg.m_pActiveDlg;
    dlg.m_pActiveDlg = nullptr;

    // Every browser is gone by now, whatever references pages left on the external object.
    delete m_pExternal;
    m_pExternal = nullptr;

    // The whole run happened inside the modal loop above; returning FALSE ends the process
    // with the code of the quit request that ended it.
    return FALSE;
}
