// The Windows side of bed_agent.sh: asks the agent beside the test bed for
// what a Windows program cannot do itself (kill or restart PulseAudio, mount
// a small tmpfs, map a drive letter), and names places inside the bed.
#pragma once
#include <windows.h>

#include <string>

// The bed's folder as a Unix path ("" outside the bed) and as a Wine path.
std::string BedUnixFolder();
std::string BedWineFolder();
// A Unix path as the Windows side sees it through drive Z:.
std::string UnixToWinePath(const std::string& unixPath);

// Runs one agent action ("kill-pulse", "mount-small DIR KB"...); true when
// the agent did it with success within the time.
bool BedAction(const std::string& line, DWORD milliseconds = 20000);
