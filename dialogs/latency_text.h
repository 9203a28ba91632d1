// Reading a latency typed into the Preferences dialog. Pure.
#pragma once

// Skips leading blanks, takes one optional sign and the decimal digits up
// to the first other character; 0 when there are no digits. Saturates
// instead of overflowing.
int ParseLatencyText(const char* text);

// True when ms is a latency the program plays with (10..500).
bool IsValidLatency(int ms);

// ms limited to 10..500.
int LimitLatency(int ms);
