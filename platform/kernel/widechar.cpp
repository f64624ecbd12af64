// MultiByteToWideChar and WideCharToMultiByte over CP932 and UTF-8, with UTF-16 wide text.
#include "platform/kernel/codepage_tables.h"
#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"

#include <cstring>

namespace {

bool isCp932(UINT codePage) { return codePage == CP_ACP || codePage == CP_OEMCP || codePage == CP_THREAD_ACP || codePage == 932; }

void appendUtf16(char32_t unicode, std::u16string& out)
{
    if (unicode >= 0x10000) {
        unicode -= 0x10000;
        out.push_back(char16_t(0xD800 + (unicode >> 10)));
        out.push_back(char16_t(0xDC00 + (unicode & 0x3FF)));
    } else {
        out.push_back(char16_t(unicode));
    }
}

// Copies the result out under the Win32 size rules: size 0 asks for the length.
template <class C>
int deliver(const std::basic_string<C>& text, C* buffer, int size)
{
    if (size == 0)
        return int(text.size());
    if (text.size() > size_t(size)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(buffer, text.data(), text.size() * sizeof(C));
    return int(text.size());
}

} // namespace

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
    LPWSTR lpWideCharStr, int cchWideChar)
{
    if (!lpMultiByteStr || cbMultiByte == 0 || cchWideChar < 0 || (cchWideChar > 0 && !lpWideCharStr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!isCp932(CodePage) && CodePage != CP_UTF8) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // A length of -1 means "up to and including the terminator".
    std::string_view input = cbMultiByte < 0 ? std::string_view(lpMultiByteStr, std::strlen(lpMultiByteStr) + 1)
                                             : std::string_view(lpMultiByteStr, size_t(cbMultiByte));
    bool strict = dwFlags & MB_ERR_INVALID_CHARS;
    std::u16string output;
    output.reserve(input.size());
    for (size_t pos = 0; pos < input.size();) {
        char32_t unicode;
        pos += isCp932(CodePage) ? platform::decodeCp932(input, pos, unicode) : platform::decodeUtf8(input, pos, unicode);
        if (unicode == platform::kUnmappable) {
            if (strict) {
                SetLastError(ERROR_NO_UNICODE_TRANSLATION);
                return 0;
            }
            unicode = isCp932(CodePage) ? U'?' : 0xFFFD;
        }
        appendUtf16(unicode, output);
    }
    return deliver(output, lpWideCharStr, cchWideChar);
}

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
    LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar)
{
    if (!lpWideCharStr || cchWideChar == 0 || cbMultiByte < 0 || (cbMultiByte > 0 && !lpMultiByteStr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!isCp932(CodePage) && CodePage != CP_UTF8) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    size_t length = 0;
    if (cchWideChar < 0) {
        while (lpWideCharStr[length] != 0)
            ++length;
        ++length;
    } else {
        length = size_t(cchWideChar);
    }
    bool usedDefault = false;
    std::string output;
    output.reserve(length * 2);
    for (size_t i = 0; i < length; ++i) {
        char32_t unicode = lpWideCharStr[i];
        bool valid = true;
        if (unicode >= 0xD800 && unicode < 0xDC00 && i + 1 < length && lpWideCharStr[i + 1] >= 0xDC00 && lpWideCharStr[i + 1] < 0xE000) {
            unicode = 0x10000 + ((unicode - 0xD800) << 10) + (lpWideCharStr[i + 1] - 0xDC00);
            ++i;
        } else if (unicode >= 0xD800 && unicode < 0xE000) {
            valid = false;
        }
        if (CodePage == CP_UTF8) {
            if (!valid && (dwFlags & WC_ERR_INVALID_CHARS)) {
                SetLastError(ERROR_NO_UNICODE_TRANSLATION);
                return 0;
            }
            platform::appendUtf8(valid ? unicode : 0xFFFD, output);
            continue;
        }
        size_t before = output.size();
        if (!valid || !platform::encodeCp932(unicode, output)) {
            usedDefault = true;
            if (lpDefaultChar) {
                output.resize(before);
                output.push_back(lpDefaultChar[0]);
            }
        }
    }
    if (lpUsedDefaultChar)
        *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
    return deliver(output, lpMultiByteStr, cbMultiByte);
}
