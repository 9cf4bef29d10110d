// Layered windows: the once-per-process binding, per-pixel alpha artwork that lets clicks
// through its transparent pixels, and colour keys.
#include "DesktopProbe.h"
#include "SkinTestSupport.h"
#include "resource.h"
#include "skin/LayeredWindow.h"

namespace {

constexpr COLORREF kBeneath = RGB(255, 0, 255);

// A plain popup to make layered: the records work on any window handle.
struct CPlainPopup {
    explicit CPlainPopup(int x, int y)
        : m_hWnd(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, x, y, 200, 100,
                                   nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr)) {}
    ~CPlainPopup() { ::DestroyWindow(m_hWnd); }
    HWND m_hWnd;
};

// Points of the login artwork: one fully transparent, one of the opaque dark panel.
constexpr POINT kTransparentPixel = {5, 5};
constexpr POINT kPanelPixel = {1000, 400};

} // namespace

TEST(LayeredWindow, BindingIsMadeOnceForTheWholeProcess) {
    UpdateLayeredTool* tool = UpdateLayeredTool::GetInstance();
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(UpdateLayeredTool::GetInstance(), tool);
    EXPECT_NE(tool->m_hUser32, nullptr);
    EXPECT_NE(tool->m_pfnUpdateLayeredWindow, nullptr);
    EXPECT_NE(tool->m_pfnSetLayeredWindowAttributes, nullptr);
}

TEST(LayeredWindow, UpdateWithoutWindowOrImageDoesNothing) {
    CLayeredWindow noWindow;
    ASSERT_TRUE(noWindow.m_image.Load(IDB_LOGIN_BG, AfxGetResourceHandle()));
    noWindow.UpdateFromImage();

    CPlainPopup popup(50, 60);
    CLayeredWindow noImage;
    noImage.m_hWnd = popup.m_hWnd;
    noImage.UpdateFromImage();
    EXPECT_FALSE(::GetWindowLongPtrW(popup.m_hWnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    RECT rc;
    ::GetWindowRect(popup.m_hWnd, &rc);
    EXPECT_EQ(rc.right - rc.left, 200);
}

TEST(LayeredWindow, ArtworkShapesTheWindowAndLetsClicksThroughItsTransparentPixels) {
    RECT screen = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    desktop::CSolidWindow beneath(screen, kBeneath);
    desktop::CSolidWindow popup({100, 80, 300, 180}, RGB(0, 255, 0));
    CLayeredWindow layered;
    layered.m_hWnd = popup.m_hWnd;
    ASSERT_TRUE(layered.m_image.Load(IDB_LOGIN_BG, AfxGetResourceHandle()));
    layered.UpdateFromImage();

    RECT rc;
    ::GetWindowRect(popup.m_hWnd, &rc);
    EXPECT_EQ(rc.left, 100);
    EXPECT_EQ(rc.top, 80);
    EXPECT_EQ(rc.right - rc.left, 1334);
    EXPECT_EQ(rc.bottom - rc.top, 725);
    EXPECT_TRUE(::GetWindowLongPtrW(popup.m_hWnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    desktop::PumpPending();

    POINT clear = {rc.left + kTransparentPixel.x, rc.top + kTransparentPixel.y};
    POINT panel = {rc.left + kPanelPixel.x, rc.top + kPanelPixel.y};
    desktop::CScreenShot shot(rc);
    EXPECT_EQ(shot.At(clear.x, clear.y), kBeneath);
    EXPECT_TRUE(Near(shot.At(panel.x, panel.y), 17, 13, 11))
        << std::hex << shot.At(panel.x, panel.y);

    // The opaque pixel first: a click that reaches the window beneath activates it, and an
    // activated window comes to the front, over the layered one.
    ASSERT_TRUE(desktop::Xdotool(L"mousemove " + std::to_wstring(panel.x) + L" " +
                                 std::to_wstring(panel.y) + L" click 1"));
    EXPECT_TRUE(desktop::PumpUntil([&] { return popup.m_nClicks == 1; }));
    ASSERT_TRUE(desktop::Xdotool(L"mousemove " + std::to_wstring(clear.x) + L" " +
                                 std::to_wstring(clear.y) + L" click 1"));
    EXPECT_TRUE(desktop::PumpUntil([&] { return beneath.m_nClicks == 1; }));
    EXPECT_EQ(popup.m_nClicks, 1);
}

TEST(LayeredWindow, ColourKeyBecomesTheWindowsLayeredAttributes) {
    CPlainPopup popup(50, 60);
    CColorKeyWindow keyed;
    keyed.m_hWnd = popup.m_hWnd;
    keyed.m_crKey = RGB(255, 0, 0);
    keyed.ApplyColorKey(150);

    EXPECT_TRUE(::GetWindowLongPtrW(popup.m_hWnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(popup.m_hWnd, &key, &alpha, &flags));
    EXPECT_EQ(key, RGB(255, 0, 0));
    EXPECT_EQ(alpha, 150);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
    LOGBRUSH lb = {};
    ASSERT_TRUE(::GetObjectW(keyed.m_brKey.GetSafeHandle(), sizeof(lb), &lb));
    EXPECT_EQ(lb.lbColor, RGB(255, 0, 0));
}
