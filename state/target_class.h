// TargetClass: what a weapon's power and a unit type's defence are given against.
#pragma once

#include <cstdint>

constexpr int kTargetClassCount = 9;
// A unit type states its defence against the classes before the warheads.
constexpr int kDefendedClassCount = 7;

enum TargetClass : uint8_t {
    kTargetVeryHighAir = 0,
    kTargetHighAir = 1,
    kTargetLowAir = 2,
    kTargetArmoured = 3,
    kTargetSeaSurface = 4,
    kTargetUndersea = 5,
    kTargetOtherLand = 6,
    kTargetWarhead = 7,
    kTargetLowWarhead = 8,
};

// The master files list per-class values in this order of classes: other land before the sea.
constexpr TargetClass kMasterColumnClass[kTargetClassCount] = {
    kTargetVeryHighAir, kTargetHighAir, kTargetLowAir, kTargetArmoured, kTargetOtherLand,
    kTargetSeaSurface, kTargetUndersea, kTargetWarhead, kTargetLowWarhead,
};
