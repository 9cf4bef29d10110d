// Dialogs from templates: modal with their own message loop, or modeless; data exchange.
#pragma once

#include <memory>

#include "Wnd.h"

class CDialogEx;
class COccManager;
class COleControlContainer;

class CDataExchange {
public:
    CDataExchange(CDialogEx* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    BOOL m_bSaveAndValidate;
    CDialogEx* m_pDlgWnd;
};

// Binds rControl to the dialog's control nIDC: an ordinary control is subclassed into it, a
// hosted ActiveX control is attached through its site.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

class CDialogEx : public CWnd {
public:
    explicit CDialogEx(UINT nIDTemplate = 0, CWnd* pParentWnd = nullptr);
    ~CDialogEx() override;

    // Runs the dialog with its own message loop; -1 when it cannot be created.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless; without a parent the application's main window owns it.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    const MessageMap* GetMessageMap() const override;

    // The owner a dialog gets when none is named: the top-level window of pParent or, without
    // one, of the main window, and there its last active popup.
    static HWND GetSafeOwner(CWnd* pParent);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);

    UINT m_nIDHelp;
    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    // Creates the window from the template; the object is bound to it before its first message.
    bool CreateFromTemplate(HWND hWndOwner);
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    // Shared by the Enter/Escape commands and WM_CLOSE's IDCANCEL.
    void OnIdOk() { OnOK(); }
    void OnIdCancel() { OnCancel(); }

    bool m_bModal;
    bool m_bModalContinue;
    INT_PTR m_nModalResult;
    // The template's ActiveX controls, from creation until the window is destroyed.
    std::unique_ptr<COleControlContainer> m_pCtrlCont;
    friend class COccManager;
};
