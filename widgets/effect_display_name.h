// The names the display shows for the four effects.
#pragma once

// "PHASER", "FLANGER", "CHORUS", "C-DELAY"; null for any other id.
const char* EffectDisplayName(int effectId);
