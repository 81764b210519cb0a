// The question before a reservation is stored over another on its tuner.
#include "reservations/tuners/planned_collisions.h"

#include <gtest/gtest.h>

#include "support/december_trigger.h"
#include "support/fake_file_system.h"
#include "reservations/views/reservation_list.h"
#include "support/profiles.h"

namespace {

const LocalMinute kNow = ToLocalMinute(2026, 12, 8, 12, 0);  // Tuesday noon

TaskTrigger Trigger(int type, int day, int hour, int minute, int days_of_the_week = 0) {
  return DecemberTrigger(type, day, hour, minute, days_of_the_week);
}

StoredWorkItem Stored(std::u16string name, std::u16string switches, const TaskTrigger& trigger, std::u16string window,
                      std::uint32_t flags = 0x2000) {
  StoredWorkItem item;
  item.name = std::move(name);
  item.application = u"C:\\tv\\cap_sts.exe";
  item.parameters = u"\"D:\\rec\\x.ts\"" + switches + u" @011 " + window + u" B25";
  item.trigger = trigger;
  item.trigger_count = 1;
  item.flags = flags;
  return item;
}

// The planned reservation: once on Thursday 10 December, 21:00 to 22:00 on tuner 2.
PlannedReservation Planned(TaskTrigger trigger = Trigger(0, 10, 20, 59), std::u16string window = u"21:00-22:00") {
  return {u"NEW", trigger, u"\"D:\\rec\\new.ts\" I2 R2 @011 " + window + u" B25", 0x2000, u"C:\\tv\\cap_sts.exe"};
}

TEST(PlannedCollisions, OnlyWhatWillRecordOnTheSameTunerAtTheSameTimeCounts) {
  const struct {
    const char* what;
    PlannedReservation planned;
    StoredWorkItem stored;
    bool collides;
  } cases[] = {
      {"the tuner written another way", Planned(), Stored(u"A", u" I02", Trigger(0, 10, 21, 29), u"21:30-22:30"), true},
      {"another tuner", Planned(), Stored(u"A", u" I3", Trigger(0, 10, 21, 29), u"21:30-22:30"), false},
      {"tuner 2 of another recorder program", Planned(),
       [] {
         StoredWorkItem bs = Stored(u"A", u" I2", Trigger(0, 10, 21, 29), u"21:30-22:30");
         bs.application = u"C:\\tv\\cap_sts_bs.exe";
         return bs;
       }(),
       false},
      {"the default tuner", Planned(), Stored(u"A", u"", Trigger(0, 10, 21, 29), u"21:30-22:30"), false},
      {"back to back within the lead", Planned(), Stored(u"A", u" I2", Trigger(0, 10, 21, 59), u"22:00-23:00"), true},
      {"a gap as long as the lead", Planned(), Stored(u"A", u" I2", Trigger(0, 10, 22, 0), u"22:01-23:00"), false},
      {"the planned one's recorder starting as the stored one ends", Planned(),
       Stored(u"A", u" I2", Trigger(0, 10, 19, 59), u"20:00-21:00"), true},
      {"switched off", Planned(), Stored(u"A", u" I2", Trigger(0, 10, 21, 29), u"21:30-22:30", 0x2004), false},
      {"ended", Planned(), Stored(u"A", u" I2", Trigger(0, 1, 21, 29), u"21:30-22:30"), false},
      {"replaced or a duplicate", Planned(), Stored(u"NEW", u" I2", Trigger(0, 10, 21, 29), u"21:30-22:30"), false},
      {"its own name as Windows matches it", Planned(), Stored(u"new", u" I2", Trigger(0, 10, 21, 29), u"21:30-22:30"),
       false},
      {"weekly against once 10 days ahead", Planned(Trigger(2, 8, 20, 59, 0x20), u"21:00-22:00"),
       Stored(u"A", u" I2", Trigger(0, 18, 21, 29), u"21:30-22:30"), true},
      {"beyond 14 days", Planned(), Stored(u"A", u" I2", Trigger(0, 25, 21, 29), u"21:30-22:30"), false},
      {"lead across midnight", Planned(Trigger(0, 10, 23, 58), u"00:03-00:30"),
       Stored(u"A", u" I2", Trigger(0, 10, 23, 59), u"00:00-00:10"), true},
      {"not a recorder", Planned(),
       [] {
         auto item = Stored(u"A", u" I2", Trigger(0, 10, 21, 29), u"21:30-22:30");
         item.application = u"C:\\backup.exe";
         return item;
       }(),
       false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindPlannedCollisions(c.planned, {c.stored}, {}, kNow).size(), c.collides ? 1u : 0u) << c.what;
  }
}

TEST(PlannedCollisions, TheQuestionNamesEachWithItsFirstOverlappingRecording) {
  std::vector<StoredWorkItem> stored;
  for (int i = 0; i < 7; ++i) {
    stored.push_back(Stored(std::u16string(1, static_cast<char16_t>(u'G' - i)), u" I2", Trigger(0, 10, 20, 50 + i),
                            u"20:5" + std::u16string(1, static_cast<char16_t>(u'1' + i)) + u"-21:30"));
  }
  stored.push_back(Stored(u"weekly", u" I2", Trigger(2, 1, 21, 44, 0x10), u"21:45-22:15"));
  const auto all = FindPlannedCollisions(Planned(), stored, {}, kNow);
  ASSERT_EQ(all.size(), 8u);
  EXPECT_EQ(all[0],
            (PlannedCollision{u"G", {ToLocalMinute(2026, 12, 10, 20, 51), ToLocalMinute(2026, 12, 10, 21, 30)}}));
  EXPECT_EQ(all[7].recording.start, ToLocalMinute(2026, 12, 10, 21, 45));
  EXPECT_EQ(CollisionQuestion(u"NEW", {all[7]}),
            u"「NEW」は同じチューナーの次の予約と時間が重なります。\r\n"
            u"「weekly」 2026/12/10 21:45～22:15\r\nこのまま登録しますか？");
  const std::u16string seven = CollisionQuestion(u"NEW", std::vector(all.begin(), all.begin() + 7));
  EXPECT_NE(seven.find(u"「C」 2026/12/10 20:55～21:30\r\nほか 2 件\r\nこのまま登録しますか？"), std::u16string::npos);
  EXPECT_EQ(seven.find(u"「B」"), std::u16string::npos);
  const std::u16string five = CollisionQuestion(u"NEW", std::vector(all.begin(), all.begin() + 5));
  EXPECT_NE(five.find(u"「C」 2026/12/10 20:55～21:30\r\nこのまま登録しますか？"), std::u16string::npos);
  // Series that meet every day are named once each, with the first meeting.
  const auto daily = FindPlannedCollisions(Planned(Trigger(1, 10, 20, 59)),
                                           {Stored(u"毎日A", u" I2", Trigger(1, 10, 20, 59), u"21:00-21:30"),
                                            Stored(u"毎日B", u" I2", Trigger(1, 11, 21, 29), u"21:30-22:30")},
                                           {}, kNow);
  ASSERT_EQ(daily.size(), 2u);
  EXPECT_EQ(daily[0].recording.start, ToLocalMinute(2026, 12, 10, 21, 0));
  EXPECT_EQ(daily[1].recording.start, ToLocalMinute(2026, 12, 11, 21, 30));
}

// Back to back on one tuner, the question says whose recorder starts
// before which one ends.
TEST(PlannedCollisions, TheQuestionNamesARecorderStartingBeforeTheEarlierEnds) {
  const auto later = FindPlannedCollisions(Planned(Trigger(0, 10, 20, 58)),
                                           {Stored(u"前", u" I2", Trigger(0, 10, 19, 59), u"20:00-21:00")}, {}, kNow);
  const auto earlier =
      FindPlannedCollisions(Planned(), {Stored(u"後", u" I2", Trigger(0, 10, 21, 57), u"22:00-23:00")}, {}, kNow);
  EXPECT_EQ(CollisionQuestion(u"NEW", later),
            u"「NEW」は同じチューナーの次の予約と時間が重なります。\r\n「前」 2026/12/10 20:00～21:00 "
            u"(この予約の録画プログラムは、その終わる 2 分前に起動します)\r\nこのまま登録しますか？");
  EXPECT_EQ(CollisionQuestion(u"NEW", earlier),
            u"「NEW」は同じチューナーの次の予約と時間が重なります。\r\n「後」 2026/12/10 22:00～23:00 "
            u"(その録画プログラムは、この予約の終わる 3 分前に起動します)\r\nこのまま登録しますか？");
}

// The tuners profiles of the same recorder program could take instead: in
// tab order, each free for every recording of the planned reservation's span.
TEST(PlannedCollisions, FreeTunersComeFromProfilesOfTheSameProgramFreeForTheWholeSpan) {
  ProfileArray profiles = Profiles({{u"地デジ2", u"C:\\tv\\cap_sts.exe", u"2"},
                                    {u"BS", u"C:\\tv\\cap_sts_bs.exe", u"1"},
                                    {u"地デジ1", u"C:\\TV\\cap_sts.exe", u"01"},
                                    {u"地デジ3", u"C:\\tv\\cap_sts.exe", u"3"},
                                    {u"地デジ既定", u"C:\\tv\\cap_sts.exe", u"0"}});
  for (RecordingProfile& profile : profiles) profile.folder = u"E:\\rec";
  profiles[2].folder = u"E:\\one";
  const auto on = [](const char16_t* tuner, int day) {
    return Stored(u"busy", tuner, Trigger(0, day, 21, 29), u"21:30-22:30");
  };
  const struct {
    const char* what;
    TaskTrigger planned;  // 21:00 to 22:00 on tuner 2
    std::vector<StoredWorkItem> stored;
    std::vector<int> free;           // the profiles offered, in tab order
    const char16_t* gone = nullptr;  // a path the file system says is not there
    int profile_count = 5;
  } cases[] = {
      {"every other tuner of the program", Trigger(0, 10, 20, 59), {}, {2, 3, 4}},
      {"tuner 1 busy", Trigger(0, 10, 20, 59), {on(u" I1", 10)}, {3, 4}},
      {"tuner 1 busy later in the span", Trigger(1, 10, 20, 59), {on(u" I1", 20)}, {3, 4}},
      {"tuner 1 busy after the span", Trigger(1, 10, 20, 59), {on(u" I1", 26)}, {2, 3, 4}},
      {"only the default tuner free", Trigger(0, 10, 20, 59), {on(u" I1", 10), on(u" I3", 10)}, {4}},
      {"none free; another program's tuner is never offered",
       Trigger(0, 10, 20, 59),
       {on(u" I1", 10), on(u" I3", 10), on(u"", 10)},
       {}},
      {"tuner 1's folder gone", Trigger(0, 10, 20, 59), {}, {3, 4}, u"E:\\one"},
      {"tuner 1's recorder gone", Trigger(0, 10, 20, 59), {}, {3, 4}, u"C:\\TV\\cap_sts.exe"},
      {"a profile past the count is none", Trigger(0, 10, 20, 59), {on(u" I1", 10), on(u" I3", 10)}, {}, nullptr, 4},
  };
  // A recorder only a slot past the count names is no recorder of ours.
  const ProfileArray two = Profiles({{u"A", u"C:\\tv\\cap_sts.exe", u"1"}, {u"B", u"D:\\tools\\rec.exe", u"1"}});
  EXPECT_FALSE(RunsARecorder(u"D:\\tools\\rec.exe", RecorderPathsOf(two, 1)));
  EXPECT_TRUE(RunsARecorder(u"D:\\tools\\rec.exe", RecorderPathsOf(two, 2)));
  for (const auto& c : cases) {
    FakeFileSystem disk;
    if (c.gone) disk.kinds[c.gone] = PathKind::Missing;
    const std::vector<FreeTuner> free =
        FreeProfiles(Planned(c.planned), c.stored, profiles, c.profile_count, kNow, disk);
    std::vector<int> offered;
    for (const FreeTuner& tuner : free) offered.push_back(tuner.profile);
    EXPECT_EQ(offered, c.free) << c.what;
    EXPECT_EQ(FindFreeProfile(Planned(c.planned), c.stored, profiles, c.profile_count, kNow, disk),
              free.empty() ? std::nullopt : std::optional(free.front()))
        << c.what;
  }
  FakeFileSystem disk;
  EXPECT_EQ(FreeProfiles(Planned(), {}, profiles, 5, kNow, disk),
            (std::vector<FreeTuner>{{2, u"地デジ1", u"01"}, {3, u"地デジ3", u"3"}, {4, u"地デジ既定", u"既定"}}));
}

}  // namespace
