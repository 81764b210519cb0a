#include "platform/text_file.h"

#include "platform/code_page.h"
#include "platform/file_access.h"

std::vector<std::u16string> SplitTextLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  std::u16string piece;
  auto finish_piece = [&] {
    const std::size_t nul = piece.find(u'\0');
    if (nul != std::u16string::npos) piece.resize(nul);
    lines.push_back(std::move(piece));
    piece.clear();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    piece.push_back(c);
    if (c == u'\n' || piece.size() == kMaxLinePiece) finish_piece();
  }
  if (!piece.empty()) finish_piece();
  return lines;
}

std::optional<std::u16string> ReadCodePage932File(std::u16string_view path) {
  const auto bytes = ReadFileBytes(path, kMaxTextFileBytes);
  if (!bytes) return std::nullopt;
  return DecodeCodePage932(*bytes);
}
