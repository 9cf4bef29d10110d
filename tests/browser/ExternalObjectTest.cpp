// The script external object's name lookup and calls, case by case.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/ImpIDispatch.h"

namespace {

constexpr LCID kLcid = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);

struct LookupCase {
    const char* what;
    std::vector<std::wstring> names;
    HRESULT expected;
    std::vector<DISPID> ids;
};

TEST(ExternalObject, NameLookup) {
    const LookupCase cases[] = {
        {"the property", {L"xxyyzz"}, S_OK, {12345}},
        {"its first three letters", {L"xxy"}, S_OK, {12345}},
        {"any name beginning with them", {L"xxyAnything"}, S_OK, {12345}},
        {"full-width x, x, y", {L"\xFF58\xFF58\xFF59zz"}, S_OK, {12345}},
        {"upper case", {L"XXYYZZ"}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN}},
        {"two characters", {L"xx"}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN}},
        {"empty", {L""}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN}},
        {"another name", {L"location"}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN}},
        {"one known, one unknown", {L"xxyyzz", L"foo"}, DISP_E_UNKNOWNNAME, {12345, -1}},
        {"one unknown, one known", {L"foo", L"xxy"}, DISP_E_UNKNOWNNAME, {-1, 12345}},
    };
    CImpIDispatch external;
    for (const LookupCase& c : cases) {
        std::vector<LPOLESTR> names;
        for (const std::wstring& name : c.names)
            names.push_back(const_cast<LPOLESTR>(name.c_str()));
        std::vector<DISPID> ids(names.size(), 777);
        EXPECT_EQ(external.GetIDsOfNames(IID_NULL, names.data(), static_cast<UINT>(names.size()),
                                         kLcid, ids.data()),
                  c.expected)
            << c.what;
        EXPECT_EQ(ids, c.ids) << c.what;
    }
}

TEST(ExternalObject, LookupWithoutNamesOrWithMissingArgumentsNeverCrashes) {
    CImpIDispatch external;
    DISPID id = 777;
    EXPECT_EQ(external.GetIDsOfNames(IID_NULL, nullptr, 0, kLcid, &id), S_OK);
    EXPECT_EQ(id, 777); // nothing written
    EXPECT_EQ(external.GetIDsOfNames(IID_NULL, nullptr, 0, kLcid, nullptr), S_OK);

    LPOLESTR name = const_cast<LPOLESTR>(L"xxyyzz");
    EXPECT_TRUE(FAILED(external.GetIDsOfNames(IID_NULL, &name, 1, kLcid, nullptr)));
    EXPECT_TRUE(FAILED(external.GetIDsOfNames(IID_NULL, nullptr, 1, kLcid, &id)));
    LPOLESTR names[] = {nullptr, name};
    DISPID ids[2] = {777, 777};
    EXPECT_EQ(external.GetIDsOfNames(IID_NULL, names, 2, kLcid, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], DISPID_UNKNOWN);
    EXPECT_EQ(ids[1], 12345);
}

TEST(ExternalObject, ReadingThePropertyGivesKmvvva) {
    CImpIDispatch external;
    DISPPARAMS none = {};
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(external.Invoke(12345, IID_NULL, kLcid, DISPATCH_PROPERTYGET, &none, &result, nullptr,
                              nullptr),
              S_OK);
    ASSERT_EQ(result.vt, VT_BSTR);
    EXPECT_STREQ(result.bstrVal, L"Kmvvva");
    EXPECT_EQ(SysStringLen(result.bstrVal), 6u);
    VariantClear(&result);

    // Script engines ask with both flags; no DISPPARAMS at all is no argument either.
    EXPECT_EQ(external.Invoke(12345, IID_NULL, kLcid, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                              nullptr, &result, nullptr, nullptr),
              S_OK);
    ASSERT_EQ(result.vt, VT_BSTR);
    EXPECT_STREQ(result.bstrVal, L"Kmvvva");
    VariantClear(&result);
}

TEST(ExternalObject, EveryOtherCallSucceedsWithoutAResult) {
    struct InvokeCase {
        const char* what;
        DISPID id;
        WORD flags;
    };
    const InvokeCase cases[] = {
        {"method call of the property", 12345, DISPATCH_METHOD},
        {"property put", 12345, DISPATCH_PROPERTYPUT},
        {"unknown id, get", 1, DISPATCH_PROPERTYGET},
        {"DISPID_UNKNOWN", DISPID_UNKNOWN, DISPATCH_PROPERTYGET},
    };
    CImpIDispatch external;
    for (const InvokeCase& c : cases) {
        VARIANT result;
        result.vt = VT_I4;
        result.lVal = 99;
        EXCEPINFO excep = {};
        excep.scode = 7;
        UINT argErr = 5;
        EXPECT_EQ(
            external.Invoke(c.id, IID_NULL, kLcid, c.flags, nullptr, &result, &excep, &argErr),
            S_OK)
            << c.what;
        EXPECT_EQ(result.vt, VT_I4) << c.what;
        EXPECT_EQ(result.lVal, 99) << c.what;
        EXPECT_EQ(excep.scode, 7) << c.what;
        EXPECT_EQ(argErr, 5u) << c.what;
    }
    EXPECT_EQ(external.Invoke(12345, IID_NULL, kLcid, DISPATCH_PROPERTYGET, nullptr, nullptr,
                              nullptr, nullptr),
              S_OK);
}

TEST(ExternalObject, CountsReferencesButNeverDeletesItself) {
    CImpIDispatch external;
    EXPECT_EQ(external.m_cRef, 0u);
    IUnknown* pUnknown = nullptr;
    EXPECT_EQ(external.QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pUnknown)), S_OK);
    EXPECT_EQ(pUnknown, static_cast<IDispatch*>(&external));
    IDispatch* pDispatch = nullptr;
    EXPECT_EQ(external.QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDispatch)), S_OK);
    EXPECT_EQ(external.m_cRef, 2u);
    EXPECT_EQ(external.Release(), 1u);
    EXPECT_EQ(external.Release(), 0u);
    // Still alive: the application deletes it.
    EXPECT_EQ(external.AddRef(), 1u);
    EXPECT_EQ(external.Release(), 0u);

    void* p = &external;
    EXPECT_EQ(external.QueryInterface(IID_IOleObject, &p), E_NOINTERFACE);
    EXPECT_EQ(p, nullptr);
    UINT count = 42;
    EXPECT_EQ(external.GetTypeInfoCount(&count), E_NOTIMPL);
    EXPECT_EQ(count, 42u);
}

} // namespace
