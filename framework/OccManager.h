// The hook through which dialogs host ActiveX controls. Without a manager installed, dialogs
// hold only ordinary window controls.
#pragma once

#include <windows.h>

#include <cstddef>

class CWnd;
class CDialogEx;
class COleControlContainer;
class COleControlSite;

class COccManager {
public:
    COccManager() = default;
    virtual ~COccManager() = default;
    COccManager(const COccManager&) = delete;
    COccManager& operator=(const COccManager&) = delete;

    // Creates the dialog window of dlg from its template (cbTemplate bytes), together with the
    // template's ActiveX controls; returns the window or null.
    virtual HWND CreateDlg(CDialogEx& dlg, HINSTANCE hInst, UINT nIDTemplate,
                           const DLGTEMPLATE* pTemplate, std::size_t cbTemplate, HWND hWndOwner,
                           DLGPROC pfnDialogProc);
    // Binds wnd to the ActiveX control nIDC of dlg; false when nIDC is no such control.
    virtual bool BindControl(CDialogEx& dlg, int nIDC, CWnd& wnd);
    // Gives the dialog's active control the first look at a keystroke.
    virtual bool PreTranslateDialogMessage(CDialogEx& dlg, MSG* pMsg);
    // The site for one control of pCtrlCont, with no reference taken yet. A derived manager
    // returns its own kind of site here to give every control it.
    virtual COleControlSite* CreateSite(COleControlContainer* pCtrlCont);
};

// Installs the manager that every dialog created from now on uses, and initialises OLE on the
// calling thread, where the controls will live. The manager lives until the process ends.
void AfxEnableControlContainer(COccManager* pManager = nullptr);
COccManager* AfxGetOccManager();
