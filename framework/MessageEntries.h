// Typed rows for message tables. Each function makes the row for one kind of message and adapts
// its WPARAM/LPARAM to the handler's parameters, the way the classic handler signatures read:
//
//     static const MessageEntry kEntries[] = {
//         OnWmPaint<&CMyDlg::OnPaint>(),
//         OnBnClicked<IDC_CLOSE, &CMyDlg::OnBnClickedClose>(),
//         OnMessage<WM_APP + 1, &CMyDlg::OnAppMessage>(),
//     };
#pragma once

#include "Gdi.h"
#include "Wnd.h"

namespace msgmap_detail {

template <typename> struct OwnerOf;
template <typename C, typename R, typename... A> struct OwnerOf<R (C::*)(A...)> { using type = C; };

template <auto Handler> auto& Self(CWnd& wnd) {
    return static_cast<typename OwnerOf<decltype(Handler)>::type&>(wnd);
}

// Signed coordinates packed into an LPARAM (negative on multi-monitor desktops).
inline int XOf(LPARAM lParam) {
    return static_cast<short>(LOWORD(lParam));
}
inline int YOf(LPARAM lParam) {
    return static_cast<short>(HIWORD(lParam));
}
inline CPoint PointOf(LPARAM lParam) {
    return CPoint(XOf(lParam), YOf(lParam));
}

using Handler = LRESULT (*)(CWnd&, UINT, WPARAM, LPARAM);

constexpr MessageEntry Row(UINT message, Handler handler) {
    return MessageEntry{message, message, 0, 0, 0, handler};
}

} // namespace msgmap_detail

// LRESULT Handler(WPARAM, LPARAM): any message, raw.
template <UINT Msg, auto Handler> constexpr MessageEntry OnMessage() {
    using namespace msgmap_detail;
    return Row(Msg, [](CWnd& w, UINT, WPARAM wp, LPARAM lp) -> LRESULT {
        return (Self<Handler>(w).*Handler)(wp, lp);
    });
}

// void Handler(): WM_COMMAND with a notification code from one control.
template <UINT Id, UINT Code, auto Handler> constexpr MessageEntry OnCommandCode() {
    using namespace msgmap_detail;
    return MessageEntry{
        WM_COMMAND, WM_COMMAND, Code, Id, Id, [](CWnd& w, UINT, WPARAM, LPARAM) -> LRESULT {
            (Self<Handler>(w).*Handler)();
            return 0;
        }};
}

template <UINT Id, auto Handler> constexpr MessageEntry OnBnClicked() {
    return OnCommandCode<Id, BN_CLICKED, Handler>();
}

// A menu item or accelerator command (notification code 0).
template <UINT Id, auto Handler> constexpr MessageEntry OnCommand() {
    return OnCommandCode<Id, 0, Handler>();
}

// void Handler()
template <UINT Msg, auto Handler> constexpr MessageEntry OnVoidMessage() {
    using namespace msgmap_detail;
    return Row(Msg, [](CWnd& w, UINT, WPARAM, LPARAM) -> LRESULT {
        (Self<Handler>(w).*Handler)();
        return 0;
    });
}

template <auto Handler> constexpr MessageEntry OnWmPaint() {
    return OnVoidMessage<WM_PAINT, Handler>();
}

template <auto Handler> constexpr MessageEntry OnWmClose() {
    return OnVoidMessage<WM_CLOSE, Handler>();
}

template <auto Handler> constexpr MessageEntry OnWmDestroy() {
    return OnVoidMessage<WM_DESTROY, Handler>();
}

// HCURSOR Handler()
template <auto Handler> constexpr MessageEntry OnWmQueryDragIcon() {
    using namespace msgmap_detail;
    return Row(WM_QUERYDRAGICON, [](CWnd& w, UINT, WPARAM, LPARAM) -> LRESULT {
        return reinterpret_cast<LRESULT>((Self<Handler>(w).*Handler)());
    });
}

// int Handler(LPCREATESTRUCT)
template <auto Handler> constexpr MessageEntry OnWmCreate() {
    using namespace msgmap_detail;
    return Row(WM_CREATE, [](CWnd& w, UINT, WPARAM, LPARAM lp) -> LRESULT {
        return (Self<Handler>(w).*Handler)(reinterpret_cast<LPCREATESTRUCT>(lp));
    });
}

// LRESULT Handler(CPoint screenPoint)
template <auto Handler> constexpr MessageEntry OnWmNcHitTest() {
    using namespace msgmap_detail;
    return Row(WM_NCHITTEST, [](CWnd& w, UINT, WPARAM, LPARAM lp) -> LRESULT {
        return (Self<Handler>(w).*Handler)(PointOf(lp));
    });
}

// void Handler(UINT_PTR nIDEvent)
template <auto Handler> constexpr MessageEntry OnWmTimer() {
    using namespace msgmap_detail;
    return Row(WM_TIMER, [](CWnd& w, UINT, WPARAM wp, LPARAM) -> LRESULT {
        (Self<Handler>(w).*Handler)(static_cast<UINT_PTR>(wp));
        return 0;
    });
}

// void Handler(int x, int y)
template <auto Handler> constexpr MessageEntry OnWmMove() {
    using namespace msgmap_detail;
    return Row(WM_MOVE, [](CWnd& w, UINT, WPARAM, LPARAM lp) -> LRESULT {
        (Self<Handler>(w).*Handler)(XOf(lp), YOf(lp));
        return 0;
    });
}

// void Handler(UINT nType, int cx, int cy)
template <auto Handler> constexpr MessageEntry OnWmSize() {
    using namespace msgmap_detail;
    return Row(WM_SIZE, [](CWnd& w, UINT, WPARAM wp, LPARAM lp) -> LRESULT {
        (Self<Handler>(w).*Handler)(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp));
        return 0;
    });
}

// void Handler(BOOL bShow, UINT nStatus)
template <auto Handler> constexpr MessageEntry OnWmShowWindow() {
    using namespace msgmap_detail;
    return Row(WM_SHOWWINDOW, [](CWnd& w, UINT, WPARAM wp, LPARAM lp) -> LRESULT {
        (Self<Handler>(w).*Handler)(static_cast<BOOL>(wp), static_cast<UINT>(lp));
        return 0;
    });
}

// void Handler(UINT nHotKeyId, UINT nKey1 /* modifiers */, UINT nKey2 /* virtual key */)
template <auto Handler> constexpr MessageEntry OnWmHotKey() {
    using namespace msgmap_detail;
    return Row(WM_HOTKEY, [](CWnd& w, UINT, WPARAM wp, LPARAM lp) -> LRESULT {
        (Self<Handler>(w).*Handler)(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp));
        return 0;
    });
}

// BOOL Handler(CWnd* pWnd, UINT nHitTest, UINT message)
template <auto Handler> constexpr MessageEntry OnWmSetCursor() {
    using namespace msgmap_detail;
    return Row(WM_SETCURSOR, [](CWnd& w, UINT, WPARAM wp, LPARAM lp) -> LRESULT {
        HWND hWnd = reinterpret_cast<HWND>(wp);
        CTempWnd temp(hWnd);
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        return (Self<Handler>(w).*Handler)(pWnd ? pWnd : &temp, LOWORD(lp), HIWORD(lp));
    });
}

// BOOL Handler(CDC* pDC)
template <auto Handler> constexpr MessageEntry OnWmEraseBkgnd() {
    using namespace msgmap_detail;
    return Row(WM_ERASEBKGND, [](CWnd& w, UINT, WPARAM wp, LPARAM) -> LRESULT {
        CDC dc(reinterpret_cast<HDC>(wp));
        return (Self<Handler>(w).*Handler)(&dc);
    });
}

// void Handler(UINT nFlags, CPoint point) for the mouse button and move messages.
template <UINT Msg, auto Handler> constexpr MessageEntry OnMouseMessage() {
    using namespace msgmap_detail;
    return Row(Msg, [](CWnd& w, UINT, WPARAM wp, LPARAM lp) -> LRESULT {
        (Self<Handler>(w).*Handler)(static_cast<UINT>(wp), PointOf(lp));
        return 0;
    });
}

template <auto Handler> constexpr MessageEntry OnWmMouseMove() {
    return OnMouseMessage<WM_MOUSEMOVE, Handler>();
}
template <auto Handler> constexpr MessageEntry OnWmLButtonDown() {
    return OnMouseMessage<WM_LBUTTONDOWN, Handler>();
}
template <auto Handler> constexpr MessageEntry OnWmLButtonUp() {
    return OnMouseMessage<WM_LBUTTONUP, Handler>();
}
template <auto Handler> constexpr MessageEntry OnWmLButtonDblClk() {
    return OnMouseMessage<WM_LBUTTONDBLCLK, Handler>();
}

// HBRUSH Handler(CDC* pDC, CWnd* pWnd, UINT nCtlColor): every WM_CTLCOLOR* message, nCtlColor
// being the CTLCOLOR_* kind.
template <auto Handler> constexpr MessageEntry OnWmCtlColor() {
    using namespace msgmap_detail;
    return MessageEntry{WM_CTLCOLORMSGBOX,
                        WM_CTLCOLORSTATIC,
                        0,
                        0,
                        0,
                        [](CWnd& w, UINT message, WPARAM wp, LPARAM lp) -> LRESULT {
                            CDC dc(reinterpret_cast<HDC>(wp));
                            HWND hCtl = reinterpret_cast<HWND>(lp);
                            CTempWnd temp(hCtl);
                            CWnd* pCtl = CWnd::FromHandlePermanent(hCtl);
                            return reinterpret_cast<LRESULT>((Self<Handler>(w).*Handler)(
                                &dc, pCtl ? pCtl : &temp, message - WM_CTLCOLORMSGBOX));
                        }};
}
