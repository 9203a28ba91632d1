// The checked variant of the code under fuzzing: every LocalAlloc and
// GlobalAlloc block of the patched modules (the source check linked into the
// fuzzer, player.dll) lives in pages of its own, with an inaccessible page
// right behind it (or, in start-aligned placement, right before it). A read
// or write one byte outside the block faults at once; a vectored exception
// handler notes the fault as a finding, opens the page and lets the code go
// on, so one run reports every overrun it meets. The slack between the page
// edge and the block is filled with a canary that is checked when the block
// is freed.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

// Redirects the Local* and Global* imports of module to the guarded blocks
// and installs the exception handler. False when module imports none of
// them.
bool InstallGuardedHeap(HMODULE module);

// End-aligned (the block ends at an inaccessible page: overruns fault) or
// start-aligned (it starts right after one: underruns fault).
void SetGuardPlacement(bool endAligned);

// The number of guarded blocks that exist now, and how many have been made.
size_t LiveGuardedBlocks();
size_t GuardedBlocksMade();

// Makes the nth allocation (1-based) or the nth lock from now on fail, as
// when memory runs out; 0 switches the failure off.
void FailNthAllocation(int n);
void FailNthLock(int n);

// Labels the findings noted from now on (the case being run).
void SetGuardCaseLabel(const std::string& label);

// Every fault and corrupted canary since the last call.
std::vector<std::string> TakeGuardFindings();
