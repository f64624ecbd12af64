// Column access, numbers, names and notices of the master text loaders.
#include "state/master_text.h"
#include "state/text_file_reader.h"

#include "lib/error.h"
#include "lib/file_fault.h"
#include "platform/kernel/host.h"
#include "state/application_link.h"

#include <climits>
#include <cstring>
#include <memory>

namespace master_text {

const char* column(const std::vector<char*>& fields, int number)
{
    if (number < 1 || size_t(number) > fields.size())
        return "";
    return fields[number - 1];
}

int decimal(const char* text)
{
    while (*text == ' ' || *text == '\t')
        ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        if (value < INT_MAX)
            value = value * 10 + (*text - '0');
    if (value > INT_MAX)
        value = INT_MAX;
    return int(negative ? -value : value);
}

void copyName(char* field, size_t width, const char* text)
{
    std::memset(field, 0, width);
    size_t used = 0;
    while (*text) {
        size_t step = platform::isCp932LeadByte(static_cast<unsigned char>(*text)) && text[1] ? 2 : 1;
        if (used + step > width - 1)
            break;
        std::memcpy(field + used, text, step);
        used += step;
        text += step;
    }
}

bool isCircle(const char* text)
{
    return std::strcmp(text, "\x81\x9B") == 0;
}

int indexOf(const std::vector<std::string>& table, const char* text, int fallback)
{
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i] == text)
            return int(i);
    return fallback;
}

std::vector<std::string> cp932Table(std::initializer_list<const char*> utf8)
{
    std::vector<std::string> table;
    table.reserve(utf8.size());
    for (const char* text : utf8)
        table.push_back(platform::utf8ToCp932(text));
    return table;
}

} // namespace master_text

void showLoaderMessage(const std::string& text, const std::string& caption)
{
    applicationLink().tell(text, caption, NoticeIcon::Stop, NoticeOwner::Nobody);
}

void showUnusableFiles(const char* heading_utf8, const std::vector<std::pair<std::string, FileFault>>& files,
    const char* consequence_utf8)
{
    if (files.empty())
        return;
    std::string text = platform::utf8ToCp932(std::string(heading_utf8) + "\n");
    for (const auto& [name, fault] : files)
        text += name.substr(platform::fileNameOffset(name)) + ": " + fileFaultText(fault) + "\n";
    showLoaderMessage(text + platform::utf8ToCp932(consequence_utf8), platform::utf8ToCp932("警告"));
}

void showUnreadableFile(const char* kind_utf8, const std::string& file, swCError* error)
{
    std::unique_ptr<swCError> owned(error);
    const char* reason = "読み取りに失敗しました。";
    if (dynamic_cast<swCFileError*>(error) && error->code() == 0)
        reason = "ファイルを開けません（読み取りが許されていないか、フォルダです）。";
    else if (dynamic_cast<swCFileError*>(error) && error->code() == 5)
        reason = "ファイルの大きさを調べられません。";
    else if (dynamic_cast<swCFileError*>(error) && error->code() == 6)
        return showUnreadableFile(kind_utf8, file, FileFault::TooLarge);
    showLoaderMessage(platform::utf8ToCp932(std::string(kind_utf8) + " ") + file
            + platform::utf8ToCp932(std::string(" を読み込めません。\n") + reason),
        platform::utf8ToCp932("警告"));
}

void showUnreadableFile(const char* kind_utf8, const std::string& file, FileFault fault)
{
    showLoaderMessage(platform::utf8ToCp932(std::string(kind_utf8) + " ") + file
            + platform::utf8ToCp932(" を読み込めません。\n") + fileFaultText(fault),
        platform::utf8ToCp932("警告"));
}

std::unique_ptr<TextFileReader> readMasterFile(const std::string& path, const char* kind_utf8, const std::string& file,
    bool required)
{
    try {
        return std::make_unique<TextFileReader>(path.c_str());
    } catch (swCError* error) {
        showUnreadableFile(kind_utf8, file, error);
        if (required)
            throw new swCError(0);
        return nullptr;
    }
}

namespace {

void showShippedFileNotice(const char* kind_utf8, const std::string& file, const char* state_utf8, const char* consequence_utf8)
{
    showLoaderMessage(platform::utf8ToCp932(std::string(kind_utf8) + " ") + file
            + platform::utf8ToCp932(std::string(state_utf8) + "\n" + consequence_utf8),
        platform::utf8ToCp932("警告"));
}

} // namespace

void showMissingMasterFile(const char* kind_utf8, const std::string& file, const char* consequence_utf8)
{
    showShippedFileNotice(kind_utf8, file, " がありません。", consequence_utf8);
}

void showEmptyShippedFile(const char* kind_utf8, const std::string& file, const char* consequence_utf8)
{
    showShippedFileNotice(kind_utf8, file, " が空です。", consequence_utf8);
}

void showCutShortFile(const char* kind_utf8, const std::string& file, size_t kept, const char* records_utf8)
{
    const std::string consequence = "切れる前の" + std::to_string(kept) + "件の" + records_utf8 + "で始めます。";
    showShippedFileNotice(kind_utf8, file, " が途中で切れています。", consequence.c_str());
}

void showMissingUnitTypes()
{
    applicationLink().tell(platform::utf8ToCp932("本製品に含まれていない兵器データが使用されています。"),
        platform::utf8ToCp932("注意"), NoticeIcon::None, NoticeOwner::MainWindow);
}

void showEmptyMasterFile(const char* kind_utf8, const char* file, const char* records_utf8)
{
    showLoaderMessage(platform::utf8ToCp932(std::string(kind_utf8) + " " + file + " に" + records_utf8 + "がありません"),
        platform::utf8ToCp932("警告"));
}

void SkippedLines::add(int line, const char* reason_utf8)
{
    if (m_count++ == 0) {
        m_first = line;
        m_reason = reason_utf8;
    }
}

void SkippedLines::report(const char* file) const
{
    if (!m_count)
        return;
    std::string text = platform::utf8ToCp932(std::string(file) + " の " + std::to_string(m_first) + "行目から "
        + std::to_string(m_count) + "行を読み飛ばしました。\n" + m_reason);
    showLoaderMessage(text, platform::utf8ToCp932("警告"));
}
