// TextFileReader and parseCommaList: the Shift-JIS master text files, line by line and field by field.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

class TextFileReader {
public:
    // Reads the whole file; the errors of swCFile pass to the caller.
    explicit TextFileReader(const char* path);
    // Over bytes already in memory (tests, fuzzing).
    TextFileReader(const char* data, size_t size);

    // Copies the next line (without its end) into buffer and returns the bytes written with the
    // NUL. A line longer than capacity - 1 is cut there and the rest of it skipped.
    int readLine(char* buffer, int capacity);
    bool atEnd() const { return m_position >= m_size; }
    // Whether the line last read ended with a line end (or a NUL) rather than with the file.
    bool lineEnded() const { return m_lineEnded; }
    int size() const { return m_size; }
    int position() const { return m_position; }

private:
    std::unique_ptr<char[]> m_buffer;
    int m_size = 0;
    int m_position = 0;
    bool m_lineEnded = false;
};

// Splits text in place at each comma that is not the second byte of a double-byte character;
// appends the address of every field, empty ones included. Returns the number of fields.
int parseCommaList(char* text, std::vector<char*>& list);

// Every caller reads lines through a buffer of this size.
constexpr int kLineCapacity = 1024;

// Whether the line just read is the file's last and was cut: no line end and fewer columns than a
// whole record has. A file cut at a line end cannot be told from a shorter one.
inline bool isCutLastLine(const TextFileReader& reader, size_t columns, size_t whole_columns)
{
    return reader.atEnd() && !reader.lineEnded() && columns < whole_columns;
}

// The walk every master-data loader makes: f(line number, fields) for each line whose first
// field is not empty. Numbers count from 1 and include the lines passed over.
template <class F>
void forEachRecordLine(TextFileReader& reader, F f)
{
    char line[kLineCapacity];
    int number = 0;
    std::vector<char*> fields;
    while (!reader.atEnd()) {
        reader.readLine(line, sizeof line);
        ++number;
        fields.clear();
        parseCommaList(line, fields);
        if (!*fields[0])
            continue;
        f(number, fields);
    }
}
