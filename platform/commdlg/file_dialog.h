// The open/save file dialog: its state while it runs and the standard controls' layout.
#pragma once

#include "platform/commdlg/commdlg.h"
#include "platform/commdlg/file_folder.h"

#include <string>
#include <vector>

namespace platform::commdlg {

// Id of the "up one folder" button.
constexpr int kUpButton = 0x04A0;
// Client size of the standard part; a hook's template area goes below it.
constexpr int kStandardWidth = 480;
constexpr int kStandardHeight = 292;

// Registers (once) the dialog templates and returns the name of the standard one.
const char* standardTemplateName(bool save);
// The hook's template made a child placed under the standard part, under a private name;
// null when the named template does not exist.
const char* hookTemplateName(LPCSTR callerTemplate);

class FileDialog {
public:
    FileDialog(OPENFILENAMEA& ofn, bool save);
    // Runs the dialog; TRUE with the chosen name stored, FALSE on cancel or error (see error()).
    BOOL run();
    DWORD error() const { return m_error; }

    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void init(HWND dialog);
    bool createHook();
    void refresh();
    bool navigate(const std::string& folder);
    void onCommand(int id, int code);
    void onListSelect();
    void onListOpen();
    void onTypeChange();
    void onOk();
    bool accept(const std::string& path);
    LRESULT notify(UINT code);
    LRESULT answerCdm(UINT message, WPARAM wParam, LPARAM lParam);
    std::string editText() const;
    std::string currentPath() const;
    std::vector<std::string> patterns() const;
    int message(const std::string& text, UINT style) const;
    void setDefaultExtension(const std::string& extension);

    OPENFILENAMEA& m_ofn;
    bool m_save;
    std::vector<Filter> m_filters;
    int m_filter = 0;
    std::string m_folder;
    std::string m_defaultExtension;
    std::string m_typedPattern;
    std::vector<FolderEntry> m_entries;
    HWND m_dialog = nullptr;
    HWND m_hook = nullptr;
    DWORD m_error = 0;
};

} // namespace platform::commdlg
