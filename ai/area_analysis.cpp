// AreaAnalysis creation and deletion for the game state's start-up and shut-down.
#include "ai/area_analysis.h"

AreaAnalysis::AreaAnalysis() = default;

AreaAnalysis::~AreaAnalysis() = default;
