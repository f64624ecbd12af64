// mciSendStringA: command strings translated into the same commands mciSendCommandA takes.
#include "platform/media/mci_device.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace platform::media {
namespace {

std::vector<std::string> tokens(std::string_view text)
{
    std::vector<std::string> out;
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && text[at] == ' ')
            ++at;
        if (at >= text.size())
            break;
        size_t end;
        if (text[at] == '"') {
            end = text.find('"', at + 1);
            out.emplace_back(text.substr(at + 1, (end == std::string_view::npos ? text.size() : end) - at - 1));
            at = end == std::string_view::npos ? text.size() : end + 1;
            continue;
        }
        end = text.find(' ', at);
        if (end == std::string_view::npos)
            end = text.size();
        out.emplace_back(text.substr(at, end - at));
        at = end;
    }
    return out;
}

bool same(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

bool number(const std::string& text, DWORD& value)
{
    char* end = nullptr;
    unsigned long parsed = std::strtoul(text.c_str(), &end, 10);
    if (text.empty() || *end || parsed > 0xFFFFFFFFul)
        return false;
    value = DWORD(parsed);
    return true;
}

MCIERROR answer(const std::string& text, LPSTR out, UINT length)
{
    if (out && length) {
        std::strncpy(out, text.c_str(), length - 1);
        out[length - 1] = '\0';
    }
    return 0;
}

} // namespace

MCIERROR sendString(std::string_view command, LPSTR out, UINT outLength, HWND callback)
{
    if (out && outLength)
        out[0] = '\0';
    auto words = tokens(command);
    if (words.size() < 2)
        return MCIERR_MISSING_PARAMETER;
    const std::string& verb = words[0];
    DWORD flags = 0;
    std::vector<std::string> rest;
    for (size_t i = 2; i < words.size(); ++i) {
        if (same(words[i], "notify"))
            flags |= MCI_NOTIFY;
        else if (same(words[i], "wait"))
            flags |= MCI_WAIT;
        else
            rest.push_back(words[i]);
    }
    DWORD_PTR callbackValue = DWORD_PTR(callback);

    if (same(verb, "open")) {
        MCI_OPEN_PARMSA p {callbackValue, 0, nullptr, words[1].c_str(), nullptr};
        flags |= MCI_OPEN_ELEMENT;
        for (size_t i = 0; i + 1 < rest.size(); i += 2) {
            if (same(rest[i], "type")) {
                p.lpstrDeviceType = rest[i + 1].c_str();
                flags |= MCI_OPEN_TYPE;
            } else if (same(rest[i], "alias")) {
                p.lpstrAlias = rest[i + 1].c_str();
                flags |= MCI_OPEN_ALIAS;
            } else {
                return MCIERR_UNRECOGNIZED_KEYWORD;
            }
        }
        if (rest.size() % 2)
            return MCIERR_UNRECOGNIZED_KEYWORD;
        MCIERROR error = sendCommand(0, MCI_OPEN, flags, DWORD_PTR(&p));
        return error ? error : answer(std::to_string(p.wDeviceID), out, outLength);
    }

    MCIDEVICEID id = same(words[1], "all") ? MCI_ALL_DEVICE_ID : deviceIdOfAlias(words[1]);
    if (!id)
        return MCIERR_INVALID_DEVICE_NAME;
    if (same(verb, "play")) {
        MCI_PLAY_PARMS p {callbackValue, 0, 0};
        for (size_t i = 0; i < rest.size(); i += 2) {
            DWORD value;
            if (i + 1 >= rest.size() || !number(rest[i + 1], value))
                return MCIERR_MISSING_PARAMETER;
            if (same(rest[i], "from")) {
                p.dwFrom = value;
                flags |= MCI_FROM;
            } else if (same(rest[i], "to")) {
                p.dwTo = value;
                flags |= MCI_TO;
            } else {
                return MCIERR_UNRECOGNIZED_KEYWORD;
            }
        }
        return sendCommand(id, MCI_PLAY, flags, DWORD_PTR(&p));
    }
    if (same(verb, "seek")) {
        MCI_SEEK_PARMS p {callbackValue, 0};
        if (rest.size() != 2 || !same(rest[0], "to"))
            return MCIERR_MISSING_PARAMETER;
        if (same(rest[1], "start"))
            flags |= MCI_SEEK_TO_START;
        else if (same(rest[1], "end"))
            flags |= MCI_SEEK_TO_END;
        else if (number(rest[1], p.dwTo))
            flags |= MCI_TO;
        else
            return MCIERR_UNRECOGNIZED_KEYWORD;
        return sendCommand(id, MCI_SEEK, flags, DWORD_PTR(&p));
    }
    if (same(verb, "set")) {
        bool milliseconds = rest.size() == 3 && same(rest[0], "time") && same(rest[1], "format")
            && (same(rest[2], "milliseconds") || same(rest[2], "ms"));
        if (!milliseconds)
            return rest.size() == 3 ? MCIERR_BAD_TIME_FORMAT : MCIERR_UNRECOGNIZED_KEYWORD;
        MCI_SET_PARMS p {callbackValue, MCI_FORMAT_MILLISECONDS, 0};
        return sendCommand(id, MCI_SET, flags | MCI_SET_TIME_FORMAT, DWORD_PTR(&p));
    }
    if (same(verb, "status")) {
        MCI_STATUS_PARMS p {callbackValue, 0, 0, 0};
        if (rest.size() != 1)
            return MCIERR_MISSING_PARAMETER;
        if (same(rest[0], "mode"))
            p.dwItem = MCI_STATUS_MODE;
        else if (same(rest[0], "length"))
            p.dwItem = MCI_STATUS_LENGTH;
        else if (same(rest[0], "position"))
            p.dwItem = MCI_STATUS_POSITION;
        else
            return MCIERR_UNRECOGNIZED_KEYWORD;
        if (MCIERROR error = sendCommand(id, MCI_STATUS, flags | MCI_STATUS_ITEM, DWORD_PTR(&p)))
            return error;
        if (p.dwItem != MCI_STATUS_MODE)
            return answer(std::to_string(p.dwReturn), out, outLength);
        return answer(p.dwReturn == MCI_MODE_PLAY ? "playing" : p.dwReturn == MCI_MODE_PAUSE ? "paused" : "stopped", out, outLength);
    }
    struct Simple {
        const char* verb;
        UINT message;
    };
    for (Simple simple : {Simple {"stop", MCI_STOP}, Simple {"pause", MCI_PAUSE}, Simple {"resume", MCI_RESUME},
             Simple {"close", MCI_CLOSE}}) {
        if (same(verb, simple.verb)) {
            if (!rest.empty())
                return MCIERR_UNRECOGNIZED_KEYWORD;
            MCI_GENERIC_PARMS p {callbackValue};
            return sendCommand(id, simple.message, flags, DWORD_PTR(&p));
        }
    }
    return MCIERR_UNRECOGNIZED_COMMAND;
}

} // namespace platform::media

MCIERROR mciSendStringA(LPCSTR command, LPSTR returnString, UINT returnLength, HWND callback)
{
    if (!command)
        return MCIERR_NULL_PARAMETER_BLOCK;
    return platform::media::sendString(command, returnString, returnLength, callback);
}
