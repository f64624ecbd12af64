// GameFileDialog: the common save dialog with a preview panel that shows the highlighted saved game's
// map name, difficulty, turn limit, saved-game data, thumbnail and facility table, and that asks
// before overwriting a file.
#pragma once

#include "dialogs/game_preview.h"
#include "platform/windows.h"
#include "ui/window_context.h"
#include "ui/window_services.h"

#include <memory>
#include <string>

class GameState;
class MapFacilityTable;
class MapThumbnail;
class swCWindow;

class GameFileDialog {
public:
    // The game's modal-idle flag is cleared while the object lives; the owner (may be null) owns the
    // common dialog.
    GameFileDialog(const WindowContext& context, swCWindow* owner);
    ~GameFileDialog();
    GameFileDialog(const GameFileDialog&) = delete;
    GameFileDialog& operator=(const GameFileDialog&) = delete;

    // Runs the save dialog over the saved games of the running game's kind (1 campaign, 2 scenario,
    // other map); a network game lists "*.p2n". 1 with the chosen path and folder, 0 on cancel or
    // when the person would not overwrite an existing file.
    int runSaveDialog(const std::string& initial_folder, uint8_t network, const std::string& initial_name, int game_kind);

    const std::string& chosenPath() const { return m_chosenPath; }
    // The chosen path up to its file name, with the trailing "\".
    const std::string& chosenFolder() const { return m_chosenFolder; }

    // The preview panel of the open dialog (null while none is open).
    static GameFileDialog* active();
    MapThumbnail* thumbnail() const { return m_thumbnail.get(); }
    MapFacilityTable* facilityTable() const { return m_facilities.get(); }
    const PreviewBuffers& preview() const { return m_preview; }

private:
    friend UINT_PTR CALLBACK gameFileDialogHook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam);
    void createPanel(HWND hook);
    void showSavedGameInfo(HWND hook, const std::string& path);
    void clearPanel(HWND hook);
    void repaintPicture(HWND hook);

    const GameState& m_game;
    const Presentation& m_look;
    HWND m_owner;
    ModalIdleOff m_idle;
    PreviewBuffers m_preview;
    std::unique_ptr<MapThumbnail> m_thumbnail;
    std::unique_ptr<MapFacilityTable> m_facilities;
    std::string m_chosenPath;
    std::string m_chosenFolder;
};

// The hook of the save dialog: fills the template area with the panel and previews on a selection.
UINT_PTR CALLBACK gameFileDialogHook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam);
