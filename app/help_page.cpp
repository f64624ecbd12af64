// The help page: the desktop's handler for the page, or a message saying why there is none.
#include "app/help_page.h"

#include "lib/file.h"
#include "lib/window.h"
#include "platform/commdlg/shlobj.h"
#include "platform/kernel/host.h"
#include "platform/windows.h"
#include "state/data_path.h"

#include <string>

HelpOutcome openHelpPage(swCWindow* owner)
{
    HWND window = owner ? owner->handle() : nullptr;
    std::string page = dataPath("tkhelp\\index.html", kFolderProgram);
    const std::string title = platform::utf8ToCp932("ヘルプ");
    if (!fileExists(page.c_str())) {
        MessageBoxA(window, platform::utf8ToCp932("ヘルプのページが見つかりません。").c_str(), title.c_str(),
            MB_OK | MB_ICONEXCLAMATION);
        return HelpOutcome::Missing;
    }
    // ShellExecuteA reports failure with a value of 32 or below.
    if (reinterpret_cast<INT_PTR>(ShellExecuteA(window, "open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32)
        return HelpOutcome::Opened;
    std::string text = platform::utf8ToCp932("ヘルプを表示できるアプリケーションがありません。\n次のファイルをブラウザで開いてください。\n")
        + platform::hostPath(page.c_str());
    MessageBoxA(window, text.c_str(), title.c_str(), MB_OK | MB_ICONINFORMATION);
    return HelpOutcome::NoViewer;
}
