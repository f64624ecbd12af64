// UnitRenameDialog ("部隊名の変更"): a new name for one unit of the troop list.
#pragma once

#include "lib/dialog.h"

#include <string>

struct UnitRecord;

// Copies the CP932 text into the unit's name field: at most kUnitNameBytes bytes without splitting
// a double-byte character, always terminated.
constexpr int kUnitNameBytes = 32;
void setUnitName(UnitRecord& unit, const std::string& cp932);

class UnitRenameDialog : public swCDialog {
public:
    static constexpr int kClientWidth = 246;
    static constexpr int kClientHeight = 74;

    UnitRenameDialog(swCWindow* owner, int country, int unitIndex);

    // Runs modally; 1 when a name was stored.
    INT_PTR run();

    int OnInitDialog() override;
    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

private:
    UnitRecord* unit() const;
    // False (the dialog stays) when the name is blank.
    bool store();
    void end(int result);

    int m_country = -1;
    int m_unitIndex = -1;
};
