// The executable's own translation unit. The entry point comes from the framework and runs the
// one application object, which lives in a static library: this reference makes the linker
// take it.
#include "app/LoginApp.h"

CLoginApp* g_pTheApp = &theApp;
