// PlacementDialog: the developer's tool that puts one unit of any type of a country's production
// type on a hex, free of charge.
#pragma once

#include "dialogs/play_popup.h"

#include <cstdint>
#include <vector>

class OwnerDrawListBox;

class PlacementDialog : public PlayPopup {
public:
    static constexpr int kWidth = 556;
    static constexpr int kHeight = 300;

    // run() answers 1 when a unit was placed.
    PlacementDialog(const WindowContext& context, swCWindow* owner, int x, int y, int country);

    const std::vector<uint32_t>& typeIds() const { return m_typeIds; }

    int OnInitDialog() override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

private:
    void place();

    int m_x;
    int m_y;
    int m_country;
    std::vector<uint32_t> m_typeIds;
    OwnerDrawListBox* m_list = nullptr;
};
