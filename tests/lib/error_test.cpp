// The error family's texts by code, as they reach the box.
#include "lib/error.h"
#include "platform/kernel/host.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Collects what Show hands to the box for the duration of a test.
class ShownBoxes {
public:
    ShownBoxes()
    {
        platform::setDebugOutputSink([this](std::string_view text) { m_lines.emplace_back(text); });
    }
    ~ShownBoxes() { platform::setDebugOutputSink(nullptr); }

    std::string shown(swCError* error, const char* text = "ignored")
    {
        std::unique_ptr<swCError> owned(error);
        m_lines.clear();
        EXPECT_EQ(error->Show(nullptr, text), 1);
        return m_lines.empty() ? std::string() : m_lines.back();
    }

private:
    std::vector<std::string> m_lines;
};

std::string line(const char* utf8_text, const char* caption = "")
{
    std::string caption_part = *caption ? std::string(caption) + ": " : std::string();
    return caption_part + platform::utf8ToCp932(utf8_text) + "\n";
}

} // namespace

TEST(Error, FileErrorTextsByCode)
{
    ShownBoxes boxes;
    EXPECT_EQ(boxes.shown(new swCFileError(0, "map.dat")), line("ファイルのオープンに失敗しました", "map.dat"));
    EXPECT_EQ(boxes.shown(new swCFileError(1)), line("ファイルの読み込みに失敗しました"));
    EXPECT_EQ(boxes.shown(new swCFileError(2)), line("ファイルの書き込みに失敗しました"));
    EXPECT_EQ(boxes.shown(new swCFileError(3)), line("ファイルのシークに失敗しました"));
    EXPECT_EQ(boxes.shown(new swCFileError(4)), line("ファイルのクローズに失敗しました"));
    EXPECT_EQ(boxes.shown(new swCFileError(5)), line("ファイルエラーが発生しました"));
    EXPECT_EQ(boxes.shown(new swCFileError(-1)), line("ファイルエラーが発生しました"));
}

TEST(Error, MediaErrorTextsByCode)
{
    ShownBoxes boxes;
    EXPECT_EQ(boxes.shown(new swCBitmapError(0)), line("ビットマップの作成に失敗しました"));
    EXPECT_EQ(boxes.shown(new swCBitmapError(1)), line("ビットマップの保存に失敗しました"));
    EXPECT_EQ(boxes.shown(new swCBitmapError(2)), line(""));
    EXPECT_EQ(boxes.shown(new swCDirectSoundError(0)),
        line("DirectSoundの初期化に失敗しました\nサウンドデバイスは使用できません"));
    EXPECT_EQ(boxes.shown(new swCDirectSoundError(4)), line("DirectSoundでエラーが発生しました"));
    EXPECT_EQ(boxes.shown(new swCDirectSoundError(5)), line("DirectSoundでエラーが発生しました"));
    EXPECT_EQ(boxes.shown(new swCMCIError(0)), line("マルチメディアデバイスをオープンできませんでした"));
    EXPECT_EQ(boxes.shown(new swCMCIError(3)), line("マルチメディアデバイスにエラーが発生しました"));
}

TEST(Error, BaseAndDrawingErrorsShowTheCallersText)
{
    ShownBoxes boxes;
    EXPECT_EQ(boxes.shown(new swCDirectDrawError(7), "abc"), line("abc"));
    EXPECT_EQ(boxes.shown(new swCError(0, "Title"), "body"), line("body", "Title"));
}

TEST(Error, ThrownByPointerAndCaughtAsBase)
{
    try {
        throw new swCFileError(0, "save\\game.sav");
    } catch (swCError* error) {
        std::unique_ptr<swCError> owned(error);
        EXPECT_EQ(error->code(), 0);
        EXPECT_STREQ(error->caption(), "save\\game.sav");
        EXPECT_NE(dynamic_cast<swCFileError*>(error), nullptr);
    }
}
