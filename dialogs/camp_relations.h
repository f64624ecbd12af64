// CampRelations: the rules that keep alliances, non-aggression pacts and the civilians' side
// consistent while the map settings change them. A country shown on the settings' visible page has
// its masks in its check boxes; every other country has them in its record.
#pragma once

#include "state/country_record.h"

#include <cstdint>

enum class CampBox { Alliance, Pact, Civilian };

// What the rules read and change: the boxes of the (at most four) shown slots and the records.
class CampView {
public:
    virtual ~CampView() = default;

    // The slot (0..3) that shows the country, or -1.
    virtual int slotOf(int country) const = 0;
    // The country slot s shows, or -1.
    virtual int countryOf(int slot) const = 0;
    // Box k (country k) of a slot's row; the civilian box has no k.
    virtual bool box(CampBox kind, int slot, int k) const = 0;
    virtual void setBox(CampBox kind, int slot, int k, bool checked) = 0;
    virtual void enableBox(CampBox kind, int slot, int k, bool enabled) = 0;
    virtual CountryRecord& record(int country) const = 0;
    // Byte 0 of the neutral block: bit c set when the civilians are allied with country c.
    virtual uint8_t& civilianMask() const = 0;
};

class CampRelations {
public:
    // initialParticipants: the countries taking part when the settings opened; neutralUnits: the
    // map has units of the neutral side (else no civilian rule runs).
    CampRelations(CampView& view, int initialParticipants, bool neutralUnits);

    // After loading a page, a change of participation or a page change.
    void updateRelationEnables();
    // After a click; the box already shows its new state.
    void onAllianceClicked(int slot, int k);
    void onPactClicked(int slot, int k);
    void onCivilianClicked(int slot);
    // After a participant was set to "不参戦" (its controller is already 0).
    void onCountryLeft();

    bool pactAllowed(int a, int b) const;
    unsigned shownAllianceMask(int country) const;
    unsigned shownCivilianMask() const;
    bool participant(int country) const;
    int participantCount() const;

private:
    bool shownCivilianBit(int country) const;
    // Every country's civilian bit becomes whether it belongs to the target's group.
    void sideCiviliansWith(int target);
    void civilianGroupRule();
    void writeAllianceMasks(const unsigned (&masks)[8]);

    CampView& m_view;
    int m_initialParticipants = 0;
    bool m_neutralUnits = false;
};
