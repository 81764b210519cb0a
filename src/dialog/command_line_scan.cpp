#include "dialog/command_line_scan.h"

#include <algorithm>

CommandLineRequest ScanCommandLine(std::u16string_view text) {
  constexpr std::size_t kSwitchLength = 6;
  CommandLineRequest request;
  std::size_t at = 0;
  while (at < text.size()) {
    if (text[at] != u'-') {
      request.file_argument = text.substr(at);
      return request;
    }
    if (at + 1 < text.size() && text[at + 1] == u'a') {
      const std::size_t sixth = at + kSwitchLength - 1;
      request.mode =
          sixth < text.size() && text[sixth] == u'1' ? RegistrationMode::Quiet : RegistrationMode::AutoPending;
      at = std::min(at + kSwitchLength, text.size());
    } else {
      // A switch this program does not know is stepped over as a word.
      at = std::min(text.find(u' ', at), text.size());
    }
    while (at < text.size() && text[at] == u' ') ++at;
  }
  // The end came before any file: a switch alone asks for nothing.
  request.mode = RegistrationMode::Normal;
  return request;
}
