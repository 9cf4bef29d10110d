// The login background window: the program's main window and the modal dialog it runs in.
#pragma once

#include "Dialog.h"

class CLoginDlg : public CDialogEx {
public:
    CLoginDlg();

protected:
    void OnOK() override {}
    void OnCancel() override {}
    const MessageMap* GetMessageMap() const override;

    void OnClose();
};
