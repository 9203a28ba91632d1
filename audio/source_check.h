// The check a WAV file must pass before it becomes the current source.
#pragma once

// Opens path and walks its RIFF structure. On acceptance records the file's
// rate, channel count and data length in g_sourceFormat, derives the block
// size from the latency and returns true. On refusal returns false with
// g_sourceFormat untouched and, when refusal is given, points it at the
// message for the user (a static text), which the caller shows.
bool CheckSourceFile(const char* path, const char** refusal = nullptr);
