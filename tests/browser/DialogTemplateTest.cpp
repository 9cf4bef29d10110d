// Splitting a dialog template into what the dialog manager creates and the ActiveX items the
// container creates, and finding a control's persisted state, on the templates windres made.
#include <gtest/gtest.h>

#include <string>

#include "DialogTemplate.h"
#include "browser_test_resource.h"

namespace {

struct ResourceBytes {
    const BYTE* p = nullptr;
    std::size_t cb = 0;
};

ResourceBytes Load(UINT nID, WORD type) {
    HMODULE hModule = GetModuleHandleW(nullptr);
    HRSRC hRes = FindResourceW(hModule, MAKEINTRESOURCEW(nID), MAKEINTRESOURCEW(type));
    if (!hRes)
        return {};
    return {static_cast<const BYTE*>(LockResource(LoadResource(hModule, hRes))),
            SizeofResource(hModule, hRes)};
}

const CLSID kWebBrowser = {
    0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};

INT_PTR CALLBACK IgnoreEverything(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

TEST(DialogTemplate, ActiveXItemIsSplitOffWithItsPlaceAndStyle) {
    ResourceBytes res = Load(IDD_BROWSER_TEST, 5);
    ASSERT_NE(res.p, nullptr);
    CDialogTemplate dt(reinterpret_cast<const DLGTEMPLATE*>(res.p), res.cb);

    ASSERT_EQ(dt.OleItems().size(), 1u);
    const OleControlItem& item = dt.OleItems()[0];
    EXPECT_TRUE(IsEqualCLSID(item.clsid, kWebBrowser));
    EXPECT_EQ(item.nID, IDC_BROWSER);
    EXPECT_EQ(item.nPlainBefore, 1u);
    EXPECT_EQ(item.dwStyle & (WS_CHILD | WS_VISIBLE | WS_TABSTOP), DWORD{WS_CHILD | WS_TABSTOP});
    EXPECT_EQ(item.rcDialogUnits.left, 10);
    EXPECT_EQ(item.rcDialogUnits.top, 30);
    EXPECT_EQ(item.rcDialogUnits.right, 210);
    EXPECT_EQ(item.rcDialogUnits.bottom, 150);

    // The rest is a template the dialog manager accepts, with both buttons in their order.
    ASSERT_NE(dt.Template(), reinterpret_cast<const DLGTEMPLATE*>(res.p));
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(dt.Template()) % 4, 0u);
    HWND hDlg = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dt.Template(), nullptr,
                                           &IgnoreEverything, 0);
    ASSERT_NE(hDlg, nullptr);
    HWND hFirst = GetWindow(hDlg, GW_CHILD);
    ASSERT_NE(hFirst, nullptr);
    EXPECT_EQ(GetDlgCtrlID(hFirst), IDC_BEFORE);
    HWND hSecond = GetWindow(hFirst, GW_HWNDNEXT);
    ASSERT_NE(hSecond, nullptr);
    EXPECT_EQ(GetDlgCtrlID(hSecond), IDC_AFTER);
    EXPECT_EQ(GetWindow(hSecond, GW_HWNDNEXT), nullptr);
    DestroyWindow(hDlg);
}

TEST(DialogTemplate, TemplateWithoutActiveXItemsIsUsedAsItIs) {
    ResourceBytes res = Load(IDD_PLAIN_TEST, 5);
    ASSERT_NE(res.p, nullptr);
    CDialogTemplate dt(reinterpret_cast<const DLGTEMPLATE*>(res.p), res.cb);
    EXPECT_TRUE(dt.OleItems().empty());
    EXPECT_EQ(dt.Template(), reinterpret_cast<const DLGTEMPLATE*>(res.p));
}

TEST(DialogTemplate, TruncatedTemplateYieldsNoItems) {
    ResourceBytes res = Load(IDD_BROWSER_TEST, 5);
    ASSERT_NE(res.p, nullptr);
    for (std::size_t cb : {std::size_t{0}, std::size_t{10}, res.cb / 2, res.cb - 1}) {
        CDialogTemplate dt(reinterpret_cast<const DLGTEMPLATE*>(res.p), cb);
        EXPECT_TRUE(dt.OleItems().empty()) << cb << " bytes";
    }
}

TEST(DialogTemplate, DlgInitStreamRecordIsFoundByControlAndKind) {
    ResourceBytes res = Load(IDD_BROWSER_TEST, RT_DLGINIT);
    ASSERT_NE(res.p, nullptr);
    DlgInitRecord browser = FindDlgInitStream(res.p, res.cb, IDC_BROWSER);
    ASSERT_NE(browser.pData, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(browser.pData), browser.cbData),
              "ABCDEFGHIJKL");
    // IDC_AFTER's record is of another kind; IDC_BEFORE has none.
    EXPECT_EQ(FindDlgInitStream(res.p, res.cb, IDC_AFTER).pData, nullptr);
    EXPECT_EQ(FindDlgInitStream(res.p, res.cb, IDC_BEFORE).pData, nullptr);
    // A record that claims more bytes than there are is not handed out.
    EXPECT_EQ(FindDlgInitStream(res.p, 20, IDC_BROWSER).pData, nullptr);
}

} // namespace
