// PhaseResultWindow and its members: the pictures that announce an occupation, a destruction, a
// repair or a reinforcement, with a gauge moving from the value before to the value after, closing
// three seconds after the gauge has stopped. Modal on whichever thread carries the event out.
#pragma once

#include "dialogs/announcement_window.h"

class GameState;
struct BuildingRecord;

// The gauge: its values, the value that fills it, and the colour row of its bar in "income.bmp".
struct ResultGauge {
    int start = 0;
    int end = 0;
    // 0: the gauge is shown full whatever the values.
    int maximum = 100;
    int barRow = 64;
};

class PhaseResultWindow : public AnnouncementWindow {
public:
    static constexpr int kWidth = 224;
    static constexpr int kHeight = 168;
    static constexpr int kBandCount = 21;
    enum : UINT { kCloseTimer = 1, kStepTimer };
    static constexpr UINT kCloseAfterMs = 3000;
    static constexpr UINT kStepMs = 40;
    // Where the gauge's 128 by 10 bar lies on the picture.
    static constexpr RECT kGaugeArea { 88, 151, 216, 161 };

    int OnInitDialog() override;
    void destroying() override;
    bool timerFired(UINT_PTR id) override;

    // Slots after the dialog's own, in this order.
    // Draws the gauge at its start value.
    virtual void drawGauge();
    // The step timer while there is a way to go, else the close timer.
    virtual void startTimers();
    // One step toward the end value (with toEnd: all the way); the close timer once it is reached.
    virtual void stepGauge(bool toEnd);
    // The value shown at the current step: from the start toward the end, never past it.
    virtual int gaugeValue() const;

    const ResultGauge& gauge() const { return m_gauge; }
    int step() const { return m_step; }
    bool closeTimerOn() const { return m_closeTimerOn != 0; }
    bool stepTimerOn() const { return m_stepTimerOn != 0; }

    // The picture band of a building type for the building windows (band 3 for any type without one).
    static int buildingBand(const GameState& game, int type);
    // A type's maximum durability, the reinforced one under rule 47.
    static int maximumDurability(const GameState& game, int type);

protected:
    PhaseResultWindow(const WindowContext& context, swCWindow* owner, const char* pictureFile, int band, const ResultGauge& gauge);
    // Draws the bar of the value (full when the maximum is 0) over the gauge background.
    void drawBar(int value, int barRow);
    void startCloseTimer();
    // Ends a stopped gauge's wait at once; a running gauge goes to its end first.
    void clicked() override;

    const GameState& m_game;
    const Presentation& m_look;
    ResultGauge m_gauge;

private:
    const char* m_pictureFile;
    int m_band;
    swCBitmap m_sheet;
    swCBitmap m_gaugeBackground;
    uint8_t m_closeTimerOn = 0;
    uint8_t m_stepTimerOn = 0;
    int32_t m_step = 0;
};

// Occupation points of a building, before and after; without rule 5 a full bar of the current country.
class OccupationResultWindow : public PhaseResultWindow {
public:
    OccupationResultWindow(const WindowContext& context, swCWindow* owner, const BuildingRecord& after, const BuildingRecord& before);
    void drawGauge() override;
    void startTimers() override;

private:
    bool m_pointsShown;
};

// A building's durability in percent of its maximum, before and after.
class BuildingEventWindow : public PhaseResultWindow {
public:
    BuildingEventWindow(const WindowContext& context, swCWindow* owner, const BuildingRecord& after, const BuildingRecord& before);

protected:
    BuildingEventWindow(const WindowContext& context, swCWindow* owner, const char* pictureFile, const BuildingRecord& after, const BuildingRecord& before);
};

class BuildingRepairWindow : public BuildingEventWindow {
public:
    BuildingRepairWindow(const WindowContext& context, swCWindow* owner, const BuildingRecord& after, const BuildingRecord& before);
};

class BuildingReinforceWindow : public BuildingEventWindow {
public:
    BuildingReinforceWindow(const WindowContext& context, swCWindow* owner, const BuildingRecord& after, const BuildingRecord& before);
};

// A pillbox or temporary bridge (terrain kind 10): its durability in percent, before and after.
class UnitEventWindow : public PhaseResultWindow {
public:
    UnitEventWindow(const WindowContext& context, swCWindow* owner, int kind, int after, int before);

protected:
    UnitEventWindow(const WindowContext& context, swCWindow* owner, const char* pictureFile, int kind, int after, int before);
};

class UnitRepairWindow : public UnitEventWindow {
public:
    UnitRepairWindow(const WindowContext& context, swCWindow* owner, int kind, int after, int before);
};

class UnitReinforceWindow : public UnitEventWindow {
public:
    UnitReinforceWindow(const WindowContext& context, swCWindow* owner, int kind, int after, int before);
};
