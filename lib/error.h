// The error family: library failures thrown as heap objects by pointer (throw new swCFileError(...)),
// caught as swCError*, shown and then deleted by the catcher.
#pragma once

#include "lib/buffer.h"
#include "platform/kernel/windef.h"

class swCError {
public:
    explicit swCError(int code, const char* caption = nullptr);
    // The catcher deletes through this base.
    virtual ~swCError() = default;

    // Shows text in a message box owned by owner (or the main window); returns the box's result.
    // Subclasses ignore text and show their own by code.
    virtual int Show(HWND owner, const char* text = "");

    int code() const { return m_code; }
    const char* caption() const { return m_caption.bufferText(); }

protected:
    // Shows a UTF-8 text of the family's tables, as CP932.
    int showOwnText(HWND owner, const char* utf8_text);

private:
    swCBuffer m_caption;
    int m_code = 0;
};

// Codes: 0 open (caption = file name), 1 read, 2 write, 3 seek, 4 close, 5 size, 6 too large to
// be a file of its kind.
class swCFileError : public swCError {
public:
    using swCError::swCError;
    int Show(HWND owner, const char* text = "") override;
};

// Codes: 0 create, 1 save.
class swCBitmapError : public swCError {
public:
    using swCError::swCError;
    int Show(HWND owner, const char* text = "") override;
};

// Shows the text given by the catcher, as the base does.
class swCDirectDrawError : public swCError {
public:
    using swCError::swCError;
    int Show(HWND owner, const char* text = "") override;
};

// Codes: 0 start-up, others a failure while playing.
class swCDirectSoundError : public swCError {
public:
    using swCError::swCError;
    int Show(HWND owner, const char* text = "") override;
};

// Codes: 0 open, others a failure of an open device.
class swCMCIError : public swCError {
public:
    using swCError::swCError;
    int Show(HWND owner, const char* text = "") override;
};

// The one place that puts up an error's box (CP932 texts; no caption gives the default one).
// Returns the button pressed.
int showErrorBox(HWND owner, const char* text, const char* caption);
