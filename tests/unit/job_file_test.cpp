// The work item file: what we write reads back, and what Wine's Task
// Scheduler wrote gives back the trigger that was registered.
#include "scheduler/job_file.h"

#include <gtest/gtest.h>

#include <random>

#include "support/stored_shape.h"
#include "support/temp_folder.h"

namespace {

TEST(JobFile, AWorkItemWineStoredGivesBackItsWeeklyTrigger) {
  // Registered under Wine as weekly on Monday, Wednesday and Friday, on a
  // Tuesday (whose box stays ticked), starting 21:29.
  const std::string bytes = ReadTestData("wine_weekly.job");
  const auto stored = ReadStoredTrigger(bytes);
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, 2);
  EXPECT_EQ(stored->days & 0x7F, 0x2E);
  // The two bytes at the very end are the job signature's, not the trigger's.
  EXPECT_EQ(bytes[bytes.size() - 16], 0);

  const auto job = ParseJobFile(bytes);
  ASSERT_TRUE(job);
  EXPECT_EQ(job->application_name, u"C:\\nonexistent\\cap_sts.exe");
  EXPECT_EQ(job->working_directory, u"C:\\rec");
  EXPECT_EQ(job->flags, 0x3002u);
  ASSERT_EQ(job->triggers.size(), 1u);
  EXPECT_EQ(job->triggers[0].start_hour, 21);
  EXPECT_EQ(job->triggers[0].start_minute, 29);
  EXPECT_EQ(job->triggers[0].type_data[0], 1);
}

TEST(JobFile, WhatWeWriteReadsBackAndEndsWithItsTrigger) {
  JobFile job;
  job.application_name = u"C:\\tv\\cap_sts.exe";
  job.parameters = u"\"D:\\rec\\録画.ts\" @101";
  job.flags = 0x2002;
  JobTrigger trigger;
  trigger.begin_year = 2026;
  trigger.type = 1;
  trigger.type_data = {1, 0, 0};
  job.triggers.push_back(trigger);
  const std::string bytes = SerializeJobFile(job);
  const auto back = ParseJobFile(bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->parameters, job.parameters);
  EXPECT_EQ(back->triggers[0].begin_year, 2026);
  EXPECT_EQ(bytes[bytes.size() - 16], 1);          // the trigger type, 16 bytes before the end
  EXPECT_EQ(bytes[20], kJobFixedSectionSize + 2);  // the application name follows the instance count

  job.triggers.push_back(trigger);
  job.triggers.back().begin_year = 2027;
  const auto two = ParseJobFile(SerializeJobFile(job));
  ASSERT_TRUE(two);
  ASSERT_EQ(two->triggers.size(), 2u);
  EXPECT_EQ(two->triggers[1].begin_year, 2027);

  EXPECT_FALSE(ParseJobFile(bytes.substr(0, 67)));
  EXPECT_FALSE(ParseJobFile(bytes.substr(0, bytes.size() - 1)));
  EXPECT_FALSE(ReadStoredTrigger(std::string(15, '\0')));
}

// Every part, ours and other programs', reads back as written, and the
// trigger is found in a file that ends with it.
TEST(JobFile, EveryPartReadsBackAsWritten) {
  std::mt19937 random(7);
  for (int i = 0; i < 20; ++i) {
    JobFile job = HalvornMadeJob(u"2", u"011", i % 3, 21 * 60, 5);
    GiveOtherParts(job, random);
    const std::string bytes = SerializeJobFile(job);
    EXPECT_EQ(ParseJobFile(bytes), job) << i;
    const auto stored = ReadStoredTrigger(bytes);
    ASSERT_TRUE(stored) << i;
    EXPECT_EQ(stored->type, static_cast<int>(job.triggers[0].type));
    EXPECT_EQ(stored->days, job.triggers[0].type_data[1] & 0xFF);
  }
}

TEST(JobFile, TheStoredTriggerIsReadFromItsOwnBytesOnly) {
  JobFile job;
  job.comment = std::u16string(30000, u'c');  // a large work item
  JobTrigger trigger;
  trigger.type = 2;
  trigger.type_data = {1, 0x14, 0};
  job.triggers.push_back(trigger);
  const std::string bytes = SerializeJobFile(job) + std::string(68, '\0');
  std::size_t read = 0;
  const auto from = [&](std::string_view file) {
    read = 0;
    return ReadStoredTrigger(file.size(), [&read, file](std::uint64_t offset, std::span<char> buffer) {
      read += buffer.size();
      return file.substr(static_cast<std::size_t>(offset), buffer.size()).copy(buffer.data(), buffer.size()) ==
             buffer.size();
    });
  };
  const auto stored = from(bytes);
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, 2);
  EXPECT_EQ(stored->days, 0x14);
  EXPECT_EQ(read, 2u + 2u + kJobTriggerSize);

  // A header that points past the file: the bytes before the end.
  std::string broken = SerializeJobFile(job);
  broken[22] = broken[23] = '\xFF';
  const auto fallback = from(broken);
  ASSERT_TRUE(fallback);
  EXPECT_EQ(fallback->type, 2);
  EXPECT_EQ(read, 2u + 16u);
  // No trigger in the header's place (a count of 0): the bytes before the end.
  std::string no_count = SerializeJobFile(job);
  const std::size_t first = static_cast<unsigned char>(no_count[22]) | (static_cast<unsigned char>(no_count[23]) << 8);
  no_count[first] = 0;
  ASSERT_TRUE(from(no_count));
  EXPECT_EQ(read, 2u + 2u + kJobTriggerSize + 16u);
  // A file of no more than the header: the trigger the header points into.
  std::string header_only(kJobFixedSectionSize, '\0');
  header_only[0] = 1;          // a count of triggers at offset 0
  header_only[2 + 32] = 2;     // type
  header_only[2 + 38] = 0x7F;  // days
  header_only[kJobFixedSectionSize - 16] = 1;
  const auto inside = ReadStoredTrigger(header_only);
  ASSERT_TRUE(inside);
  EXPECT_EQ(inside->type, 2);
  EXPECT_EQ(inside->days, 0x7F);
  // A file that cannot be read gives nothing.
  EXPECT_FALSE(ReadStoredTrigger(bytes.size(), [](std::uint64_t, std::span<char>) { return false; }));
}

}  // namespace
