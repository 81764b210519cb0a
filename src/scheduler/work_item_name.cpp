#include "scheduler/work_item_name.h"

#include <string>

#include "platform/letter_case.h"

namespace {

bool IsDeviceName(std::u16string_view file_name) {
  // Windows takes a device name before any extension and trailing blanks.
  std::u16string base(file_name.substr(0, file_name.find(u'.')));
  while (!base.empty() && base.back() == u' ') base.pop_back();
  for (char16_t& c : base) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  if (base == u"CON" || base == u"PRN" || base == u"AUX" || base == u"NUL" || base == u"CONIN$" || base == u"CONOUT$") {
    return true;
  }
  if (base.size() == 4 && (base.starts_with(u"COM") || base.starts_with(u"LPT"))) {
    const char16_t number = base[3];
    return (number >= u'1' && number <= u'9') || number == u'\u00B9' || number == u'\u00B2' || number == u'\u00B3';
  }
  return false;
}

}  // namespace

bool NamesAWorkItemFile(std::u16string_view file_name) {
  if (file_name.empty() || file_name == u"." || file_name == u"..") return false;
  if (file_name.find_first_of(u"\\/:") != std::u16string_view::npos) return false;
  return !IsDeviceName(file_name);
}

std::u16string_view WorkItemNameOf(std::u16string_view file_name) {
  constexpr std::u16string_view kExtension = u".job";
  if (file_name.size() >= kExtension.size() &&
      SameWorkItemName(file_name.substr(file_name.size() - kExtension.size()), kExtension)) {
    file_name.remove_suffix(kExtension.size());
  }
  return file_name;
}

std::u16string_view AsWindowsOpensIt(std::u16string_view file_name) {
  const std::size_t last = file_name.find_last_not_of(u". ");
  return last == std::u16string_view::npos ? std::u16string_view{} : file_name.substr(0, last + 1);
}

bool NamesSomeWorkItem(std::u16string_view value) {
  return !AsWindowsOpensIt(WorkItemNameOf(AsWindowsOpensIt(value))).empty();
}

bool SameWorkItemName(std::u16string_view a, std::u16string_view b) { return EqualInWindowsNameCase(a, b); }
