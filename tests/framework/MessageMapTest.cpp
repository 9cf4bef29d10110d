// Message tables: rows found from the most derived class down, typed handlers, default
// processing, reflection to owner-drawn buttons, and objects deleted from their own handlers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Controls.h"
#include "MessageEntries.h"

namespace {

constexpr UINT WM_BASE_ONLY = WM_APP + 1;
constexpr UINT WM_OVERRIDDEN = WM_APP + 2;
constexpr UINT WM_UNMAPPED = WM_APP + 3;
constexpr UINT WM_DELETE_SELF = WM_APP + 4;

// A top-level STATIC window subclassed into obj.
HWND CreateSubclassed(CWnd& obj, LPCWSTR cls = L"STATIC", DWORD style = WS_POPUP) {
    HWND h = CreateWindowExW(0, cls, L"", style, 10, 10, 200, 100, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    obj.SubclassWindow(h);
    return h;
}

class CBaseWnd : public CWnd {
public:
    std::vector<std::string> calls;

protected:
    const MessageMap* GetMessageMap() const override {
        // clang-format off
        static const MessageEntry entries[] = {
            OnMessage<WM_BASE_ONLY, &CBaseWnd::OnBaseOnly>(),
            OnMessage<WM_OVERRIDDEN, &CBaseWnd::OnOverriddenInBase>(),
        };
        // clang-format on
        static const MessageMap map(CWnd::GetMessageMap(), entries);
        return &map;
    }
    LRESULT OnBaseOnly(WPARAM wParam, LPARAM) {
        calls.push_back("base-only");
        return static_cast<LRESULT>(wParam) + 1;
    }
    LRESULT OnOverriddenInBase(WPARAM, LPARAM) {
        calls.push_back("base-overridden");
        return 0;
    }
};

class CDerivedWnd : public CBaseWnd {
public:
    CPoint moved{-1, -1};
    CPoint hit{-1, -1};
    int commands = 0;

protected:
    const MessageMap* GetMessageMap() const override {
        // clang-format off
        static const MessageEntry entries[] = {
            OnMessage<WM_OVERRIDDEN, &CDerivedWnd::OnOverridden>(),
            OnWmMove<&CDerivedWnd::OnMove>(),
            OnWmNcHitTest<&CDerivedWnd::OnNcHitTest>(),
            OnBnClicked<77, &CDerivedWnd::OnBnClicked77>(),
            OnMessage<WM_GETTEXTLENGTH, &CDerivedWnd::OnGetTextLength>(),
        };
        // clang-format on
        static const MessageMap map(CBaseWnd::GetMessageMap(), entries);
        return &map;
    }
    LRESULT OnOverridden(WPARAM, LPARAM) {
        calls.push_back("derived-overridden");
        return 7;
    }
    void OnMove(int x, int y) { moved = CPoint(x, y); }
    LRESULT OnNcHitTest(CPoint pt) {
        hit = pt;
        return HTCAPTION;
    }
    void OnBnClicked77() { ++commands; }
    // Default processing from inside a handler reaches the window's own procedure.
    LRESULT OnGetTextLength(WPARAM, LPARAM) { return Default() + 1000; }
};

TEST(MessageMap, DerivedRowsWinAndBaseRowsAreInherited) {
    CDerivedWnd wnd;
    HWND h = CreateSubclassed(wnd);
    ASSERT_TRUE(h);
    EXPECT_EQ(SendMessageW(h, WM_BASE_ONLY, 41, 0), 42);
    EXPECT_EQ(SendMessageW(h, WM_OVERRIDDEN, 0, 0), 7);
    EXPECT_EQ(SendMessageW(h, WM_UNMAPPED, 0, 0), 0);
    EXPECT_EQ(wnd.calls, (std::vector<std::string>{"base-only", "derived-overridden"}));
}

TEST(MessageMap, TypedHandlersGetUnpackedParameters) {
    CDerivedWnd wnd;
    HWND h = CreateSubclassed(wnd);
    SendMessageW(h, WM_MOVE, 0, MAKELPARAM(-5, 300));
    EXPECT_EQ(wnd.moved.x, -5);
    EXPECT_EQ(wnd.moved.y, 300);
    EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(123, 45)), HTCAPTION);
    EXPECT_EQ(wnd.hit.x, 123);
    EXPECT_EQ(wnd.hit.y, 45);
}

TEST(MessageMap, CommandRowsMatchControlIdAndNotificationCode) {
    CDerivedWnd wnd;
    HWND h = CreateSubclassed(wnd);
    SendMessageW(h, WM_COMMAND, MAKEWPARAM(77, BN_CLICKED), 0);
    SendMessageW(h, WM_COMMAND, MAKEWPARAM(78, BN_CLICKED), 0);
    SendMessageW(h, WM_COMMAND, MAKEWPARAM(77, BN_SETFOCUS), 0);
    EXPECT_EQ(wnd.commands, 1);
}

TEST(MessageMap, DefaultCallsTheSubclassedProcedure) {
    CDerivedWnd wnd;
    HWND h = CreateSubclassed(wnd);
    SetWindowTextW(h, L"abc");
    EXPECT_EQ(SendMessageW(h, WM_GETTEXTLENGTH, 0, 0), 1003);
}

TEST(MessageMap, ObjectIsUnboundWhenItsWindowIsDestroyed) {
    CDerivedWnd wnd;
    HWND h = CreateSubclassed(wnd);
    ASSERT_EQ(CWnd::FromHandlePermanent(h), &wnd);
    DestroyWindow(h);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
}

// Owner-drawn buttons paint themselves from the WM_DRAWITEM their parent gets.
class CDrawnButton : public CButton {
public:
    int draws = 0;
    void DrawItem(LPDRAWITEMSTRUCT dis) override {
        ++draws;
        EXPECT_EQ(dis->hwndItem, m_hWnd);
    }
};

TEST(MessageMap, DrawItemIsReflectedToTheButtonObject) {
    CWnd parent;
    HWND hParent = CreateSubclassed(parent, L"STATIC", WS_POPUP | WS_VISIBLE);
    HWND hButton = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0,
                                   40, 20, hParent, reinterpret_cast<HMENU>(5), nullptr, nullptr);
    CDrawnButton button;
    button.SubclassWindow(hButton);
    InvalidateRect(hButton, nullptr, TRUE);
    UpdateWindow(hButton);
    EXPECT_GE(button.draws, 1);
}

// A window object that deletes itself from inside its own handler.
class CSelfDeleting : public CWnd {
public:
    explicit CSelfDeleting(bool* deleted) : m_deleted(deleted) {}
    ~CSelfDeleting() override { *m_deleted = true; }

protected:
    const MessageMap* GetMessageMap() const override {
        // clang-format off
        static const MessageEntry entries[] = {
            OnMessage<WM_DELETE_SELF, &CSelfDeleting::OnDeleteSelf>(),
        };
        // clang-format on
        static const MessageMap map(CWnd::GetMessageMap(), entries);
        return &map;
    }
    LRESULT OnDeleteSelf(WPARAM, LPARAM) {
        DestroyWindow();
        delete this;
        return 99;
    }

private:
    bool* m_deleted;
};

TEST(MessageMap, HandlerMayDestroyAndDeleteItsOwnObject) {
    bool deleted = false;
    auto* wnd = new CSelfDeleting(&deleted);
    HWND h = CreateSubclassed(*wnd);
    EXPECT_EQ(SendMessageW(h, WM_DELETE_SELF, 0, 0), 99);
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(IsWindow(h));
}

// The parent object goes away while its child button is still inside its click processing.
class CParentDeletedByClick : public CWnd {
public:
    CButton m_button;
    explicit CParentDeletedByClick(bool* deleted) : m_deleted(deleted) {}
    ~CParentDeletedByClick() override { *m_deleted = true; }

protected:
    const MessageMap* GetMessageMap() const override {
        // clang-format off
        static const MessageEntry entries[] = {
            OnBnClicked<9, &CParentDeletedByClick::OnBnClickedButton>(),
        };
        // clang-format on
        static const MessageMap map(CWnd::GetMessageMap(), entries);
        return &map;
    }
    void OnBnClickedButton() {
        DestroyWindow();
        delete this;
    }

private:
    bool* m_deleted;
};

TEST(MessageMap, ParentMayBeDeletedDuringAChildNotification) {
    bool deleted = false;
    auto* parent = new CParentDeletedByClick(&deleted);
    HWND hParent = CreateSubclassed(*parent, L"STATIC", WS_POPUP | WS_VISIBLE);
    HWND hButton = CreateWindowExW(0, L"BUTTON", L"x", WS_CHILD | WS_VISIBLE, 0, 0, 40, 20, hParent,
                                   reinterpret_cast<HMENU>(9), nullptr, nullptr);
    parent->m_button.SubclassWindow(hButton);
    SendMessageW(hButton, BM_CLICK, 0, 0);
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(IsWindow(hParent));
    EXPECT_FALSE(IsWindow(hButton));
}

} // namespace
