#pragma once
#include <windows.h>

// A dialog box made from a template in the program's resources. Derived
// classes react to its messages; the object outlives its window.
class TDialog {
public:
    explicit TDialog(int templateId) : TemplateId(templateId) {}
    virtual ~TDialog();
    TDialog(const TDialog&) = delete;
    TDialog& operator=(const TDialog&) = delete;

    HWND Handle() const { return Window; }
    int Template() const { return TemplateId; }
    // Ends the dialog with a result (IDOK, IDCANCEL...), modal or not.
    void Close(INT_PTR result);
    INT_PTR Result() const { return ModalResult; }

    // For the runners below: the dialog procedure and how the dialog runs.
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void SetModeless(bool modeless) { Modeless = modeless; }

protected:
    // WM_INITDIALOG; return false when the focus was set here.
    virtual bool OnInitDialog() { return true; }
    // WM_COMMAND; return true when handled. IDOK and IDCANCEL close the
    // dialog unless a derived class handles them.
    virtual bool OnCommand(int id, int notifyCode, HWND control);
    // Every other message; return true when handled (the result goes to
    // DWLP_MSGRESULT through `result`).
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

    HWND Item(int id) const { return GetDlgItem(Window, id); }

private:
    int TemplateId;
    HWND Window = nullptr;
    bool Modeless = false;
    INT_PTR ModalResult = IDCANCEL;
};

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
    INT_PTR Run(TDialog& dialog, HWND owner) override;
};
