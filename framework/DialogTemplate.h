// Reading dialog templates for the control container: the dialog manager cannot create an item
// whose class is an ActiveX class id ("{...}"), so such items are taken out of the template and
// created by the container once the dialog exists.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

// One ActiveX item as the template describes it.
struct OleControlItem {
    CLSID clsid;
    int nID;
    DWORD dwStyle;
    DWORD dwExStyle;
    RECT rcDialogUnits;       // x, y, x + cx, y + cy as the template gives them
    std::size_t nPlainBefore; // items of the template that precede it and stay in the template
};

// A dialog template with its ActiveX items split off. Only extended templates (DLGTEMPLATEEX)
// can hold such items here; any other template is used unchanged.
class CDialogTemplate {
public:
    // pTemplate must stay valid for as long as Template() is used when there are no OLE items.
    CDialogTemplate(const DLGTEMPLATE* pTemplate, std::size_t cbTemplate);

    const std::vector<OleControlItem>& OleItems() const { return m_oleItems; }
    // The template to create the dialog from: the original when it has no ActiveX item.
    const DLGTEMPLATE* Template() const;

private:
    const DLGTEMPLATE* m_pOriginal;
    std::vector<DWORD>
        m_stripped; // DWORD storage keeps the copy aligned as the dialog manager needs
    std::vector<OleControlItem> m_oleItems;
};

// The control's persisted state from a dialog's initialisation data (resource type 240): the
// bytes of the record of kind 0x0376 for control nID, or nothing.
struct DlgInitRecord {
    const BYTE* pData = nullptr;
    DWORD cbData = 0;
};
DlgInitRecord FindDlgInitStream(const BYTE* pDlgInit, std::size_t cbDlgInit, int nID);
