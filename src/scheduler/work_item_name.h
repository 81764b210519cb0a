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

// Whether a "TASKNAME: " value names a work item at all: one that Windows
// reduces to nothing ("", ".", "..", ".job", blanks) names none.
bool NamesSomeWorkItem(std::u16string_view value);

// Whether two work item names open one file: Windows compares file names
// without regard to letter case.
bool SameWorkItemName(std::u16string_view a, std::u16string_view b);
