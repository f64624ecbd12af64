// CustomColorDialog (template 145): hues of the countries and markers, with live previews.
#pragma once

#include "lib/control.h"
#include "lib/dialog_base.h"
#include "lib/edit.h"
#include "lib/media/colour_filter.h"
#include "lib/media/custom_color_swatch.h"
#include "lib/media/custom_color_table.h"

#include <array>
#include <memory>
#include <vector>

namespace custom_color_ids {
constexpr UINT kTemplate = 145;
constexpr UINT kOk = 1000;
constexpr UINT kCancel = 1001;
constexpr UINT kTab = 1002;
constexpr UINT kFirstLabel = 1003;
constexpr UINT kFirstSwatch = 1011;
constexpr UINT kPreview = 1019;
constexpr UINT kBuildingPreview = 1020;
constexpr UINT kBorderPreview = 1021;
constexpr UINT kTrackbar = 1022;
constexpr UINT kNumberBox = 1023;
constexpr UINT kReset = 1024;
constexpr UINT kApply = 1025;
} // namespace custom_color_ids

// Puts template 145 into the layer's resource table (done by the dialog; safe to repeat).
void registerCustomColorTemplate();

class CustomColorDialog : public DialogBase {
public:
    // Edits a working copy of table; OK stores it into table and into "cstmcl.dat".
    CustomColorDialog(swCWindow* owner, CustomColorTable& table);
    ~CustomColorDialog() override;

    int OnInitDialog() override;
    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;
    int OnNotify(MessageRecord& msg, UINT id, NMHDR* header) override;

    int selectedEntry() const { return m_selected; }
    int shownTab() const { return m_tab; }
    const CustomColourEntry& workingValue() const { return m_value; }
    const CustomColorTable& workingCopy() const { return m_working; }

private:
    void loadPictures();
    void createControls();
    void showTab(int tab);
    void selectEntry(int entry);
    // Writes the working hue into the trackbar and the number box without their echo.
    void showHue();
    void recomputePreviews();
    void recomputeLandPreviews(const CustomColourEntry& value);
    void apply();
    void reset();
    // Saves first, so that a failed save leaves table and file as they were.
    void confirm();
    void onTrackbar(UINT code);
    void onNumberBox();
    void repaint(UINT id);

    CustomColorTable& m_table;
    CustomColorTable m_working;
    int m_selected = CustomColorTable::kFirstCountryEntry;
    int m_tab = 0;
    CustomColourEntry m_value;
    // Set while the program writes the trackbar or the number box; their handlers then return.
    bool m_guard = false;

    std::array<std::unique_ptr<swCBitmap>, CustomColorTable::kEntryCount> m_entryPreviews;
    std::unique_ptr<swCBitmap> m_currentPreview;
    std::unique_ptr<swCBitmap> m_landBase;
    std::unique_ptr<swCBitmap> m_buildingCanvas;
    std::unique_ptr<swCBitmap> m_borderCanvas;
    std::vector<uint8_t> m_buildingImage;
    std::vector<uint8_t> m_borderImage;
    std::vector<uint8_t> m_pictureImage;

    std::unique_ptr<TabControl> m_tabControl;
    std::unique_ptr<CustomColorWindow> m_panel;
    std::vector<std::unique_ptr<StaticText>> m_labels;
    std::vector<std::unique_ptr<CustomColorSwatch>> m_swatches;
    std::unique_ptr<CustomColorSwatch> m_preview;
    std::unique_ptr<CustomColorSwatch> m_buildingPreview;
    std::unique_ptr<CustomColorSwatch> m_borderPreview;
    std::unique_ptr<Trackbar> m_trackbar;
    std::unique_ptr<EditBox> m_numberBox;
    std::vector<std::unique_ptr<PushButton>> m_buttons;
};
