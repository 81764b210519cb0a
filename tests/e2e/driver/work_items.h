#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "scheduler/job_file.h"

class AppUnderTest;

// Work items in the Task Scheduler's folder of the Wine prefix, read with the
// program's own reader.
std::wstring WorkItemPath(const std::wstring& name);
std::string ReadBytes(const std::wstring& path);
// The work item of that name, which must exist with exactly one trigger.
JobFile ReadWorkItem(const std::wstring& name);
bool WorkItemExists(const std::wstring& name);
void DeleteWorkItem(const std::wstring& name);
// Empties the Task Scheduler's folder, for scenarios that look at all of it.
void DeleteAllWorkItems();
// A recorder's work item written straight into the Task Scheduler's folder,
// as another program or an older Windows may have left it: the way to
// store what Halvorn never registers. What Wine 8's Task Scheduler does with
// such files, measured:
// - NewWorkItem and Activate refuse a name with a dot (E_INVALIDARG), but
//   Enum lists such files: a dotted work item is copied into place, never
//   registered, and only a reader of the file itself sees what it holds.
// - It takes the work item's flags (TASK_FLAG_DISABLED among them), its
//   trigger's flags and end date, the exit code, the status, the last run
//   time and the running instance count from the file, so patching a copied
//   file switches an item off, ends it, or makes it look run or running.
// - Its service starts the application of any enabled trigger that is due or
//   was missed: the recorder named here is an empty file, from which no
//   process starts.
// - A work item opened with Activate and saved again keeps, byte for byte,
//   its UUID, author, comment, user data, idle minutes, priority, run
//   limit, exit code, status, last run time, flags and triggers; the save
//   writes its own product version (6.1), no retries, eight bytes of
//   reserved data and a signature. Activate finds a name in any letter
//   case, answers 0x80070002 for a missing file and 0x8004130E for a file
//   that is no work item, and GetAccountInformation of what it opened
//   answers 0x80070002.
// - A new work item given two triggers, TASK_EVENT_TRIGGER_AT_LOGON (7) and
//   a daily one, is saved with both, in that order, and its run limit
//   (SetMaxRunTime) with them.
// - Shell_NotifyIconW with NIF_INFO: Wine 8's explorer draws the icon at the
//   right end of its taskbar ("Shell_TrayWnd", no window of the icon's own)
//   and the balloon as a visible tooltip ("tooltips_class32") above it. A
//   click at the taskbar's right end reaches the icon's owner as
//   WM_LBUTTONUP through its callback message.
// The recorder programs (empty files) and the output folders the
// scenarios' profiles and the sample settings name, there as on a user's
// PC: one that is missing is a warning of its own.
void PrepareRecorders();
// A file of that size whose bytes take no room: a recording as large as a
// test needs.
void WriteSparseFile(const std::wstring& path, std::uint64_t size);
JobFile RecorderWorkItem(const std::wstring& parameters, const SYSTEMTIME& begin, int type = 0, int days = 0);
void StoreWorkItemFile(const std::wstring& name, const JobFile& job);
// A reservation of ＮＨＫ総合 on that day, as a guide site writes one, with
// Halvorn's own tuner line.
std::string Reservation(const SYSTEMTIME& day, const std::wstring& title, const char* start, const char* end,
                        const char* tuner);
// Halvorn asked before storing `name` and was told いいえ: nothing is stored
// and it stays open. 登録 again with はい stores it and says so; then
// Halvorn is closed.
void ExpectNoStoresNothingAndYesStores(AppUnderTest& app, const std::wstring& name);
// The Halvorn that the viewer's 編集 opened, once its dialog answers.
HWND WaitForHalvornOfEdit();

class InstallFolder;
class ViewerUnderTest;
// An unattended registration of `reservation` that must end by itself.
void RegisterUnattended(const InstallFolder& install, const std::string& reservation);
// 編集 on the viewer's row `name`, then `change` in that Halvorn and 登録,
// which must say nothing; that Halvorn is closed afterwards.
void EditAndRegister(ViewerUnderTest& viewer, const std::wstring& name, void (*change)(AppUnderTest&));
inline void EditAndRegisterUnchanged(ViewerUnderTest& viewer, const std::wstring& name) {
  EditAndRegister(viewer, name, [](AppUnderTest&) {});
}

// The local date `days` from today, at the given time.
SYSTEMTIME DaysFromToday(int days, int hour = 0, int minute = 0);

// A work item of another program than the recorder, as other software
// registers them, through the Task Scheduler itself.
void RegisterOtherProgram(const std::wstring& name);
// A readable account of a work item, one field a line.
std::wstring DescribeWorkItem(const JobFile& job);

std::wstring Wide(const std::u16string& text);
// Text as the settings and reservation files hold it: code page 932.
std::string Cp932(const std::wstring& text);

// The lines of an INI file that carry something, blank lines and line ends
// aside, each ending in CR LF.
std::string SignificantLines(const std::string& bytes);
