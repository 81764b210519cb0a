#include "platform/text_file.h"

#include <algorithm>
#include <array>

#include "platform/code_page.h"
#include "platform/file_access.h"

namespace {

// Gathers units into pieces and hands each finished piece on.
class LinePieceSplitter {
 public:
  explicit LinePieceSplitter(const LinePieceHandler& handler) : handler_(handler) {}

  // False once the handler wants no more.
  bool Add(std::u16string_view units) {
    for (char16_t c : units) {
      if (stopped_) break;
      if (carriage_return_) {
        carriage_return_ = false;
        if (c != u'\n') Push(u'\r');
        if (stopped_) break;
      }
      if (c == u'\r') {
        carriage_return_ = true;
      } else {
        Push(c);
      }
    }
    return !stopped_;
  }

  void Finish() {
    if (carriage_return_ && !stopped_) Push(u'\r');
    if (!piece_.empty() && !stopped_) Emit();
  }

 private:
  void Push(char16_t c) {
    piece_.push_back(c);
    if (c == u'\n' || piece_.size() == kMaxLinePiece) Emit();
  }
  void Emit() {
    const std::size_t nul = piece_.find(u'\0');
    if (nul != std::u16string::npos) piece_.resize(nul);
    stopped_ = !handler_(piece_);
    piece_.clear();
  }

  const LinePieceHandler& handler_;
  std::u16string piece_;
  bool carriage_return_ = false;  // held until we know whether a line feed follows
  bool stopped_ = false;
};

bool IsLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// How many of `bytes` (which begin on a character) can be decoded without
// cutting a double-byte character in two. A byte below 0x40 is never the
// second half of one, so the text up to the last such byte always can;
// only a run of such bytes without any is split by pairing from the start.
std::size_t WholeCharacters(std::string_view bytes) {
  const auto last_single =
      std::find_if(bytes.rbegin(), bytes.rend(), [](char b) { return static_cast<unsigned char>(b) < 0x40; });
  if (last_single != bytes.rend()) return static_cast<std::size_t>(bytes.rend() - last_single);
  std::size_t at = 0;
  while (at < bytes.size()) {
    const std::size_t length = IsLeadByte(static_cast<unsigned char>(bytes[at])) ? 2 : 1;
    if (at + length > bytes.size()) break;
    at += length;
  }
  return at;
}

}  // namespace

void ForEachLinePiece(std::u16string_view text, const LinePieceHandler& handler) {
  LinePieceSplitter pieces(handler);
  if (pieces.Add(text)) pieces.Finish();
}

bool ReadLinePieces(std::u16string_view path, const LinePieceHandler& handler) {
  auto file = InputFile::Open(path);
  if (!file) return false;
  LinePieceSplitter pieces(handler);
  std::array<char, 65536> block;
  std::string bytes;
  while (const std::size_t got = file->Read(block)) {
    bytes.append(block.data(), got);
    const std::size_t whole = WholeCharacters(bytes);
    if (!pieces.Add(DecodeCodePage932(std::string_view(bytes).substr(0, whole)))) return true;
    bytes.erase(0, whole);
  }
  if (file->failed()) return false;
  if (bytes.empty() || pieces.Add(DecodeCodePage932(bytes))) pieces.Finish();
  return true;
}
