// GameSelectDialog: the modal dialog through which a person picks the file a game starts from: a map,
// scenario or campaign for a new game (paged title strips), or a saved game to resume (a list), with a
// preview of the file that has the focus. It loads nothing; on OK it answers 1 and the chosen path.
#pragma once

#include "dialogs/game_file_list.h"
#include "dialogs/game_preview.h"
#include "lib/control.h"
#include "lib/dialog_base.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class GameState;
class MapFacilityTable;
class MapInfoStrip;
class MapThumbnail;

class GameSelectDialog : public ui::KitWindow<DialogBase> {
public:
    // networkGame 1 lists network saves; matchKind 1 lists match files and stores no folder; category
    // 0 maps, 1 scenarios, 2 campaigns (always 1 in simple mode).
    GameSelectDialog(const WindowContext& context, swCWindow* owner, uint8_t networkGame, uint8_t resumeMode,
        int32_t matchKind, uint32_t category);
    ~GameSelectDialog() override;

    int OnInitDialog() override;
    int OnMessage(MessageRecord& msg) override;
    const ui::WindowDescription& description() const override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    // The full path of the file last selected, valid after result 1.
    const std::string& chosenPath() const { return m_chosenPath; }
    uint32_t category() const { return m_mode.category; }
    const std::string& folder() const { return m_folder; }
    int page() const { return m_page; }
    bool resumeMode() const { return m_mode.resume; }
    MapInfoStrip* entry(int i) const { return m_entries[size_t(i)]; }
    MapThumbnail* thumbnail() const { return m_thumbnail; }
    MapFacilityTable* facilityTable() const { return m_facilities; }
    const PreviewBuffers& preview() const { return m_preview; }

private:
    // Layout (game_select_dialog_layout.cpp).
    ChildControl* addControl(const char* className, UINT id, DWORD style, const char* utf8Text, const ControlFrame& frame,
        int font, DWORD exStyle = 0);
    void placeWindow();
    void createCategoryButtons();
    void createPreviewControls();
    void createResumeControls();
    void createPageControls();
    int clientWidth() const;

    // Listing and preview (game_select_dialog_preview.cpp).
    std::vector<std::string> listFiles() const;
    int pageCount() const;
    void fillPage();
    void updatePageButtons();
    void fillSaveList();
    void refill();
    void selectFile(const std::string& name);
    void keepTabStopOn(HWND entry);
    void showFileInfo(const std::string& name);
    void clearPreview();
    void setText(UINT id, const std::string& text);

    void chooseCategory(uint32_t category);
    void turnPage(int step);
    void browseFolder();
    void accept();
    bool startEnabled() const;
    void end(int result);

    GameState& m_state;
    MainWindowServices& m_main;
    const Presentation& m_look;
    GameListMode m_mode;
    std::string m_folder;
    std::string m_chosenPath;
    int32_t m_page = 0;
    PreviewBuffers m_preview;

    std::vector<std::unique_ptr<swCWindow>> m_controls;
    MapThumbnail* m_thumbnail = nullptr;
    MapFacilityTable* m_facilities = nullptr;
    std::array<MapInfoStrip*, 14> m_entries {};
};
