// Line-end conversion, raising the main window, and the music file of an event.
#include "state/small_utilities.h"

#include "lib/application.h"
#include "platform/kernel/host.h"
#include "state/data_path.h"
#include "state/game_state.h"

std::string convertLfToCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (size_t i = 0; i < text.size() && text[i] != 0; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (platform::isCp932LeadByte(c) && i + 1 < text.size() && text[i + 1] != 0) {
            out += text[i];
            out += text[++i];
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += "\r\n";
            ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

bool bringWindowToFront(HWND window)
{
    // The desktop's foreground is shared by every thread here, so no input attach is needed
    // before the call; a window that is gone answers 0 and nothing happens.
    if (!window || GetWindowThreadProcessId(window, nullptr) == 0)
        return false;
    return SetForegroundWindow(window) != FALSE;
}

bool bringMainWindowToFront()
{
    return bringWindowToFront(theApplication().mainWindowHandle());
}

std::string GameState::bgmFilePath(int code) const
{
    const char* fixed = "START.wav";
    switch (code) {
    case 9: fixed = "VICTORY.wav"; break;
    case 10: fixed = "DEFEAT.wav"; break;
    case 11: fixed = "OPENING.wav"; break;
    case 12: fixed = "ENDING.wav"; break;
    default: break;
    }
    if (code < 1 || code > 8)
        return dataPath(fixed, kFolderWave);
    int anthem = m_countries[size_t(code - 1)].anthemCode;
    std::string name;
    if (anthem >= 50) {
        size_t entry = size_t(anthem - 50);
        // An anthem past the music list has no file: the start tune plays instead.
        if (entry >= m_musicPaths.size())
            return dataPath("START.wav", kFolderWave);
        name = m_musicPaths[entry];
    } else {
        anthemWaveName(anthem, name);
    }
    return dataPath(name.c_str(), kFolderProgram);
}
