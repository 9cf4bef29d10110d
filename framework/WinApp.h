// The application object and the thread's message pump.
#pragma once

#include <windows.h>

class CWnd;

constexpr DWORD AFX_RESTART_MANAGER_SUPPORT_RESTART = 0x01;

class CWinApp {
public:
    explicit CWinApp(LPCWSTR lpszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Registers with the restart manager when m_dwRestartManagerSupportFlags asks for it.
    virtual BOOL InitInstance();
    // The process's exit code: the WM_QUIT code that ended the last message loop, else 0.
    virtual int ExitInstance();
    // The application's own message loop, for programs whose InitInstance returns TRUE.
    virtual int Run();
    // Offers a message to the window objects it concerns before it is dispatched.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // Retrieves and dispatches one message; false when it was WM_QUIT (its code is kept).
    bool PumpMessage();

    void SetRegistryKey(LPCWSTR lpszRegistryKey);
    LPCWSTR GetRegistryKey() const { return m_szRegistryKey; }

    HINSTANCE m_hInstance;
    CWnd* m_pMainWnd;
    LPCWSTR m_pszAppName;
    DWORD m_dwRestartManagerSupportFlags;
    MSG m_msgCur; // the last message the pump retrieved

    static CWinApp* Current() { return s_pApp; }

private:
    static CWinApp* s_pApp;
    WCHAR m_szRegistryKey[128];
    bool m_bQuitSeen;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// The body of the program's entry point: runs the application object.
int AfxWinMain(HINSTANCE hInstance);
