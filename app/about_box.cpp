// The about box: template 171 with the program's name, version and a credit line.
#include "app/about_box.h"

#include "lib/dialog_base.h"
#include "lib/font.h"
#include "platform/kernel/host.h"
#include "platform/user/resource_table.h"

#include <mutex>
#include <string>

namespace {

constexpr UINT kTemplate = 171;
constexpr int kWidth = 320;
constexpr int kNameId = 1000;

platform::resources::DialogItem line(const std::string& utf8, int top, int height = 20, int id = -1)
{
    platform::resources::DialogItem item;
    item.className = "Static";
    item.text = platform::utf8ToCp932(utf8);
    item.id = id;
    item.style = WS_CHILD | WS_VISIBLE | SS_CENTER;
    item.rect = { 10, top, kWidth - 10, top + height };
    return item;
}

void registerAboutTemplate()
{
    static std::once_flag once;
    std::call_once(once, [] {
        platform::resources::DialogTemplate dialog;
        dialog.caption = platform::utf8ToCp932("バージョン情報");
        dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
        dialog.clientSize = { kWidth, 190 };
        dialog.items = {
            line("デラゾド", 12, 32, kNameId),
            line("現代戦のターン制戦略シミュレーション", 48),
            line(std::string("バージョン ").append(kProgramVersion), 72),
            line("制作: デラゾド開発チーム", 104),
        };
        platform::resources::DialogItem ok;
        ok.className = "Button";
        ok.text = "OK";
        ok.id = IDOK;
        ok.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
        ok.rect = { kWidth / 2 - 42, 144, kWidth / 2 + 42, 172 };
        dialog.items.push_back(std::move(ok));
        platform::resources::addDialog(MAKEINTRESOURCEA(kTemplate), std::move(dialog));
    });
}

class AboutBox : public DialogBase {
public:
    explicit AboutBox(swCWindow* owner)
        : DialogBase(kTemplate, owner, false)
    {
        registerAboutTemplate();
    }
    int OnInitDialog() override
    {
        if (m_nameFont.fontCreate(28, 700))
            SendDlgItemMessageA(handle(), kNameId, WM_SETFONT, WPARAM(m_nameFont.handle()), FALSE);
        return 1;
    }

private:
    swCFont m_nameFont;
};

} // namespace

void runAboutBox(swCWindow* owner)
{
    AboutBox box(owner);
    box.run();
}
