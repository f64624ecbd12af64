// Rule files: "Name", "Date", "Time" and the 51 switches as key=value lines in the rule folder.
#include "state/data_path.h"
#include "state/game_state.h"
#include "state/master_text.h"
#include "state/text_file_reader.h"

#include "lib/error.h"
#include "lib/file.h"
#include "platform/kernel/host.h"

#include <cstring>
#include <memory>

namespace {

std::string ruleFileName(bool simple, int slot)
{
    return simple ? "simple.rul" : "class" + std::to_string(slot) + ".rul";
}

constexpr const char* kNotARuleLine = "ルールの項目ではないか、値が数ではありません。";

// A whole number as decimal() reads one: blanks, a sign, digits and nothing after them but blanks.
// "1x" is no 1.
bool isWholeNumber(const char* text)
{
    while (*text == ' ' || *text == '\t')
        ++text;
    if (*text == '-' || *text == '+')
        ++text;
    if (*text < '0' || *text > '9')
        return false;
    while (*text >= '0' && *text <= '9')
        ++text;
    while (*text == ' ' || *text == '\t')
        ++text;
    return *text == '\0';
}

// Why a line sets nothing, or null when it was taken: no key of a rule file, a switch without a
// number, or a number that is not one of the switch's two choices (the switch keeps its off).
const char* applyRuleLine(const char* line, RuleSlot& slot)
{
    const auto& keys = ruleFileKeys();
    for (int k = 0; k < kRuleKeyCount; ++k) {
        const std::string& key = keys[k];
        if (std::strncmp(line, key.c_str(), key.size()) != 0 || line[key.size()] != '=')
            continue;
        const char* value = line + key.size() + 1;
        if (k == 0) {
            slot.name = value;
        } else if (k == 1) {
            slot.date = value;
        } else if (k == 2) {
            slot.time = value;
        } else {
            if (!isWholeNumber(value))
                return kNotARuleLine;
            const int number = master_text::decimal(value);
            if (number != 0 && number != 1)
                return "ルールの値は 0 (なし) か 1 (あり) です。その項目はなしで始めます。";
            slot.block.switches[k - 3] = uint8_t(number);
        }
        return nullptr;
    }
    return kNotARuleLine;
}

} // namespace

void GameState::loadRuleFile()
{
    int slots = isSimpleMode() ? 1 : kRuleSlotCount;
    // An unreadable rule folder would otherwise give a notice per slot: only the first is told.
    bool told = false;
    for (int i = 0; i < slots; ++i) {
        RuleSlot& slot = m_ruleSlots[i];
        slot = RuleSlot{};
        slot.block.lead = uint8_t(i);
        const std::string name = ruleFileName(isSimpleMode(), i);
        std::string path = dataPath(name.c_str(), kFolderRule);
        if (!fileExists(path.c_str())) {
            // Slot 0 is the rule the program ships; the others are the person's own, when made.
            if (i == 0)
                showMissingMasterFile("ルールファイル", name, "標準のルールで始めます。");
            continue;
        }
        std::unique_ptr<TextFileReader> reader;
        try {
            reader = std::make_unique<TextFileReader>(path.c_str());
        } catch (swCError* error) {
            if (told)
                delete error;
            else
                showUnreadableFile("ルールファイル", name, error);
            told = true;
            continue;
        }
        SkippedLines skipped;
        char line[kLineCapacity];
        int applied = 0;
        for (int number = 1; !reader->atEnd(); ++number) {
            reader->readLine(line, sizeof line);
            if (!line[0])
                continue;
            if (const char* reason = applyRuleLine(line, slot))
                skipped.add(number, reason);
            else
                ++applied;
        }
        skipped.report(name.c_str());
        if (i == 0 && applied == 0 && skipped.count() == 0)
            showEmptyShippedFile("ルールファイル", name, "標準のルールで始めます。");
    }
}

bool GameState::saveRuleFile(int slot_index)
{
    if (slot_index < 0 || slot_index >= kRuleSlotCount)
        return false;
    const RuleSlot& slot = m_ruleSlots[slot_index];
    const auto& keys = ruleFileKeys();
    std::string text = keys[0] + "=" + slot.name + "\r\n" + keys[1] + "=" + slot.date + "\r\n" + keys[2] + "=" + slot.time + "\r\n";
    for (int i = 0; i < kRuleSwitchCount; ++i)
        text += keys[3 + i] + "=" + std::to_string(slot.block.switches[i]) + "\r\n";

    std::string name = ruleFileName(false, slot.block.lead);
    bool written = false;
    try {
        swCFile out(dataPath(name.c_str(), kFolderRule).c_str(), 1);
        written = out.fileWrite(text.data(), DWORD(text.size())) == text.size();
        out.fileClose();
    } catch (swCError* error) {
        std::unique_ptr<swCError> owned(error);
        written = false;
    }
    if (!written)
        showLoaderMessage(platform::utf8ToCp932("ルールファイル ") + name + platform::utf8ToCp932(" を保存できませんでした"),
            platform::utf8ToCp932("警告"));
    return written;
}
