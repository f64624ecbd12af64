// The country a computer country aims its advance at.
#pragma once

class GameState;

constexpr int kNoTargetCountry = 8;

// Whether the other country is hostile to the country and still in play.
bool isLiveEnemy(GameState& state, int country, int other);
// Keeps the country's stored target while it is a live enemy; otherwise stores and answers the
// nearest live enemy by the distance between home hexes (ties drawn from the game's pool), or 8
// when none is left. The neutral side keeps no target.
int chooseTargetCountry(GameState& state, int country);
