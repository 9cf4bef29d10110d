// Owners for GDI objects and device contexts.
#pragma once

#include <windows.h>

#include <vector>

class CWnd;

// Owns one GDI object and deletes it with the owner.
class CGdiObject {
public:
    CGdiObject() : m_hObject(nullptr) {}
    virtual ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();

protected:
    HGDIOBJ m_hObject;
};

class CBitmap : public CGdiObject {
public:
    BOOL LoadBitmap(HINSTANCE hInst, UINT nIDResource);
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    BOOL GetBitmap(BITMAP* pBitmap) const;
};

class CBrush : public CGdiObject {
public:
    BOOL CreateSolidBrush(COLORREF crColor);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CFont : public CGdiObject {
public:
    // nPointSize is in tenths of a point, measured on hDC (the screen when null).
    BOOL CreatePointFont(int nPointSize, LPCWSTR lpszFaceName, HDC hDC = nullptr);
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

// A device context that this object does not own: drawing operations on a borrowed HDC.
class CDC {
public:
    explicit CDC(HDC hDC = nullptr) : m_hDC(hDC) {}
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    COLORREF SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
    int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
    COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
    BOOL BitBlt(int x, int y, int cx, int cy, HDC hSrc, int xSrc, int ySrc, DWORD rop) {
        return ::BitBlt(m_hDC, x, y, cx, cy, hSrc, xSrc, ySrc, rop);
    }
    BOOL StretchBlt(int x, int y, int cx, int cy, HDC hSrc, int xSrc, int ySrc, int cxSrc,
                    int cySrc, DWORD rop) {
        return ::StretchBlt(m_hDC, x, y, cx, cy, hSrc, xSrc, ySrc, cxSrc, cySrc, rop);
    }
    void FillSolidRect(const RECT& rc, COLORREF crColor);

protected:
    HDC m_hDC;
};

// BeginPaint/EndPaint around a WM_PAINT handler.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
};

// GetDC/ReleaseDC of a window's client area.
class CClientDC : public CDC {
public:
    explicit CClientDC(HWND hWnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};

// A memory DC compatible with another DC. Objects selected into it are deselected again before
// the DC is deleted, so that bitmaps and fonts can be freed by their own owners afterwards.
class CMemoryDC : public CDC {
public:
    explicit CMemoryDC(HDC hCompatible);
    ~CMemoryDC() override;

    HGDIOBJ SelectObject(HGDIOBJ hObject);

private:
    std::vector<HGDIOBJ> m_originals; // first object of each kind that our selections displaced
};
