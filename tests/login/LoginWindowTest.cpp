// The login background window: its shape and place after start-up, the keys and messages that
// must not end it, the pair it moves and shows with its panel, and the shipped program under
// real pointer input.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "DesktopProbe.h"
#include "MessageEntries.h"
#include "WinApp.h"
#include "login/LoginDlg.h"
#include "GdiplusEnvironment.h"
#include "resource.h"

namespace {

CWinApp g_app;
::testing::Environment* const g_gdiplus =
    ::testing::AddGlobalTestEnvironment(new CGdiplusEnvironment);

constexpr UINT WM_TEST_STEP = WM_APP + 20;
constexpr SIZE kArtwork = {1334, 725};
// Points of the artwork: fully transparent, and on the opaque dark panel.
constexpr POINT kTransparentPixel = {5, 5};
constexpr POINT kPanelPixel = {1000, 400};

RECT WorkArea() {
    RECT rc;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}

void ExpectCentredArtwork(HWND hWnd) {
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    RECT work = WorkArea();
    EXPECT_EQ(rc.right - rc.left, kArtwork.cx);
    EXPECT_EQ(rc.bottom - rc.top, kArtwork.cy);
    EXPECT_EQ(rc.left, (work.left + work.right) / 2 - kArtwork.cx / 2);
    EXPECT_EQ(rc.top, (work.top + work.bottom) / 2 - kArtwork.cy / 2);
    EXPECT_TRUE(::GetWindowLongPtrW(hWnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_FALSE(::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CAPTION);
    wchar_t caption[64] = {};
    ::GetWindowTextW(hWnd, caption, 64);
    EXPECT_STREQ(caption, L"TesselVelmora");
}

// Runs the scripted steps inside the window's own modal loop, one posted message each.
class CScriptedLoginDlg : public CLoginDlg {
public:
    std::vector<std::function<void(CScriptedLoginDlg&)>> m_steps;

protected:
    BOOL OnInitDialog() override {
        BOOL result = CLoginDlg::OnInitDialog();
        PostMessage(WM_TEST_STEP);
        return result;
    }
    const MessageMap* GetMessageMap() const override {
        // clang-format off
        static const MessageEntry entries[] = {
            OnMessage<WM_TEST_STEP, &CScriptedLoginDlg::OnStep>(),
        };
        // clang-format on
        static const MessageMap map(CLoginDlg::GetMessageMap(), entries);
        return &map;
    }
    LRESULT OnStep(WPARAM, LPARAM) {
        if (m_next < m_steps.size()) {
            m_steps[m_next++](*this);
            PostMessage(WM_TEST_STEP);
        }
        return 0;
    }

private:
    std::size_t m_next = 0;
};

// A stand-in for the login panel: any modeless dialog will do for moving and showing.
class CStandInPanel : public CDialogEx {
public:
    CStandInPanel() : CDialogEx(IDD_CONFIRM_DIALOG) {}
    ~CStandInPanel() override { DestroyWindow(); }
};

RECT RectOf(HWND hWnd) {
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

} // namespace

TEST(LoginWindow, StartsCentredAndShapedAndIgnoresEnterEscapeAndStrayTimers) {
    CScriptedLoginDlg dlg;
    bool stillThere = false;
    dlg.m_steps = {
        [](CScriptedLoginDlg& d) {
            ExpectCentredArtwork(d.m_hWnd);
            EXPECT_EQ(reinterpret_cast<HICON>(d.SendMessage(WM_GETICON, ICON_BIG)), d.m_hIcon);
            EXPECT_EQ(reinterpret_cast<HICON>(d.SendMessage(WM_GETICON, ICON_SMALL)), d.m_hIcon);
            EXPECT_NE(d.m_hIcon, nullptr);
            // Through the modal loop's keyboard handling, as real keys go.
            d.PostMessage(WM_KEYDOWN, VK_RETURN, 0);
            d.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
            d.PostMessage(WM_TIMER, 1, 0);
            d.PostMessage(WM_COMMAND, IDCANCEL, 0);
        },
        [&](CScriptedLoginDlg& d) {
            stillThere = ::IsWindowVisible(d.m_hWnd) != FALSE;
            RECT rc = RectOf(d.m_hWnd);
            EXPECT_EQ(rc.right - rc.left, kArtwork.cx);
            d.PostMessage(WM_CLOSE);
        },
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(stillThere);
}

TEST(LoginWindow, TheLeaderOfAMoveTakesThePanelAlongAndHidingHidesIt) {
    CScriptedLoginDlg dlg;
    CStandInPanel panel;
    dlg.m_steps = {
        [&](CScriptedLoginDlg& d) {
            ASSERT_TRUE(panel.Create(IDD_CONFIRM_DIALOG, &d));
            d.m_pActiveDlg = &panel;
            EXPECT_FALSE(d.m_bBackgroundLeads);
            RECT rc = RectOf(d.m_hWnd);
            LPARAM pt = MAKELPARAM(rc.left + kPanelPixel.x, rc.top + kPanelPixel.y);
            EXPECT_EQ(d.SendMessage(WM_NCHITTEST, 0, pt), HTCAPTION);
            EXPECT_TRUE(d.m_bBackgroundLeads);

            RECT before = RectOf(panel.m_hWnd);
            d.MoveWindow(rc.left + 40, rc.top + 20, kArtwork.cx, kArtwork.cy, TRUE);
            RECT after = RectOf(panel.m_hWnd);
            EXPECT_EQ(after.left, rc.left + 40);
            EXPECT_EQ(after.top, rc.top + 20);
            EXPECT_EQ(after.right - after.left, before.right - before.left);
            EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);

            // While the panel leads, the background's own moves leave it alone.
            d.m_bBackgroundLeads = FALSE;
            d.MoveWindow(rc.left, rc.top, kArtwork.cx, kArtwork.cy, TRUE);
            EXPECT_EQ(RectOf(panel.m_hWnd).left, rc.left + 40);

            d.ShowWindow(SW_HIDE);
            EXPECT_FALSE(panel.IsWindowVisible());
            d.ShowWindow(SW_SHOWNORMAL);
            EXPECT_TRUE(panel.IsWindowVisible());
        },
        [&](CScriptedLoginDlg& d) {
            panel.DestroyWindow();
            d.m_pActiveDlg = nullptr;
            d.PostMessage(WM_CLOSE);
        },
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

// The shipped program, driven from outside as a player would.
class ShippedLauncher : public ::testing::Test {
protected:
    void SetUp() override {
        std::string unixPath = VELMORA_LAUNCHER_EXE;
        std::wstring cmd = L"Z:";
        for (char ch : unixPath)
            cmd += static_cast<wchar_t>(ch == '/' ? '\\' : ch);
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        ASSERT_TRUE(::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                     nullptr, &si, &m_pi));
        ASSERT_TRUE(
            desktop::PumpUntil([&] { return (m_hWnd = FindLauncherWindow()) != nullptr; }, 20000));
        // Shown and painted once the artwork is on the screen.
        ASSERT_TRUE(desktop::PumpUntil([&] {
            return ::IsWindowVisible(m_hWnd) &&
                   (::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYERED);
        }));
        desktop::PumpPending(500);
    }
    void TearDown() override {
        if (m_pi.hProcess) {
            if (::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) {
                ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
                if (::WaitForSingleObject(m_pi.hProcess, 20000) != WAIT_OBJECT_0)
                    ::TerminateProcess(m_pi.hProcess, 1);
            }
            ::CloseHandle(m_pi.hProcess);
            ::CloseHandle(m_pi.hThread);
        }
    }

    HWND FindLauncherWindow() const {
        for (HWND h = ::FindWindowW(nullptr, L"TesselVelmora"); h;
             h = ::FindWindowExW(nullptr, h, nullptr, L"TesselVelmora")) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(h, &pid);
            if (pid == m_pi.dwProcessId)
                return h;
        }
        return nullptr;
    }
    static std::wstring At(POINT pt) {
        return std::to_wstring(pt.x) + L" " + std::to_wstring(pt.y);
    }

    PROCESS_INFORMATION m_pi = {};
    HWND m_hWnd = nullptr;
};

TEST_F(ShippedLauncher, ClicksThroughTransparentPixelsDragsByVisibleOnesAndClosesWithZero) {
    ExpectCentredArtwork(m_hWnd);
    RECT rc = RectOf(m_hWnd);
    desktop::CSolidWindow beneath({rc.left, rc.top, rc.left + 40, rc.top + 40}, RGB(255, 0, 255));
    ::SetWindowPos(beneath.m_hWnd, HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    desktop::PumpPending();

    POINT clear = {rc.left + kTransparentPixel.x, rc.top + kTransparentPixel.y};
    ASSERT_TRUE(desktop::Xdotool(L"mousemove " + At(clear) + L" click 1"));
    EXPECT_TRUE(desktop::PumpUntil([&] { return beneath.m_nClicks == 1; }));

    POINT grip = {rc.left + kPanelPixel.x, rc.top + kPanelPixel.y};
    POINT drop = {grip.x - 60, grip.y - 30};
    ASSERT_TRUE(desktop::Xdotool(L"mousemove " + At(grip) + L" mousedown 1 mousemove " +
                                 At({grip.x - 30, grip.y - 15}) + L" mousemove " + At(drop) +
                                 L" mouseup 1"));
    EXPECT_TRUE(desktop::PumpUntil([&] { return RectOf(m_hWnd).left == rc.left - 60; }))
        << RectOf(m_hWnd).left << "," << RectOf(m_hWnd).top;
    EXPECT_EQ(RectOf(m_hWnd).top, rc.top - 30);
    EXPECT_EQ(beneath.m_nClicks, 1);

    ASSERT_TRUE(::PostMessageW(m_hWnd, WM_CLOSE, 0, 0));
    ASSERT_EQ(::WaitForSingleObject(m_pi.hProcess, 20000), WAIT_OBJECT_0);
    DWORD code = 1234;
    ::GetExitCodeProcess(m_pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
}
