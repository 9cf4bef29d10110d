// The real WebBrowser control hosted in a dialog made from a template: creation from the
// template, the wrapper's calls, the events and their Cancel, the document host UI handler, the
// external object as a page script sees it, keystrokes, and tear-down without leaks.
#include <gtest/gtest.h>

#include <exdisp.h>
#include <mshtmhst.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "Dialog.h"
#include "EventSink.h"
#include "MessageEntries.h"
#include "OleControlSite.h"
#include "app/LoginApp.h"
#include "browser/CustomControlSite.h"
#include "browser/ImpIDispatch.h"
#include "browser/WebBrowser2.h"
#include "browser_test_resource.h"

namespace {

// The application's sites, counted by the test so that it can tell when the control has let
// go of every one of them.
class CCountingSite : public CCustomControlSite {
public:
    explicit CCountingSite(COleControlContainer* pCtrlCont) : CCustomControlSite(pCtrlCont) {
        ++s_nCreated;
        ++s_nLive;
    }
    ~CCountingSite() override { --s_nLive; }
    static inline int s_nCreated = 0;
    static inline int s_nLive = 0;
};

class CCountingManager : public CCustomOccManager {
public:
    COleControlSite* CreateSite(COleControlContainer* pCtrlCont) override {
        return new CCountingSite(pCtrlCont);
    }
};

// What InitInstance sets up before any dialog exists.
class CHostingEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        theApp.m_pExternal = new CImpIDispatch;
        AfxEnableControlContainer(&m_manager);
    }
    void TearDown() override {
        delete theApp.m_pExternal;
        theApp.m_pExternal = nullptr;
    }

private:
    CCountingManager m_manager;
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new CHostingEnvironment);

// Runs the thread's messages as the application's loop does until done() holds. The limit only
// keeps a broken control from hanging the run; nothing is measured.
bool PumpUntil(const std::function<bool()>& done, DWORD msLimit = 20000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                continue;
            if (!theApp.PreTranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        if (done())
            break;
        if (GetTickCount() - start > msLimit)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

std::wstring UrlOf(const VARIANT* pUrl) {
    return pUrl && pUrl->vt == VT_BSTR && pUrl->bstrVal ? pUrl->bstrVal : L"";
}

bool Contains(const std::vector<std::wstring>& list, const std::wstring& part) {
    for (const std::wstring& s : list) {
        if (s.find(part) != std::wstring::npos)
            return true;
    }
    return false;
}

class CBrowserDlg : public CDialogEx {
public:
    CBrowserDlg() : CDialogEx(IDD_BROWSER_TEST) {}

    CWebBrowser2 m_browser;
    std::vector<std::wstring> m_before, m_navigated, m_completed, m_failed;
    std::wstring m_cancelMarker; // navigations to addresses containing it are cancelled
    int m_nDefaultClicks = 0;

    HRESULT Navigate(const std::wstring& url) {
        VARIANT empty;
        VariantInit(&empty);
        return m_browser.Navigate(url.c_str(), &empty, &empty, &empty, &empty);
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        CDialogEx::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_BROWSER, m_browser);
    }
    void OnOK() override {}
    void OnCancel() override {}
    const MessageMap* GetMessageMap() const override {
        // clang-format off
        static const MessageEntry entries[] = {
            OnBnClicked<IDC_BEFORE, &CBrowserDlg::OnBnClickedBefore>(),
        };
        // clang-format on
        static const MessageMap map(CDialogEx::GetMessageMap(), entries);
        return &map;
    }
    const EventSinkMap* GetEventSinkMap() const override {
        // clang-format off
        static const EventSinkEntry entries[] = {
            OnEvent<IDC_BROWSER, 250, &CBrowserDlg::OnBeforeNavigate2>("\x09\x4C\x4C\x4C\x4C\x4C\x4B"),
            OnEvent<IDC_BROWSER, 252, &CBrowserDlg::OnNavigateComplete2>("\x09\x4C"),
            OnEvent<IDC_BROWSER, 259, &CBrowserDlg::OnDocumentComplete>("\x09\x4C"),
            OnEvent<IDC_BROWSER, 271, &CBrowserDlg::OnNavigateError>("\x09\x4C\x4C\x4C\x4B"),
        };
        // clang-format on
        static const EventSinkMap map(CDialogEx::GetEventSinkMap(), entries);
        return &map;
    }

private:
    void OnBnClickedBefore() { ++m_nDefaultClicks; }
    void OnBeforeNavigate2(IDispatch*, VARIANT* pUrl, VARIANT*, VARIANT*, VARIANT*, VARIANT*,
                           BOOL* pCancel) {
        std::wstring url = UrlOf(pUrl);
        m_before.push_back(url);
        if (!m_cancelMarker.empty() && url.find(m_cancelMarker) != std::wstring::npos)
            *pCancel = TRUE;
    }
    void OnNavigateComplete2(IDispatch*, VARIANT* pUrl) { m_navigated.push_back(UrlOf(pUrl)); }
    void OnDocumentComplete(IDispatch*, VARIANT* pUrl) { m_completed.push_back(UrlOf(pUrl)); }
    void OnNavigateError(IDispatch*, VARIANT* pUrl, VARIANT*, VARIANT*, BOOL*) {
        m_failed.push_back(UrlOf(pUrl));
    }
};

// --- the demo portal and the stand-in document -----------------------------------------------

const std::wstring kOrigin = VELMORA_PORTAL_ORIGIN;

// A token no earlier run has put into the server's log.
std::wstring UniqueToken(const wchar_t* what) {
    static unsigned s_nSerial = 0;
    std::wostringstream s;
    s << what << L"-" << GetCurrentProcessId() << L"-" << GetTickCount() << L"-" << ++s_nSerial;
    return s.str();
}

// The request log of the demo portal (VELMORA_PORTAL_LOG, a path of the machine Wine runs on).
std::string PortalLogPath() {
    const char* path = std::getenv("VELMORA_PORTAL_LOG");
    if (!path || !*path)
        return {};
    std::string windowsPath = path;
    if (windowsPath.front() == '/') {
        for (char& c : windowsPath)
            c = c == '/' ? '\\' : c;
        windowsPath = "Z:" + windowsPath;
    }
    return windowsPath;
}

// How many requests of the portal's log contain token.
int PortalLogCount(const std::wstring& token) {
    std::ifstream log(PortalLogPath());
    std::string line, narrow(token.begin(), token.end());
    int count = 0;
    while (std::getline(log, line))
        count += line.find(narrow) != std::string::npos;
    return count;
}

bool PortalLogHas(const std::wstring& token) {
    return PortalLogCount(token) > 0;
}

// Why a test that needs the portal cannot run here, or null.
const char* WithoutPortal() {
    return PortalLogPath().empty()
               ? "VELMORA_PORTAL_LOG is not set: no demo portal (tools/test.sh starts one)"
               : nullptr;
}

bool StandInDocumentRegistered() {
    wchar_t clsid[64] = {};
    DWORD cb = sizeof(clsid);
    return RegGetValueW(HKEY_CLASSES_ROOT, L"MIME\\Database\\Content Type\\text/html", L"CLSID",
                        RRF_RT_REG_SZ, nullptr, clsid, &cb) == ERROR_SUCCESS &&
           _wcsicmp(clsid, L"{7B1F2BAE-C0A7-4F67-B1F0-7BD5C4B7671B}") == 0;
}

// Why a test that needs completed navigations cannot run here, or null.
const char* WithoutStandInDocument() {
    if (const char* why = WithoutPortal())
        return why;
    return StandInDocumentRegistered()
               ? nullptr
               : "the stand-in HTML document is not registered in this prefix (tools/test.sh "
                 "registers it)";
}

// --- creation from the template --------------------------------------------------------------

TEST(BrowserHost, ControlIsCreatedHiddenAtItsTemplateRectangleInTemplateOrder) {
    CBrowserDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_BROWSER_TEST));
    HWND hCtl = GetDlgItem(dlg.m_hWnd, IDC_BROWSER);
    ASSERT_NE(hCtl, nullptr);
    wchar_t className[64] = {};
    GetClassNameW(hCtl, className, 64);
    EXPECT_STREQ(className, L"Shell Embedding");
    EXPECT_EQ(GetParent(hCtl), dlg.m_hWnd);

    EXPECT_EQ(GetWindowLongPtrW(hCtl, GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_NE(GetWindowLongPtrW(hCtl, GWL_STYLE) & WS_TABSTOP, 0);
    RECT expected = {10, 30, 210, 150};
    MapDialogRect(dlg.m_hWnd, &expected);
    RECT actual;
    GetWindowRect(hCtl, &actual);
    MapWindowPoints(nullptr, dlg.m_hWnd, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);

    HWND hBefore = GetDlgItem(dlg.m_hWnd, IDC_BEFORE), hAfter = GetDlgItem(dlg.m_hWnd, IDC_AFTER);
    EXPECT_EQ(GetWindow(hBefore, GW_HWNDNEXT), hCtl);
    EXPECT_EQ(GetWindow(hCtl, GW_HWNDNEXT), hAfter);

    // DDX_Control bound the wrapper to the control's site and window.
    EXPECT_EQ(dlg.m_browser.m_hWnd, hCtl);
    ASSERT_NE(dlg.m_browser.m_pCtrlSite, nullptr);
    EXPECT_EQ(dlg.m_browser.m_pCtrlSite->GetID(), IDC_BROWSER);
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.m_browser.m_pCtrlSite, nullptr);
    EXPECT_EQ(dlg.m_browser.m_hWnd, nullptr);
}

TEST(BrowserHost, WrapperMovesShowsAndHidesTheControlsWindow) {
    CBrowserDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_BROWSER_TEST));
    dlg.ShowWindow(SW_SHOWNA);
    CWebBrowser2& browser = dlg.m_browser;
    EXPECT_FALSE(browser.IsWindowVisible());

    browser.MoveWindow(20, 25, 300, 200, TRUE);
    RECT rc;
    GetWindowRect(browser.m_hWnd, &rc);
    MapWindowPoints(nullptr, dlg.m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, 20);
    EXPECT_EQ(rc.top, 25);
    EXPECT_EQ(rc.right - rc.left, 300);
    EXPECT_EQ(rc.bottom - rc.top, 200);

    browser.ShowWindow(SW_SHOW);
    EXPECT_TRUE(browser.IsWindowVisible());
    browser.ShowWindow(SW_HIDE);
    EXPECT_FALSE(browser.IsWindowVisible());
    dlg.DestroyWindow();
}

TEST(BrowserHost, UnboundWrapperCallsNothing) {
    CWebBrowser2 browser;
    EXPECT_TRUE(FAILED(browser.Refresh()));
    VARIANT empty;
    VariantInit(&empty);
    EXPECT_TRUE(FAILED(browser.Navigate(L"http://127.0.0.1:1/", &empty, &empty, &empty, &empty)));
}

// --- navigation and events -------------------------------------------------------------------

TEST(BrowserHost, CancelInBeforeNavigate2KeepsTheRequestFromTheServer) {
    if (const char* why = WithoutPortal())
        GTEST_SKIP() << why;
    CBrowserDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_BROWSER_TEST));
    const std::wstring cancelled = UniqueToken(L"cancelled");
    const std::wstring allowed = UniqueToken(L"allowed");
    dlg.m_cancelMarker = cancelled;

    const std::wstring cancelledUrl = kOrigin + L"/test/landing.html?" + cancelled;
    dlg.Navigate(cancelledUrl);
    ASSERT_TRUE(PumpUntil([&] { return !dlg.m_before.empty(); }));
    EXPECT_EQ(dlg.m_before.front(), cancelledUrl);

    // A navigation that goes ahead: once the server has it, it has seen all it ever will.
    dlg.Navigate(kOrigin + L"/test/landing.html?" + allowed);
    ASSERT_TRUE(PumpUntil([&] { return PortalLogHas(allowed); }))
        << "the allowed navigation never reached the portal";
    EXPECT_FALSE(PortalLogHas(cancelled));
    EXPECT_TRUE(Contains(dlg.m_before, allowed));
    dlg.DestroyWindow();
}

TEST(BrowserHost, CompletedNavigationFiresNavigateComplete2ThenDocumentComplete) {
    if (const char* why = WithoutStandInDocument())
        GTEST_SKIP() << why;
    CBrowserDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_BROWSER_TEST));
    const std::wstring url = kOrigin + L"/test/landing.html?" + UniqueToken(L"complete");
    dlg.Navigate(url);
    ASSERT_TRUE(PumpUntil([&] { return !dlg.m_completed.empty() || !dlg.m_failed.empty(); }));
    EXPECT_TRUE(dlg.m_failed.empty());
    ASSERT_EQ(dlg.m_navigated.size(), 1u);
    EXPECT_EQ(dlg.m_navigated[0], url);
    ASSERT_EQ(dlg.m_completed.size(), 1u);
    EXPECT_EQ(dlg.m_completed[0], url);
    dlg.DestroyWindow();
}

TEST(BrowserHost, RefreshReloadsThePageShown) {
    if (const char* why = WithoutStandInDocument())
        GTEST_SKIP() << why;
    CBrowserDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_BROWSER_TEST));
    const std::wstring token = UniqueToken(L"refresh");
    dlg.Navigate(kOrigin + L"/test/landing.html?" + token);
    ASSERT_TRUE(PumpUntil([&] { return !dlg.m_completed.empty() || !dlg.m_failed.empty(); }));
    ASSERT_EQ(PortalLogCount(token), 1);

    EXPECT_EQ(dlg.m_browser.Refresh(), S_OK);
    EXPECT_TRUE(PumpUntil([&] { return PortalLogCount(token) == 2; }))
        << "the page was not requested again";
    dlg.DestroyWindow();
}

struct ScriptCase {
    const wchar_t* name;
    const wchar_t* expected;
};

TEST(BrowserHost, PageScriptReadsTheExternalProperty) {
    if (const char* why = WithoutStandInDocument())
        GTEST_SKIP() << why;
    const ScriptCase cases[] = {
        {L"xxyyzz", L"external=Kmvvva"},
        {L"xxyAnything", L"external=Kmvvva"},
        {L"XXYYZZ", L"external=error"},
    };
    for (const ScriptCase& c : cases) {
        CBrowserDlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_BROWSER_TEST));
        // The page reports what it read by navigating to the landing page.
        dlg.m_cancelMarker = L"landing.html";
        dlg.Navigate(kOrigin + L"/test/external.html?name=" + c.name);
        ASSERT_TRUE(PumpUntil([&] { return Contains(dlg.m_before, L"landing.html"); }))
            << "the page's script never navigated, name " << c.name;
        EXPECT_TRUE(Contains(dlg.m_before, std::wstring(L"/test/landing.html?") + c.expected))
            << "name " << c.name << ", last address " << dlg.m_before.back();
        dlg.DestroyWindow();
    }
}

// --- the document host UI handler ------------------------------------------------------------

class DocHostUIHandler : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dlg.Create(IDD_BROWSER_TEST));
        m_pSite = m_dlg.m_browser.m_pCtrlSite;
        ASSERT_NE(m_pSite, nullptr);
        ASSERT_EQ(m_pSite->ExternalQueryInterface(IID_IDocHostUIHandler, m_pHandler.PutVoid()),
                  S_OK);
    }
    void TearDown() override {
        m_pHandler.Reset();
        m_dlg.DestroyWindow();
    }
    CBrowserDlg m_dlg;
    COleControlSite* m_pSite = nullptr;
    ComPtr<IDocHostUIHandler> m_pHandler;
};

TEST_F(DocHostUIHandler, HandlerAndSiteAreOneIdentity) {
    ComPtr<IDocHostUIHandler> fromHandler = m_pHandler.As<IDocHostUIHandler>();
    EXPECT_EQ(fromHandler.Get(), m_pHandler.Get());
    auto pClientSite = m_pHandler.As<IOleClientSite>();
    ASSERT_TRUE(pClientSite);
    EXPECT_EQ(pClientSite.As<IDocHostUIHandler>().Get(), m_pHandler.Get());
    EXPECT_EQ(pClientSite.As<IUnknown>().Get(), m_pHandler.As<IUnknown>().Get());
    EXPECT_TRUE(m_pHandler.As<IOleInPlaceSite>());
    EXPECT_TRUE(m_pHandler.As<IOleControlSite>());

    // One reference count for both.
    ULONG afterHandler = m_pHandler->AddRef();
    ULONG afterSite = pClientSite->AddRef();
    EXPECT_EQ(afterSite, afterHandler + 1);
    pClientSite->Release();
    m_pHandler->Release();
}

TEST_F(DocHostUIHandler, GetHostInfoAsksForNoBorderAndNoScrollBars) {
    DOCHOSTUIINFO info = {};
    info.cbSize = sizeof(info);
    info.dwFlags = 0xFFFFFFFF;
    info.dwDoubleClick = 7;
    wchar_t css[] = L"body{}";
    info.pchHostCss = css;
    EXPECT_EQ(m_pHandler->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.dwFlags, 0xCu);
    EXPECT_EQ(info.dwDoubleClick, 0u);
    EXPECT_EQ(info.cbSize, sizeof(info));
    EXPECT_EQ(info.pchHostCss, css);
    EXPECT_EQ(info.pchHostNS, nullptr);
}

TEST_F(DocHostUIHandler, GetExternalHandsOutTheApplicationsObjectWithOneMoreReference) {
    ASSERT_NE(theApp.m_pExternal, nullptr);
    const ULONG before = theApp.m_pExternal->m_cRef;
    IDispatch* pFirst = nullptr;
    IDispatch* pSecond = nullptr;
    EXPECT_EQ(m_pHandler->GetExternal(&pFirst), S_OK);
    EXPECT_EQ(pFirst, static_cast<IDispatch*>(theApp.m_pExternal));
    EXPECT_EQ(theApp.m_pExternal->m_cRef, before + 1);
    EXPECT_EQ(m_pHandler->GetExternal(&pSecond), S_OK);
    EXPECT_EQ(pSecond, pFirst);
    EXPECT_EQ(theApp.m_pExternal->m_cRef, before + 2);
    pFirst->Release();
    pSecond->Release();
    EXPECT_EQ(theApp.m_pExternal->m_cRef, before);
}

TEST_F(DocHostUIHandler, EveryOtherMethodAnswersAsTheControlExpects) {
    IDocHostUIHandler* h = m_pHandler.Get();
    POINT pt = {1, 1};
    MSG msg = {};
    RECT rc = {};
    EXPECT_EQ(h->ShowContextMenu(0, &pt, nullptr, nullptr), S_OK);
    EXPECT_EQ(h->ShowUI(0, nullptr, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(h->HideUI(), S_OK);
    EXPECT_EQ(h->UpdateUI(), S_OK);
    EXPECT_EQ(h->EnableModeless(TRUE), E_NOTIMPL);
    EXPECT_EQ(h->OnDocWindowActivate(TRUE), E_NOTIMPL);
    EXPECT_EQ(h->OnFrameWindowActivate(TRUE), E_NOTIMPL);
    EXPECT_EQ(h->ResizeBorder(&rc, nullptr, TRUE), E_NOTIMPL);
    EXPECT_EQ(h->TranslateAccelerator(&msg, nullptr, 0), S_FALSE);

    // Out values stay as the caller left them.
    LPOLESTR key = reinterpret_cast<LPOLESTR>(0x1234);
    EXPECT_EQ(h->GetOptionKeyPath(&key, 0), E_NOTIMPL);
    EXPECT_EQ(key, reinterpret_cast<LPOLESTR>(0x1234));
    IDropTarget* pDrop = reinterpret_cast<IDropTarget*>(0x1234);
    EXPECT_EQ(h->GetDropTarget(nullptr, &pDrop), E_NOTIMPL);
    EXPECT_EQ(pDrop, reinterpret_cast<IDropTarget*>(0x1234));
    wchar_t url[] = L"http://example/";
    LPWSTR out = reinterpret_cast<LPWSTR>(0x1234);
    EXPECT_EQ(h->TranslateUrl(0, url, &out), E_NOTIMPL);
    EXPECT_EQ(out, reinterpret_cast<LPWSTR>(0x1234));
    IDataObject* pData = reinterpret_cast<IDataObject*>(0x1234);
    EXPECT_EQ(h->FilterDataObject(nullptr, &pData), E_NOTIMPL);
    EXPECT_EQ(pData, reinterpret_cast<IDataObject*>(0x1234));
}

// --- keystrokes ------------------------------------------------------------------------------

TEST(BrowserHost, EnterInsideTheControlIsNotTheDialogsDefaultButton) {
    CBrowserDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_BROWSER_TEST));
    dlg.ShowWindow(SW_SHOW);
    dlg.m_browser.ShowWindow(SW_SHOW);

    // For the dialog itself, Enter presses the default button ...
    PostMessageW(dlg.m_hWnd, WM_KEYDOWN, VK_RETURN, 1);
    PumpUntil([&] { return dlg.m_nDefaultClicks > 0; }, 5000);
    EXPECT_EQ(dlg.m_nDefaultClicks, 1);

    // ... inside the page it is the page's key.
    PostMessageW(dlg.m_browser.m_hWnd, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(dlg.m_hWnd, WM_NULL, 0, 0);
    MSG msg;
    PumpUntil([&] { return !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE); }, 5000);
    EXPECT_EQ(dlg.m_nDefaultClicks, 1);
    dlg.DestroyWindow();
}

// --- tear-down -------------------------------------------------------------------------------

// The process's kernel handles from the system's handle table: Wine answers
// GetProcessHandleCount with 0 whatever is open, but lists every handle there.
DWORD KernelHandleCount() {
    struct Entry {
        ULONG ownerPid;
        BYTE objectType, flags;
        USHORT value;
        PVOID object;
        ULONG access;
    };
    struct Table {
        ULONG count;
        Entry entries[1];
    };
    using QueryFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    constexpr ULONG kSystemHandleInformation = 16;
    constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
    std::vector<BYTE> buffer(1 << 16);
    LONG status;
    while ((status = query(kSystemHandleInformation, buffer.data(),
                           static_cast<ULONG>(buffer.size()), nullptr)) == kInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (status < 0)
        return 0;
    const auto* table = reinterpret_cast<const Table*>(buffer.data());
    DWORD count = 0;
    for (ULONG i = 0; i < table->count; ++i)
        count += table->entries[i].ownerPid == GetCurrentProcessId();
    return count;
}

struct ResourceCounts {
    DWORD handles = 0, kernelHandles = 0, gdi = 0, user = 0;
    static ResourceCounts Now() {
        ResourceCounts c;
        GetProcessHandleCount(GetCurrentProcess(), &c.handles);
        c.kernelHandles = KernelHandleCount();
        c.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
        c.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
        return c;
    }
};

TEST(BrowserHost, FiftyDialogsWithAControlLeakNothing) {
    auto cycle = [] {
        CBrowserDlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_BROWSER_TEST));
        dlg.m_cancelMarker = L"leak";
        dlg.Navigate(L"http://127.0.0.1:1/leak");
        PumpUntil([&] { return !dlg.m_before.empty(); }, 5000);
        EXPECT_EQ(dlg.m_before.size(), 1u);
        dlg.DestroyWindow();
        MSG msg;
        PumpUntil([&] { return !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE); }, 5000);
    };
    // The first controls load and cache what every later one shares.
    for (int i = 0; i < 3; ++i)
        cycle();
    ASSERT_EQ(CCountingSite::s_nLive, 0);
    const int createdBefore = CCountingSite::s_nCreated;
    const ResourceCounts before = ResourceCounts::Now();
    for (int i = 0; i < 50; ++i) {
        cycle();
        ASSERT_EQ(CCountingSite::s_nLive, 0) << "a site outlived its dialog, round " << i;
    }
    const ResourceCounts after = ResourceCounts::Now();
    EXPECT_EQ(CCountingSite::s_nCreated - createdBefore, 50);
    EXPECT_EQ(after.handles, before.handles);
    EXPECT_EQ(after.kernelHandles, before.kernelHandles);
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
    std::printf("handle count %lu -> %lu, handle table %lu -> %lu, GDI objects %lu -> %lu, "
                "USER objects %lu -> %lu\n",
                before.handles, after.handles, before.kernelHandles, after.kernelHandles,
                before.gdi, after.gdi, before.user, after.user);
}

} // namespace
