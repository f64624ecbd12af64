// Message boxes: the policy that answers them in runs without a person, their buttons, and the
// wrapping of their text.
#include "platform/desktop/harness.h"
#include "platform/user/msgbox_layout.h"
#include "platform/kernel/host.h"
#include "platform/windows.h"
#include "user_test_util.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

namespace harness = platform::harness;
using platform::utf8ToCp932;

TEST(MessageBoxPolicy, RecordsTextAndCaptionAndAnswersAtOnce)
{
    harness::clearMessageBoxes();
    ASSERT_TRUE(harness::messageBoxPolicyActive());
    std::string text = utf8ToCp932("ファイルが読めません。\n続けますか？");
    EXPECT_EQ(MessageBoxA(nullptr, text.c_str(), utf8ToCp932("確認").c_str(), MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(MessageBoxA(nullptr, "x", nullptr, MB_YESNO | MB_DEFBUTTON2), IDNO) << "the default button answers";
    harness::queueMessageBoxAnswer(IDCANCEL);
    EXPECT_EQ(MessageBoxA(nullptr, "y", "t", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(MessageBoxA(nullptr, "z", "t", MB_OK | MB_DEFBUTTON3), IDOK) << "a default past the buttons is the first";
    auto boxes = harness::messageBoxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].text, text);
    EXPECT_EQ(boxes[0].caption, utf8ToCp932("確認"));
    EXPECT_EQ(boxes[1].caption, utf8ToCp932("エラー")) << "no caption: the system's default";
    EXPECT_EQ(boxes[0].style, UINT(MB_YESNO | MB_ICONQUESTION));
    harness::clearMessageBoxes();
}

TEST(MessageBoxButtons, EachTypeHasItsButtonsAndCancelAnswer)
{
    using namespace platform::msgbox;
    struct Case {
        UINT type;
        std::vector<int> ids;
        int cancel;
        int safe; // taken when the program's close ends the box
    };
    for (const Case& c : { Case { MB_OK, { IDOK }, IDOK, IDOK }, Case { MB_OKCANCEL, { IDOK, IDCANCEL }, IDCANCEL, IDCANCEL },
             Case { MB_YESNO, { IDYES, IDNO }, 0, IDNO },
             Case { MB_YESNOCANCEL, { IDYES, IDNO, IDCANCEL }, IDCANCEL, IDCANCEL },
             Case { MB_RETRYCANCEL, { IDRETRY, IDCANCEL }, IDCANCEL, IDCANCEL },
             Case { MB_ABORTRETRYIGNORE, { IDABORT, IDRETRY, IDIGNORE }, 0, IDABORT } }) {
        std::vector<int> ids;
        for (const auto& b : buttonsFor(c.type))
            ids.push_back(b.id);
        EXPECT_EQ(ids, c.ids) << c.type;
        EXPECT_EQ(cancelAnswer(c.type), c.cancel) << c.type;
        EXPECT_EQ(safeAnswer(c.type), c.safe) << c.type;
    }
    EXPECT_EQ(buttonsFor(MB_YESNO)[0].label, utf8ToCp932("はい(&Y)"));
    EXPECT_EQ(defaultIndex(MB_YESNOCANCEL | MB_DEFBUTTON3, 3), 2u);
}

TEST(MessageBoxText, WrapsAtBlanksOrBetweenCharactersNeverInsideOne)
{
    using platform::msgbox::wrapText;
    auto width = [](const std::string& s) { return int(s.size()) * 6; }; // 6 px a byte
    auto lines = wrapText("one two three four\r\nfive", 60, width);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "one two");
    EXPECT_EQ(lines[1], "three four");
    EXPECT_EQ(lines[2], "five");

    std::string japanese = utf8ToCp932("あいうえおかきくけこ"); // 20 bytes, no blanks
    auto wrapped = wrapText(japanese, 42, width);             // 7 bytes fit: 3 characters
    std::string joined;
    for (const auto& line : wrapped) {
        EXPECT_EQ(line.size() % 2, 0u) << "a double-byte character was split";
        EXPECT_LE(int(line.size()) * 6, 42);
        joined += line;
    }
    EXPECT_EQ(joined, japanese);
    // Closing punctuation keeps the character before it on its line.
    EXPECT_EQ(wrapText(utf8ToCp932("あいう。」え"), 42, width), (std::vector<std::string> { utf8ToCp932("あい"), utf8ToCp932("う。」"), utf8ToCp932("え") }));

    auto narrow = wrapText("abc", 1, width);
    EXPECT_EQ(narrow, (std::vector<std::string> { "a", "b", "c" })) << "at least one character a line";
    EXPECT_EQ(wrapText("", 100, width), std::vector<std::string> { "" });
}

namespace {

// Waits for a visible window of the class, handling this thread's messages meanwhile (the box's
// thread sends to the owner here).
HWND waitForWindow(const char* className)
{
    HWND hwnd = nullptr;
    return usertest::pumpUntilTrue([&] {
        hwnd = FindWindowA(className, nullptr);
        return hwnd && IsWindowVisible(hwnd);
    }) ? hwnd : nullptr;
}

} // namespace

TEST(MessageBoxWindow, ShownWithoutPolicyAndAnsweredByKeysAndMouse)
{
    harness::setMessageBoxPolicy(false);
    std::string text = utf8ToCp932("このゲームの実行に必要な画面サイズは、800×600以上です。\n"
                                   "画面サイズを800×600以上に変更してこのゲームを起動してください。");
    WNDCLASSA cls {};
    cls.lpfnWndProc = DefWindowProcA;
    cls.lpszClassName = "MsgBoxTestOwner";
    RegisterClassA(&cls);
    HWND owner = CreateWindowExA(0, "MsgBoxTestOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
        nullptr, nullptr, nullptr, nullptr);
    // The box runs on another thread; its owner here is disabled meanwhile.
    auto answer = std::async(std::launch::async, [&] {
        return MessageBoxA(owner, text.c_str(), utf8ToCp932("中止").c_str(), MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    });
    HWND box = waitForWindow("DerazodoMessageBox");
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(IsWindowEnabled(owner));
    harness::waitIdle(std::chrono::milliseconds(2000));
    RECT r;
    GetWindowRect(box, &r);
    // The frame is filled: some pixel inside differs from the desktop around it.
    auto image = harness::readRect(r);
    ASSERT_GT(image.width, 300) << "the long line makes the box wide";
    harness::keepShot("msgbox.png");
    harness::pressKey(VK_RIGHT); // from Yes to No
    harness::pressKey(VK_RETURN);
    EXPECT_EQ(usertest::pumpUntil(answer), IDNO);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
    EXPECT_EQ(FindWindowA("DerazodoMessageBox", nullptr), nullptr);

    auto clicked = std::async(std::launch::async, [] { return MessageBoxA(nullptr, "click", "t", MB_OKCANCEL); });
    box = waitForWindow("DerazodoMessageBox");
    ASSERT_NE(box, nullptr);
    harness::waitIdle(std::chrono::milliseconds(2000));
    GetWindowRect(box, &r);
    // Two buttons centred in the bottom row: Cancel is right of the middle.
    harness::click((r.left + r.right) / 2 + 40, r.bottom - 20);
    EXPECT_EQ(usertest::pumpUntil(clicked), IDCANCEL);
    harness::setMessageBoxPolicy(true);
}
