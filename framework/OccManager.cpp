#include "OccManager.h"

#include "Dialog.h"

namespace {
COccManager* g_pOccManager = nullptr;
}

HWND COccManager::CreateDlg(CDialogEx&, HINSTANCE hInst, UINT, const DLGTEMPLATE* pTemplate,
                            HWND hWndOwner, DLGPROC pfnDialogProc) {
    return ::CreateDialogIndirectParamW(hInst, pTemplate, hWndOwner, pfnDialogProc, 0);
}

bool COccManager::BindControl(CDialogEx&, int, CWnd&) { return false; }

bool COccManager::PreTranslateDialogMessage(CDialogEx&, MSG*) { return false; }

void AfxEnableControlContainer(COccManager* pManager) {
    static COccManager defaultManager;
    g_pOccManager = pManager ? pManager : &defaultManager;
}

COccManager* AfxGetOccManager() { return g_pOccManager; }
