#pragma once

#include <string_view>

// A work item is named by its file in the Tasks folder, "NAME.job". Dots
// are part of the name: "ドラマ....job" is the work item "ドラマ...".

// Whether `file_name` can only name a file inside the Tasks folder: not
// empty, no path separator or drive, not "." or "..", and no device
// (reading "COM1" waits on a serial port for ever).
bool NamesAWorkItemFile(std::u16string_view file_name);

// The work item's name: the file name without its final ".job", in any
// letter case, as Windows matches file names.
std::u16string_view WorkItemNameOf(std::u16string_view file_name);

// The file name Windows opens for `file_name`: trailing dots and blanks
// are not part of a file name there, so "ドラマ.job." and "ドラマ.job "
// open "ドラマ.job".
std::u16string_view AsWindowsOpensIt(std::u16string_view file_name);
