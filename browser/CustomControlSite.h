// The control site every ActiveX control of the application lives in: it adds the document
// host UI handler, which presents pages without context menu, scroll bars or 3-D border and
// hands scripts the application's external object.
#pragma once

#include <windows.h>
#include <mshtmhst.h>

#include "OccManager.h"
#include "OleControlSite.h"

class CCustomControlSite : public COleControlSite {
public:
    explicit CCustomControlSite(COleControlContainer* pCtrlCont);
    ~CCustomControlSite() override;

    // The handler is part of the site's COM identity: it answers for the site in everything
    // but its own methods.
    class XDocHostUIHandler : public IDocHostUIHandler {
    public:
        explicit XDocHostUIHandler(CCustomControlSite& site) : m_site(site) {}

        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
        STDMETHODIMP_(ULONG) AddRef() override;
        STDMETHODIMP_(ULONG) Release() override;
        STDMETHODIMP ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved,
                                     IDispatch* pdispReserved) override;
        STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* pInfo) override;
        STDMETHODIMP ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                            IOleCommandTarget* pCommandTarget, IOleInPlaceFrame* pFrame,
                            IOleInPlaceUIWindow* pDoc) override;
        STDMETHODIMP HideUI() override;
        STDMETHODIMP UpdateUI() override;
        STDMETHODIMP EnableModeless(BOOL fEnable) override;
        STDMETHODIMP OnDocWindowActivate(BOOL fActivate) override;
        STDMETHODIMP OnFrameWindowActivate(BOOL fActivate) override;
        STDMETHODIMP ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow,
                                  BOOL fRameWindow) override;
        STDMETHODIMP TranslateAccelerator(LPMSG lpMsg, const GUID* pguidCmdGroup,
                                          DWORD nCmdID) override;
        STDMETHODIMP GetOptionKeyPath(LPOLESTR* pchKey, DWORD dw) override;
        STDMETHODIMP GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) override;
        STDMETHODIMP GetExternal(IDispatch** ppDispatch) override;
        STDMETHODIMP TranslateUrl(DWORD dwTranslate, LPWSTR pchURLIn, LPWSTR* ppchURLOut) override;
        STDMETHODIMP FilterDataObject(IDataObject* pDO, IDataObject** ppDORet) override;

    private:
        CCustomControlSite& m_site;
    };

    XDocHostUIHandler m_xDocHostUIHandler;

protected:
    void* GetInterface(REFIID riid) override;
};

// Gives every ActiveX control a CCustomControlSite.
class CCustomOccManager : public COccManager {
public:
    COleControlSite* CreateSite(COleControlContainer* pCtrlCont) override;
};
