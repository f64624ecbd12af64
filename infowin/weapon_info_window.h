// WeaponInfoWindow ("兵器詳細情報"): one unit type of the weapon list with its armament sets,
// weapons, movement and capabilities, browsable through the producible-type list. Modeless; the
// main window keeps at most two, each under a key, and destroys one on its close request.
#pragma once

#include "lib/dialog.h"
#include "lib/media/bitmap.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"

#include <memory>

class GameState;
struct UnitTypeRecord;

class WeaponInfoWindow : public ui::KitWindow<swCDialog> {
public:
    static constexpr const char* kPlacementPrefix = "WeaponInfo";
    static constexpr int kPageWidth = 720;
    static constexpr int kPageHeight = 608;

    // flags: kept for the creator; nothing depends on it. The window joins the application's
    // modeless list here and leaves it when the object goes.
    WeaponInfoWindow(const WindowContext& context, swCWindow* parent, int typeId, int key, int flags);
    ~WeaponInfoWindow() override;

    // Makes the modeless window; false when no window was made (the object is then still the caller's).
    bool open();

    int OnInitDialog() override;
    int OnMessage(MessageRecord& msg) override;
    static constexpr ui::WindowDescription kDescription {
        .placementKey = kPlacementPrefix, .drawn = true, .closing = ui::Closing::Itself };
    const ui::WindowDescription& description() const override { return kDescription; }
    HBITMAP background() const override { return m_background ? m_background->handle() : nullptr; }
    // The close box, a right click or Escape ask the owner to close the window of the key.
    void closeGesture() override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    int key() const { return m_key; }
    int typeId() const { return m_typeId; }
    int armamentSet() const { return m_armamentSet; }
    bool movePage() const { return m_movePage; }
    int flags() const { return m_flags; }
    // The neighbours of the browse origin in the producible-type list; 0 for none.
    int previousType() const;
    int nextType() const;

private:
    const UnitTypeRecord* shownType() const;
    // The browse origin's place in the producible-type list, -1 when it is not there.
    int originPosition() const;
    bool loadClean(swCBitmap& bitmap) const;
    void render();
    void chooseSet(int set);
    void browseTo(int typeId);
    void updateButtons();

    WindowContext m_context;
    int m_key = 0;
    int m_typeId = 0;
    int m_originTypeId = 0;
    int m_armamentSet = 0;
    bool m_movePage = false;
    int m_flags = 0;
    std::unique_ptr<swCBitmap> m_background;
};
