#include "OleControlSite.h"

#include <olectl.h>

#include <memory>

#include "EventSink.h"
#include "OccManager.h"
#include "Wnd.h"

namespace {

// Control extents travel in HIMETRIC (0.01 mm).
SIZEL PixelsToHimetric(HWND hWnd, int cx, int cy) {
    HDC hDC = ::GetDC(hWnd);
    int dpiX = ::GetDeviceCaps(hDC, LOGPIXELSX), dpiY = ::GetDeviceCaps(hDC, LOGPIXELSY);
    ::ReleaseDC(hWnd, hDC);
    return SIZEL{::MulDiv(cx, 2540, dpiX), ::MulDiv(cy, 2540, dpiY)};
}

template <class T> HRESULT Hand(T* p, void** ppv) {
    *ppv = p;
    p->AddRef();
    return S_OK;
}

// The arguments of one automation call, built from a parameter type string and a va_list.
// Arguments go into rgvarg last-first; BOOL* arguments travel as VARIANT_BOOL and are written
// back when the call is over.
class CCallArguments {
public:
    HRESULT Build(const BYTE* pbParamInfo, va_list args) {
        std::size_t count = pbParamInfo ? strlen(reinterpret_cast<const char*>(pbParamInfo)) : 0;
        m_args.resize(count);
        m_bools.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            VARIANT& v = m_args[count - 1 - i];
            ::VariantInit(&v);
            switch (pbParamInfo[i]) {
            case 0x02:
                v.vt = VT_I2;
                v.iVal = static_cast<SHORT>(va_arg(args, int));
                break;
            case 0x03:
                v.vt = VT_I4;
                v.lVal = va_arg(args, long);
                break;
            case 0x0B:
                v.vt = VT_BOOL;
                v.boolVal = va_arg(args, BOOL) ? VARIANT_TRUE : VARIANT_FALSE;
                break;
            case 0x08: {
                LPCWSTR psz = va_arg(args, LPCWSTR);
                v.vt = VT_BSTR;
                v.bstrVal = ::SysAllocString(psz);
                if (psz && !v.bstrVal)
                    return E_OUTOFMEMORY;
                break;
            }
            case 0x09:
                v.vt = VT_DISPATCH;
                v.pdispVal = va_arg(args, IDispatch*);
                if (v.pdispVal)
                    v.pdispVal->AddRef();
                break;
            case 0x0C: {
                HRESULT hr = ::VariantCopy(&v, const_cast<VARIANT*>(va_arg(args, const VARIANT*)));
                if (FAILED(hr))
                    return hr;
                break;
            }
            case 0x43:
                v.vt = VT_BYREF | VT_I4;
                v.plVal = va_arg(args, long*);
                break;
            case 0x4B: {
                BOOL* pb = va_arg(args, BOOL*);
                m_bools[i] = {pb, static_cast<VARIANT_BOOL>(*pb ? VARIANT_TRUE : VARIANT_FALSE)};
                v.vt = VT_BYREF | VT_BOOL;
                v.pboolVal = &m_bools[i].value;
                break;
            }
            case 0x4C:
                v.vt = VT_BYREF | VT_VARIANT;
                v.pvarVal = va_arg(args, VARIANT*);
                break;
            default:
                return DISP_E_BADVARTYPE;
            }
        }
        return S_OK;
    }

    ~CCallArguments() {
        for (VARIANT& v : m_args)
            ::VariantClear(&v);
        for (const BoolArg& b : m_bools) {
            if (b.target)
                *b.target = b.value != VARIANT_FALSE;
        }
    }

    DISPPARAMS Params(WORD wFlags) {
        DISPPARAMS dp = {m_args.data(), nullptr, static_cast<UINT>(m_args.size()), 0};
        if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
            dp.rgdispidNamedArgs = &m_dispidPut;
            dp.cNamedArgs = 1;
        }
        return dp;
    }

private:
    struct BoolArg {
        BOOL* target;
        VARIANT_BOOL value;
    };
    std::vector<VARIANT> m_args;
    std::vector<BoolArg> m_bools;
    DISPID m_dispidPut = DISPID_PROPERTYPUT;
};

// Moves an automation result into the caller's variable of type vtRet.
HRESULT StoreResult(VARIANT& result, VARTYPE vtRet, void* pvRet) {
    if (vtRet == VT_VARIANT) {
        *static_cast<VARIANT*>(pvRet) = result;
        result.vt = VT_EMPTY;
        return S_OK;
    }
    HRESULT hr = ::VariantChangeType(&result, &result, 0, vtRet);
    if (FAILED(hr))
        return hr;
    switch (vtRet) {
    case VT_I2:
        *static_cast<short*>(pvRet) = result.iVal;
        break;
    case VT_I4:
        *static_cast<long*>(pvRet) = result.lVal;
        break;
    case VT_BOOL:
        *static_cast<BOOL*>(pvRet) = result.boolVal != VARIANT_FALSE;
        break;
    case VT_BSTR:
        *static_cast<BSTR*>(pvRet) = result.bstrVal;
        result.vt = VT_EMPTY;
        break;
    case VT_DISPATCH:
        *static_cast<IDispatch**>(pvRet) = result.pdispVal;
        result.vt = VT_EMPTY;
        break;
    default:
        return DISP_E_BADVARTYPE;
    }
    return S_OK;
}

} // namespace

// --- COleControlSite -------------------------------------------------------------------------

COleControlSite::COleControlSite(COleControlContainer* pCtrlCont)
    : m_pCtrlCont(pCtrlCont), m_xEventSink(*this) {}

COleControlSite::~COleControlSite() = default;

void* COleControlSite::GetInterface(REFIID riid) {
    if (riid == IID_IUnknown || riid == IID_IOleClientSite)
        return static_cast<IOleClientSite*>(this);
    if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
        return static_cast<IOleInPlaceSite*>(this);
    if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame)
        return static_cast<IOleInPlaceFrame*>(this);
    if (riid == IID_IOleControlSite)
        return static_cast<IOleControlSite*>(this);
    if (riid == IID_IDispatch)
        return static_cast<IDispatch*>(this);
    return nullptr;
}

HRESULT COleControlSite::ExternalQueryInterface(REFIID riid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = GetInterface(riid);
    if (!*ppv)
        return E_NOINTERFACE;
    ExternalAddRef();
    return S_OK;
}

ULONG COleControlSite::ExternalAddRef() {
    return static_cast<ULONG>(++m_cRef);
}

ULONG COleControlSite::ExternalRelease() {
    LONG cRef = --m_cRef;
    if (cRef == 0)
        delete this;
    return static_cast<ULONG>(cRef);
}

STDMETHODIMP COleControlSite::QueryInterface(REFIID riid, void** ppv) {
    return ExternalQueryInterface(riid, ppv);
}
STDMETHODIMP_(ULONG) COleControlSite::AddRef() {
    return ExternalAddRef();
}
STDMETHODIMP_(ULONG) COleControlSite::Release() {
    return ExternalRelease();
}

HWND COleControlSite::ContainerWindow() const {
    return m_pCtrlCont ? m_pCtrlCont->GetWnd().m_hWnd : nullptr;
}

HRESULT COleControlSite::CreateControl(const OleControlItem& item, const RECT& rcPixels,
                                       DlgInitRecord init) {
    m_nID = item.nID;
    m_rect = rcPixels;
    HRESULT hr = ::CoCreateInstance(item.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                    m_pObject.PutVoid());
    if (FAILED(hr))
        return hr;

    // Some controls need their site before they can load; the rest get it after.
    DWORD dwMisc = 0;
    m_pObject->GetMiscStatus(DVASPECT_CONTENT, &dwMisc);
    const bool bSiteFirst = dwMisc & OLEMISC_SETCLIENTSITEFIRST;
    if (bSiteFirst)
        m_pObject->SetClientSite(this);

    if (auto pPersist = m_pObject.As<IPersistStreamInit>()) {
        if (init.pData) {
            ComPtr<IStream> pStream;
            HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, init.cbData);
            if (void* p = hData ? ::GlobalLock(hData) : nullptr) {
                memcpy(p, init.pData, init.cbData);
                ::GlobalUnlock(hData);
            }
            if (hData && SUCCEEDED(::CreateStreamOnHGlobal(hData, TRUE, pStream.Put())))
                hr = pPersist->Load(pStream.Get());
            else if (hData)
                ::GlobalFree(hData);
        } else {
            hr = pPersist->InitNew();
        }
        if (FAILED(hr))
            return hr;
    }
    if (!bSiteFirst)
        m_pObject->SetClientSite(this);

    HWND hWndParent = ContainerWindow();
    SIZEL extent =
        PixelsToHimetric(hWndParent, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top);
    m_pObject->SetExtent(DVASPECT_CONTENT, &extent);
    ConnectEvents();

    hr = m_pObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, hWndParent, &m_rect);
    if (FAILED(hr))
        return hr;
    m_pInPlaceObject = m_pObject.As<IOleInPlaceObject>();
    if (!m_pActiveObject)
        m_pActiveObject = m_pObject.As<IOleInPlaceActiveObject>();
    if (m_pInPlaceObject)
        m_pInPlaceObject->GetWindow(&m_hWnd);
    if (m_hWnd) {
        // The control's window takes the item's place among the dialog's controls.
        ::SetWindowLongPtrW(m_hWnd, GWLP_ID, m_nID);
        constexpr DWORD kItemBits = WS_TABSTOP | WS_GROUP | WS_DISABLED;
        DWORD dwStyle = static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE));
        ::SetWindowLongPtrW(
            m_hWnd, GWL_STYLE,
            static_cast<LONG_PTR>((dwStyle & ~kItemBits) | (item.dwStyle & kItemBits)));
        ::ShowWindow(m_hWnd, (item.dwStyle & WS_VISIBLE) ? SW_SHOWNA : SW_HIDE);
    }
    return S_OK;
}

void COleControlSite::ConnectEvents() {
    // The control names its default event interface; its connection point delivers them.
    auto pClassInfo = m_pObject.As<IProvideClassInfo2>();
    auto pPoints = m_pObject.As<IConnectionPointContainer>();
    if (!pClassInfo || !pPoints ||
        FAILED(pClassInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &m_xEventSink.m_iidEvents)) ||
        FAILED(pPoints->FindConnectionPoint(m_xEventSink.m_iidEvents, m_pEventPoint.Put())))
        return;
    if (FAILED(m_pEventPoint->Advise(&m_xEventSink, &m_dwEventCookie)))
        m_pEventPoint.Reset();
}

void COleControlSite::DestroyControl() {
    // The site may lose its last reference on the way: keep it alive to the end.
    ComPtr<COleControlSite> self(this);
    if (m_pEventPoint) {
        m_pEventPoint->Unadvise(m_dwEventCookie);
        m_pEventPoint.Reset();
        m_dwEventCookie = 0;
    }
    if (m_pWndCtrl)
        DetachWindow(*m_pWndCtrl);
    if (m_pInPlaceObject)
        m_pInPlaceObject->InPlaceDeactivate();
    if (m_pObject) {
        m_pObject->Close(OLECLOSE_NOSAVE);
        m_pObject->SetClientSite(nullptr);
    }
    m_pActiveObject.Reset();
    m_pInPlaceObject.Reset();
    m_pObject.Reset();
    m_hWnd = nullptr;
    m_pCtrlCont = nullptr;
}

void COleControlSite::AttachWindow(CWnd& wnd) {
    // The window object speaks for the control's window but never owns or subclasses it.
    m_pWndCtrl = &wnd;
    wnd.m_pCtrlSite = this;
    wnd.m_hWnd = m_hWnd;
}

void COleControlSite::DetachWindow(CWnd& wnd) {
    if (m_pWndCtrl != &wnd)
        return;
    wnd.m_pCtrlSite = nullptr;
    wnd.m_hWnd = nullptr;
    m_pWndCtrl = nullptr;
}

BOOL COleControlSite::MoveWindow(int x, int y, int nWidth, int nHeight) {
    m_rect = RECT{x, y, x + nWidth, y + nHeight};
    if (m_pObject) {
        SIZEL extent = PixelsToHimetric(ContainerWindow(), nWidth, nHeight);
        m_pObject->SetExtent(DVASPECT_CONTENT, &extent);
    }
    if (m_pInPlaceObject)
        return SUCCEEDED(m_pInPlaceObject->SetObjectRects(&m_rect, &m_rect));
    return m_hWnd && ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, TRUE);
}

BOOL COleControlSite::ShowWindow(int nCmdShow) {
    return m_hWnd && ::ShowWindow(m_hWnd, nCmdShow);
}

HRESULT COleControlSite::InvokeHelperV(DISPID dispid, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                       const BYTE* pbParamInfo, va_list args) {
    auto pDispatch = m_pObject.As<IDispatch>();
    if (!pDispatch)
        return E_NOINTERFACE;
    CCallArguments callArgs;
    HRESULT hr = callArgs.Build(pbParamInfo, args);
    if (FAILED(hr))
        return hr;
    DISPPARAMS dp = callArgs.Params(wFlags);
    VARIANT result;
    ::VariantInit(&result);
    EXCEPINFO excep = {};
    UINT argErr = 0;
    hr = pDispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &dp,
                           vtRet != VT_EMPTY ? &result : nullptr, &excep, &argErr);
    ::SysFreeString(excep.bstrSource);
    ::SysFreeString(excep.bstrDescription);
    ::SysFreeString(excep.bstrHelpFile);
    if (SUCCEEDED(hr) && vtRet != VT_EMPTY && pvRet)
        hr = StoreResult(result, vtRet, pvRet);
    ::VariantClear(&result);
    return hr;
}

bool COleControlSite::TranslateAccelerator(MSG* pMsg) {
    return m_pActiveObject && m_pActiveObject->TranslateAccelerator(pMsg) == S_OK;
}

// IOleClientSite
STDMETHODIMP COleControlSite::SaveObject() {
    return E_NOTIMPL;
}
STDMETHODIMP COleControlSite::GetMoniker(DWORD, DWORD, IMoniker** ppmk) {
    if (ppmk)
        *ppmk = nullptr;
    return E_NOTIMPL;
}
STDMETHODIMP COleControlSite::GetContainer(IOleContainer** ppContainer) {
    if (ppContainer)
        *ppContainer = nullptr;
    return E_NOINTERFACE;
}
STDMETHODIMP COleControlSite::ShowObject() {
    return S_OK;
}
STDMETHODIMP COleControlSite::OnShowWindow(BOOL) {
    return S_OK;
}
STDMETHODIMP COleControlSite::RequestNewObjectLayout() {
    return E_NOTIMPL;
}

// IOleWindow
STDMETHODIMP COleControlSite::GetWindow(HWND* phwnd) {
    if (!phwnd)
        return E_POINTER;
    *phwnd = ContainerWindow();
    return *phwnd ? S_OK : E_FAIL;
}
STDMETHODIMP COleControlSite::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

// IOleInPlaceSite
STDMETHODIMP COleControlSite::CanInPlaceActivate() {
    return m_pCtrlCont ? S_OK : S_FALSE;
}
STDMETHODIMP COleControlSite::OnInPlaceActivate() {
    return S_OK;
}
STDMETHODIMP COleControlSite::OnUIActivate() {
    return S_OK;
}
STDMETHODIMP COleControlSite::GetWindowContext(IOleInPlaceFrame** ppFrame,
                                               IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                               LPRECT lprcClipRect,
                                               LPOLEINPLACEFRAMEINFO lpFrameInfo) {
    if (!ppFrame || !ppDoc || !lprcPosRect || !lprcClipRect || !lpFrameInfo)
        return E_POINTER;
    // The site is its own frame; the dialog has no document window apart from it.
    *ppFrame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *ppDoc = nullptr;
    *lprcPosRect = m_rect;
    *lprcClipRect = m_rect;
    lpFrameInfo->fMDIApp = FALSE;
    lpFrameInfo->hwndFrame = ContainerWindow();
    lpFrameInfo->haccel = nullptr;
    lpFrameInfo->cAccelEntries = 0;
    return S_OK;
}
STDMETHODIMP COleControlSite::Scroll(SIZE) {
    return E_NOTIMPL;
}
STDMETHODIMP COleControlSite::OnUIDeactivate(BOOL) {
    return S_OK;
}
STDMETHODIMP COleControlSite::OnInPlaceDeactivate() {
    return S_OK;
}
STDMETHODIMP COleControlSite::DiscardUndoState() {
    return S_OK;
}
STDMETHODIMP COleControlSite::DeactivateAndUndo() {
    return E_NOTIMPL;
}
STDMETHODIMP COleControlSite::OnPosRectChange(LPCRECT lprcPosRect) {
    if (!lprcPosRect)
        return E_POINTER;
    m_rect = *lprcPosRect;
    if (m_pInPlaceObject)
        m_pInPlaceObject->SetObjectRects(&m_rect, &m_rect);
    return S_OK;
}

// IOleInPlaceUIWindow and IOleInPlaceFrame: a dialog has no tool space and no menus to share.
STDMETHODIMP COleControlSite::GetBorder(LPRECT) {
    return INPLACE_E_NOTOOLSPACE;
}
STDMETHODIMP COleControlSite::RequestBorderSpace(LPCBORDERWIDTHS) {
    return INPLACE_E_NOTOOLSPACE;
}
STDMETHODIMP COleControlSite::SetBorderSpace(LPCBORDERWIDTHS pborderwidths) {
    return pborderwidths ? INPLACE_E_NOTOOLSPACE : S_OK;
}
STDMETHODIMP COleControlSite::SetActiveObject(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR) {
    m_pActiveObject = ComPtr<IOleInPlaceActiveObject>(pActiveObject);
    if (!m_pActiveObject && m_pObject)
        m_pActiveObject = m_pObject.As<IOleInPlaceActiveObject>();
    return S_OK;
}
STDMETHODIMP COleControlSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) {
    return E_NOTIMPL;
}
STDMETHODIMP COleControlSite::SetMenu(HMENU, HOLEMENU, HWND) {
    return S_OK;
}
STDMETHODIMP COleControlSite::RemoveMenus(HMENU) {
    return E_NOTIMPL;
}
STDMETHODIMP COleControlSite::SetStatusText(LPCOLESTR) {
    return S_OK;
}
STDMETHODIMP COleControlSite::EnableModeless(BOOL) {
    return S_OK;
}
STDMETHODIMP COleControlSite::TranslateAccelerator(LPMSG, WORD) {
    return S_FALSE;
}

// IOleControlSite
STDMETHODIMP COleControlSite::OnControlInfoChanged() {
    return S_OK;
}
STDMETHODIMP COleControlSite::LockInPlaceActive(BOOL) {
    return S_OK;
}
STDMETHODIMP COleControlSite::GetExtendedControl(IDispatch** ppDisp) {
    if (ppDisp)
        *ppDisp = nullptr;
    return E_NOTIMPL;
}
STDMETHODIMP COleControlSite::TransformCoords(POINTL*, POINTF*, DWORD) {
    return E_NOTIMPL;
}
STDMETHODIMP COleControlSite::TranslateAccelerator(MSG*, DWORD) {
    return S_FALSE;
}
STDMETHODIMP COleControlSite::OnFocus(BOOL) {
    return S_OK;
}
STDMETHODIMP COleControlSite::ShowPropertyFrame() {
    return E_NOTIMPL;
}

// IDispatch: the ambient properties a dialog offers its controls.
STDMETHODIMP COleControlSite::GetTypeInfoCount(UINT* pctinfo) {
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}
STDMETHODIMP COleControlSite::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
    if (ppTInfo)
        *ppTInfo = nullptr;
    return E_NOTIMPL;
}
STDMETHODIMP COleControlSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}
STDMETHODIMP COleControlSite::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS*,
                                     VARIANT* pVarResult, EXCEPINFO*, UINT*) {
    if (!(wFlags & DISPATCH_PROPERTYGET) || !pVarResult)
        return DISP_E_MEMBERNOTFOUND;
    ::VariantInit(pVarResult);
    switch (dispIdMember) {
    case DISPID_AMBIENT_USERMODE:
    case DISPID_AMBIENT_AUTOCLIP:
    case DISPID_AMBIENT_SUPPORTSMNEMONICS:
        pVarResult->vt = VT_BOOL;
        pVarResult->boolVal = VARIANT_TRUE;
        return S_OK;
    case DISPID_AMBIENT_UIDEAD:
    case DISPID_AMBIENT_SHOWGRABHANDLES:
    case DISPID_AMBIENT_SHOWHATCHING:
    case DISPID_AMBIENT_MESSAGEREFLECT:
    case DISPID_AMBIENT_DISPLAYASDEFAULT:
        pVarResult->vt = VT_BOOL;
        pVarResult->boolVal = VARIANT_FALSE;
        return S_OK;
    case DISPID_AMBIENT_LOCALEID:
        pVarResult->vt = VT_I4;
        pVarResult->lVal = static_cast<LONG>(::GetUserDefaultLCID());
        return S_OK;
    case DISPID_AMBIENT_BACKCOLOR:
        pVarResult->vt = VT_I4;
        pVarResult->lVal = static_cast<LONG>(::GetSysColor(COLOR_BTNFACE));
        return S_OK;
    case DISPID_AMBIENT_FORECOLOR:
        pVarResult->vt = VT_I4;
        pVarResult->lVal = static_cast<LONG>(::GetSysColor(COLOR_BTNTEXT));
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

// --- COleControlSite::CEventSink -------------------------------------------------------------

STDMETHODIMP COleControlSite::CEventSink::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == m_iidEvents)
        return Hand(static_cast<IDispatch*>(this), ppv);
    *ppv = nullptr;
    return E_NOINTERFACE;
}
STDMETHODIMP COleControlSite::CEventSink::GetTypeInfoCount(UINT* pctinfo) {
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}
STDMETHODIMP COleControlSite::CEventSink::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}
STDMETHODIMP COleControlSite::CEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}
STDMETHODIMP COleControlSite::CEventSink::Invoke(DISPID dispIdMember, REFIID, LCID, WORD,
                                                 DISPPARAMS* pDispParams, VARIANT*, EXCEPINFO*,
                                                 UINT*) {
    // A handler may destroy the dialog: the site stays alive until the event is over.
    ComPtr<COleControlSite> keep(&m_site);
    if (!m_site.m_pCtrlCont)
        return S_OK;
    return m_site.m_pCtrlCont->OnEvent(m_site, dispIdMember, pDispParams);
}

// --- COleControlContainer --------------------------------------------------------------------

COleControlContainer::COleControlContainer(COccManager& manager, CWnd& wnd)
    : m_manager(manager), m_wnd(wnd) {}

COleControlContainer::~COleControlContainer() {
    // Last created, first gone; each control goes with its events disconnected.
    while (!m_sites.empty()) {
        ComPtr<COleControlSite> pSite = std::move(m_sites.back());
        m_sites.pop_back();
        pSite->DestroyControl();
    }
}

void COleControlContainer::SetPendingItems(std::vector<OleControlItem> items, const BYTE* pDlgInit,
                                           std::size_t cbDlgInit) {
    m_pending = std::move(items);
    m_pDlgInit = pDlgInit;
    m_cbDlgInit = cbDlgInit;
}

bool COleControlContainer::CreatePendingControls() {
    HWND hWnd = m_wnd.m_hWnd;
    // The dialog manager created the other items in template order, each below the last.
    std::vector<HWND> plain;
    for (HWND h = ::GetWindow(hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        plain.push_back(h);

    std::vector<OleControlItem> items = std::move(m_pending);
    m_pending.clear();
    HWND hPrevious = nullptr;
    std::size_t nPlainPlaced = 0;
    for (const OleControlItem& item : items) {
        RECT rc = item.rcDialogUnits;
        ::MapDialogRect(hWnd, &rc);
        DlgInitRecord init =
            m_pDlgInit ? FindDlgInitStream(m_pDlgInit, m_cbDlgInit, item.nID) : DlgInitRecord{};
        auto pSite = ComPtr<COleControlSite>(m_manager.CreateSite(this));
        if (!pSite)
            return false;
        m_sites.push_back(pSite);
        if (FAILED(pSite->CreateControl(item, rc, init)))
            return false;
        if (HWND hCtl = pSite->GetControlWindow()) {
            if (item.nPlainBefore > nPlainPlaced && item.nPlainBefore <= plain.size()) {
                hPrevious = plain[item.nPlainBefore - 1];
                nPlainPlaced = item.nPlainBefore;
            }
            ::SetWindowPos(hCtl, hPrevious ? hPrevious : HWND_TOP, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            hPrevious = hCtl;
        }
    }
    return true;
}

COleControlSite* COleControlContainer::FindSite(int nID) const {
    for (const auto& pSite : m_sites) {
        if (pSite->GetID() == nID)
            return pSite.Get();
    }
    return nullptr;
}

bool COleControlContainer::PreTranslateMessage(MSG* pMsg) {
    for (const auto& pSite : m_sites) {
        HWND hCtl = pSite->GetControlWindow();
        if (!hCtl || (pMsg->hwnd != hCtl && !::IsChild(hCtl, pMsg->hwnd)))
            continue;
        if (pSite->TranslateAccelerator(pMsg))
            return true;
        // Keys the control did not take as accelerators are its own input: Enter, Escape and
        // the arrows must not turn into dialog commands. Tab still leaves the control.
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB)
            return false;
        ::TranslateMessage(pMsg);
        ::DispatchMessageW(pMsg);
        return true;
    }
    return false;
}

HRESULT COleControlContainer::OnEvent(COleControlSite& site, DISPID dispid, DISPPARAMS* pParams) {
    const EventSinkMap* pMap = m_wnd.GetEventSinkMap();
    const EventSinkEntry* pEntry =
        pMap ? pMap->Find(static_cast<UINT>(site.GetID()), dispid) : nullptr;
    return pEntry ? pEntry->handler(m_wnd, pParams) : S_OK;
}
