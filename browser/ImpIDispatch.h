// The script external object: what page scripts find as window.external. One object serves
// every page of the application; its reference count never ends its life, the application
// deletes it at shut-down.
#pragma once

#include <windows.h>
#include <oaidl.h>

constexpr DISPID DISPID_EXTERNAL_VALUE = 12345;

class CImpIDispatch final : public IDispatch {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    // Every name beginning with "xxy" (width-insensitive, case-sensitive) is the one property.
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                               DISPID* rgDispId) override;
    // Reading the property gives "Kmvvva"; every other call succeeds and does nothing.
    STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                        DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                        UINT* puArgErr) override;

    ULONG m_cRef = 0;
};
