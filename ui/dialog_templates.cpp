// The one table of the game windows' dialog frames.
#include "ui/dialog_templates.h"

#include "platform/kernel/host.h"
#include "platform/user/resource_table.h"

#include <mutex>

namespace {

namespace id = dialog_template;

struct Frame {
    UINT id;
    const char* caption; // UTF-8; converted to CP932 when registered
    DWORD style;
    DWORD exStyle;
    SIZE clientSize; // the windows that draw a picture size themselves to it
};

constexpr DWORD kDrawnPopup = WS_POPUP | DS_MODALFRAME;
constexpr DWORD kCaptioned = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kInformation = WS_POPUP | WS_CAPTION | WS_SYSMENU;
// A child template filling the hook area of an explorer-style file dialog.
constexpr DWORD kFileDialogChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | DS_CONTROL | DS_3DLOOK;

const Frame kFrames[] = {
    { id::kPopup, "", kDrawnPopup, 0, { 100, 100 } },
    { id::kSaveDialogPreview, "", kFileDialogChild, 0, { 510, 170 } },
    // The map settings and their list size their client areas themselves; the frame holds the larger.
    { id::kMapSettings, "", kCaptioned, 0, { 648, 690 } },
    // The rule and victory dialogs size their client areas themselves; the frame holds the larger.
    { id::kRuleSetting, "", kCaptioned, 0, { 400, 436 } },
    // Production and placement: 588 x 322, the production dialog widens itself to 836 with storing on
    // and the placement dialog narrows itself to 556 x 300.
    { id::kProduction, "生 産", kCaptioned, 0, { 588, 322 } },
    // The troop list's rename dialog and the troop information page: captioned, sized and named
    // in code once they are complete.
    { id::kTroopList, "", kCaptioned, 0, { 246, 74 } },
    // Moved by its caption; the window sizes its client area to the page itself.
    { id::kWeaponInfo, "兵器詳細情報", kCaptioned, 0, { 720, 608 } },
    { id::kTroopInfo, "", kCaptioned, 0, { 720, 608 } },
    { id::kBattle, "", WS_POPUP, 0, { 600, 300 } },
    { id::kArmChange, "", kCaptioned, 0, { 720, 560 } },
    // The backdrop is presented over the whole client area; the buttons are kept out of it.
    { id::kEnding, "戦果報告", kCaptioned | WS_CLIPCHILDREN, 0, { 640, 520 } },
    // Merge and split: captioned "合流" or "分散" in code.
    { id::kMerge, "", kCaptioned, 0, { 438, 127 } },
    // The modeless rule and victory-condition windows: captioned tool windows, sized in code.
    { id::kModelessInfo, "", kInformation, WS_EX_TOOLWINDOW, { 400, 436 } },
    { id::kProductEdit, "", kDrawnPopup, 0, { 100, 100 } },
    { id::kGameSelect, "新規ｹﾞｰﾑ選択", kCaptioned, 0, { 100, 100 } },
    { id::kCopySource, "生産タイプの複製", kCaptioned, 0, { 100, 100 } },
    { id::kEventNotice, "", kDrawnPopup, 0, { 284, 56 } },
    { id::kHexPopup, "", kDrawnPopup, 0, { 285, 18 } },
    { id::kPhaseHelp, "", kCaptioned, 0, { 408, 104 } },
};

} // namespace

void registerGameDialogTemplates()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (const Frame& frame : kFrames) {
            platform::resources::DialogTemplate dialog;
            dialog.caption = platform::utf8ToCp932(frame.caption);
            dialog.style = frame.style;
            dialog.exStyle = frame.exStyle;
            dialog.clientSize = frame.clientSize;
            platform::resources::addDialog(MAKEINTRESOURCEA(frame.id), std::move(dialog));
        }
    });
}
