// swCProfileKey: one setting (section and key) of the ini file beside the program.
#pragma once

#include "platform/kernel/windef.h"

#include <string>
#include <utility>
#include <vector>

// The program's path with the text after the file name's last '.' replaced by "ini".
std::string profilePath();

// What start-up finds at the ini path. A file that cannot be read, or whose text is not ini lines,
// is left as it is: the run goes on with the defaults (profileUseDefaults) after one warning.
struct ProfileCheck {
    enum class State { Missing, Usable, Unreadable, Invalid };
    State state = State::Missing;
    // Invalid: the first line that is not blank, a comment, a [section] or a key=value entry.
    int line = 0;
    // Unreadable: a folder stands at the path.
    bool folder = false;

    bool usable() const { return state == State::Missing || state == State::Usable; }
};
ProfileCheck checkProfile();
// From now on every read gives its default and every write is dropped (true), or both go to the
// file again (false).
void profileUseDefaults(bool defaults_only);
bool profileUsesDefaults();
// A write that did not reach the ini file: the first of a run is told in one warning box, the
// others are not. A new run starts with profileForgetWriteFailure.
void profileWriteFailed();
void profileForgetWriteFailure();

// Writes several keys of one section in a single rewrite of the ini file (dropped as every write is
// while the defaults are in use; a failed write is told by profileWriteFailed).
void profileWriteValues(const char* section, const std::vector<std::pair<std::string, std::string>>& values);

class swCProfileKey {
public:
    swCProfileKey(const char* section, const char* key)
        : m_section(section)
        , m_key(key)
    {
    }

    // Every call goes to the file; nothing is cached. A missing file or key gives the default
    // and a failed write is told by profileWriteFailed.
    void profileWriteString(const char* value) const;
    DWORD profileReadStringBuffer(const char* fallback, char* buffer, DWORD size) const;
    // The stored text (at most 1023 bytes), or fallback when the key is missing.
    void profileReadString(std::string& text, const char* fallback = "") const;
    void profileWriteInt(int value) const;
    int profileReadInt(int fallback) const;
    // True only for a stored 1.
    bool profileReadBool(bool fallback) const;
    void profileWriteBool(bool value) const;
    // True only for the stored text "TRUE", exactly.
    bool profileIsTrue() const;

    const char* section() const { return m_section; }
    const char* key() const { return m_key; }

private:
    const char* m_section;
    const char* m_key;
};
