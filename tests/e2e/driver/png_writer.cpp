#include "png_writer.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "app_under_test.h"

namespace {

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  PutBigEndian(out, static_cast<uint32_t>(data.size()));
  std::vector<uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  PutBigEndian(out, Crc32(body.data(), body.size()));
}

// A zlib stream of stored (uncompressed) blocks: larger than need be, but a
// screenshot is written once per test run.
std::vector<uint8_t> StoredZlib(const std::vector<uint8_t>& raw) {
  std::vector<uint8_t> out{0x78, 0x01};
  size_t offset = 0;
  do {
    const size_t block = std::min<size_t>(65535, raw.size() - offset);
    const bool last = offset + block == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<uint8_t>(block));
    out.push_back(static_cast<uint8_t>(block >> 8));
    out.push_back(static_cast<uint8_t>(~block));
    out.push_back(static_cast<uint8_t>(~block >> 8));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(offset),
               raw.begin() + static_cast<std::ptrdiff_t>(offset + block));
    offset += block;
  } while (offset < raw.size());
  uint32_t a = 1, b = 0;
  for (uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  PutBigEndian(out, (b << 16) | a);
  return out;
}

}  // namespace

WindowPixels CaptureWindow(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return CaptureScreenArea(rect);
}

WindowPixels CaptureScreenArea(const RECT& rect) {
  WindowPixels captured;
  captured.width = rect.right - rect.left;
  captured.height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), captured.width, -captured.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, captured.width, captured.height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const auto* bgra = static_cast<const uint8_t*>(bits);
  captured.pixels.reserve(static_cast<size_t>(captured.width) * captured.height);
  for (size_t i = 0; i < static_cast<size_t>(captured.width) * captured.height; ++i) {
    captured.pixels.push_back(RGB(bgra[i * 4 + 2], bgra[i * 4 + 1], bgra[i * 4]));
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return captured;
}

void SaveWindowAsPng(HWND window, const std::wstring& path) { SavePixelsAsPng(CaptureWindow(window), path); }

void SavePixelsAsPng(const WindowPixels& captured, const std::wstring& path) {
  const int width = captured.width, height = captured.height;
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(height) * (1 + 3 * static_cast<size_t>(width)));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < width; ++x) {
      const COLORREF pixel = captured.At(x, y);
      raw.insert(raw.end(), {GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)});
    }
  }

  std::vector<uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutBigEndian(header, static_cast<uint32_t>(width));
  PutBigEndian(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", StoredZlib(raw));
  PutChunk(png, "IEND", {});
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (file == nullptr) throw Failure{L"cannot write " + path};
  fwrite(png.data(), 1, png.size(), file);
  fclose(file);
}

void SaveSettledWindowAsPng(HWND window, const std::wstring& path) {
  Sleep(500);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(500);
  SaveWindowAsPng(window, path);
}
