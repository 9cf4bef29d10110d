// The application: start-up, the one modal loop the whole program runs in, and shut-down.
#pragma once

#include "WinApp.h"

class CLoginApp : public CWinApp {
public:
    CLoginApp();

    BOOL InitInstance() override;

    ULONG_PTR m_gdiplusToken;
};

extern CLoginApp theApp;
