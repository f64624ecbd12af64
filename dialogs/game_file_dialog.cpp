// The save dialog with preview: its settings, the overwrite question and the chosen path.
#include "dialogs/game_file_dialog.h"

#include "dialogs/map_facility_table.h"
#include "dialogs/map_thumbnail.h"
#include "lib/application.h"
#include "platform/commdlg/commdlg.h"
#include "state/game_state.h"
#include "ui/dialog_templates.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"

#include <algorithm>
#include <cstdio>

namespace {

GameFileDialog* g_active = nullptr;

using ui::cp;

// One entry: the display text, a zero byte, the pattern, a zero byte.
std::string saveFilter(const std::string& mode_word, const std::string& extension)
{
    std::string filter = "Tarvosk" + mode_word + "(*." + extension + ")";
    filter += '\0';
    filter += "*." + extension;
    filter += '\0';
    return filter;
}

} // namespace

GameFileDialog::GameFileDialog(const WindowContext& context, swCWindow* owner)
    : m_game(context.game)
    , m_look(context.look)
    , m_owner(owner ? owner->handle() : nullptr)
{
    g_active = this;
}

GameFileDialog::~GameFileDialog()
{
    if (g_active == this)
        g_active = nullptr;
}

GameFileDialog* GameFileDialog::active() { return g_active; }

int GameFileDialog::runSaveDialog(const std::string& initial_folder, uint8_t network, const std::string& initial_name, int game_kind)
{
    registerGameDialogTemplates();
    const bool simple = m_game.isSimpleMode();
    const std::string extension = network == 1 ? "p2n" : m_game.fileExtension(game_kind);
    const std::string filter = saveFilter(network == 1 || !simple ? "" : cp("ｼﾝﾌﾟﾙﾓｰﾄﾞ"), extension);
    const std::string title = cp(network == 1 ? "ﾈｯﾄﾜｰｸｹﾞｰﾑを保存" : "名前を付けてｹﾞｰﾑを保存");

    char file[MAX_PATH] = {};
    initial_name.copy(file, sizeof file - 1);
    OPENFILENAMEA ofn {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_owner;
    ofn.hInstance = theApplication().instance();
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = initial_folder.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = extension.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_PATHMUSTEXIST | OFN_NOTESTFILECREATE
        | OFN_HIDEREADONLY;
    ofn.lpfnHook = gameFileDialogHook;
    ofn.lpTemplateName = MAKEINTRESOURCEA(dialog_template::kSaveDialogPreview);
    if (!GetSaveFileNameA(&ofn))
        return 0;

    const std::string path = file;
    if (!mayWriteOver(m_owner, path))
        return 0;
    m_chosenPath = path;
    m_chosenFolder = path.substr(0, std::min<size_t>(ofn.nFileOffset, path.size()));
    return 1;
}
