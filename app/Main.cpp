// The executable's own translation unit: the entry point comes from the framework and runs
// theApp, defined with the application class.
#include "app/LoginApp.h"

// Referencing theApp here keeps its translation unit in the link.
CLoginApp* const g_pApp = &theApp;
