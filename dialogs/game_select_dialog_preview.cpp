// The game selection dialog's listing, pages and preview of the focused file.
#include "dialogs/game_select_dialog.h"

#include "dialogs/game_select_ids.h"
#include "dialogs/map_facility_table.h"
#include "dialogs/map_info_strip.h"
#include "dialogs/map_preview_fields.h"
#include "dialogs/map_thumbnail.h"
#include "state/game_state.h"
#include "state/small_utilities.h"
#include "ui/window_kit.h"

#include <cstdio>

namespace {

using ui::cp;

std::string formatted(const char* utf8Format, std::string_view value)
{
    return cp(utf8Format) + std::string(value);
}

} // namespace

std::vector<std::string> GameSelectDialog::listFiles() const
{
    return listGameFiles(m_folder, gameFilePattern(m_mode, m_state));
}

int GameSelectDialog::pageCount() const
{
    const int files = int(listFiles().size());
    return std::max(1, (files + game_select_id::kEntriesPerPage - 1) / game_select_id::kEntriesPerPage);
}

void GameSelectDialog::setText(UINT control, const std::string& text) { SetDlgItemTextA(handle(), int(control), text.c_str()); }

void GameSelectDialog::fillPage()
{
    const std::vector<std::string> files = listFiles();
    for (int i = 0; i < game_select_id::kEntriesPerPage; ++i) {
        MapInfoStrip* strip = m_entries[size_t(i)];
        if (!strip)
            continue;
        strip->setStyle(0, 0);
        strip->setText("");
        const size_t k = size_t(m_page) * game_select_id::kEntriesPerPage + size_t(i);
        if (k >= files.size()) {
            SetWindowTextA(strip->handle(), "");
            EnableWindow(strip->handle(), FALSE);
        } else {
            SetWindowTextA(strip->handle(), files[k].c_str());
            const std::string path = folderWithSeparator(m_folder) + files[k];
            if (const std::optional<EntryTitle> title = readEntryTitle(path, m_mode.category == kCategoryCampaign)) {
                strip->setStyle(title->style, title->shade);
                strip->setText(title->text);
            }
            EnableWindow(strip->handle(), TRUE);
        }
        strip->render();
        InvalidateRect(strip->handle(), nullptr, FALSE);
    }
    // A new page is entered from its first entry.
    if (m_entries[0])
        keepTabStopOn(m_entries[0]->handle());
}

void GameSelectDialog::updatePageButtons()
{
    const int pages = pageCount();
    EnableWindow(GetDlgItem(handle(), int(game_select_id::kPreviousPage)), m_page >= 1);
    EnableWindow(GetDlgItem(handle(), int(game_select_id::kNextPage)), m_page < pages - 1);
    char text[32];
    std::snprintf(text, sizeof text, "-%d-", m_page + 1);
    setText(game_select_id::kPageNumber, text);
}

void GameSelectDialog::fillSaveList()
{
    HWND list = GetDlgItem(handle(), int(game_select_id::kSaveList));
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& name : listFiles())
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void GameSelectDialog::selectFile(const std::string& name)
{
    m_chosenPath = folderWithSeparator(m_folder) + name;
    m_preview.clearMap();
    bool read = false;
    if (m_mode.resume) {
        m_preview.turn = {};
        m_preview.campaignBlock = {};
        if (m_mode.matchKind == 1)
            return;
        read = readSavedGamePreview(m_chosenPath, m_preview);
    } else if (m_mode.category == kCategoryCampaign) {
        read = readCampaignPreview(m_chosenPath, m_preview);
    } else {
        read = readMapPreview(m_chosenPath, m_preview);
    }
    if (!read) {
        clearPreview();
        return;
    }
    showFileInfo(name);
    if (m_mode.resume && m_preview.campaignBlock.campaignFlag == 1)
        setText(game_select_id::kNameLine, formatted("ｷｬﾝﾍﾟｰﾝ名：", campaignName(m_preview.campaignBlock)));
    EnableWindow(GetDlgItem(handle(), int(game_select_id::kStart)), TRUE);
}

void GameSelectDialog::showFileInfo(const std::string& name)
{
    const MapHeader& header = m_preview.header;
    if (!m_mode.resume)
        setText(game_select_id::kNameLine, formatted("ﾌｧｲﾙ名：", name));
    else
        setText(game_select_id::kNameLine, formatted(m_mode.category == kCategoryScenario ? "ｼﾅﾘｵ名：" : "ﾏｯﾌﾟ名：", mapName(header)));
    setText(game_select_id::kTurnLimit, std::to_string(header.turnLimit));
    setText(game_select_id::kDifficulty, starRatingText(header.difficulty));
    setText(game_select_id::kSize, mapSizeFigure(header));

    m_thumbnail->ready = 1;
    m_thumbnail->render();
    InvalidateRect(m_thumbnail->handle(), nullptr, FALSE);
    m_facilities->refresh();
    InvalidateRect(m_facilities->handle(), nullptr, TRUE);

    std::string text;
    if (m_mode.resume) {
        text = savedGameDataText(m_chosenPath, m_preview.turn);
    } else if (m_mode.category == kCategoryCampaign) {
        char count[64];
        std::snprintf(count, sizeof count, cp("キャンペーン総枚数：%d枚\r\n\r\n").c_str(), int(m_preview.campaign.mapCount));
        text = count;
        text += convertLfToCrLf(scenarioNewspaper(m_preview.scenario)) + "\r\n";
        text += convertLfToCrLf(scenarioHeadline(m_preview.scenario)) + "\r\n";
        text += convertLfToCrLf(scenarioNews(m_preview.scenario));
    } else {
        text = std::string(mapDescription(header));
    }
    setText(game_select_id::kDescription, text);
}

void GameSelectDialog::clearPreview()
{
    setText(game_select_id::kNameLine, cp(m_mode.resume ? "ﾏｯﾌﾟ名：" : "ﾌｧｲﾙ名："));
    m_thumbnail->clear();
    m_thumbnail->ready = 0;
    InvalidateRect(m_thumbnail->handle(), nullptr, FALSE);
    for (UINT control : { game_select_id::kDifficulty, game_select_id::kTurnLimit, game_select_id::kSize, game_select_id::kDescription })
        setText(control, "");
    m_facilities->clearCells();
    InvalidateRect(m_facilities->handle(), nullptr, TRUE);
    EnableWindow(GetDlgItem(handle(), int(game_select_id::kStart)), FALSE);
}
