// The error family's texts by code, as they reach the box.
#include "lib/error.h"
#include "platform/desktop/harness.h"
#include "platform/kernel/host.h"
#include "platform/user/winuser.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// The box Show put up, as "caption: text\n" (the caption only when one was given).
std::string shown(swCError* error, const char* text = "ignored")
{
    std::unique_ptr<swCError> owned(error);
    platform::harness::clearMessageBoxes();
    EXPECT_EQ(error->Show(nullptr, text), IDOK);
    auto boxes = platform::harness::messageBoxes();
    if (boxes.size() != 1)
        return "boxes: " + std::to_string(boxes.size());
    // Without a caption the box shows the default one.
    bool captioned = boxes[0].caption != platform::utf8ToCp932("エラー");
    return (captioned ? boxes[0].caption + ": " : "") + boxes[0].text + "\n";
}

std::string box(const char* utf8_text, std::string caption = "")
{
    return (caption.empty() ? "" : caption + ": ") + platform::utf8ToCp932(utf8_text) + "\n";
}

} // namespace

TEST(Error, EachClassShowsItsTextByCode)
{
    const struct {
        swCError* error;
        const char* text;
    } cases[] = {
        { new swCFileError(1), "ファイルの読み込みに失敗しました" },
        { new swCFileError(2), "ファイルの書き込みに失敗しました" },
        { new swCFileError(3), "ファイルのシークに失敗しました" },
        { new swCFileError(4), "ファイルのクローズに失敗しました" },
        { new swCFileError(5), "ファイルエラーが発生しました" },
        { new swCFileError(-1), "ファイルエラーが発生しました" },
        { new swCBitmapError(0), "ビットマップの作成に失敗しました" },
        { new swCBitmapError(1), "ビットマップの保存に失敗しました" },
        { new swCBitmapError(2), "" },
        { new swCDirectSoundError(0), "DirectSoundの初期化に失敗しました\nサウンドデバイスは使用できません" },
        { new swCDirectSoundError(4), "DirectSoundでエラーが発生しました" },
        { new swCDirectSoundError(5), "DirectSoundでエラーが発生しました" },
        { new swCMCIError(0), "マルチメディアデバイスをオープンできませんでした" },
        { new swCMCIError(3), "マルチメディアデバイスにエラーが発生しました" },
    };
    for (const auto& c : cases) {
        int code = c.error->code();
        EXPECT_EQ(shown(c.error), box(c.text)) << c.text << " code " << code;
    }
    EXPECT_EQ(shown(new swCFileError(0, "map.dat")), box("ファイルのオープンに失敗しました", "map.dat"));
}

TEST(Error, BaseAndDrawingErrorsShowTheCallersText)
{
    EXPECT_EQ(shown(new swCDirectDrawError(7), "abc"), box("abc"));
    EXPECT_EQ(shown(new swCError(0, "Title"), "body"), box("body", "Title"));
}
