#include "compose/command_line.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "compose/c_numbers.h"
#include "compose/forbidden_characters.h"

namespace {

class ParameterBuilder {
 public:
  // Each switch with its value, and the string as a whole, stay within what
  // a work item's parameters can hold.
  void Append(std::u16string_view piece) {
    piece = piece.substr(0, kMaxParametersLength);
    const std::size_t room = kMaxParametersLength - text_.size();
    text_.append(piece.substr(0, room));
  }
  void Append(std::u16string_view switch_name, std::u16string_view value) {
    std::u16string piece(switch_name);
    piece += value;
    Append(piece);
  }
  const std::u16string& text() const { return text_; }

 private:
  std::u16string text_;
};

std::u16string TimeWindow(ClockTime start, ClockTime end) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, " %02u:%02u-%02u:%02u", static_cast<unsigned>(start.hour),
                static_cast<unsigned>(start.minute), static_cast<unsigned>(end.hour),
                static_cast<unsigned>(end.minute));
  return std::u16string(buffer, buffer + std::char_traits<char>::length(buffer));
}

}  // namespace

char16_t TunerMark(std::u16string_view id) { return id.empty() ? u'0' : id.front(); }

std::u16string WithTunerMark(std::u16string text, char16_t mark) {
  std::replace(text.begin(), text.end(), u'?', mark);
  return text;
}

void ComposeRecorderCommand(ReservationForm& form, ClockTime start, ClockTime end) {
  std::u16string application(std::u16string_view(form.cap_sts_path).substr(0, 255));
  ReplaceForbiddenCharacters(form.file_name);
  ReplaceForbiddenCharacters(form.registration_name);

  ParameterBuilder parameters;
  parameters.Append(u"\"" + form.folder + u"\\" + form.file_name + form.fileext + u"\"");
  if (ReadDecimal(form.id) != 0.0) {
    parameters.Append(u" I", form.id);
    if (form.flags[rmc] != 0) parameters.Append(u" R", form.id);
  }
  if (form.flags[power_on] != 0) parameters.Append(u" P");
  parameters.Append(u" @", form.channel);
  parameters.Append(TimeWindow(start, end));
  if (form.flags[bcs] != 0) parameters.Append(u" B");
  if (form.flags[b25] != 0) parameters.Append(u" B25");
  if (form.flags[sel] != 0) parameters.Append(u" SEL");
  if (form.flags[vlc] != 0) parameters.Append(u" ", form.vlc_parm);
  if (form.flags[sus] != 0) parameters.Append(u" SUSPEND");
  if (form.flags[power_off] != 0) parameters.Append(u" POFF");

  const char16_t tuner = TunerMark(form.id);
  application = WithTunerMark(std::move(application), tuner);
  const std::u16string parameter_text = WithTunerMark(parameters.text(), tuner);

  form.application_name = application;
  form.parameters = parameter_text;
  form.command_preview = application + u" " + parameter_text;
}
