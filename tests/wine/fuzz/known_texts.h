// The messages the system may answer a file with: the source check's, the
// player's (its start and its refills), read from the product's sources at
// build time (product_texts.py), and every text the wave-out service gives
// for its error codes.
#pragma once
#include <set>
#include <string>

const std::set<std::string>& SourceCheckTexts();
const std::set<std::string>& PlayerStartTexts();
// What a refill may report after Play has returned 0.
const std::set<std::string>& PlayerRefillTexts();
// waveOutGetErrorTextA of every code it knows.
const std::set<std::string>& DeviceTexts();
