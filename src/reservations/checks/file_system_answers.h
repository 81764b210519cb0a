#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "platform/file_system_facts.h"

// The questions one reading of the reservations asks of the file system,
// each once however many rows share a recorder or a folder.
struct FileSystemQuestions {
  std::set<std::u16string, std::less<>> kinds;
  std::set<std::u16string, std::less<>> stamps;
  std::set<std::u16string, std::less<>> spaces;
  bool empty() const { return kinds.empty() && stamps.empty() && spaces.empty(); }
  friend bool operator==(const FileSystemQuestions&, const FileSystemQuestions&) = default;
};

// What the file system answered so far.
struct FileSystemAnswers {
  std::map<std::u16string, PathKind, std::less<>> kinds;
  std::map<std::u16string, std::optional<FileStamp>, std::less<>> stamps;
  std::map<std::u16string, std::optional<VolumeSpace>, std::less<>> spaces;
  void Take(const FileSystemAnswers& more);
  friend bool operator==(const FileSystemAnswers&, const FileSystemAnswers&) = default;
};

// The file system as far as it has answered. A question with no answer yet
// is treated as a share that did not answer (Unknown, nothing), and noted:
// the checks run once on nothing learn what they will ask.
class AnsweredFacts final : public FileSystemFacts {
 public:
  explicit AnsweredFacts(const FileSystemAnswers& answers) : answers_(answers) {}

  PathKind KindOf(std::u16string_view path) override;
  std::optional<FileStamp> StampOf(std::u16string_view path) override;
  std::optional<VolumeSpace> SpaceOf(std::u16string_view folder) override;
  std::optional<std::vector<ListedFile>> FilesIn(std::u16string_view folder) override;

  const FileSystemQuestions& unanswered() const { return unanswered_; }

 private:
  const FileSystemAnswers& answers_;
  FileSystemQuestions unanswered_;
};

// Asks `facts` each question, the files of one folder through one listing
// of it (a file outside a full path's folder is not asked after), and hands each answer to `take` as it comes: a folder
// that never answers holds back only what was asked after it.
void AnswerQuestions(const FileSystemQuestions& questions, FileSystemFacts& facts,
                     const std::function<void(const FileSystemAnswers&)>& take);
