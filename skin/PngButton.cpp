#include "skin/PngButton.h"

#include <commctrl.h>

#include "MessageEntries.h"
#include "WinApp.h"
#include "skin/GdiPlusPng.h"

namespace {
constexpr int kFrameNormal = 0;
constexpr int kFrameHover = 1;
constexpr int kFramePressed = 2;
constexpr int kFrameCount = 4;
} // namespace

HDC CPngButton::CKeptWindowDC::Acquire(HWND hWnd) {
    Release();
    m_hWnd = hWnd;
    m_hDC = ::GetWindowDC(hWnd);
    return m_hDC;
}

void CPngButton::CKeptWindowDC::Release() {
    if (m_hDC)
        ::ReleaseDC(m_hWnd, m_hDC);
    m_hDC = nullptr;
    m_hWnd = nullptr;
}

CPngButton::CPngButton()
    : m_nImageWidth(0), m_nImageHeight(0), m_nFrameHeight(0), m_gdiplusToken(0), m_bTracking(FALSE),
      m_bHover(FALSE) {}

CPngButton::~CPngButton() {
    ReleaseSurface();
}

void CPngButton::ReleaseSurface() {
    m_pGraphics.reset();
    m_windowDC.Release();
}

void CPngButton::InitGdiplus() {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr) != Gdiplus::Ok)
        ::MessageBoxW(nullptr, L"Initialize GDI+ library failed", L"Error", MB_ICONERROR);
}

void CPngButton::SetPngImage(UINT nResId) {
    m_pImage = LoadPngFromResource(AfxGetResourceHandle(), nResId);
    m_nImageWidth = m_pImage ? static_cast<int>(m_pImage->GetWidth()) : 0;
    m_nImageHeight = m_pImage ? static_cast<int>(m_pImage->GetHeight()) : 0;
    m_nFrameHeight = m_nImageHeight / kFrameCount;
    // Without SWP_NOZORDER: the button also comes to the top of its siblings.
    SetWindowPos(nullptr, 0, 0, m_nImageWidth, m_nFrameHeight, SWP_NOMOVE);

    ReleaseSurface();
    if (HDC hDC = m_windowDC.Acquire(m_hWnd))
        m_pGraphics.reset(new Gdiplus::Graphics(hDC));
}

void CPngButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (!m_pGraphics || !m_pImage)
        return;
    int frame = kFrameNormal;
    if (lpDrawItemStruct->itemState & ODS_SELECTED)
        frame = kFramePressed;
    else if (m_bHover)
        frame = kFrameHover;
    // Blended over what is already there: the sprite's transparent pixels show the parent.
    Gdiplus::Rect dest(0, 0, m_nImageWidth, m_nFrameHeight);
    m_pGraphics->DrawImage(m_pImage.get(), dest, 0, frame * m_nFrameHeight, m_nImageWidth,
                           m_nFrameHeight, Gdiplus::UnitPixel);
}

void CPngButton::PreSubclassWindow() {
    ModifyStyle(0, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

LRESULT CPngButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // An owner-drawn BUTTON takes a double click for a notification of its own; a player who
    // clicks twice quickly means two clicks.
    if (message == WM_LBUTTONDBLCLK)
        message = WM_LBUTTONDOWN;
    return CButton::DefWindowProc(message, wParam, lParam);
}

const MessageMap* CPngButton::GetMessageMap() const {
    // clang-format off
    static const MessageEntry entries[] = {
        OnWmMouseMove<&CPngButton::OnMouseMove>(),
        OnMessage<WM_MOUSEHOVER, &CPngButton::OnMouseHover>(),
        OnMessage<WM_MOUSELEAVE, &CPngButton::OnMouseLeave>(),
        OnWmLButtonDown<&CPngButton::OnLButtonDown>(),
        OnWmLButtonUp<&CPngButton::OnLButtonUp>(),
        OnWmSetCursor<&CPngButton::OnSetCursor>(),
        OnWmEraseBkgnd<&CPngButton::OnEraseBkgnd>(),
        OnWmDestroy<&CPngButton::OnDestroy>(),
    };
    // clang-format on
    static const MessageMap map(CButton::GetMessageMap(), entries);
    return &map;
}

void CPngButton::OnMouseMove(UINT, CPoint) {
    if (!m_bTracking) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_HOVER | TME_LEAVE, m_hWnd, 1};
        m_bTracking = ::_TrackMouseEvent(&tme);
    }
    Default();
}

LRESULT CPngButton::OnMouseHover(WPARAM, LPARAM) {
    m_bHover = TRUE;
    InvalidateRect(nullptr, TRUE);
    return 0;
}

LRESULT CPngButton::OnMouseLeave(WPARAM, LPARAM) {
    m_bTracking = FALSE;
    m_bHover = FALSE;
    InvalidateRect(nullptr, TRUE);
    return 0;
}

void CPngButton::OnLButtonDown(UINT, CPoint) {
    InvalidateRect(nullptr, TRUE);
    Default();
}

void CPngButton::OnLButtonUp(UINT, CPoint) {
    InvalidateRect(nullptr, TRUE);
    Default();
}

BOOL CPngButton::OnSetCursor(CWnd*, UINT, UINT) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
}

BOOL CPngButton::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CPngButton::OnDestroy() {
    ReleaseSurface();
    Default();
}
