// Column helpers shared by the master text loaders: missing columns read as empty, names are cut.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace master_text {

// Column number (1-based) of a split line; "" when the line has fewer columns.
const char* column(const std::vector<char*>& fields, int number);
// Decimal value up to the first non-digit, saturating; 0 for none.
int decimal(const char* text);
// Copies text into a field of width bytes, cut at a whole character so the NUL always fits.
void copyName(char* field, size_t width, const char* text);
bool isCircle(const char* text);
// Index of the first entry equal to text (each entry CP932); fallback when none.
int indexOf(const std::vector<std::string>& table, const char* text, int fallback);
std::vector<std::string> cp932Table(std::initializer_list<const char*> utf8);

} // namespace master_text

// Shows a loader's notice (CP932 text and caption) with a stop icon and no owner.
void showLoaderMessage(const std::string& text, const std::string& caption);

enum class FileFault : uint8_t;
// One warning for files the program ships that could not be used: the heading, a line per file
// (its name and fault) and what the program does without them. Texts in UTF-8; names are CP932
// game paths, shown from their file name on. Nothing when the list is empty.
void showUnusableFiles(const char* heading_utf8, const std::vector<std::pair<std::string, FileFault>>& files,
    const char* consequence_utf8);

class swCError;
class TextFileReader;
// Reads a master text file whole. One that exists but cannot be read gets showUnreadableFile; then
// a required file stops start-up (swCError thrown) and another gives null.
std::unique_ptr<TextFileReader> readMasterFile(const std::string& path, const char* kind_utf8, const std::string& file,
    bool required);
// The one notice for a start-up file that exists but could not be read: its kind ("地形データ"),
// its name and why (the file error's code). Takes the error.
void showUnreadableFile(const char* kind_utf8, const std::string& file, swCError* error);
// The same notice when the reason is a file fault (a file too large, damaged, empty).
void showUnreadableFile(const char* kind_utf8, const std::string& file, FileFault fault);
// The one notice for a required master file without a single record; start-up stops after it.
void showEmptyMasterFile(const char* kind_utf8, const char* file, const char* records_utf8);
// Collects the lines a loader skipped and tells of them in one notice: the first line, its reason
// and how many there were.
// Tells that a master file the program ships is missing, and what starting without it means.
void showMissingMasterFile(const char* kind_utf8, const std::string& file, const char* consequence_utf8);
// The same for one that is there but holds nothing the program can use.
void showEmptyShippedFile(const char* kind_utf8, const std::string& file, const char* consequence_utf8);
// The same for one that was cut short: the records before the cut are kept.
void showCutShortFile(const char* kind_utf8, const std::string& file, size_t kept, const char* records_utf8);
// Tells, over the main window, that a map or file uses unit types this program lacks.
void showMissingUnitTypes();

class SkippedLines {
public:
    void add(int line, const char* reason_utf8);
    void report(const char* file) const;
    int count() const { return m_count; }

private:
    int m_first = 0;
    const char* m_reason = "";
    int m_count = 0;
};
