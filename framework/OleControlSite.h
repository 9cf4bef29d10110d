// Hosting ActiveX controls in a window: the container a dialog gets for the ActiveX items of
// its template, and the site through which each control talks to its host.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <oleidl.h>

#include <cstdarg>
#include <vector>

#include "ComPtr.h"
#include "DialogTemplate.h"

class COccManager;
class COleControlContainer;
class CWnd;

// One hosted control's site: its client site, in-place site, in-place frame, control site and
// ambient properties, all one COM identity. A derived site answers further interfaces of that
// identity by overriding GetInterface. The site lives as long as anyone holds a reference; the
// container holds one until the dialog goes.
class COleControlSite : public IOleClientSite,
                        public IOleInPlaceSite,
                        public IOleInPlaceFrame,
                        public IOleControlSite,
                        public IDispatch {
public:
    explicit COleControlSite(COleControlContainer* pCtrlCont);
    virtual ~COleControlSite();
    COleControlSite(const COleControlSite&) = delete;
    COleControlSite& operator=(const COleControlSite&) = delete;

    // The identity's IUnknown, for the site's nested interface implementations.
    HRESULT ExternalQueryInterface(REFIID riid, void** ppv);
    ULONG ExternalAddRef();
    ULONG ExternalRelease();

    // Creates the control, loads its persisted state (initialises it new without), connects its
    // events and activates it in place at rcPixels, in the container's window.
    HRESULT CreateControl(const OleControlItem& item, const RECT& rcPixels, DlgInitRecord init);
    // Disconnects the events, closes the control and lets it go; the bound window forgets it.
    void DestroyControl();

    // The window object bound to the control (DDX_Control), or detaching it.
    void AttachWindow(CWnd& wnd);
    void DetachWindow(CWnd& wnd);

    // What the bound window's own operations become for a hosted control.
    BOOL MoveWindow(int x, int y, int nWidth, int nHeight);
    BOOL ShowWindow(int nCmdShow);
    HRESULT InvokeHelperV(DISPID dispid, WORD wFlags, VARTYPE vtRet, void* pvRet,
                          const BYTE* pbParamInfo, va_list args);
    // Offers a keystroke to the in-place active control; true when it took it.
    bool TranslateAccelerator(MSG* pMsg);

    int GetID() const { return m_nID; }
    HWND GetControlWindow() const { return m_hWnd; }
    IOleObject* GetObject() const { return m_pObject.Get(); }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IOleClientSite
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk) override;
    STDMETHODIMP GetContainer(IOleContainer** ppContainer) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL fShow) override;
    STDMETHODIMP RequestNewObjectLayout() override;

    // IOleWindow, for both the in-place site and the frame
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL fEnterMode) override;

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override;
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                  LPRECT lprcPosRect, LPRECT lprcClipRect,
                                  LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
    STDMETHODIMP Scroll(SIZE scrollExtent) override;
    STDMETHODIMP OnUIDeactivate(BOOL fUndoable) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override;
    STDMETHODIMP DeactivateAndUndo() override;
    STDMETHODIMP OnPosRectChange(LPCRECT lprcPosRect) override;

    // IOleInPlaceUIWindow and IOleInPlaceFrame
    STDMETHODIMP GetBorder(LPRECT lprectBorder) override;
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS pborderwidths) override;
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS pborderwidths) override;
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* pActiveObject,
                                 LPCOLESTR pszObjName) override;
    STDMETHODIMP InsertMenus(HMENU hmenuShared, LPOLEMENUGROUPWIDTHS lpMenuWidths) override;
    STDMETHODIMP SetMenu(HMENU hmenuShared, HOLEMENU holemenu, HWND hwndActiveObject) override;
    STDMETHODIMP RemoveMenus(HMENU hmenuShared) override;
    STDMETHODIMP SetStatusText(LPCOLESTR pszStatusText) override;
    STDMETHODIMP EnableModeless(BOOL fEnable) override;
    STDMETHODIMP TranslateAccelerator(LPMSG lpmsg, WORD wID) override;

    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override;
    STDMETHODIMP LockInPlaceActive(BOOL fLock) override;
    STDMETHODIMP GetExtendedControl(IDispatch** ppDisp) override;
    STDMETHODIMP TransformCoords(POINTL* pPtlHimetric, POINTF* pPtfContainer,
                                 DWORD dwFlags) override;
    STDMETHODIMP TranslateAccelerator(MSG* pMsg, DWORD grfModifiers) override;
    STDMETHODIMP OnFocus(BOOL fGotFocus) override;
    STDMETHODIMP ShowPropertyFrame() override;

    // IDispatch: the ambient properties
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                               DISPID* rgDispId) override;
    STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                        DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                        UINT* puArgErr) override;

protected:
    // The interface riid of this identity without a reference added, or null. Derived sites
    // answer their own interfaces and pass the rest on to their base.
    virtual void* GetInterface(REFIID riid);

private:
    // Receives the control's events and hands them to the container's window.
    class CEventSink : public IDispatch {
    public:
        explicit CEventSink(COleControlSite& site) : m_site(site) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
        STDMETHODIMP_(ULONG) AddRef() override { return m_site.ExternalAddRef(); }
        STDMETHODIMP_(ULONG) Release() override { return m_site.ExternalRelease(); }
        STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
        STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
        STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                   DISPID* rgDispId) override;
        STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                            DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                            UINT* puArgErr) override;

        IID m_iidEvents = IID_NULL;

    private:
        COleControlSite& m_site;
    };

    void ConnectEvents();
    HWND ContainerWindow() const;

    LONG m_cRef = 0;
    COleControlContainer* m_pCtrlCont;
    CWnd* m_pWndCtrl = nullptr;
    int m_nID = 0;
    HWND m_hWnd = nullptr;
    RECT m_rect = {};
    ComPtr<IOleObject> m_pObject;
    ComPtr<IOleInPlaceObject> m_pInPlaceObject;
    ComPtr<IOleInPlaceActiveObject> m_pActiveObject;
    ComPtr<IConnectionPoint> m_pEventPoint;
    DWORD m_dwEventCookie = 0;
    CEventSink m_xEventSink;
};

// The ActiveX controls of one window, created from its template's items.
class COleControlContainer {
public:
    COleControlContainer(COccManager& manager, CWnd& wnd);
    ~COleControlContainer();
    COleControlContainer(const COleControlContainer&) = delete;
    COleControlContainer& operator=(const COleControlContainer&) = delete;

    // Remembers what to create once the window exists.
    void SetPendingItems(std::vector<OleControlItem> items, const BYTE* pDlgInit,
                         std::size_t cbDlgInit);
    // Creates the remembered controls in the window, each where its item stood among the
    // window's other controls; false when one of them cannot be created.
    bool CreatePendingControls();

    COleControlSite* FindSite(int nID) const;
    bool PreTranslateMessage(MSG* pMsg);
    // An event of the control in pSite, for the window's event-sink table.
    HRESULT OnEvent(COleControlSite& site, DISPID dispid, DISPPARAMS* pParams);

    CWnd& GetWnd() const { return m_wnd; }

private:
    COccManager& m_manager;
    CWnd& m_wnd;
    std::vector<OleControlItem> m_pending;
    const BYTE* m_pDlgInit = nullptr;
    std::size_t m_cbDlgInit = 0;
    std::vector<ComPtr<COleControlSite>> m_sites;
};
