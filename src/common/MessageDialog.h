#pragma once
// The common ground of the installer's fixed-text dialogs: the "%s" texts named at
// construction are filled with their values when the dialog opens, and every push
// button ends the dialog with its own identifier (Esc and the close box with IDCANCEL).
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Dialog.h"

class CMessageDialog : public fw::Dialog {
public:
    // Shows the dialog modally over the given parent, else over the one it was
    // constructed with; returns the identifier of the button that closed it.
    INT_PTR DoModal(HWND parent = nullptr);

protected:
    CMessageDialog(UINT templateId, HWND parent);

    // When the dialog opens, text `id` becomes its template text with "%s" replaced by
    // the value (the value is never read as a format).
    void FillFormat(int id, const std::string& value);
    // When the dialog opens, text `id` becomes the value itself.
    void FillText(int id, const std::string& value);

    // Fills the texts (a text too long for its place makes the dialog taller, so nothing
    // is cut off), puts the focus on the default button and, without an owner, brings
    // the dialog to the foreground.
    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD notifyCode, HWND control) override;
    // A push button was pressed (IDCANCEL also for Esc and the close box). The base ends
    // the dialog with the button's identifier.
    virtual void OnButton(WORD id);

    HWND m_hParent;

private:
    // Lengthens the text control to its whole text, moving the controls below it down;
    // true when the dialog grew.
    bool GrowToFitText(int id);

    struct Fill {
        int id;
        std::string value;
        bool asFormat;
    };
    std::vector<Fill> m_arrFills;
};
