#include "browser/CustomControlSite.h"

#include "app/LoginApp.h"
#include "browser/ImpIDispatch.h"

namespace {

// No 3-D border, no scroll bars; double clicks as the control does them by default.
constexpr DWORD kHostFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO;

} // namespace

CCustomControlSite::CCustomControlSite(COleControlContainer* pCtrlCont)
    : COleControlSite(pCtrlCont), m_xDocHostUIHandler(*this) {}

CCustomControlSite::~CCustomControlSite() = default;

void* CCustomControlSite::GetInterface(REFIID riid) {
    if (riid == IID_IDocHostUIHandler)
        return &m_xDocHostUIHandler;
    return COleControlSite::GetInterface(riid);
}

COleControlSite* CCustomOccManager::CreateSite(COleControlContainer* pCtrlCont) {
    return new CCustomControlSite(pCtrlCont);
}

using XHandler = CCustomControlSite::XDocHostUIHandler;

STDMETHODIMP XHandler::QueryInterface(REFIID riid, void** ppv) {
    return m_site.ExternalQueryInterface(riid, ppv);
}

STDMETHODIMP_(ULONG) XHandler::AddRef() {
    return m_site.ExternalAddRef();
}

STDMETHODIMP_(ULONG) XHandler::Release() {
    return m_site.ExternalRelease();
}

// Claiming to have shown the menu is how the host suppresses it.
STDMETHODIMP XHandler::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
    return S_OK;
}

STDMETHODIMP XHandler::GetHostInfo(DOCHOSTUIINFO* pInfo) {
    if (!pInfo)
        return E_POINTER;
    pInfo->dwFlags = kHostFlags;
    pInfo->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}

STDMETHODIMP XHandler::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*,
                              IOleInPlaceFrame*, IOleInPlaceUIWindow*) {
    return S_OK;
}

STDMETHODIMP XHandler::HideUI() {
    return S_OK;
}

STDMETHODIMP XHandler::UpdateUI() {
    return S_OK;
}

STDMETHODIMP XHandler::EnableModeless(BOOL) {
    return E_NOTIMPL;
}

STDMETHODIMP XHandler::OnDocWindowActivate(BOOL) {
    return E_NOTIMPL;
}

STDMETHODIMP XHandler::OnFrameWindowActivate(BOOL) {
    return E_NOTIMPL;
}

STDMETHODIMP XHandler::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
    return E_NOTIMPL;
}

// S_FALSE leaves every keystroke to the control's own accelerator handling.
STDMETHODIMP XHandler::TranslateAccelerator(LPMSG, const GUID*, DWORD) {
    return S_FALSE;
}

STDMETHODIMP XHandler::GetOptionKeyPath(LPOLESTR*, DWORD) {
    return E_NOTIMPL;
}

STDMETHODIMP XHandler::GetDropTarget(IDropTarget*, IDropTarget**) {
    return E_NOTIMPL;
}

STDMETHODIMP XHandler::GetExternal(IDispatch** ppDispatch) {
    if (!ppDispatch)
        return E_POINTER;
    *ppDispatch = theApp.m_pExternal;
    if (!*ppDispatch)
        return E_NOTIMPL;
    (*ppDispatch)->AddRef();
    return S_OK;
}

STDMETHODIMP XHandler::TranslateUrl(DWORD, LPWSTR, LPWSTR*) {
    return E_NOTIMPL;
}

STDMETHODIMP XHandler::FilterDataObject(IDataObject*, IDataObject**) {
    return E_NOTIMPL;
}
