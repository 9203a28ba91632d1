// player.dll: the playback engine (qbx_player_engine) behind the export
// table of player_*.def. The DLL needs no start-up or shut-down code of its
// own; this unit only anchors the target.
#include "player/player.h"
