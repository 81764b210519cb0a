#include "reservations/checks/reading_checks.h"

#include "reservations/checks/recording_checks.h"

ReadingChecks CheckReading(std::vector<ReservationRow>& rows, RecordingRates& rates, FileSystemFacts& facts,
                           LocalMinute now) {
  const auto files = OutputFilesOf(rows, facts);
  CheckRecordings(rows, files, rates, facts);
  ReadingChecks checks;
  checks.learned = LearnFromGoodRecordings(rows, files, rates);
  checks.shortfalls = FindDiskShortfalls(rows, rates, facts, now);
  return checks;
}

FileSystemQuestions QuestionsOfReading(std::vector<ReservationRow> rows, RecordingRates rates, LocalMinute now) {
  const FileSystemAnswers nothing;
  AnsweredFacts facts(nothing);
  CheckReading(rows, rates, facts, now);
  return facts.unanswered();
}
