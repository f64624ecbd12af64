// ProductListWindow's file commands: the weapon-list text, and importing and exporting a slot as a
// user production-type file, with the folder kept as "UserProductPath".
#include "editors/product_list_window.h"

#include "lib/error.h"
#include "lib/file.h"
#include "lib/profile.h"
#include "state/data_path.h"
#include "state/game_settings.h"
#include "state/game_state.h"
#include "state/user_production.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"

#include <optional>

namespace {

constexpr const char* kUserProductPath = "UserProductPath";

using ui::cp;

std::string dataFolder()
{
    std::string folder;
    buildDataPath(folder, "data", kFolderProgram);
    return folder;
}

std::string userProductFolder()
{
    std::string folder;
    makeNamedValue(kUserProductPath).profileReadString(folder, dataFolder().c_str());
    return folder;
}

struct FileQuestion {
    const char* title;       // UTF-8
    const char* filterName;  // UTF-8
    const char* pattern;
    // The extension alone: a name typed without one gets it.
    const char* extension;
    std::string folder;
    std::string proposed;
    bool save = false;
};

struct ChosenFile {
    std::string path;
    // The path up to the file name.
    std::string folder;
};

std::optional<ChosenFile> askForFile(HWND owner, const FileQuestion& question)
{
    const std::string title = cp(question.title);
    std::string filter = cp(question.filterName);
    filter.push_back('\0');
    filter += question.pattern;
    filter.push_back('\0');
    char file[MAX_PATH] = {};
    question.proposed.copy(file, sizeof file - 1);
    OPENFILENAMEA ofn {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = question.folder.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = question.extension;
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
    if (question.save) {
        ofn.Flags |= OFN_PATHMUSTEXIST | OFN_NOTESTFILECREATE;
    } else {
        ofn.Flags |= OFN_ENABLEHOOK;
        ofn.lpfnHook = openFileHookProc;
    }
    if (!(question.save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn)))
        return std::nullopt;
    ChosenFile chosen;
    chosen.path = file;
    chosen.folder = chosen.path.substr(0, std::min<size_t>(ofn.nFileOffset, chosen.path.size()));
    return chosen;
}

} // namespace

void ProductListWindow::exportWeaponText()
{
    const ProductSlotSummary& slot = summary(m_selected);
    const auto chosen = askForFile(handle(),
        { "兵器リストの出力", "ﾃｷｽﾄﾌｧｲﾙ(*.txt)", "*.txt", "txt", dataFolder(), std::string(slot.name) + ".txt", true });
    if (!chosen || !mayWriteOver(handle(), chosen->path))
        return;
    const ProductionTypeRecord* record = m_context.game.productionType(kFirstUserProductionType + m_selected);
    const std::string text = record ? weaponListText(m_context.game, *record) : std::string();
    try {
        swCFile file(chosen->path.c_str(), 1);
        file.fileWrite(text.data(), DWORD(text.size()));
    } catch (swCError* error) {
        delete error;
        modalMessageBox(this, (cp("ファイルに書き込めませんでした。\n") + chosen->path).c_str(), cp("警告").c_str(), MB_OK);
    }
}

void ProductListWindow::importSlot()
{
    if (summary(m_selected).used()
        && modalMessageBox(this, cp("既存の生産タイプに上書きしますか？").c_str(), cp("確認").c_str(), MB_YESNO | MB_DEFBUTTON2) != IDYES)
        return;
    const auto chosen = askForFile(handle(),
        { "ユーザ定義生産タイプ読込", "ユーザ定義生産タイプ(*.upd)", "*.upd", "upd", userProductFolder(), "", false });
    if (!chosen)
        return;
    makeNamedValue(kUserProductPath).profileWriteString(chosen->folder.c_str());
    int imported = 0;
    try {
        imported = importProductionTypeFile(m_context.game, chosen->path.c_str(), kFirstUserProductionType + m_selected);
    } catch (swCError* error) {
        // A file that cannot be read is no production-type file either.
        delete error;
    }
    if (imported == 0) {
        tell("選択されたファイルはユーザ定義生産タイプデータではありません。", "警告");
        return;
    }
    // -1: the importer has told the person which unit types are missing.
    if (imported != 1)
        return;
    runShowingError([&] { m_context.game.saveUserProductTypes(); });
    refreshRow(m_selected);
}

void ProductListWindow::exportSlot()
{
    const auto chosen = askForFile(handle(),
        { "ユーザ定義生産タイプ書出", "ユーザ定義生産タイプ(*.upd)", "*.upd", "upd", userProductFolder(),
            std::string(summary(m_selected).name), true });
    if (!chosen || !mayWriteOver(handle(), chosen->path))
        return;
    makeNamedValue(kUserProductPath).profileWriteString(chosen->folder.c_str());
    runShowingError([&] { exportProductionTypeFile(m_context.game, chosen->path.c_str(), kFirstUserProductionType + m_selected); });
}
