#include "reservations/checks/file_system_answers.h"

#include <vector>

#include "platform/letter_case.h"
#include "reservations/checks/recording_needs.h"

namespace {

template <class Map>
void TakeInto(Map& into, const Map& more) {
  for (const auto& [key, value] : more) into.insert_or_assign(key, value);
}

template <class Map, class Answer>
Answer Known(const Map& answers, std::u16string_view path, std::set<std::u16string, std::less<>>& unanswered,
             Answer none) {
  const auto found = answers.find(path);
  if (found != answers.end()) return found->second;
  unanswered.emplace(path);
  return none;
}

// One folder's kind and its files' stamps, from one listing of it, handed
// on together: a run is judged on both or on neither.
FileSystemAnswers FolderAnswers(const std::u16string& folder, const std::vector<std::u16string_view>& paths,
                                FileSystemFacts& facts) {
  FileSystemAnswers answers;
  const PathKind kind = facts.KindOf(folder);
  const auto listing = kind == PathKind::Folder ? facts.FilesIn(folder) : std::nullopt;
  // A folder there whose listing is refused, like one that did not
  // answer, tells nothing of its files: its runs are not judged.
  const bool told = listing || (kind != PathKind::Folder && kind != PathKind::Unknown);
  answers.kinds.emplace(folder, told ? kind : PathKind::Unknown);
  if (!told) return answers;
  for (const std::u16string_view path : paths) {
    const std::u16string_view name = path.substr(path.find_last_of(u"\\/") + 1);
    std::optional<FileStamp> stamp;
    for (const ListedFile& file : listing.value_or(std::vector<ListedFile>())) {
      if (EqualInWindowsNameCase(file.name, name)) stamp = file.stamp;
    }
    answers.stamps.emplace(path, stamp);
  }
  return answers;
}

}  // namespace

void FileSystemAnswers::Take(const FileSystemAnswers& more) {
  TakeInto(kinds, more.kinds);
  TakeInto(stamps, more.stamps);
  TakeInto(spaces, more.spaces);
}

PathKind AnsweredFacts::KindOf(std::u16string_view path) {
  return Known(answers_.kinds, path, unanswered_.kinds, PathKind::Unknown);
}

std::optional<FileStamp> AnsweredFacts::StampOf(std::u16string_view path) {
  return Known(answers_.stamps, path, unanswered_.stamps, std::optional<FileStamp>());
}

std::optional<VolumeSpace> AnsweredFacts::SpaceOf(std::u16string_view folder) {
  return Known(answers_.spaces, folder, unanswered_.spaces, std::optional<VolumeSpace>());
}

// The checks ask for files one by one; their folders are listed in answering.
std::optional<std::vector<ListedFile>> AnsweredFacts::FilesIn(std::u16string_view) { return std::nullopt; }

void AnswerQuestions(const FileSystemQuestions& questions, FileSystemFacts& facts,
                     const std::function<void(const FileSystemAnswers&)>& take) {
  // Only a file in a full path's folder is asked after.
  std::map<std::u16string, std::vector<std::u16string_view>> by_folder;
  for (const std::u16string& path : questions.stamps) {
    const std::u16string folder = OutputFolderOf(path);
    if (!folder.empty()) by_folder[folder].push_back(path);
  }
  for (const auto& [folder, paths] : by_folder) take(FolderAnswers(folder, paths, facts));
  for (const std::u16string& path : questions.kinds) {
    if (by_folder.contains(path)) continue;
    FileSystemAnswers answer;
    answer.kinds.emplace(path, facts.KindOf(path));
    take(answer);
  }
  for (const std::u16string& folder : questions.spaces) {
    FileSystemAnswers answer;
    answer.spaces.emplace(folder, facts.SpaceOf(folder));
    take(answer);
  }
}
