// Dialogs: the modal loop and its owner, creation failures, quit requests, the pre-translate
// chain, data exchange and modeless ownership.
#include <gtest/gtest.h>

#include <vector>

#include "Dialog.h"
#include "MessageEntries.h"
#include "WinApp.h"
#include "test_resource.h"

namespace {

CWinApp g_app;

constexpr UINT WM_TEST_STEP = WM_APP + 10;

// Drains the queue so that one test's leftovers cannot end the next test's loop.
void DrainQueue() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

class COwnerWindow : public CWnd {
public:
    COwnerWindow() {
        HWND h = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        SubclassWindow(h);
    }
};

// Ends itself from a posted message, noting whether its owner was disabled meanwhile.
class CSelfEndingDlg : public CDialogEx {
public:
    explicit CSelfEndingDlg(UINT id = IDD_TEST_PLAIN) : CDialogEx(id) {}
    BOOL ownerDisabledWhileModal = FALSE;
    HWND owner = nullptr;

protected:
    BOOL OnInitDialog() override {
        CDialogEx::OnInitDialog();
        PostMessage(WM_TEST_STEP);
        return TRUE;
    }
    const MessageMap* GetMessageMap() const override {
        // clang-format off
        static const MessageEntry entries[] = {
            OnMessage<WM_TEST_STEP, &CSelfEndingDlg::OnStep>(),
        };
        // clang-format on
        static const MessageMap map(CDialogEx::GetMessageMap(), entries);
        return &map;
    }
    LRESULT OnStep(WPARAM, LPARAM) {
        owner = ::GetWindow(m_hWnd, GW_OWNER);
        ownerDisabledWhileModal = owner && !::IsWindowEnabled(owner);
        EndDialog(42);
        return 0;
    }
};

TEST(Dialog, ModalLoopEndsWithTheResultAndReenablesTheOwner) {
    DrainQueue();
    COwnerWindow owner;
    g_app.m_pMainWnd = &owner;
    CSelfEndingDlg dlg;
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_EQ(dlg.owner, owner.m_hWnd);
    EXPECT_TRUE(dlg.ownerDisabledWhileModal);
    EXPECT_TRUE(IsWindowEnabled(owner.m_hWnd));
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    g_app.m_pMainWnd = nullptr;
}

TEST(Dialog, ModalDialogCreatedHiddenIsShownByItsLoop) {
    DrainQueue();
    class CShownDlg : public CDialogEx {
    public:
        CShownDlg() : CDialogEx(IDD_TEST_HIDDEN) {}

    protected:
        BOOL OnInitDialog() override {
            CDialogEx::OnInitDialog();
            SetTimer(m_hWnd, 1, 5000, nullptr); // a loop that never shows it still ends
            return TRUE;
        }
        const MessageMap* GetMessageMap() const override {
            // clang-format off
            static const MessageEntry entries[] = {
                OnWmShowWindow<&CShownDlg::OnShowWindow>(),
                OnWmTimer<&CShownDlg::OnTimer>(),
            };
            // clang-format on
            static const MessageMap map(CDialogEx::GetMessageMap(), entries);
            return &map;
        }
        void OnShowWindow(BOOL bShow, UINT) {
            if (bShow)
                EndDialog(IDOK);
        }
        void OnTimer(UINT_PTR) { EndDialog(IDABORT); }
    } dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(Dialog, DoModalReturnsMinusOneWhenTheDialogCannotBeCreated) {
    DrainQueue();
    COwnerWindow owner;
    g_app.m_pMainWnd = &owner;
    for (UINT id : {UINT(IDD_TEST_BROKEN), UINT(4711)}) {
        CDialogEx dlg(id);
        EXPECT_EQ(dlg.DoModal(), -1) << id;
        EXPECT_TRUE(IsWindowEnabled(owner.m_hWnd)) << id;
    }
    g_app.m_pMainWnd = nullptr;
}

// A quit request ends the modal loop and stays in the queue for every enclosing loop.
TEST(Dialog, QuitEndsTheModalLoopAndIsPassedOutwards) {
    DrainQueue();
    class CQuittingDlg : public CDialogEx {
    public:
        CQuittingDlg() : CDialogEx(IDD_TEST_PLAIN) {}

    protected:
        BOOL OnInitDialog() override {
            CDialogEx::OnInitDialog();
            PostQuitMessage(16);
            return TRUE;
        }
    } dlg;
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(g_app.ExitInstance(), 16);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 16u);
}

// Enter, Escape and WM_CLOSE reach OnOK and OnCancel; data exchange binds controls.
class CDdxDlg : public CDialogEx {
public:
    CDdxDlg() : CDialogEx(IDD_TEST_PLAIN) {}
    CWnd m_edit;
    std::vector<int> ends;
    int step = 0;
    bool editBoundInInit = false;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_TEST_EDIT, m_edit); }
    BOOL OnInitDialog() override {
        CDialogEx::OnInitDialog();
        editBoundInInit = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, IDC_TEST_EDIT)) == &m_edit;
        PostMessage(WM_TEST_STEP);
        return TRUE;
    }
    void OnOK() override { ends.push_back(IDOK); }
    void OnCancel() override {
        ends.push_back(IDCANCEL);
        if (ends.size() == 3)
            EndDialog(IDCANCEL);
    }
    const MessageMap* GetMessageMap() const override {
        // clang-format off
        static const MessageEntry entries[] = {
            OnMessage<WM_TEST_STEP, &CDdxDlg::OnStep>(),
        };
        // clang-format on
        static const MessageMap map(CDialogEx::GetMessageMap(), entries);
        return &map;
    }
    LRESULT OnStep(WPARAM, LPARAM) {
        SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
        PostMessage(WM_CLOSE);
        return 0;
    }
};

TEST(Dialog, CommandsAndCloseReachOverridesAndControlsAreBound) {
    DrainQueue();
    CDdxDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(dlg.editBoundInInit);
    EXPECT_EQ(dlg.ends, (std::vector<int>{IDOK, IDCANCEL, IDCANCEL}));
    EXPECT_EQ(dlg.m_edit.m_hWnd, nullptr);
}

// Keystrokes are offered to the objects of the target window and of its parents, innermost
// first, before they are dispatched.
class CRecordingEdit : public CWnd {
public:
    std::vector<int>* order = nullptr;
    int keysReceived = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message == WM_KEYDOWN)
            order->push_back(1);
        return FALSE;
    }

protected:
    const MessageMap* GetMessageMap() const override {
        // clang-format off
        static const MessageEntry entries[] = {
            OnMessage<WM_KEYDOWN, &CRecordingEdit::OnKey>(),
        };
        // clang-format on
        static const MessageMap map(CWnd::GetMessageMap(), entries);
        return &map;
    }
    LRESULT OnKey(WPARAM, LPARAM) {
        ++keysReceived;
        return 0;
    }
};

class CSwallowingDlg : public CDialogEx {
public:
    CSwallowingDlg() : CDialogEx(IDD_TEST_PLAIN) {}
    CRecordingEdit m_edit;
    std::vector<int> order;
    bool swallow = true;
    int keysSeen = 0;

    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == 'A') {
            order.push_back(2);
            ++keysSeen;
            if (keysSeen == 2)
                EndDialog(IDOK);
            return swallow;
        }
        return CDialogEx::PreTranslateMessage(pMsg);
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_TEST_EDIT, m_edit); }
    BOOL OnInitDialog() override {
        CDialogEx::OnInitDialog();
        m_edit.order = &order;
        ::PostMessageW(m_edit.m_hWnd, WM_KEYDOWN, 'A', 0);
        ::PostMessageW(m_edit.m_hWnd, WM_KEYDOWN, 'A', 0);
        return TRUE;
    }
};

TEST(Dialog, PreTranslateChainRunsFromTheTargetOutwardsAndCanSwallow) {
    DrainQueue();
    CSwallowingDlg dlg;
    dlg.DoModal();
    EXPECT_EQ(dlg.order, (std::vector<int>{1, 2, 1, 2}));
    EXPECT_EQ(dlg.m_edit.keysReceived, 0);
}

TEST(Dialog, ModelessDialogWithoutParentIsOwnedByTheMainWindow) {
    DrainQueue();
    COwnerWindow owner;
    g_app.m_pMainWnd = &owner;
    CDialogEx dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_HIDDEN));
    EXPECT_EQ(::GetWindow(dlg.m_hWnd, GW_OWNER), owner.m_hWnd);
    EXPECT_FALSE(dlg.IsWindowVisible());
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    g_app.m_pMainWnd = nullptr;
}

} // namespace
