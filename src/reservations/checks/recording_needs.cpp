#include "reservations/checks/recording_needs.h"

namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool IsLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// "X:\..." or "\\server\share\...": a path that names the same place
// whatever folder a program starts in.
bool IsFullPath(std::u16string_view path) {
  if (path.size() >= 3 && IsLetter(path[0]) && path[1] == u':' && IsSeparator(path[2])) return true;
  return path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2]);
}

bool SurelyNot(PathKind kind, PathKind wanted) { return kind != wanted && kind != PathKind::Unknown; }

}  // namespace

std::u16string OutputFolderOf(std::u16string_view output_path) {
  if (!IsFullPath(output_path)) return {};
  const std::size_t last = output_path.find_last_of(u"\\/");
  // The root of a drive keeps its separator: "C:" alone is the drive's current folder.
  return std::u16string(output_path.substr(0, last == 2 ? 3 : last));
}

std::vector<MissingNeed> MissingNeeds(std::u16string_view application, std::u16string_view output_path,
                                      FileSystemFacts& facts) {
  std::vector<MissingNeed> missing;
  if (IsFullPath(application) && SurelyNot(facts.KindOf(application), PathKind::File))
    missing.push_back({Need::Recorder, std::u16string(application)});
  const std::u16string folder = OutputFolderOf(output_path);
  if (!folder.empty() && SurelyNot(facts.KindOf(folder), PathKind::Folder)) missing.push_back({Need::Folder, folder});
  return missing;
}

std::u16string MissingNeedWord(Need need) { return need == Need::Recorder ? u"録画プログラムなし" : u"保存先なし"; }

std::u16string MissingNeedLines(std::u16string_view name, const std::vector<MissingNeed>& missing) {
  std::u16string lines;
  for (const MissingNeed& need : missing) {
    lines += u"「" + std::u16string(name) + (need.need == Need::Recorder ? u"」の録画プログラム " : u"」の録画先 ") +
             need.path + u" がありません。\r\n";
  }
  return lines;
}
