// The main menu: every item of a menu has an access key of its own, so that one key chooses it.
#include "app/program_resources.h"
#include "platform/kernel/host.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <map>

namespace {

TEST(ProgramMenu, NoTwoItemsOfOneMenuShareAnAccessKey)
{
    HMENU bar = loadMainMenu();
    ASSERT_NE(bar, nullptr);
    int keys = 0;
    std::function<void(HMENU, const std::string&)> walk = [&](HMENU menu, const std::string& name) {
        std::map<char, std::string> taken;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[128] = {};
            GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
            // '&' is never the second byte of a CP932 character.
            const std::string item = platform::cp932ToUtf8(text);
            if (size_t amp = item.find('&'); amp != std::string::npos && amp + 1 < item.size()) {
                ++keys;
                auto [first, fresh] = taken.emplace(char(std::toupper(item[amp + 1])), item);
                EXPECT_TRUE(fresh) << name << ": " << item << " and " << first->second;
            }
            if (HMENU sub = GetSubMenu(menu, i))
                walk(sub, item);
        }
    };
    walk(bar, "the menu bar");
    DestroyMenu(bar);
    EXPECT_GT(keys, 40);
}

} // namespace
