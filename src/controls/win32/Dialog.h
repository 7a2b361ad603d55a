#pragma once
#include <windows.h>

#include <cstddef>

#include "platform/win32/BoundWindow.h"

class IHelpOpener;

// A dialog box made from a template in the program's resources, bound to
// this object as every window of the program is. The base does the
// routine: IDOK, IDCANCEL and IDHELP go to OnOk, OnCancel and OnHelp, and
// F1 (WM_HELP) to OnHelp, which opens the dialog's help topic; its
// controls' notifications are reflected to their objects. The object
// outlives its window.
//
// How it runs is the runner's choice: modally over its owner (the
// program), or modelessly so that a test drives it through its messages.
class TDialog : public TBoundWindow {
public:
    // `help`, when given, opens the topics of HelpContext(); it must
    // outlive the dialog.
    explicit TDialog(int templateId, const IHelpOpener* help = nullptr) : TemplateId(templateId), Help(help) {}
    ~TDialog() override;

    int Template() const { return TemplateId; }
    // Ends the dialog with a result (IDOK, IDCANCEL...), however it runs.
    void Close(INT_PTR result);
    INT_PTR Result() const { return ModalResult; }

    // Shows the dialog over `owner` until it closes; how it closed.
    INT_PTR RunModal(HWND owner);
    // Creates the dialog without a loop of its own; false when it could not
    // be made. The window goes with Close or with this object.
    bool CreateModeless(HWND owner);

protected:
    // WM_INITDIALOG; return false when the focus was set here.
    virtual bool OnInitDialog() { return true; }
    // The routine buttons (and Enter, Esc and F1). By default OK and Cancel
    // close the dialog with their own result, and Help opens the topic.
    virtual void OnOk() { Close(IDOK); }
    virtual void OnCancel() { Close(IDCANCEL); }
    virtual void OnHelp();
    // The topic of OnHelp; 0 for none.
    virtual int HelpContext() const { return 0; }
    // WM_DPICHANGED (the dialog moved to a screen of another scaling), with
    // the suggested window rectangle. True when the dialog scaled itself
    // (controls, fonts and size), so that the dialog manager's own scaling,
    // which leaves fonts made in code as they are, does not run as well.
    virtual bool OnDpiChanged(int /*dpi*/, LPARAM /*suggestedRect*/) { return false; }
    // WM_COMMAND of the dialog's own controls; return true when handled.
    // What is not handled here goes on to the routine buttons.
    virtual bool OnCommand(int /*id*/, int /*notifyCode*/, HWND /*control*/) { return false; }
    // Every other message; return true when handled (the result goes to
    // DWLP_MSGRESULT through `result`).
    virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, INT_PTR& /*result*/) {
        return false;
    }

    HWND Item(int id) const { return GetDlgItem(Window, id); }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool RoutineCommand(int id);

    int TemplateId;
    const IHelpOpener* Help;
    bool Modeless = false;
    INT_PTR ModalResult = IDCANCEL;
};

// A row of a dialog's command table: a control, one of its notifications
// and the member that answers it.
template <typename TBox>
struct TCommandRoute {
    int Id;
    int NotifyCode;
    void (TBox::*Action)();
};

// For a dialog's OnCommand: runs the member of the row that matches, and
// says whether the control is in the table at all (its other notifications
// are then ignored).
template <typename TBox, size_t N>
bool RouteCommand(TBox& box, const TCommandRoute<TBox> (&routes)[N], int id, int notifyCode) {
    bool known = false;
    for (const TCommandRoute<TBox>& route : routes) {
        if (route.Id != id) continue;
        known = true;
        if (route.NotifyCode == notifyCode) (box.*route.Action)();
    }
    return known;
}

// Sizes a dialog so that its client area is width x height pixels,
// whatever its frame's metrics; the position stays.
void SetDialogClientSize(HWND dialog, int width, int height);

// Runs dialogs modally. The program shows them to the user; tests use a
// runner that drives them through their messages instead.
class IModalRunner {
public:
    virtual ~IModalRunner() = default;
    virtual INT_PTR Run(TDialog& dialog, HWND owner) = 0;
};

class TSystemModalRunner : public IModalRunner {
public:
    INT_PTR Run(TDialog& dialog, HWND owner) override { return dialog.RunModal(owner); }
};
