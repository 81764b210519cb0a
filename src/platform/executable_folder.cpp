#include "platform/executable_folder.h"

namespace {
constexpr std::size_t kMaxPath = 255;
}

std::u16string ExecutableFolder(std::u16string_view executable_path) {
  executable_path = executable_path.substr(0, kMaxPath);
  const std::size_t backslash = executable_path.rfind(u'\\');
  if (backslash == std::u16string_view::npos) return {};
  return std::u16string(executable_path.substr(0, backslash + 1));
}

std::u16string FileBesideExecutable(std::u16string_view executable_path, std::u16string_view file_name) {
  executable_path = executable_path.substr(0, kMaxPath);
  const std::size_t backslash = executable_path.rfind(u'\\');
  std::u16string path(
      executable_path.substr(0, backslash == std::u16string_view::npos ? executable_path.size() : backslash));
  path += u'\\';
  path += file_name;
  return path.substr(0, kMaxPath);
}
