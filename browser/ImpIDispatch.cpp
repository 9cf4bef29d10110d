#include "browser/ImpIDispatch.h"

#include <cwchar>

namespace {

// Only the first three characters of the stored name take part in the comparison.
constexpr wchar_t kPropertyName[] = L"xxyyzz";
constexpr int kComparedLength = 3;
constexpr wchar_t kPropertyValue[] = L"Kmvvva";

} // namespace

STDMETHODIMP CImpIDispatch::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IDispatch && riid != IID_IUnknown)
        return E_NOINTERFACE;
    *ppv = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CImpIDispatch::AddRef() {
    return ++m_cRef;
}

STDMETHODIMP_(ULONG) CImpIDispatch::Release() {
    return --m_cRef;
}

STDMETHODIMP CImpIDispatch::GetTypeInfoCount(UINT*) {
    return E_NOTIMPL;
}

STDMETHODIMP CImpIDispatch::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}

STDMETHODIMP CImpIDispatch::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                          DISPID* rgDispId) {
    if (cNames == 0)
        return S_OK;
    if (!rgszNames || !rgDispId)
        return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < cNames; ++i) {
        const wchar_t* name = rgszNames[i];
        // A shorter name is compared up to its end, so it never matches; a missing one neither.
        int length = name ? static_cast<int>(wcsnlen(name, kComparedLength)) : 0;
        if (name && ::CompareStringW(lcid, NORM_IGNOREWIDTH, kPropertyName, kComparedLength, name,
                                     length) == CSTR_EQUAL) {
            rgDispId[i] = DISPID_EXTERNAL_VALUE;
        } else {
            rgDispId[i] = DISPID_UNKNOWN;
            hr = DISP_E_UNKNOWNNAME;
        }
    }
    return hr;
}

STDMETHODIMP CImpIDispatch::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS*,
                                   VARIANT* pVarResult, EXCEPINFO*, UINT*) {
    if (dispIdMember == DISPID_EXTERNAL_VALUE && (wFlags & DISPATCH_PROPERTYGET) && pVarResult) {
        BSTR value = ::SysAllocString(kPropertyValue);
        ::VariantInit(pVarResult);
        pVarResult->vt = VT_BSTR;
        pVarResult->bstrVal = value;
    }
    return S_OK;
}
