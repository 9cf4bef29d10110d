// The image button on a real dialog under real X input: its size and place, the frame it shows
// in each state read back from the screen, clicks, double clicks, the cursor, and that buttons
// give back every GDI object when they go.
#include <string>

#include "DesktopProbe.h"
#include "Dialog.h"
#include "MessageEntries.h"
#include "SkinTestSupport.h"
#include "resource.h"
#include "skin/PngButton.h"
#include "skin/LayeredWindow.h"
#include "skin_test_resource.h"

namespace {

constexpr int kHostX = 300;
constexpr int kHostY = 200;

// Binds the template's buttons and gives them their sprites as every owner does.
class CButtonHost : public CDialogEx {
public:
    CButtonHost() : CDialogEx(IDD_SKIN_BUTTONS) {}
    ~CButtonHost() override { DestroyWindow(); }

    CPngButton m_btnFirst;
    CPngButton m_btnSecond;
    RECT m_rcFirstTemplate = {};
    int m_nClicks = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_SKIN_FIRST, m_btnFirst);
        DDX_Control(pDX, IDC_SKIN_SECOND, m_btnSecond);
    }
    BOOL OnInitDialog() override {
        CDialogEx::OnInitDialog();
        MoveWindow(kHostX, kHostY, 300, 150, FALSE);
        m_btnFirst.GetWindowRect(&m_rcFirstTemplate);
        ScreenToClient(&m_rcFirstTemplate);
        m_btnFirst.InitGdiplus();
        m_btnSecond.InitGdiplus();
        m_btnFirst.SetPngImage(IDB_GAME_MAX);
        m_btnSecond.SetPngImage(IDB_GAME_TITLE_BG); // a bitmap: no sprite
        return TRUE;
    }
    const MessageMap* GetMessageMap() const override {
        // clang-format off
        static const MessageEntry entries[] = {
            OnBnClicked<IDC_SKIN_FIRST, &CButtonHost::OnBnClickedFirst>(),
        };
        // clang-format on
        static const MessageMap map(CDialogEx::GetMessageMap(), entries);
        return &map;
    }
    void OnBnClickedFirst() { ++m_nClicks; }
};

// A shown host, painted. Shown without activation: Wine hands activated windows to the window
// manager, and with none running on the test display it waits two seconds for every one of
// them to be withdrawn again.
std::unique_ptr<CButtonHost> ShowHost(DWORD settleMillis = 200) {
    auto host = std::make_unique<CButtonHost>();
    if (!host->Create(IDD_SKIN_BUTTONS))
        return nullptr;
    host->ShowWindow(SW_SHOWNOACTIVATE);
    ::UpdateWindow(host->m_hWnd);
    desktop::PumpPending(settleMillis);
    return host;
}

class PngButtonOnScreen : public ::testing::Test {
protected:
    void SetUp() override {
        // Start with the pointer well away from the host.
        ASSERT_TRUE(desktop::Xdotool(L"mousemove 5 5"));
        m_host = ShowHost();
        ASSERT_NE(m_host, nullptr);
        m_btn = &m_host->m_btnFirst;
    }

    RECT ButtonRect() const {
        RECT rc;
        m_btn->GetWindowRect(&rc);
        return rc;
    }
    void MoveOntoButton() {
        RECT rc = ButtonRect();
        ASSERT_TRUE(desktop::Xdotool(L"mousemove " + std::to_wstring(rc.left + 14) + L" " +
                                     std::to_wstring(rc.top + 15)));
    }
    void MoveOffButton() {
        RECT rc = ButtonRect();
        ASSERT_TRUE(desktop::Xdotool(L"mousemove " + std::to_wstring(rc.left + 100) + L" " +
                                     std::to_wstring(rc.top + 60)));
    }

    // Whether every opaque pixel of sprite frame `frame` is on the screen at the button.
    bool ShowsFrame(int frame) {
        RECT rc = ButtonRect();
        desktop::CScreenShot shot(rc);
        int frameHeight = m_sprite.Height() / 4;
        for (int y = 0; y < frameHeight; ++y) {
            for (int x = 0; x < m_sprite.Width(); ++x) {
                Gdiplus::Color c = m_sprite.At(x, frame * frameHeight + y);
                if (c.GetA() == 255 &&
                    !Near(shot.At(rc.left + x, rc.top + y), c.GetR(), c.GetG(), c.GetB()))
                    return false;
            }
        }
        return true;
    }
    bool PumpUntilFrame(int frame) {
        return desktop::PumpUntil([&] { return ShowsFrame(frame); });
    }

    CSprite m_sprite{IDB_GAME_MAX};
    std::unique_ptr<CButtonHost> m_host;
    CPngButton* m_btn = nullptr;
};

} // namespace

TEST_F(PngButtonOnScreen, TakesOneFramesSizeAtItsTemplatePositionOnTopOfItsSiblings) {
    EXPECT_EQ(m_btn->m_nImageWidth, 29);
    EXPECT_EQ(m_btn->m_nImageHeight, 120);
    EXPECT_EQ(m_btn->m_nFrameHeight, 30);
    RECT rc;
    m_btn->GetWindowRect(&rc);
    m_host->ScreenToClient(&rc);
    EXPECT_EQ(rc.left, m_host->m_rcFirstTemplate.left);
    EXPECT_EQ(rc.top, m_host->m_rcFirstTemplate.top);
    EXPECT_EQ(rc.right - rc.left, 29);
    EXPECT_EQ(rc.bottom - rc.top, 30);
    EXPECT_GT(m_host->m_rcFirstTemplate.right - m_host->m_rcFirstTemplate.left, 29);
    EXPECT_TRUE(m_btn->GetStyle() & BS_OWNERDRAW);
    // The last sprite given sits on top.
    EXPECT_EQ(::GetWindow(m_host->m_hWnd, GW_CHILD), m_host->m_btnSecond.m_hWnd);
}

TEST_F(PngButtonOnScreen, UnloadableSpriteGivesAnEmptyButton) {
    CPngButton& none = m_host->m_btnSecond;
    EXPECT_EQ(none.m_nImageWidth, 0);
    EXPECT_EQ(none.m_nFrameHeight, 0);
    RECT rc;
    none.GetWindowRect(&rc);
    EXPECT_EQ(rc.right - rc.left, 0);
    EXPECT_EQ(rc.bottom - rc.top, 0);
    ::RedrawWindow(none.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// At rest the normal frame lies over the dialog's own background, with no caption and no
// background of the button's own: every pixel is the sprite blended over the dialog.
TEST_F(PngButtonOnScreen, NormalFrameIsBlendedOverTheDialogWithoutCaption) {
    RECT rc = ButtonRect();
    RECT around = {rc.left - 2, rc.top, rc.right, rc.bottom};
    desktop::CScreenShot shot(around);
    COLORREF bg = shot.At(rc.left - 1, rc.top);
    int wrong = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 29; ++x) {
            Gdiplus::Color c = m_sprite.At(x, y);
            int a = c.GetA();
            auto mix = [&](int s, int d) {
                return static_cast<BYTE>((s * a + d * (255 - a)) / 255);
            };
            if (!Near(shot.At(rc.left + x, rc.top + y), mix(c.GetR(), GetRValue(bg)),
                      mix(c.GetG(), GetGValue(bg)), mix(c.GetB(), GetBValue(bg)), 6))
                ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_TRUE(ShowsFrame(0));
}

TEST_F(PngButtonOnScreen, PointerOnShowsHoverAndHandPressShowsPressedLeaveShowsNormal) {
    MoveOntoButton();
    EXPECT_TRUE(PumpUntilFrame(1));
    EXPECT_TRUE(
        desktop::PumpUntil([] { return ::GetCursor() == ::LoadCursorW(nullptr, IDC_HAND); }));

    ASSERT_TRUE(desktop::Xdotool(L"mousedown 1"));
    EXPECT_TRUE(PumpUntilFrame(2));
    ASSERT_TRUE(desktop::Xdotool(L"mouseup 1"));
    EXPECT_TRUE(desktop::PumpUntil([&] { return m_host->m_nClicks == 1; }));
    EXPECT_TRUE(PumpUntilFrame(1));

    MoveOffButton();
    EXPECT_TRUE(PumpUntilFrame(0));
    EXPECT_TRUE(
        desktop::PumpUntil([] { return ::GetCursor() != ::LoadCursorW(nullptr, IDC_HAND); }));
}

TEST_F(PngButtonOnScreen, OneClickOneNotificationDoubleClickTwo) {
    MoveOntoButton();
    ASSERT_TRUE(desktop::Xdotool(L"click 1"));
    EXPECT_TRUE(desktop::PumpUntil([&] { return m_host->m_nClicks == 1; }));
    desktop::PumpPending(300);
    EXPECT_EQ(m_host->m_nClicks, 1);

    ASSERT_TRUE(desktop::Xdotool(L"click --repeat 2 --delay 60 1"));
    EXPECT_TRUE(desktop::PumpUntil([&] { return m_host->m_nClicks == 3; }));
    desktop::PumpPending(300);
    EXPECT_EQ(m_host->m_nClicks, 3);
}

TEST_F(PngButtonOnScreen, DisabledButtonStillShowsItsNormalFrame) {
    m_btn->EnableWindow(FALSE);
    ::RedrawWindow(m_btn->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    desktop::PumpPending();
    EXPECT_TRUE(ShowsFrame(0));
}

// A game window and its buttons are made anew with every round of play. The hosts stay
// unmapped (Wine waits two seconds for every mapped window it destroys without a window
// manager) and have their buttons drawn through WM_PRINTCLIENT instead.
TEST(PngButtonResources, HundredButtonHostsComeAndGoWithoutKeepingGdiObjects) {
    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    auto round = [&] {
        CButtonHost host;
        ASSERT_TRUE(host.Create(IDD_SKIN_BUTTONS));
        for (CPngButton* btn : {&host.m_btnFirst, &host.m_btnSecond})
            btn->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hMem), PRF_CLIENT);
    };
    round();
    unsigned before = desktop::GdiObjectCount();
    for (int i = 0; i < 100; ++i)
        round();
    desktop::PumpPending();
    unsigned after = desktop::GdiObjectCount();
    std::printf("GDI objects: %u before, %u after 100 hosts of two buttons\n", before, after);
    EXPECT_LE(after, before + 5);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
}

TEST(LayeredWindowResources, RepeatedUpdatesKeepNoGdiObjects) {
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
    CLayeredWindow layered;
    layered.m_hWnd = hWnd;
    ASSERT_TRUE(layered.m_image.Load(IDB_LOGIN_BG, AfxGetResourceHandle()));
    layered.UpdateFromImage();
    unsigned before = desktop::GdiObjectCount();
    for (int i = 0; i < 100; ++i)
        layered.UpdateFromImage();
    unsigned after = desktop::GdiObjectCount();
    std::printf("GDI objects: %u before, %u after 100 layered updates\n", before, after);
    EXPECT_LE(after, before + 5);
    ::DestroyWindow(hWnd);
}
