// The edit control's text model: CP932 character boundaries, clipping to the limit without
// splitting a character, and the normalising of inserted text.
#include "platform/controls/edit_state.h"

namespace platform::controls::edit {

bool isLead(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

size_t nextChar(std::string_view text, size_t at)
{
    if (at >= text.size())
        return text.size();
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
        return at + 2;
    if (isLead(static_cast<unsigned char>(text[at])) && at + 1 < text.size())
        return at + 2;
    return at + 1;
}

size_t boundaryAtOrBefore(std::string_view text, size_t at)
{
    if (at >= text.size())
        return text.size();
    size_t position = 0;
    while (true) {
        size_t next = nextChar(text, position);
        if (next > at || next == position)
            return position;
        position = next;
    }
}

size_t previousChar(std::string_view text, size_t at)
{
    if (at == 0)
        return 0;
    return boundaryAtOrBefore(text, at - 1);
}

std::string_view clipToRoom(std::string_view text, size_t room)
{
    if (text.size() <= room)
        return text;
    size_t cut = 0;
    while (true) {
        size_t next = nextChar(text, cut);
        if (next > room || next == cut)
            break;
        cut = next;
    }
    return text.substr(0, cut);
}

std::string normalise(std::string_view text, DWORD style)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (isLead(c) && i + 1 < text.size()) {
            if (!(style & ES_NUMBER))
                out.append(text.substr(i, 2));
            i += 2;
            continue;
        }
        if (isLead(c)) // a lead byte with nothing after it is no character
            break;
        ++i;
        if (c == '\r' || c == '\n') {
            if (!(style & ES_MULTILINE))
                break;
            if (c == '\r' && i < text.size() && text[i] == '\n')
                ++i;
            out += "\r\n";
            continue;
        }
        if (c == 0)
            break;
        if ((style & ES_NUMBER) && (c < '0' || c > '9'))
            continue;
        if ((style & ES_UPPERCASE) && c >= 'a' && c <= 'z')
            c = static_cast<unsigned char>(c - 'a' + 'A');
        if ((style & ES_LOWERCASE) && c >= 'A' && c <= 'Z')
            c = static_cast<unsigned char>(c - 'A' + 'a');
        out += char(c);
    }
    return out;
}

} // namespace platform::controls::edit
