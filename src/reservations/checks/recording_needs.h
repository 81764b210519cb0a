#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system_facts.h"

// What a recording needs before it runs: its recorder program and the
// folder its file goes into. The viewer's rows and Halvorn's warning before
// registering both follow these rules.

enum class Need { Recorder, Folder };

struct MissingNeed {
  Need need = Need::Recorder;
  std::u16string path;
  friend bool operator==(const MissingNeed&, const MissingNeed&) = default;
};

// "C:\rec" of "C:\rec\a.ts", "C:\" of "C:\a.ts"; empty where the output path
// is not a full path: the folder it lies in depends on where the recorder
// is started.
std::u16string OutputFolderOf(std::u16string_view output_path);

// The recorder program (its tuner digit filled) and the output folder,
// where the file system surely says they are not there: nothing at the
// path, the other kind of thing at it, or a drive that is not ready. A path
// that is not full, or that the file system gave no answer for, is not
// judged: no warning is better than a false one.
std::vector<MissingNeed> MissingNeeds(std::u16string_view application, std::u16string_view output_path,
                                      FileSystemFacts& facts);

// 状態 of a reservation that lacks it: "録画プログラムなし" or "保存先なし".
std::u16string MissingNeedWord(Need need);
// 「NAME」の録画プログラム PATH がありません。 and 「NAME」の録画先 PATH がありません。,
// each ending its line.
std::u16string MissingNeedLines(std::u16string_view name, const std::vector<MissingNeed>& missing);
