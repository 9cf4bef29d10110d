#include "Gdi.h"

#include "Wnd.h"

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
    DeleteObject();
    m_hObject = hObject;
    return hObject != nullptr;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject)
        return FALSE;
    BOOL ok = ::DeleteObject(m_hObject);
    m_hObject = nullptr;
    return ok;
}

BOOL CBitmap::LoadBitmap(HINSTANCE hInst, UINT nIDResource) {
    return Attach(::LoadBitmapW(hInst, MAKEINTRESOURCEW(nIDResource)));
}

BOOL CBitmap::GetBitmap(BITMAP* pBitmap) const {
    return m_hObject && ::GetObjectW(m_hObject, sizeof(BITMAP), pBitmap) != 0;
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor) {
    return Attach(::CreateSolidBrush(crColor));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCWSTR lpszFaceName, HDC hDC) {
    HDC hScreen = hDC ? nullptr : ::GetDC(nullptr);
    HDC hMeasure = hDC ? hDC : hScreen;
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = -MulDiv(nPointSize, ::GetDeviceCaps(hMeasure, LOGPIXELSY), 720);
    lstrcpynW(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    if (hScreen)
        ::ReleaseDC(nullptr, hScreen);
    return Attach(::CreateFontIndirectW(&lf));
}

void CDC::FillSolidRect(const RECT& rc, COLORREF crColor) {
    COLORREF old = ::SetBkColor(m_hDC, crColor);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(pWnd->m_hWnd) {
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(HWND hWnd) : m_hWnd(hWnd) {
    m_hDC = ::GetDC(hWnd);
}

CClientDC::~CClientDC() {
    if (m_hDC)
        ::ReleaseDC(m_hWnd, m_hDC);
}

CMemoryDC::CMemoryDC(HDC hCompatible) {
    m_hDC = ::CreateCompatibleDC(hCompatible);
}

CMemoryDC::~CMemoryDC() {
    if (!m_hDC)
        return;
    for (HGDIOBJ original : m_originals)
        ::SelectObject(m_hDC, original);
    ::DeleteDC(m_hDC);
}

HGDIOBJ CMemoryDC::SelectObject(HGDIOBJ hObject) {
    HGDIOBJ previous = ::SelectObject(m_hDC, hObject);
    if (!previous || previous == HGDI_ERROR)
        return previous;
    // Remember only the stock object each kind started with; restoring those undoes everything.
    DWORD kind = ::GetObjectType(hObject);
    bool known = false;
    for (HGDIOBJ original : m_originals)
        known = known || ::GetObjectType(original) == kind;
    if (!known)
        m_originals.push_back(previous);
    return previous;
}
