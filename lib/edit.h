// swCEdit: the edit control with allowed and refused characters, typed or pasted.
#pragma once

#include "lib/control.h"
#include "lib/edit_filter.h"

class swCEdit : public swCControl {
public:
    swCEdit(swCWindow* parent, UINT controlId, DWORD style);

    void editSetAllowedChars(const char* text) { m_filter.setAllowed(text); }
    void editSetRefusedChars(const char* text) { m_filter.setRefused(text); }
    const EditCharacterFilter& filter() const { return m_filter; }

    int OnMessage(MessageRecord& msg) override;

private:
    int onChar(MessageRecord& msg);
    void forwardChar(unsigned char byte, LPARAM lParam);
    // Replaces the selection with the clipboard's text less the refused characters.
    void pasteFiltered();

    EditCharacterFilter m_filter;
    // A lead byte waits for its trail byte so that the pair is judged as one character.
    int m_pendingLead = -1;
    LPARAM m_pendingLParam = 0;
};

class EditBox : public swCEdit {
public:
    using swCEdit::swCEdit;
};
