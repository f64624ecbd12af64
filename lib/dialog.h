// swCDialog: a window shown from a dialog template, modal or modeless, handled by the shared
// dialog procedure commonDialogProc.
#pragma once

#include "lib/window.h"

class swCDialog;

// A control the dialog binds to a template item when the item has no object yet.
struct DialogControlEntry {
    swCWindow* (*creator)(swCDialog* dialog, int id);
    int id;
};

class swCDialog : public swCWindow {
public:
    // A table, when given, ends with an entry whose creator is null.
    explicit swCDialog(UINT templateId, swCWindow* parent = nullptr, const DialogControlEntry* controlTable = nullptr);
    // Takes the binding away; the dialog's procedure was never replaced.
    ~swCDialog() override;

    // IDOK saves the data (DataExchange(1)), sets result 1 and calls Destroy; IDCANCEL sets
    // result 0 and calls Destroy.
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;
    // Slot 6: runs after the controls are bound; nonzero lets the dialog manager set the focus.
    virtual int OnInitDialog();
    // Slot 7: save 0 loads the controls from the data, save 1 stores them back.
    virtual int DataExchange(int save);

    // Modal: returns when the dialog has ended; the result field holds EndDialog's value.
    // False when the template could not be shown.
    BOOL CreateModal();
    BOOL CreateModeless();
    BOOL DestroyModal();

    // The WM_INITDIALOG work; returns what the dialog procedure returns for it.
    int initDialog();
    void dialogBindControls(bool load);

    UINT templateId() const { return m_templateId; }
    INT_PTR result() const { return m_result; }
    void setResult(INT_PTR result) { m_result = result; }
    bool dataSaved() const { return m_dataSaved; }
    int firstFocusId() const { return m_firstFocusId; }

protected:
    bool m_dataSaved = false;
    const DialogControlEntry* m_controlTable = nullptr;
    UINT m_templateId = 0;
    INT_PTR m_result = 0;
    int m_firstFocusId = 0;
};

INT_PTR CALLBACK commonDialogProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
