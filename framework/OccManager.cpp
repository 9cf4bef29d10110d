#include "OccManager.h"

#include <ole2.h>

#include <memory>

#include "Dialog.h"
#include "DialogTemplate.h"
#include "OleControlSite.h"

namespace {

COccManager* g_pOccManager = nullptr;

// A resource's bytes, or nothing.
std::pair<const BYTE*, std::size_t> FindResourceBytes(HINSTANCE hInst, UINT nID, LPCWSTR type) {
    HRSRC hRes = ::FindResourceW(hInst, MAKEINTRESOURCEW(nID), type);
    HGLOBAL hData = hRes ? ::LoadResource(hInst, hRes) : nullptr;
    const void* p = hData ? ::LockResource(hData) : nullptr;
    if (!p)
        return {nullptr, 0};
    return {static_cast<const BYTE*>(p), ::SizeofResource(hInst, hRes)};
}

constexpr WORD kDlgInitResourceType = 240;

} // namespace

HWND COccManager::CreateDlg(CDialogEx& dlg, HINSTANCE hInst, UINT nIDTemplate,
                            const DLGTEMPLATE* pTemplate, std::size_t cbTemplate, HWND hWndOwner,
                            DLGPROC pfnDialogProc) {
    CDialogTemplate dialogTemplate(pTemplate, cbTemplate);
    if (!dialogTemplate.OleItems().empty()) {
        auto [pDlgInit, cbDlgInit] =
            FindResourceBytes(hInst, nIDTemplate, MAKEINTRESOURCEW(kDlgInitResourceType));
        dlg.m_pCtrlCont = std::make_unique<COleControlContainer>(*this, dlg);
        dlg.m_pCtrlCont->SetPendingItems(dialogTemplate.OleItems(), pDlgInit, cbDlgInit);
    }
    HWND hWnd =
        ::CreateDialogIndirectParamW(hInst, dialogTemplate.Template(), hWndOwner, pfnDialogProc, 0);
    if (!hWnd)
        dlg.m_pCtrlCont.reset();
    return hWnd;
}

bool COccManager::BindControl(CDialogEx& dlg, int nIDC, CWnd& wnd) {
    COleControlSite* pSite = dlg.m_pCtrlCont ? dlg.m_pCtrlCont->FindSite(nIDC) : nullptr;
    if (!pSite)
        return false;
    pSite->AttachWindow(wnd);
    return true;
}

bool COccManager::PreTranslateDialogMessage(CDialogEx& dlg, MSG* pMsg) {
    return dlg.m_pCtrlCont && dlg.m_pCtrlCont->PreTranslateMessage(pMsg);
}

COleControlSite* COccManager::CreateSite(COleControlContainer* pCtrlCont) {
    return new COleControlSite(pCtrlCont);
}

void AfxEnableControlContainer(COccManager* pManager) {
    // Controls are hosted on the thread that installs the manager, the user-interface thread;
    // they need OLE there (clipboard, drag and drop, in-place activation) until the process ends.
    ::OleInitialize(nullptr);
    static COccManager defaultManager;
    g_pOccManager = pManager ? pManager : &defaultManager;
}

COccManager* AfxGetOccManager() {
    return g_pOccManager;
}
