#include "WinApp.h"

#include "Wnd.h"

CWinApp* CWinApp::s_pApp = nullptr;

CWinApp::CWinApp(LPCWSTR lpszAppName)
    : m_hInstance(nullptr), m_pMainWnd(nullptr), m_pszAppName(lpszAppName),
      m_dwRestartManagerSupportFlags(0), m_msgCur(), m_szRegistryKey(), m_bQuitSeen(false) {
    s_pApp = this;
}

CWinApp::~CWinApp() {
    if (s_pApp == this)
        s_pApp = nullptr;
}

BOOL CWinApp::InitInstance() {
    if (m_dwRestartManagerSupportFlags & AFX_RESTART_MANAGER_SUPPORT_RESTART)
        ::RegisterApplicationRestart(nullptr, 0);
    return TRUE;
}

int CWinApp::ExitInstance() {
    return m_bQuitSeen ? static_cast<int>(m_msgCur.wParam) : 0;
}

int CWinApp::Run() {
    while (PumpMessage()) {
    }
    return ExitInstance();
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) {
    HWND hStop = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    return CWnd::WalkPreTranslateTree(hStop, pMsg);
}

bool CWinApp::PumpMessage() {
    MSG msg;
    BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1)
        return true;
    m_msgCur = msg;
    if (!got) {
        m_bQuitSeen = true;
        return false;
    }
    if (!PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

void CWinApp::SetRegistryKey(LPCWSTR lpszRegistryKey) {
    // Kept for what the name says; this framework never reads or writes profile settings.
    lstrcpynW(m_szRegistryKey, lpszRegistryKey ? lpszRegistryKey : L"", ARRAYSIZE(m_szRegistryKey));
}

CWinApp* AfxGetApp() {
    return CWinApp::Current();
}

CWnd* AfxGetMainWnd() {
    CWinApp* app = CWinApp::Current();
    return app ? app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    CWinApp* app = CWinApp::Current();
    return app && app->m_hInstance ? app->m_hInstance : ::GetModuleHandleW(nullptr);
}

HINSTANCE AfxGetResourceHandle() {
    return AfxGetInstanceHandle();
}

int AfxWinMain(HINSTANCE hInstance) {
    CWinApp* app = CWinApp::Current();
    if (!app)
        return -1;
    app->m_hInstance = hInstance;
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}
