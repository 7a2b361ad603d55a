#pragma once
#include <functional>

#include "controls/win32/Dialog.h"

// Runs a dialog without a modal loop: creates it modeless, lets the test act
// on it through its messages, and closes it with Cancel when the test left
// it open. Nothing ever waits for a user.
class TScriptedModalRunner : public IModalRunner {
public:
    std::function<void(TDialog& dialog)> Script;
    int Runs = 0;

    INT_PTR Run(TDialog& dialog, HWND owner) override {
        ++Runs;
        if (!dialog.CreateModeless(owner)) return -1;
        if (Script) Script(dialog);
        if (dialog.Handle()) dialog.Close(IDCANCEL);
        return dialog.Result();
    }
};
