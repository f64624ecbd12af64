// The game selection dialog: construction, its messages and commands, browsing and accepting.
#include "dialogs/game_select_dialog.h"

#include "dialogs/folder_browse.h"
#include "dialogs/game_select_ids.h"
#include "dialogs/map_info_strip.h"
#include "dialogs/map_thumbnail.h"
#include "lib/window_services.h"
#include "state/data_path.h"
#include "state/game_settings.h"
#include "state/game_state.h"
#include "state/sound_codes.h"
#include "ui/dialog_templates.h"
#include "ui/main_window_services.h"
#include "ui/presentation.h"
#include "ui/save_folder.h"

GameSelectDialog::GameSelectDialog(const WindowContext& context, swCWindow* owner, uint8_t networkGame,
    uint8_t resumeMode, int32_t matchKind, uint32_t category)
    : KitWindow(dialog_template::kGameSelect, owner, false)
    , m_state(context.game)
    , m_main(context.main)
    , m_look(context.look)
{
    registerGameDialogTemplates();
    m_mode.resume = resumeMode == 1;
    m_mode.networkGame = networkGame;
    m_mode.matchKind = matchKind;
    m_mode.category = m_state.isSimpleMode() || category > kCategoryCampaign ? uint32_t(kCategoryScenario) : category;
    if (m_mode.resume)
        m_folder = gameSaveFolder();
    else
        makeNamedValue("NewGamePath").profileReadString(m_folder, dataPath("", kFolderMap).c_str());
}

GameSelectDialog::~GameSelectDialog() = default;

int GameSelectDialog::OnMessage(MessageRecord& msg)
{
    if (msg.message != WM_CONTROL_SETFOCUS)
        return KitWindow::OnMessage(msg);
    // The entry that took the focus is previewed now, after its focus change has settled.
    for (MapInfoStrip* strip : m_entries) {
        if (strip && reinterpret_cast<LPARAM>(static_cast<swCControl*>(strip)) == msg.lParam) {
            keepTabStopOn(strip->handle());
            char name[MAX_PATH] = {};
            GetWindowTextA(strip->handle(), name, sizeof name);
            selectFile(name);
            return 1;
        }
    }
    return 0;
}

// The close box and the right button's release cancel.
const ui::WindowDescription& GameSelectDialog::description() const
{
    static constexpr ui::WindowDescription kDescription { .closeOnRightRelease = true };
    return kDescription;
}

// The page's entries are one stop of the Tab walk, as a list is: Tab comes back to the entry
// last chosen, and the arrows move between the entries.
void GameSelectDialog::keepTabStopOn(HWND entry)
{
    for (MapInfoStrip* strip : m_entries) {
        if (!strip)
            continue;
        const LONG_PTR style = GetWindowLongPtrA(strip->handle(), GWL_STYLE);
        SetWindowLongPtrA(strip->handle(), GWL_STYLE, strip->handle() == entry ? style | WS_TABSTOP : style & ~LONG_PTR(WS_TABSTOP));
    }
}

int GameSelectDialog::OnCommand(MessageRecord&, UINT control, UINT code)
{
    if (control >= game_select_id::kFirstEntry && control <= game_select_id::kLastEntry) {
        // A click previews nothing new: the entry was previewed when it took the focus.
        if (code == BN_DOUBLECLICKED && startEnabled())
            accept();
        return 1;
    }
    switch (control) {
    case IDOK:
        if (startEnabled())
            accept();
        return 1;
    case game_select_id::kStart:
        accept();
        return 1;
    case IDCANCEL:
    case game_select_id::kCancel:
        end(0);
        return 1;
    case game_select_id::kCategoryMap:
    case game_select_id::kCategoryScenario:
    case game_select_id::kCategoryCampaign:
        if (code == BN_CLICKED && IsDlgButtonChecked(handle(), int(control)) == BST_CHECKED)
            chooseCategory(control == game_select_id::kCategoryMap ? kCategoryMap
                    : control == game_select_id::kCategoryScenario                ? kCategoryScenario
                                                                      : kCategoryCampaign);
        return 1;
    case game_select_id::kImageView:
    case game_select_id::kBuildingsView:
        if (code == BN_CLICKED && IsDlgButtonChecked(handle(), int(control)) == BST_CHECKED && m_thumbnail) {
            m_thumbnail->viewMode = control == game_select_id::kImageView ? 0 : 1;
            m_thumbnail->render();
            InvalidateRect(m_thumbnail->handle(), nullptr, TRUE);
        }
        return 1;
    case game_select_id::kSaveList:
        if (code == LBN_SELCHANGE) {
            const LRESULT row = SendDlgItemMessageA(handle(), int(control), LB_GETCURSEL, 0, 0);
            char name[MAX_PATH] = {};
            if (row >= 0 && SendDlgItemMessageA(handle(), int(control), LB_GETTEXTLEN, WPARAM(row), 0) < LRESULT(sizeof name)) {
                SendDlgItemMessageA(handle(), int(control), LB_GETTEXT, WPARAM(row), reinterpret_cast<LPARAM>(name));
                selectFile(name);
            }
        } else if (code == LBN_DBLCLK && startEnabled()) {
            accept();
        }
        return 1;
    case game_select_id::kBrowse:
        browseFolder();
        return 1;
    case game_select_id::kPreviousPage:
    case game_select_id::kNextPage:
        turnPage(control == game_select_id::kPreviousPage ? -1 : 1);
        return 1;
    default:
        return 0;
    }
}

void GameSelectDialog::chooseCategory(uint32_t category)
{
    m_mode.category = category;
    m_page = 0;
    refill();
    clearPreview();
}

void GameSelectDialog::turnPage(int step)
{
    const int next = m_page + step;
    if (next < 0 || next >= pageCount())
        return;
    m_page = next;
    if (m_state.settings().playSe)
        m_main.playSound(sound_slot::kPageButton);
    fillPage();
    updatePageButtons();
}

void GameSelectDialog::browseFolder()
{
    const std::optional<std::string> chosen = browseForGameFolder(handle(), m_look.font(kSmallFont).handle(), m_folder);
    if (!chosen)
        return;
    if (*chosen != m_folder) {
        m_folder = *chosen;
        m_page = 0;
    }
    refill();
    clearPreview();
}

void GameSelectDialog::refill()
{
    if (m_mode.resume) {
        fillSaveList();
        return;
    }
    fillPage();
    updatePageButtons();
}

void GameSelectDialog::accept()
{
    if (!(m_mode.resume && m_mode.matchKind == 1)) {
        const char* key = !m_mode.resume ? "NewGamePath" : m_mode.networkGame == 1 ? "NetworkSaveGamePath" : "SaveGamePath";
        makeNamedValue(key).profileWriteString(m_folder.c_str());
    }
    end(1);
}

bool GameSelectDialog::startEnabled() const
{
    HWND start = GetDlgItem(handle(), int(game_select_id::kStart));
    return start && IsWindowEnabled(start);
}

void GameSelectDialog::end(int result)
{
    setResult(result);
    Destroy();
}
