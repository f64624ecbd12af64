// swCFont: one font handle, made for the game's fixed-pitch Japanese text.
#pragma once

#include "platform/windows.h"

class swCFont {
public:
    swCFont() = default;
    swCFont(const swCFont&) = delete;
    swCFont& operator=(const swCFont&) = delete;
    ~swCFont() { deleteGdiObject(); }

    // A Shift-JIS, fixed-pitch, modern font of the height and weight; no face name means the
    // default face. Replaces a font held before. False when no font was made.
    bool fontCreate(int height, int weight, const char* faceName = nullptr);
    // Deletes the font once; later calls do nothing.
    void deleteGdiObject();
    HFONT handle() const { return m_font; }

private:
    HFONT m_font = nullptr;
};
