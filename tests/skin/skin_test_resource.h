// Identifiers of the skin tests' own templates, clear of the launcher's.
#pragma once

#define IDD_SKIN_BUTTONS 9001
#define IDC_SKIN_FIRST 9101
#define IDC_SKIN_SECOND 9102
