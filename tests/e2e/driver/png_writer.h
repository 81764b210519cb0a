#pragma once

#include <windows.h>

#include <string>

// Writes the window's current look as a PNG file.
void SaveWindowAsPng(HWND window, const std::wstring& path);
