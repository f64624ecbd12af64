// MergeDialog and SplitDialog: before a merge (command 9) or a split (command 10) the person moves
// machines between two units of one type and sees the fuel, fatigue and experience that follow.
// The dialogs decide only the number of machines; the map window then gives the command with the
// right-hand unit's count, and the rules carry it out. run() answers 1 for the carry-out button, 0
// otherwise; a background that cannot be loaded is shown as its error and answers 0.
#pragma once

#include "dialogs/play_popup.h"
#include "lib/media/bitmap.h"
#include "ui/window_services.h"

#include <memory>

class MachineTransfer;
struct UnitRecord;

namespace merge_id {
enum : UINT { kExecute = 1000, kCancel, kToLeft, kToRight };
} // namespace merge_id

class MergeDialogBase : public PlayPopup {
public:
    static constexpr const char* kPlacementPrefix = "Merge";

    ~MergeDialogBase() override;

    // The machines the command carries.
    int rightCount() const;
    const MachineTransfer& transfer() const { return *m_transfer; }

    // One machine to the left-hand or the right-hand unit; true when one moved.
    virtual bool moveLeft();
    virtual bool moveRight();

    int OnInitDialog() override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;
    const ui::WindowDescription& description() const override;
    HBITMAP background() const override { return m_canvas.handle(); }

protected:
    MergeDialogBase(const WindowContext& context, swCWindow* owner, int side, const char* utf8Caption);
    bool prepare() override;

    int m_side = 0;
    std::unique_ptr<MachineTransfer> m_transfer;

private:
    void updateButtons();
    // Restores the canvas and draws both units again.
    void render();
    void drawUnitPanel(HDC dc, const UnitRecord& unit, int x);
    void drawMachines(HDC dc);

    const char* m_caption;
    swCBitmap m_canvas;
    swCBitmap m_cleanPanel;
    ModalIdleOff m_idleOff;
};

class MergeDialog : public MergeDialogBase {
public:
    // The acting unit (left) moves to (x, y) and gives machines to its partner (right).
    MergeDialog(const WindowContext& context, swCWindow* owner, int side, int index, int partnerIndex, int x, int y);

    bool moveLeft() override;
    bool moveRight() override;
};

class SplitDialog : public MergeDialogBase {
public:
    // The unit (left) stays on (x1, y1); the split-off part (right) goes on to (x2, y2).
    SplitDialog(const WindowContext& context, swCWindow* owner, int side, int index, int x1, int y1, int x2, int y2);

    bool moveLeft() override;
    bool moveRight() override;
};
