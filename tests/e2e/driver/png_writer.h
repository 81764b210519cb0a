#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The window's current look, as the screen shows it.
struct WindowPixels {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;  // row by row from the top
  COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
WindowPixels CaptureWindow(HWND window);
// A part of the screen, whatever windows show there.
WindowPixels CaptureScreenArea(const RECT& rect);
void SavePixelsAsPng(const WindowPixels& pixels, const std::wstring& path);

// Writes the window's current look as a PNG file.
void SaveWindowAsPng(HWND window, const std::wstring& path);
// The same once the window has painted itself whole: the pictures the
// README shows.
void SaveSettledWindowAsPng(HWND window, const std::wstring& path);
