#include "win32/event_translation.h"

namespace win32 {

namespace {

std::optional<TranslatedEvent> FromCommand(WPARAM wparam) {
  const int id = LOWORD(wparam);
  switch (HIWORD(wparam)) {
    case BN_CLICKED:  // also Enter and Esc, as IDOK and IDCANCEL
      return TranslatedEvent{fw::EventKind::Click, id};
    case EN_CHANGE:
      return TranslatedEvent{fw::EventKind::TextChange, id};
    case LBN_SELCHANGE:  // the same code as CBN_SELCHANGE
      return TranslatedEvent{fw::EventKind::SelChange, id};
    case CBN_CLOSEUP:
      return TranslatedEvent{fw::EventKind::CloseUp, id};
    default:
      return std::nullopt;
  }
}

std::optional<TranslatedEvent> FromNotify(const NMHDR& header) {
  const int id = static_cast<int>(header.idFrom);
  switch (header.code) {
    case DTN_DATETIMECHANGE:
      return TranslatedEvent{fw::EventKind::DateTimeChange, id};
    case UDN_DELTAPOS:
      return TranslatedEvent{fw::EventKind::DeltaPos, id, reinterpret_cast<const NMUPDOWN&>(header).iDelta};
    case TCN_SELCHANGE:
      return TranslatedEvent{fw::EventKind::SelChange, id};
    case TCN_SELCHANGING:
      return TranslatedEvent{fw::EventKind::SelChanging, id};
    case MCN_SELECT:
      return TranslatedEvent{fw::EventKind::DateSelect, id};
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<TranslatedEvent> TranslateDialogMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      return TranslatedEvent{fw::EventKind::Paint};
    case WM_QUERYDRAGICON:
      return TranslatedEvent{fw::EventKind::QueryDragIcon};
    case WM_CLOSE:
      return TranslatedEvent{fw::EventKind::Close};
    case WM_COMMAND:
      return FromCommand(wparam);
    case WM_NOTIFY:
      return FromNotify(*reinterpret_cast<const NMHDR*>(lparam));
    default:
      return std::nullopt;
  }
}

}  // namespace win32
