// CommandPalette: the unit command buttons under the control panel; a click orders the map window.
#pragma once

#include "lib/font.h"
#include "lib/window.h"

#include <array>
#include <cstdint>
#include <memory>

class BitmapButton;

class CommandPalette : public swCWindow {
public:
    static constexpr const char* kClassName = "DERAZODO_COMMANDPALETTE_CNAME";
    static constexpr int kWidth = 216;
    static constexpr int kHeight = 336;
    // Codes 0..26; every code but 0 and 25 (the move order) has a button.
    static constexpr int kCommandCount = 27;
    static constexpr UINT kFirstButtonId = 1000;
    static constexpr UINT kCancelButtonId = 1100;

    explicit CommandPalette(swCWindow* parent);
    ~CommandPalette() override;

    BOOL Create() override;
    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    void setMapWindow(HWND window) { m_mapWindow = window; }
    HWND mapWindow() const { return m_mapWindow; }
    // Enables exactly the commands whose bits the mask sets. End of action needs no check and
    // is offered, with cancel, whenever a unit is shown; unit < 0 shows none and disables all.
    void showCommands(uint32_t mask, int32_t unit);
    bool isCommandEnabled(int code) const;
    HWND commandButton(int code) const;
    HWND cancelButton() const;
    int32_t shownUnit() const { return m_unit; }

private:
    void paint();
    void enable(BitmapButton* button, bool on);

    HWND m_mapWindow = nullptr;
    std::array<std::unique_ptr<BitmapButton>, kCommandCount> m_buttons;
    std::unique_ptr<BitmapButton> m_cancel;
    swCFont m_font;
    uint32_t m_mask = 0;
    int32_t m_unit = -1;
};

// The name of command code 0..26 as its button shows it (CP932); empty for 0, 25 and others.
const char* commandName(int code);
