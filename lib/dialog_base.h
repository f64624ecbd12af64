// The game's dialog bases: DialogBase, modal or modeless by a flag, and ModelessDialogBase.
// Modeless dialogs are on the application's modeless list, which gives them keyboard
// navigation in the message loop.
#pragma once

#include "lib/dialog.h"

class DialogBase : public swCDialog {
public:
    // A modeless dialog joins the modeless list at once and stays on it until destruction.
    DialogBase(UINT templateId, swCWindow* parent, bool modeless, const DialogControlEntry* controlTable = nullptr);
    ~DialogBase() override;

    BOOL Destroy() override { return close(); }
    BOOL Create() override { return run(); }

    // Modal: returns when the dialog has ended. Modeless: returns once the window exists.
    BOOL run();
    // DestroyWindow when modeless, EndDialog with the result when modal.
    BOOL close();
    bool modeless() const { return m_modeless; }

private:
    bool m_modeless = false;
};

// Always modeless; derived classes put themselves on the modeless list in their constructors.
class ModelessDialogBase : public swCDialog {
public:
    explicit ModelessDialogBase(UINT templateId, swCWindow* parent = nullptr,
        const DialogControlEntry* controlTable = nullptr);
    ~ModelessDialogBase() override;

    BOOL Destroy() override;
    BOOL Create() override { return CreateModeless(); }
};
