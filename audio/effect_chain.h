// Running one effect of a patch by its id: the same dispatch for playback
// and the mixdown.
#pragma once

// 1 Phaser, 2 Flanger, 3 Chorus, 4 C-Delay process count values in place;
// any other id is skipped.
void RunEffectById(int effectId, double* values, int count);

// True for the ids that RunEffectById runs.
bool IsEffectId(int effectId);
