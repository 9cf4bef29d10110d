// The owner-drawn image button of the skinned windows.
//
// Its sprite is a "PNG" resource of four frames of equal size stacked vertically: normal, hover,
// pressed, and a fourth that no state selects.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <memory>

#include "Controls.h"

class CPngButton : public CButton {
public:
    CPngButton();
    ~CPngButton() override;

    // Starts GDI+ into this button's own token, which is never shut down.
    void InitGdiplus();
    // Takes the sprite and sizes the button to one frame at its position, raising it above its
    // siblings. A sprite that cannot be loaded leaves a 0 x 0 button that paints nothing.
    void SetPngImage(UINT nResId);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    int m_nImageWidth;
    int m_nImageHeight;
    int m_nFrameHeight;

protected:
    void PreSubclassWindow() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    const MessageMap* GetMessageMap() const override;

    void OnMouseMove(UINT nFlags, CPoint point);
    LRESULT OnMouseHover(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnDestroy();

private:
    // The window DC the button draws on for its whole life; handed back before the window goes,
    // since game windows, and their buttons, are created anew with every round of play.
    class CKeptWindowDC {
    public:
        CKeptWindowDC() = default;
        ~CKeptWindowDC() { Release(); }
        CKeptWindowDC(const CKeptWindowDC&) = delete;
        CKeptWindowDC& operator=(const CKeptWindowDC&) = delete;

        HDC Acquire(HWND hWnd);
        void Release();

    private:
        HWND m_hWnd = nullptr;
        HDC m_hDC = nullptr;
    };

    // Drops the drawing surface: the graphics object first, then the DC under it.
    void ReleaseSurface();

    ULONG_PTR m_gdiplusToken;
    std::unique_ptr<Gdiplus::Image> m_pImage;
    CKeptWindowDC m_windowDC;
    std::unique_ptr<Gdiplus::Graphics> m_pGraphics;
    BOOL m_bTracking;
    BOOL m_bHover;
};
