// The save dialog's hook: the preview panel in the template area and the preview of a highlighted
// saved game.
#include "dialogs/game_file_dialog.h"

#include "dialogs/map_facility_table.h"
#include "dialogs/map_preview_fields.h"
#include "dialogs/map_thumbnail.h"
#include "lib/file.h"
#include "lib/handle_window.h"
#include "platform/commdlg/commdlg.h"
#include "state/game_state.h"
#include "ui/window_kit.h"
#include "ui/presentation.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr int kPanelWidth = 510;
constexpr int kPanelHeight = 170;

enum PanelId : UINT {
    kMapName = 1000,
    kThumbnail = 1001,
    kImageView = 1002,
    kBuildingsView = 1003,
    kTurnLimitLabel = 1004,
    kTurnLimit = 1005,
    kDifficultyLabel = 1006,
    kDifficulty = 1007,
    kSizeLabel = 1008,
    kFacilities = 1009,
    kViewLabel = 1010,
    kFileInfoLabel = 1011,
    kBuildingsLabel = 1012,
    kSavedGameData = 1013,
};

using ui::cp;

HWND addControl(HWND hook, HFONT font, const char* className, UINT id, DWORD style, const char* utf8Text, RECT frame,
    DWORD exStyle = 0)
{
    HWND control = CreateWindowExA(exStyle, className, cp(utf8Text).c_str(), WS_CHILD | WS_VISIBLE | style, frame.left,
        frame.top, frame.right, frame.bottom, hook, reinterpret_cast<HMENU>(UINT_PTR(id)), nullptr, nullptr);
    if (control)
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

// A name of this mode's map or saved-game files: a three-letter extension starting "vt" or "wq"
// ("sm" or "wr" in simple mode), in either case.
bool hasPreviewExtension(const std::string& path, bool simple)
{
    if (path.size() < 4 || path[path.size() - 4] != '.')
        return false;
    std::string two = path.substr(path.size() - 3, 2);
    std::transform(two.begin(), two.end(), two.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return simple ? (two == "sm" || two == "wr") : (two == "vt" || two == "wq");
}

} // namespace

void GameFileDialog::createPanel(HWND hook)
{
    SetWindowPos(hook, nullptr, 0, 0, kPanelWidth, kPanelHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The common dialog is fitted around the template area afterwards; here it only gets wide enough.
    HWND dialog = GetParent(hook);
    RECT client {};
    RECT outer {};
    GetClientRect(dialog, &client);
    GetWindowRect(dialog, &outer);
    if (client.right < kPanelWidth)
        SetWindowPos(dialog, nullptr, 0, 0, (outer.right - outer.left) + kPanelWidth - client.right, outer.bottom - outer.top,
            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    const HFONT font = m_look.font(kSmallFont).handle();
    addControl(hook, font, "Static", kMapName, SS_LEFT, "マップ名：", { 8, 0, 300, 12 });
    addControl(hook, font, "Static", kViewLabel, SS_RIGHT, "表示切替：", { 157, 16, 60, 12 });
    HWND image = addControl(hook, font, "Button", kImageView, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, "ｲﾒｰｼﾞ", { 217, 16, 48, 12 });
    SendMessageA(image, BM_SETCHECK, BST_CHECKED, 0);
    addControl(hook, font, "Button", kBuildingsView, BS_AUTORADIOBUTTON, "建物", { 217, 31, 48, 12 });
    addControl(hook, font, "Static", kDifficultyLabel, SS_RIGHT, "難易度：", { 157, 46, 60, 12 });
    addControl(hook, font, "Static", kDifficulty, SS_LEFT, "", { 217, 46, 60, 12 });
    addControl(hook, font, "Static", kTurnLimitLabel, SS_RIGHT, "ﾀｰﾝ制限：", { 157, 60, 60, 12 });
    addControl(hook, font, "Static", kTurnLimit, SS_LEFT, "", { 217, 60, 60, 12 });
    addControl(hook, font, "Static", kFileInfoLabel, SS_LEFT, "ファイル情報：", { 157, 94, 84, 12 });
    addControl(hook, font, "Edit", kSavedGameData, ES_MULTILINE | ES_READONLY | WS_BORDER | WS_TABSTOP, "", { 157, 108, 103, 52 });
    addControl(hook, font, "Static", kSizeLabel, SS_LEFT, "サイズ：", { 293, 16, 96, 12 });
    addControl(hook, font, "Static", kBuildingsLabel, SS_LEFT, "建物数：", { 293, 40, 48, 12 });

    // The owner-drawn controls need a library window as parent while they are made.
    swCHandleWindow parent(hook);
    m_thumbnail.reset(::new MapThumbnail(&parent, m_game, m_look, kThumbnail, 8, 16));
    m_facilities.reset(::new MapFacilityTable(&parent, m_game, m_look, kFacilities, 293, 54));
    m_thumbnail->header = &m_preview.header;
    m_thumbnail->cells = m_preview.cells.get();
    m_facilities->header = &m_preview.header;
    m_facilities->cells = m_preview.cells.get();
}

void GameFileDialog::repaintPicture(HWND)
{
    m_thumbnail->render();
    InvalidateRect(m_thumbnail->handle(), nullptr, TRUE);
    InvalidateRect(m_facilities->handle(), nullptr, TRUE);
}

void GameFileDialog::clearPanel(HWND hook)
{
    SetDlgItemTextA(hook, kMapName, cp("マップ名：").c_str());
    SetDlgItemTextA(hook, kTurnLimit, "");
    SetDlgItemTextA(hook, kDifficulty, "");
    SetDlgItemTextA(hook, kSizeLabel, cp("サイズ：").c_str());
    SetDlgItemTextA(hook, kSavedGameData, "");
    m_thumbnail->ready = 0;
    m_thumbnail->clear();
    m_facilities->clearCells();
    InvalidateRect(m_thumbnail->handle(), nullptr, TRUE);
    InvalidateRect(m_facilities->handle(), nullptr, TRUE);
}

void GameFileDialog::showSavedGameInfo(HWND hook, const std::string& path)
{
    m_preview.clearMap();
    m_preview.turn = {};
    if (!readSavedGamePreview(path, m_preview)) {
        clearPanel(hook);
        return;
    }
    SetDlgItemTextA(hook, kMapName, (cp("マップ名：") + std::string(mapName(m_preview.header))).c_str());
    SetDlgItemTextA(hook, kSavedGameData, savedGameDataText(path, m_preview.turn).c_str());
    SetDlgItemTextA(hook, kDifficulty, starRatingText(m_preview.header.difficulty));
    SetDlgItemTextA(hook, kTurnLimit, std::to_string(m_preview.header.turnLimit).c_str());
    SetDlgItemTextA(hook, kSizeLabel, (cp("サイズ：") + mapSizeFigure(m_preview.header)).c_str());
    m_thumbnail->ready = 1;
    m_facilities->refresh();
    repaintPicture(hook);
}

UINT_PTR CALLBACK gameFileDialogHook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam)
{
    GameFileDialog* dialog = GameFileDialog::active();
    if (!dialog)
        return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        dialog->createPanel(hook);
        return TRUE;
    case WM_COMMAND: {
        const UINT id = LOWORD(wParam);
        if ((id == kImageView || id == kBuildingsView) && HIWORD(wParam) == BN_CLICKED && dialog->m_thumbnail) {
            dialog->m_thumbnail->viewMode = id == kImageView ? 0 : 1;
            dialog->m_thumbnail->render();
            InvalidateRect(dialog->m_thumbnail->handle(), nullptr, TRUE);
            return TRUE;
        }
        return FALSE;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item->CtlID == kThumbnail && dialog->m_thumbnail)
            dialog->m_thumbnail->DrawItem(item);
        else if (item->CtlID == kFacilities && dialog->m_facilities)
            dialog->m_facilities->DrawItem(item);
        else
            return FALSE;
        return TRUE;
    }
    case WM_NOTIFY: {
        const auto* notice = reinterpret_cast<const OFNOTIFYA*>(lParam);
        if (!notice || notice->hdr.code != CDN_SELCHANGE || !dialog->m_thumbnail)
            return FALSE;
        char path[MAX_PATH] = {};
        SendMessageA(GetParent(hook), CDM_GETFILEPATH, sizeof path, reinterpret_cast<LPARAM>(path));
        const std::string chosen = path;
        if (!fileExists(path) || !hasPreviewExtension(chosen, dialog->m_game.isSimpleMode()))
            dialog->clearPanel(hook);
        else
            dialog->showSavedGameInfo(hook, chosen);
        return FALSE;
    }
    default:
        return FALSE;
    }
}
