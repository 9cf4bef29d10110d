#include "login/LoginDlg.h"

#include "MessageEntries.h"
#include "WinApp.h"
#include "resource.h"

namespace {
// The artwork's dark panel: what the window shows when the artwork itself cannot be had.
constexpr COLORREF kPanelColour = RGB(16, 12, 10);
} // namespace

CLoginDlg::CLoginDlg()
    : CDialogEx(IDD_LOGIN_DIALOG),
      m_hIcon(::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME))),
      m_bBackgroundLeads(FALSE), m_pActiveDlg(nullptr) {}

BOOL CLoginDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    SetWindowText(L"TesselVelmora");
    m_layered.m_hWnd = m_hWnd;
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    // The login panel is created here, before the window takes the artwork's shape.

    ModifyStyle(WS_CAPTION, 0);
    if (!m_layered.m_image.Load(IDB_LOGIN_BG, AfxGetResourceHandle()))
        return TRUE;
    MoveWindow(0, 0, static_cast<int>(m_layered.m_image.GetWidth()),
               static_cast<int>(m_layered.m_image.GetHeight()), TRUE);
    CenterWindow();
    if (m_pActiveDlg) {
        CRect rc;
        GetWindowRect(&rc);
        m_pActiveDlg->MoveWindow(rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
    }
    m_layered.UpdateFromImage();
    return TRUE;
}

const MessageMap* CLoginDlg::GetMessageMap() const {
    // clang-format off
    static const MessageEntry entries[] = {
        OnWmPaint<&CLoginDlg::OnPaint>(),
        OnWmQueryDragIcon<&CLoginDlg::OnQueryDragIcon>(),
        OnWmNcHitTest<&CLoginDlg::OnNcHitTest>(),
        OnWmTimer<&CLoginDlg::OnTimer>(),
        OnWmMove<&CLoginDlg::OnMove>(),
        OnWmShowWindow<&CLoginDlg::OnShowWindow>(),
        OnWmClose<&CLoginDlg::OnClose>(),
    };
    // clang-format on
    static const MessageMap map(CDialogEx::GetMessageMap(), entries);
    return &map;
}

void CLoginDlg::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    if (IsIconic()) {
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        int x = (rc.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
        int y = (rc.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
        dc.DrawIcon(x, y, m_hIcon);
        return;
    }
    // A layered window takes its pixels from the artwork alone; only a window left without
    // its artwork is painted here.
    if (!m_layered.m_image.m_pImage)
        dc.FillSolidRect(rc, kPanelColour);
}

HCURSOR CLoginDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

LRESULT CLoginDlg::OnNcHitTest(CPoint) {
    m_bBackgroundLeads = TRUE;
    // Every visible pixel is a caption to drag the borderless window by.
    LRESULT hit = Default();
    return hit == HTCLIENT ? HTCAPTION : hit;
}

// No timer is ever started on this window; a stray WM_TIMER must not reach anything.
void CLoginDlg::OnTimer(UINT_PTR) {}

void CLoginDlg::OnMove(int, int) {
    if (!::IsWindow(m_hWnd) || !m_bBackgroundLeads || !m_pActiveDlg)
        return;
    CRect rc;
    GetWindowRect(&rc);
    CRect rcPanel;
    m_pActiveDlg->GetWindowRect(&rcPanel);
    m_pActiveDlg->MoveWindow(rc.left, rc.top, rcPanel.Width(), rcPanel.Height(), TRUE);
}

void CLoginDlg::OnShowWindow(BOOL bShow, UINT) {
    Default();
    if (m_pActiveDlg)
        m_pActiveDlg->ShowWindow(bShow ? SW_SHOWNORMAL : SW_HIDE);
}

// Closing the main window (its taskbar button, say) ends the program without asking.
void CLoginDlg::OnClose() {
    EndDialog(IDOK);
}
