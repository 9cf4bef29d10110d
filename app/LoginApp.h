// The application: start-up, the one modal loop the whole program runs in, and shut-down.
#pragma once

#include "WinApp.h"

class CImpIDispatch;

class CLoginApp : public CWinApp {
public:
    CLoginApp();

    BOOL InitInstance() override;

    ULONG_PTR m_gdiplusToken;
    // The one script external object every page gets; deleted directly at shut-down.
    CImpIDispatch* m_pExternal;
};

extern CLoginApp theApp;
