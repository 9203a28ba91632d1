// The check a WAV file must pass before it becomes the current source.
#pragma once

// Opens path and walks its RIFF structure. On acceptance records the file's
// rate, channel count and data length in g_sourceFormat, derives the block
// size from the latency and returns true. On refusal shows one message box
// and returns false with g_sourceFormat untouched.
bool CheckSourceFile(const char* path);
