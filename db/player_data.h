// The player's own data per game in table usergames: favourites and play
// statistics. Every call runs on the user-interface thread, never while a
// background task holds the connection.
#pragma once

#include <cstdint>

#include "db/database.h"

namespace quillet {

// Fills Extra.Favourite, TimesPlayed, LastPlayed and SecondsPlayed (and the
// column texts) of every record in the list from usergames; records of
// games without a row keep zeros. Safe on the reload's worker thread.
void ApplyPlayerData(GameRecordList& list);

// Reads one game's row into `extras` (zeros when it has none); false when
// the catalogue could not be read.
bool ReadPlayerData(const char* romName, GameExtras& extras);

// Each write makes the game's row when it has none; false when the
// catalogue refused.
bool StoreFavourite(const char* romName, bool favourite);
// One more start, at `when` ("YYYY-MM-DD HH:MM:SS").
bool StoreGameStart(const char* romName, const char* when);
bool StorePlayTime(const char* romName, uint32_t seconds);

}  // namespace quillet
