#pragma once

#include <vector>

#include "win32/windows_api.h"

// Keeps controls where they belong while the window is resized: each may
// follow the right or the bottom edge, or stretch with it.
class AnchoredLayout {
 public:
  enum Anchor : unsigned { kStretchWidth = 1, kStretchHeight = 2, kFollowRight = 4, kFollowBottom = 8 };

  // Takes the controls' places in the dialog as it opened.
  void Add(HWND dialog, int id, unsigned anchors);
  void Arrange(HWND dialog, int client_width, int client_height) const;
  // The smallest size the window may take: the one it opened with.
  SIZE minimum_size() const { return minimum_; }
  void Remember(HWND dialog);

 private:
  struct Item {
    int id;
    unsigned anchors;
    RECT rect;  // in the client area as the dialog opened
  };
  std::vector<Item> items_;
  SIZE client_{};
  SIZE minimum_{};
};
