// The main menu: every item of a menu has an access key of its own, so that one key chooses it.
#include "app/program_resources.h"
#include "platform/kernel/host.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <map>

TEST(ProgramMenu, NoTwoItemsOfOneMenuShareAnAccessKey)
{
    HMENU bar = loadMainMenu();
    std::function<void(HMENU)> walk = [&](HMENU menu) {
        std::map<char, std::string> taken;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[128] = {};
            GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
            // '&' is never the second byte of a CP932 character.
            const std::string item = platform::cp932ToUtf8(text);
            if (size_t key = item.find('&') + 1; key > 0 && key < item.size()) {
                auto [first, fresh] = taken.emplace(char(std::toupper(item[key])), item);
                EXPECT_TRUE(fresh) << item << " and " << first->second;
            }
            if (HMENU sub = GetSubMenu(menu, i))
                walk(sub);
        }
    };
    walk(bar);
    DestroyMenu(bar);
}
