// The help page: the desktop's handler for the page, or a message saying why there is none.
#include "app/help_page.h"

#include "lib/file.h"
#include "lib/window.h"
#include "platform/commdlg/shlobj.h"
#include "platform/kernel/host.h"
#include "platform/windows.h"
#include "state/data_path.h"
#include "ui/private_messages.h"

#include <string>

namespace {

std::string helpPagePath() { return dataPath("tkhelp\\index.html", kFolderProgram); }

std::string helpTitle() { return platform::utf8ToCp932("ヘルプ"); }

} // namespace

HelpOutcome openHelpPage(swCWindow* owner)
{
    HWND window = owner ? owner->handle() : nullptr;
    const std::string page = helpPagePath();
    if (!fileExists(page.c_str())) {
        MessageBoxA(window, platform::utf8ToCp932("ヘルプのページが見つかりません。").c_str(), helpTitle().c_str(),
            MB_OK | MB_ICONEXCLAMATION);
        return HelpOutcome::Missing;
    }
    // An opener that starts and then fails (a desktop without a browser) is told as late as it
    // ends, by the window's own thread.
    auto ended = [window](bool opened) {
        if (!opened && window)
            PostMessageA(window, ui_message::kHelpPageNotShown, 0, 0);
    };
    // Failure is a value of 32 or below, as ShellExecuteA's.
    if (reinterpret_cast<INT_PTR>(platform::shellOpen(page.c_str(), ended)) > 32)
        return HelpOutcome::Opened;
    tellHelpPageNotShown(window);
    return HelpOutcome::NoViewer;
}

void tellHelpPageNotShown(HWND owner)
{
    const std::string text = platform::utf8ToCp932("ヘルプを表示できるアプリケーションがありません。\n次のファイルをブラウザで開いてください。\n")
        + platform::hostPath(helpPagePath());
    MessageBoxA(owner, text.c_str(), helpTitle().c_str(), MB_OK | MB_ICONINFORMATION);
}
