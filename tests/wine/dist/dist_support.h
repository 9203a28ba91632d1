// What the tests of the Windows distribution share: where the built archive
// and installer lie, whole-file reading, the Start-menu shortcut, and the
// platform help viewer seen from outside.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/file_helpers.h"

// The files every copy of the program ships, in the archive and installed,
// beside the folder of the HTML manual.
const std::vector<std::string>& ShippedFiles();
// The pages of the HTML manual as the build staged them ("manual\" folder).
std::vector<std::string> ManualPages();
// The names of a program folder: the shipped files and the manual's folder.
std::vector<std::string> ProgramFolderNames();
// Each shipped file and manual page under folder is the staged one; the
// names of those that are not (missing or different).
std::vector<std::string> FilesDifferingFromStaged(const std::string& folder);

// The folder with this build's archive, installer and the staged files
// that both were made from (with a trailing "\").
std::string DistFolder();
std::string StagedFolder();

// Names in a folder, without "." and "..", sorted.
std::vector<std::string> FolderNames(const std::string& folder);

// The target and working folder of a shortcut file; false when it cannot be read.
bool ReadShortcut(const std::string& link, std::string& target, std::string& workingFolder);

// The settings file of the program in the Windows folder.
std::string SettingsFilePath();

// The help viewer's top-level window (class "MS_WINHELP"), visible or not.
HWND HelpViewer();
// The visible help viewer window, or null.
HWND VisibleHelpViewer();
// Ends every viewer still running (a test that failed half-way leaves one).
void EndHelpViewers();
// The text of the topic the viewer shows ("" when it shows none).
std::string ViewerTopicText(HWND viewer);
// Clicks the first link in the topic whose text starts with that text.
bool ClickViewerLink(HWND viewer, const std::string& text);
// A message box of the viewer's process: its text, then answered; "" if none came.
std::string AnswerViewerMessage(DWORD milliseconds);
