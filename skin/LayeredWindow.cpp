#include "skin/LayeredWindow.h"

namespace {

template <typename Fn> Fn BindProc(HMODULE hModule, const char* name) {
    // Through the generic function type, which converts to any other without a warning.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(hModule, name)));
}

void AddLayeredStyle(HWND hWnd) {
    LONG_PTR exStyle = ::GetWindowLongPtrW(hWnd, GWL_EXSTYLE);
    if (!(exStyle & WS_EX_LAYERED))
        ::SetWindowLongPtrW(hWnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
}

} // namespace

UpdateLayeredTool::UpdateLayeredTool()
    : m_hUser32(::LoadLibraryW(L"User32.DLL")), m_pfnUpdateLayeredWindow(nullptr),
      m_pfnSetLayeredWindowAttributes(nullptr) {
    if (!m_hUser32)
        return;
    m_pfnUpdateLayeredWindow = BindProc<UpdateLayeredWindowFn>(m_hUser32, "UpdateLayeredWindow");
    m_pfnSetLayeredWindowAttributes =
        BindProc<SetLayeredWindowAttributesFn>(m_hUser32, "SetLayeredWindowAttributes");
}

UpdateLayeredTool::~UpdateLayeredTool() {
    if (m_hUser32)
        ::FreeLibrary(m_hUser32);
}

UpdateLayeredTool* UpdateLayeredTool::GetInstance() {
    // Deliberately never deleted: the pointers it hands out stay valid to the very end.
    static UpdateLayeredTool* const s_pInstance = new UpdateLayeredTool;
    return s_pInstance;
}

void CLayeredWindow::UpdateFromImage() {
    if (!m_image.m_pImage || !::IsWindow(m_hWnd))
        return;
    CClientDC dcWnd(m_hWnd);
    RECT rcWnd;
    ::GetWindowRect(m_hWnd, &rcWnd);
    POINT ptDst = {rcWnd.left, rcWnd.top};
    SIZE size = {static_cast<LONG>(m_image.GetWidth()), static_cast<LONG>(m_image.GetHeight())};

    CBitmap bmp;
    bmp.Attach(::CreateCompatibleBitmap(dcWnd, size.cx, size.cy));
    CMemoryDC dcMem(dcWnd);
    dcMem.SelectObject(bmp.GetSafeHandle());
    {
        Gdiplus::Graphics graphics(dcMem.GetSafeHdc());
        graphics.DrawImage(m_image.m_pImage, 0, 0, size.cx, size.cy);
    }

    AddLayeredStyle(m_hWnd);
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    POINT ptSrc = {0, 0};
    if (auto pfnUpdate = UpdateLayeredTool::GetInstance()->m_pfnUpdateLayeredWindow)
        pfnUpdate(m_hWnd, dcWnd, &ptDst, &size, dcMem, &ptSrc, 0, &blend, ULW_ALPHA);
}

void CColorKeyWindow::ApplyColorKey(BYTE bAlpha) {
    m_brKey.CreateSolidBrush(m_crKey);
    AddLayeredStyle(m_hWnd);
    if (auto pfnSet = UpdateLayeredTool::GetInstance()->m_pfnSetLayeredWindowAttributes)
        pfnSet(m_hWnd, m_crKey, bAlpha, LWA_COLORKEY | LWA_ALPHA);
}
