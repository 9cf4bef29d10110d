#include "Dialog.h"

#include "MessageEntries.h"
#include "OccManager.h"
#include "OleControlSite.h"
#include "WinApp.h"

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd)
        return;
    CDialogEx* pDlg = pDX->m_pDlgWnd;
    if (COccManager* pManager = AfxGetOccManager()) {
        if (pManager->BindControl(*pDlg, nIDC, rControl))
            return;
    }
    rControl.SubclassDlgItem(static_cast<UINT>(nIDC), pDlg);
}

CDialogEx::CDialogEx(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd), m_bModal(false),
      m_bModalContinue(false), m_nModalResult(0) {}

CDialogEx::~CDialogEx() {
    // The controls go before the window that hosts them.
    m_pCtrlCont.reset();
}

HWND CDialogEx::GetSafeOwner(CWnd* pParent) {
    HWND hWnd = pParent ? pParent->m_hWnd : nullptr;
    if (!hWnd) {
        CWnd* pMain = AfxGetMainWnd();
        hWnd = pMain ? pMain->m_hWnd : nullptr;
    }
    if (!hWnd || !::IsWindow(hWnd))
        return nullptr;
    while (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD)
        hWnd = ::GetParent(hWnd);
    return ::GetLastActivePopup(hWnd);
}

bool CDialogEx::CreateFromTemplate(HWND hWndOwner) {
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = ::FindResourceW(hInst, MAKEINTRESOURCEW(m_nIDTemplate), MAKEINTRESOURCEW(5));
    HGLOBAL hTemplate = hRes ? ::LoadResource(hInst, hRes) : nullptr;
    auto* pTemplate =
        hTemplate ? static_cast<const DLGTEMPLATE*>(::LockResource(hTemplate)) : nullptr;
    if (!pTemplate)
        return false;
    CWndCreationHook hook(this);
    HWND hWnd;
    if (COccManager* pManager = AfxGetOccManager())
        hWnd = pManager->CreateDlg(*this, hInst, m_nIDTemplate, pTemplate,
                                   ::SizeofResource(hInst, hRes), hWndOwner, &DialogProc);
    else
        hWnd = ::CreateDialogIndirectParamW(hInst, pTemplate, hWndOwner, &DialogProc, 0);
    if (!hWnd) {
        // Creation may have failed after the window existed (WM_INITDIALOG or a control).
        Detach();
        return false;
    }
    return true;
}

INT_PTR CALLBACK CDialogEx::DialogProc(HWND, UINT, WPARAM, LPARAM) {
    // Everything reaches the object through its window procedure first; what it passes on to the
    // dialog manager needs no further handling here.
    return FALSE;
}

INT_PTR CDialogEx::DoModal() {
    HWND hWndOwner = GetSafeOwner(m_pParentWnd);
    bool bEnableOwner = false;
    if (hWndOwner && hWndOwner != m_hWnd && ::IsWindowEnabled(hWndOwner)) {
        ::EnableWindow(hWndOwner, FALSE);
        bEnableOwner = true;
    }

    m_bModal = true;
    m_bModalContinue = true;
    m_nModalResult = -1;
    if (CreateFromTemplate(hWndOwner)) {
        CWinApp* pApp = AfxGetApp();
        bool bShowPending = !IsWindowVisible();
        while (m_bModalContinue) {
            if (bShowPending && m_hWnd) {
                MSG peek;
                if (!::PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
                    ShowWindow(SW_SHOWNORMAL);
                    bShowPending = false;
                }
            }
            if (!pApp->PumpMessage()) {
                // Every enclosing loop must end too: pass the quit request on outwards.
                ::PostQuitMessage(static_cast<int>(pApp->m_msgCur.wParam));
                m_nModalResult = -1;
                break;
            }
        }
    }
    m_bModal = false;

    if (bEnableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner && m_hWnd && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    if (m_hWnd) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        DestroyWindow();
    }
    return m_nModalResult;
}

BOOL CDialogEx::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    HWND hWndParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    if (!hWndParent) {
        CWnd* pMain = AfxGetMainWnd();
        hWndParent = pMain && pMain != this ? pMain->m_hWnd : nullptr;
    }
    return CreateFromTemplate(hWndParent);
}

void CDialogEx::EndDialog(int nResult) {
    if (m_bModal) {
        m_nModalResult = nResult;
        m_bModalContinue = false;
        // Wake the loop in case the end came from outside a message.
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
        return;
    }
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialogEx::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialogEx::DoDataExchange(CDataExchange*) {}

BOOL CDialogEx::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialogEx::OnOK() {
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialogEx::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialogEx::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    if (COccManager* pManager = AfxGetOccManager()) {
        if (pManager->PreTranslateDialogMessage(*this, pMsg))
            return TRUE;
    }
    return ::IsDialogMessageW(m_hWnd, pMsg);
}

LRESULT CDialogEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        // The template's ActiveX controls exist before OnInitDialog binds and moves them; a
        // dialog whose control cannot be created is not created either.
        if (m_pCtrlCont && !m_pCtrlCont->CreatePendingControls()) {
            ::DestroyWindow(m_hWnd);
            return FALSE;
        }
        return OnInitDialog();
    }
    LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    if (message == WM_DESTROY)
        m_pCtrlCont.reset();
    return result;
}

const MessageMap* CDialogEx::GetMessageMap() const {
    // clang-format off
    static const MessageEntry entries[] = {
        OnBnClicked<IDOK, &CDialogEx::OnIdOk>(),
        OnBnClicked<IDCANCEL, &CDialogEx::OnIdCancel>(),
    };
    // clang-format on
    static const MessageMap map(CWnd::GetMessageMap(), entries);
    return &map;
}
