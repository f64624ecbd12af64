// The game selection dialog's window and controls, made in code on an empty frame.
#include "dialogs/game_select_dialog.h"

#include "dialogs/game_select_ids.h"
#include "dialogs/map_facility_table.h"
#include "dialogs/map_info_strip.h"
#include "dialogs/map_thumbnail.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "ui/presentation.h"

namespace {

constexpr int kNewGameWidth = 598;
constexpr int kResumeWidth = 500;
constexpr int kClientHeight = 488;
constexpr int kListClientHeight = 345;
constexpr int kListItemHeight = 15;
constexpr DWORD kPushRadio = BS_AUTORADIOBUTTON | BS_PUSHLIKE;

// The global new: the dialog owns its controls, they do not delete themselves with their windows.
template <class T, class... Args>
T* own(std::vector<std::unique_ptr<swCWindow>>& owner, Args&&... args)
{
    T* control = ::new T(std::forward<Args>(args)...);
    owner.emplace_back(control);
    return control;
}

} // namespace

int GameSelectDialog::clientWidth() const { return m_mode.resume ? kResumeWidth : kNewGameWidth; }

ChildControl* GameSelectDialog::addControl(const char* className, UINT control, DWORD style, const char* utf8Text,
    const ControlFrame& frame, int font, DWORD exStyle)
{
    ChildControl* c = own<ChildControl>(m_controls, className, this, control, style);
    c->setStyle(style | WS_CHILD | WS_VISIBLE, exStyle);
    c->controlCreateTitled(platform::utf8ToCp932(utf8Text).c_str(), frame);
    SendMessageA(c->handle(), WM_SETFONT, reinterpret_cast<WPARAM>(m_look.font(font).handle()), FALSE);
    return c;
}

int GameSelectDialog::OnInitDialog()
{
    placeWindow();
    SetWindowTextA(handle(), platform::utf8ToCp932(m_mode.resume ? "ゲーム再開" : "新規ゲーム").c_str());
    const int w = clientWidth();
    const bool hangUp = m_mode.networkGame == 1 && m_mode.matchKind == 0;
    addControl("Button", game_select_id::kCancel, BS_PUSHBUTTON | WS_TABSTOP, hangUp ? "切断" : "ｷｬﾝｾﾙ", { w - 88, 458, 80, 22 }, kSmallFont);
    createCategoryButtons();
    createPreviewControls();
    if (m_mode.resume)
        createResumeControls();
    else
        createPageControls();
    ChildControl* start = addControl("Button", game_select_id::kStart, BS_PUSHBUTTON | WS_TABSTOP,
        m_mode.resume ? "ｹﾞｰﾑ再開" : "ｹﾞｰﾑ開始", { w - 176, 458, 80, 22 }, kSmallFont);
    EnableWindow(start->handle(), FALSE);
    // Nothing is previewed at first: the focus goes to the list or the category shown, not to an entry.
    const UINT category = m_mode.category == kCategoryMap ? game_select_id::kCategoryMap
        : m_mode.category == kCategoryCampaign           ? game_select_id::kCategoryCampaign
                                                          : game_select_id::kCategoryScenario;
    // The dialog itself is not shown yet: the control's own style tells whether it is hidden.
    auto usable = [](HWND control) { return control && (GetWindowLongPtrA(control, GWL_STYLE) & WS_VISIBLE) && IsWindowEnabled(control); };
    HWND first = GetDlgItem(handle(), int(m_mode.resume ? game_select_id::kSaveList : category));
    // Simple mode has no categories: its first entry is chosen, so that Enter starts it.
    if (!usable(first) && m_entries[0])
        first = m_entries[0]->handle();
    if (!usable(first))
        first = GetDlgItem(handle(), int(game_select_id::kBrowse));
    SetFocus(first);
    return 0;
}

void GameSelectDialog::placeWindow()
{
    RECT window {};
    RECT client {};
    GetWindowRect(handle(), &window);
    GetClientRect(handle(), &client);
    const int extraWidth = (window.right - window.left) - client.right;
    const int extraHeight = (window.bottom - window.top) - client.bottom;
    POINT origin { 0, 0 };
    if (parent() && parent()->handle())
        ClientToScreen(parent()->handle(), &origin);
    windowFitWorkArea(origin.x, origin.y, clientWidth() + extraWidth, kClientHeight + extraHeight, TRUE, 1);
}

void GameSelectDialog::createCategoryButtons()
{
    const bool simple = m_state.isSimpleMode();
    const bool restricted = m_mode.networkGame == 1 || m_mode.matchKind == 1;
    ChildControl* scenario = addControl("Button", game_select_id::kCategoryScenario, kPushRadio | WS_GROUP | WS_TABSTOP,
        simple ? "シンプル" : "シナリオ", { 8, 8, 80, 22 }, kSmallFont);
    ChildControl* campaign = addControl("Button", game_select_id::kCategoryCampaign, kPushRadio, "キャンペーン", { 96, 8, 80, 22 }, kSmallFont);
    ChildControl* map = addControl("Button", game_select_id::kCategoryMap, kPushRadio, "ノーマル", { 184, 8, 80, 22 }, kSmallFont);
    const bool mapChecked = m_mode.category == kCategoryMap && !(restricted && m_mode.resume);
    SendMessageA(map->handle(), BM_SETCHECK, mapChecked ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageA(scenario->handle(), BM_SETCHECK, m_mode.category == kCategoryScenario ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageA(campaign->handle(), BM_SETCHECK, m_mode.category == kCategoryCampaign ? BST_CHECKED : BST_UNCHECKED, 0);
    if (restricted && m_mode.resume) {
        EnableWindow(scenario->handle(), FALSE);
        EnableWindow(map->handle(), FALSE);
    }
    if (restricted)
        EnableWindow(campaign->handle(), FALSE);
    if (simple)
        for (ChildControl* c : { scenario, campaign, map })
            ShowWindow(c->handle(), SW_HIDE);
}

void GameSelectDialog::createPreviewControls()
{
    addControl("Static", game_select_id::kNameLine, SS_LEFT, m_mode.resume ? "ﾏｯﾌﾟ名：" : "ﾌｧｲﾙ名：", { 8, 36, 276, 12 }, kSmallFont);
    m_thumbnail = own<MapThumbnail>(m_controls, this, m_state, m_look, game_select_id::kThumbnail, 8, 50);
    m_thumbnail->header = &m_preview.header;
    m_thumbnail->cells = m_preview.cells.get();
    addControl("Static", game_select_id::kViewLabel, SS_RIGHT, "表示切替：", { 156, 50, 60, 12 }, kSmallFont);
    ChildControl* image = addControl("Button", game_select_id::kImageView, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, "ｲﾒｰｼﾞ",
        { 216, 50, 48, 12 }, kSmallFont);
    addControl("Button", game_select_id::kBuildingsView, BS_AUTORADIOBUTTON, "建物", { 216, 65, 48, 12 }, kSmallFont);
    SendMessageA(image->handle(), BM_SETCHECK, BST_CHECKED, 0);
    struct Pair {
        UINT label;
        UINT value;
        const char* text;
        int y;
    };
    for (const Pair& p : { Pair { game_select_id::kDifficultyLabel, game_select_id::kDifficulty, "難易度：", 80 },
             Pair { game_select_id::kTurnLimitLabel, game_select_id::kTurnLimit, "ﾀｰﾝ制限：", 95 }, Pair { game_select_id::kSizeLabel, game_select_id::kSize, "サイズ：", 110 } }) {
        addControl("Static", p.label, SS_RIGHT, p.text, { 156, p.y, 60, 12 }, kSmallFont);
        addControl("Static", p.value, SS_LEFT, "", { 216, p.y, 60, 12 }, kSmallFont);
    }
    m_facilities = own<MapFacilityTable>(m_controls, this, m_state, m_look, game_select_id::kFacilities, 8, 198);
    m_facilities->header = &m_preview.header;
    m_facilities->cells = m_preview.cells.get();
    addControl("Edit", game_select_id::kDescription, ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, "",
        { 8, 319, 268, 160 }, kSmallFont);
}

void GameSelectDialog::createResumeControls()
{
    ChildControl* list = addControl("ListBox", game_select_id::kSaveList,
        LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, "",
        { 292, 50, 200, kListClientHeight }, kSmallFont, WS_EX_CLIENTEDGE);
    SendMessageA(list->handle(), LB_SETITEMHEIGHT, 0, kListItemHeight);
    // The height given is the client height: the borders come on top.
    RECT outer {};
    RECT inner {};
    GetWindowRect(list->handle(), &outer);
    GetClientRect(list->handle(), &inner);
    const int borders = (outer.bottom - outer.top) - inner.bottom;
    SetWindowPos(list->handle(), nullptr, 0, 0, 200, kListClientHeight + borders, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    addControl("Button", game_select_id::kBrowse, BS_PUSHBUTTON | WS_TABSTOP, "参照", { 412, 404, 80, 22 }, kSmallFont);
    fillSaveList();
}

void GameSelectDialog::createPageControls()
{
    ChildControl* previous = addControl("Button", game_select_id::kPreviousPage, BS_PUSHBUTTON | WS_TABSTOP, "<<", { 292, 8, 149, 26 }, kFont16);
    addControl("Button", game_select_id::kNextPage, BS_PUSHBUTTON | WS_TABSTOP, ">>", { 441, 8, 149, 26 }, kFont16);
    EnableWindow(previous->handle(), FALSE);
    for (int i = 0; i < game_select_id::kEntriesPerPage; ++i) {
        MapInfoStrip* strip = own<MapInfoStrip>(m_controls, this, m_state, m_look, game_select_id::kFirstEntry + UINT(i), 292, 34 + 26 * i,
            i == 0 ? WS_GROUP | WS_TABSTOP : 0);
        strip->setFocusNotices(true);
        m_entries[size_t(i)] = strip;
    }
    addControl("Static", game_select_id::kPageNumber, SS_CENTER | WS_GROUP, "", { 292, 398, 298, 26 }, kFont16);
    addControl("Button", game_select_id::kBrowse, BS_PUSHBUTTON | WS_TABSTOP, "参照", { 510, 424, 80, 22 }, kSmallFont);
    fillPage();
    updatePageButtons();
}
