// The unit pictures of "unit16/32/48.bmp": which cell shows which kind of unit.
#pragma once

#include "tools/mkdata/map_sheet_paint.h"

namespace mkdata::units {

// A unit type's imageNumber; cells 28..31 are left for unit types a player adds.
enum Picture : int {
    kHeadquarters = 0,
    kInfantry,
    kArmour,
    kSelfPropelledGun,
    kRocketArtillery,
    kAntiAirGun,
    kAntiAirMissile,
    kSupply,
    kEngineers,
    kArmouredCarrier,
    kBallisticLauncher,
    kCruiseMissile,
    kBallisticMissile,
    kFighter,
    kAttackAircraft,
    kAttackHelicopter,
    kTransportHelicopter,
    kTransportAircraft,
    kElectronicWarfare,
    kDestroyer,
    kSubmarine,
    kTransportShip,
    kLandingShip,
    kCruiser,
    kTorpedoBoat,
    kFrigate,
    kMissileSubmarine,
    kExplosiveBoat,
    kPictureCount
};

// Draws picture `picture` into the cell in blue tones with grey lines; false for a cell
// without a picture.
bool drawUnitPicture(sheet::Cell& cell, int picture);

} // namespace mkdata::units
