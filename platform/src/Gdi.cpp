// Bitmaps from module resources and device contexts that record what is drawn: nothing is
// painted, but tests can see what would have been.
#include <cstring>

#include "DesktopState.h"

namespace win32standin {

std::vector<StretchBltCall> stretchBlts() {
  auto& d = detail::desktop();
  std::lock_guard lock(d.mutex);
  return d.stretchBlts;
}

int liveGdiObjects() {
  auto& d = detail::desktop();
  std::lock_guard lock(d.mutex);
  return static_cast<int>(d.bitmaps.size() + d.deviceContexts.size());
}

}  // namespace win32standin

using win32standin::detail::desktop;

namespace {
// What a new memory context holds before anything is selected into it.
const HGDIOBJ kStockBitmap = reinterpret_cast<HGDIOBJ>(std::uintptr_t{0x1});
}  // namespace

HANDLE WINAPI LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int, int, UINT) {
  if (type != IMAGE_BITMAP) return nullptr;
  const auto bitmap = win32standin::detail::findBitmap(instance, win32standin::detail::resourceNumber(name));
  if (!bitmap) return nullptr;
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  const auto handle = d.newHandle<HGDIOBJ>();
  d.bitmaps.emplace(handle, win32standin::detail::Bitmap{*bitmap});
  return handle;
}

BOOL WINAPI DeleteObject(HGDIOBJ object) {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  return d.bitmaps.erase(object) == 1 ? TRUE : FALSE;
}

int WINAPI GetObjectA(HGDIOBJ object, int size, LPVOID buffer) {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  const auto it = d.bitmaps.find(object);
  if (it == d.bitmaps.end()) return 0;
  if (buffer == nullptr) return static_cast<int>(sizeof(BITMAP));
  if (size < static_cast<int>(sizeof(BITMAP))) return 0;
  const auto& bitmap = it->second.size;
  BITMAP info{};
  info.bmWidth = bitmap.width;
  info.bmHeight = bitmap.height;
  info.bmWidthBytes = ((bitmap.width * bitmap.bitsPerPixel + 15) / 16) * 2;  // rows of whole words
  info.bmPlanes = 1;
  info.bmBitsPixel = static_cast<WORD>(bitmap.bitsPerPixel);
  std::memcpy(buffer, &info, sizeof info);
  return static_cast<int>(sizeof info);
}

HDC WINAPI CreateCompatibleDC(HDC) {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  const HDC dc = d.newHandle<HDC>();
  d.deviceContexts.emplace(dc, win32standin::detail::DeviceContext{kStockBitmap, 1});
  return dc;
}

BOOL WINAPI DeleteDC(HDC dc) {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  return d.deviceContexts.erase(dc) == 1 ? TRUE : FALSE;
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  const auto it = d.deviceContexts.find(dc);
  if (it == d.deviceContexts.end() || (object != kStockBitmap && d.bitmaps.count(object) == 0)) return nullptr;
  const HGDIOBJ previous = it->second.selected;
  it->second.selected = object;
  return previous;
}

int WINAPI SetStretchBltMode(HDC dc, int mode) {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  const auto it = d.deviceContexts.find(dc);
  if (it == d.deviceContexts.end()) return 0;
  const int previous = it->second.stretchMode;
  it->second.stretchMode = mode;
  return previous;
}

BOOL WINAPI StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int, int, int sourceWidth,
                       int sourceHeight, DWORD rop) {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  const auto target = d.deviceContexts.find(destination);
  const auto from = d.deviceContexts.find(source);
  if (target == d.deviceContexts.end() || from == d.deviceContexts.end()) return FALSE;
  win32standin::StretchBltCall call{};
  call.destination = RECT{x, y, x + width, y + height};
  call.sourceWidth = sourceWidth;
  call.sourceHeight = sourceHeight;
  call.stretchMode = target->second.stretchMode;
  call.rop = rop;
  if (const auto bitmap = d.bitmaps.find(from->second.selected); bitmap != d.bitmaps.end()) {
    call.bitmapWidth = bitmap->second.size.width;
    call.bitmapHeight = bitmap->second.size.height;
  }
  d.stretchBlts.push_back(call);
  return TRUE;
}
