// The error family and the box that shows it.
#include "lib/error.h"

#include "lib/application.h"
#include "lib/file_fault.h"
#include "platform/kernel/host.h"

#include <string>

int showErrorBox(HWND owner, const char* text, const char* caption)
{
    if (!owner)
        owner = theApplication().mainWindowHandle();
    return MessageBoxA(owner, text ? text : "", caption, MB_OK);
}

swCError::swCError(int code, const char* caption)
    : m_caption(caption)
    , m_code(code)
{
}

int swCError::Show(HWND owner, const char* text)
{
    return showErrorBox(owner, text, m_caption.empty() ? nullptr : m_caption.bufferText());
}

int swCError::showOwnText(HWND owner, const char* utf8_text)
{
    return swCError::Show(owner, platform::utf8ToCp932(utf8_text).c_str());
}

int swCFileError::Show(HWND owner, const char*)
{
    switch (code()) {
    case 0:
        return showOwnText(owner, "ファイルのオープンに失敗しました");
    case 1:
        return showOwnText(owner, "ファイルの読み込みに失敗しました");
    case 2:
        return showOwnText(owner, "ファイルの書き込みに失敗しました");
    case 3:
        return showOwnText(owner, "ファイルのシークに失敗しました");
    case 4:
        return showOwnText(owner, "ファイルのクローズに失敗しました");
    case 6:
        return swCError::Show(owner, fileFaultText(FileFault::TooLarge).c_str());
    default:
        return showOwnText(owner, "ファイルエラーが発生しました");
    }
}

int swCBitmapError::Show(HWND owner, const char*)
{
    switch (code()) {
    case 0:
        return showOwnText(owner, "ビットマップの作成に失敗しました");
    case 1:
        return showOwnText(owner, "ビットマップの保存に失敗しました");
    default:
        return showOwnText(owner, "");
    }
}

int swCDirectDrawError::Show(HWND owner, const char* text)
{
    return swCError::Show(owner, text);
}

int swCDirectSoundError::Show(HWND owner, const char*)
{
    if (code() == 0)
        return showOwnText(owner, "DirectSoundの初期化に失敗しました\nサウンドデバイスは使用できません");
    return showOwnText(owner, "DirectSoundでエラーが発生しました");
}

int swCMCIError::Show(HWND owner, const char*)
{
    if (code() == 0)
        return showOwnText(owner, "マルチメディアデバイスをオープンできませんでした");
    return showOwnText(owner, "マルチメディアデバイスにエラーが発生しました");
}
