// Work item files kept beside the program: read again only where a file
// changed, and never answering for a file as it no longer is.
#include "reservations/stored/work_item_cache.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>

#include "reservations/stored/stored_work_items.h"
#include "support/fake_task_scheduler.h"
#include "support/stored_shape.h"
#include "support/temp_folder.h"

namespace {

constexpr std::int64_t kNow = 1796731200;  // 2026-12-08 12:00 UTC
constexpr std::int64_t kLastWeek = kNow - 7 * 86400;

// The cases change the folder as other programs would, so all is public.
class WorkItemCacheTest : public ::testing::Test {
 public:
  WorkItemCacheTest() { UseFolder("Tasks"); }

  void UseFolder(const std::string& name) {
    folder = name;
    std::filesystem::create_directories(temp / folder);
    scheduler.tasks_folder = temp.WindowsPath(folder);
    access = {scheduler.tasks_folder, temp.WindowsPath("Halvorn_tasks.cache"), kNow + StampShift()};
  }
  // A clock faked for the whole process shifts the times files report by
  // as much: "now" is shifted with them.
  std::int64_t StampShift() const {
    const auto probe = temp / "probe";
    std::ofstream(probe) << "x";
    std::filesystem::last_write_time(
        probe, std::chrono::file_clock::from_sys(std::chrono::sys_seconds(std::chrono::seconds(kNow))));
    return FileStampOf(temp.WindowsPath("probe"))->write_time / 10'000'000 - kNow;
  }

  std::filesystem::path FileOf(const std::u16string& name) const {
    return temp / folder / (std::string(name.begin(), name.end()) + ".job");
  }
  // Stores a work item recording on `tuner`, its file written at `written`.
  void Store(const std::u16string& name, const std::u16string& tuner, std::int64_t written) {
    scheduler.saved[name] = HalvornMadeJob(tuner, u"011", 1, 21 * 60, 1);
    WriteFileBytes(scheduler.tasks_folder + u"\\" + name + u".job", SerializeJobFile(scheduler.saved[name]));
    SetWritten(name, written);
  }
  void SetWritten(const std::u16string& name, std::int64_t seconds) const {
    const auto at = std::chrono::sys_seconds(std::chrono::seconds(seconds));
    std::filesystem::last_write_time(FileOf(name), std::chrono::file_clock::from_sys(at));
  }
  std::vector<StoredWorkItem> Read(const WorkItemFileAccess& where) {
    std::vector<StoredWorkItem> items;
    EXPECT_EQ(ReadStoredWorkItems(scheduler, items, where), 0);
    return items;
  }
  // What the Task Scheduler itself answers: the truth the cache must keep to.
  std::vector<StoredWorkItem> Truth() { return Read({}); }

  TempFolder temp;
  std::string folder;
  FakeTaskScheduler scheduler;
  WorkItemFileAccess access;
};

TEST_F(WorkItemCacheTest, AFileAsItWasIsNotOpenedAgain) {
  Store(u"one", u"1", kLastWeek);
  Store(u"two", u"2", kLastWeek);
  ASSERT_EQ(Read(access), Truth());
  // The same size and write time, other bytes: only a kept copy answers with the old ones.
  const auto before = Read(access);
  Store(u"two", u"3", kLastWeek);
  scheduler.calls.clear();
  const auto kept = temp / "Halvorn_tasks.cache";
  std::filesystem::last_write_time(kept, std::filesystem::last_write_time(kept) - std::chrono::hours(1));
  const auto kept_at = std::filesystem::last_write_time(kept);
  EXPECT_EQ(Read(access), before);
  EXPECT_EQ(std::count(scheduler.calls.begin(), scheduler.calls.end(), "Activate"), 0);
  EXPECT_EQ(std::filesystem::last_write_time(kept), kept_at) << "an unchanged cache is written again";
}

TEST_F(WorkItemCacheTest, NeverAnswersForAFileAsItNoLongerIs) {
  const struct {
    const char* what;
    std::function<void(WorkItemCacheTest&)> change;
  } cases[] = {
      {"written again at another time", [](WorkItemCacheTest& t) { t.Store(u"two", u"3", kLastWeek + 60); }},
      {"written again to another size at the same time",
       [](WorkItemCacheTest& t) { t.Store(u"two", u"33", kLastWeek); }},
      {"written again within the tick of a file read as it had just been written",
       [](WorkItemCacheTest& t) {
         t.Store(u"three", u"3", kNow - 1);
         t.Read(t.access);
         t.Store(u"three", u"4", kNow - 1);
       }},
      {"removed", [](WorkItemCacheTest& t) { t.scheduler.Remove(u"two"); }},
      {"the kept file damaged",
       [](WorkItemCacheTest& t) {
         std::string kept = *ReadFileBytes(t.access.cache_path, 1 << 20);
         kept[kept.size() / 2] ^= 1;
         WriteFileBytes(t.access.cache_path, kept);
         t.Store(u"two", u"3", kLastWeek);
       }},
      {"the kept file cut short",
       [](WorkItemCacheTest& t) {
         const std::string kept = *ReadFileBytes(t.access.cache_path, 1 << 20);
         WriteFileBytes(t.access.cache_path, kept.substr(0, kept.size() - 1));
         t.Store(u"two", u"3", kLastWeek);
       }},
      {"another Tasks folder of files named, sized and written alike",
       [](WorkItemCacheTest& t) {
         t.UseFolder("Tasks2");
         t.Store(u"one", u"1", kLastWeek);
         t.Store(u"two", u"3", kLastWeek);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (const char* made : {"Tasks", "Tasks2", "Halvorn_tasks.cache"}) std::filesystem::remove_all(temp / made);
    scheduler.saved.clear();
    UseFolder("Tasks");
    Store(u"one", u"1", kLastWeek);
    Store(u"two", u"2", kLastWeek);
    Read(access);
    c.change(*this);
    EXPECT_EQ(Read(access), Truth());
  }
}

}  // namespace
