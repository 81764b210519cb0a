#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Little-endian numbers and counted UTF-16 texts, as the Task Scheduler's
// work item files hold them. A reader that runs past the end stops and
// says so, rather than reading what is not there.

class LittleEndianReader {
 public:
  explicit LittleEndianReader(std::string_view bytes, std::size_t at = 0) : bytes_(bytes), at_(at) {}

  bool ok() const { return ok_; }
  std::size_t position() const { return at_; }

  std::uint16_t U16() { return static_cast<std::uint16_t>(Unsigned(2)); }
  std::uint32_t U32() { return static_cast<std::uint32_t>(Unsigned(4)); }
  std::uint64_t U64() { return Unsigned(8); }
  std::string Bytes(std::size_t count) {
    if (!Has(count)) return {};
    std::string out(bytes_.substr(at_, count));
    at_ += count;
    return out;
  }
  // A count of UTF-16 units including the terminator, then the units.
  std::u16string Text() {
    const std::uint16_t count = U16();
    std::u16string text;
    for (std::uint16_t i = 0; i < count && ok_; ++i) text.push_back(static_cast<char16_t>(U16()));
    if (!text.empty() && text.back() == u'\0') text.pop_back();
    return text;
  }

 private:
  bool Has(std::size_t count) {
    if (at_ + count > bytes_.size()) ok_ = false;
    return ok_;
  }
  std::uint64_t Unsigned(std::size_t size) {
    if (!Has(size)) return 0;
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
      value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes_[at_ + i])) << (8 * i);
    at_ += size;
    return value;
  }

  std::string_view bytes_;
  std::size_t at_;
  bool ok_ = true;
};

class LittleEndianWriter {
 public:
  void U16(std::uint16_t value) { Unsigned(value, 2); }
  void U32(std::uint32_t value) { Unsigned(value, 4); }
  void U64(std::uint64_t value) { Unsigned(value, 8); }
  void Bytes(std::string_view bytes) { out_.append(bytes); }
  // The count is 16 bits and holds the terminator too.
  void Text(std::u16string_view text) {
    text = text.substr(0, 0xFFFE);
    if (text.empty()) {
      U16(0);
      return;
    }
    U16(static_cast<std::uint16_t>(text.size() + 1));
    for (char16_t unit : text) U16(unit);
    U16(0);
  }
  void PatchU16(std::size_t at, std::uint16_t value) {
    out_[at] = static_cast<char>(value & 0xFF);
    out_[at + 1] = static_cast<char>(value >> 8);
  }
  std::size_t size() const { return out_.size(); }
  std::string Take() { return std::move(out_); }

 private:
  void Unsigned(std::uint64_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) out_.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  }
  std::string out_;
};
