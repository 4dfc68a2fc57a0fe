#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "HostCallbacks_p.h"
#include "Unsimulated_p.h"
#include "aehost/Host.h"
#include "aehost/HostScope.h"

namespace aehost {
namespace {

// --- memory handles ---

PF_Handle hostNewHandle(A_u_longlong size) {
  Host* host = currentHost();
  if (host == nullptr || injectedFault(host, "hostNewHandle") != PF_Err_NONE) return nullptr;
  return host->handles().create(size, HandleOwner::Effect);
}

void* hostLockHandle(PF_Handle handle) {
  Host* host = currentHost();
  if (host == nullptr || injectedFault(host, "hostLockHandle") != PF_Err_NONE) return nullptr;
  return host->handles().lock(handle);
}

void hostUnlockHandle(PF_Handle handle) {
  if (Host* host = currentHost()) host->handles().unlock(handle);
}

void hostDisposeHandle(PF_Handle handle) {
  if (Host* host = currentHost()) host->handles().dispose(handle);
}

A_u_longlong hostGetHandleSize(PF_Handle handle) {
  Host* host = currentHost();
  return host == nullptr ? 0 : host->handles().sizeOf(handle);
}

PF_Err hostResizeHandle(A_u_longlong newSize, PF_Handle* handle) {
  Host* host = currentHost();
  if (host == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (const PF_Err fault = injectedFault(host, "hostResizeHandle")) return fault;
  return host->handles().resize(newSize, handle);
}

// --- platform data ---

PF_Err getPlatformData(PF_ProgPtr effectRef, PF_PlatDataID which, void* data) {
  Host* host = currentHost();
  if (host == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  const std::string prefix = "[" + std::string(currentActivity()) + "] get_platform_data: ";
  if (effectRef == nullptr || effectRef != currentEffectRef()) {
    host->recordProblem(prefix + "effect_ref is not the one passed in in_data");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (data == nullptr) {
    host->recordProblem(prefix + "NULL result pointer");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (const PF_Err fault = injectedFault(host, "getPlatformData")) return fault;
  if (which == PF_PlatData_MAIN_WND) {
    const std::uintptr_t window = host->options().mainWindowHandle;
    *static_cast<void**>(data) = reinterpret_cast<void*>(window != 0 ? window : host->mainWindow());
    return PF_Err_NONE;
  }
  host->recordProblem(prefix + "not yet simulated: data id " + std::to_string(static_cast<long long>(which)));
  return PF_Err_BAD_CALLBACK_PARAM;
}

// --- ANSI ---

// Unbounded, like the callback After Effects provides: the effect sizes the buffer.
int ansiSprintf(A_char* buffer, const A_char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  const int written = std::vsprintf(buffer, format, arguments);
  va_end(arguments);
  return written;
}

A_char* ansiStrcpy(A_char* destination, const A_char* source) { return std::strcpy(destination, source); }

A_FpLong ansiAtan(A_FpLong x) { return std::atan(x); }
A_FpLong ansiAtan2(A_FpLong y, A_FpLong x) { return std::atan2(y, x); }
A_FpLong ansiCeil(A_FpLong x) { return std::ceil(x); }
A_FpLong ansiCos(A_FpLong x) { return std::cos(x); }
A_FpLong ansiExp(A_FpLong x) { return std::exp(x); }
A_FpLong ansiFabs(A_FpLong x) { return std::fabs(x); }
A_FpLong ansiFloor(A_FpLong x) { return std::floor(x); }
A_FpLong ansiFmod(A_FpLong x, A_FpLong y) { return std::fmod(x, y); }
A_FpLong ansiHypot(A_FpLong x, A_FpLong y) { return std::hypot(x, y); }
A_FpLong ansiLog(A_FpLong x) { return std::log(x); }
A_FpLong ansiLog10(A_FpLong x) { return std::log10(x); }
A_FpLong ansiPow(A_FpLong x, A_FpLong y) { return std::pow(x, y); }
A_FpLong ansiSin(A_FpLong x) { return std::sin(x); }
A_FpLong ansiSqrt(A_FpLong x) { return std::sqrt(x); }
A_FpLong ansiTan(A_FpLong x) { return std::tan(x); }
A_FpLong ansiAsin(A_FpLong x) { return std::asin(x); }
A_FpLong ansiAcos(A_FpLong x) { return std::acos(x); }

PF_ANSICallbacks makeAnsiCallbacks() {
  PF_ANSICallbacks ansi{};
  ansi.atan = ansiAtan;
  ansi.atan2 = ansiAtan2;
  ansi.ceil = ansiCeil;
  ansi.cos = ansiCos;
  ansi.exp = ansiExp;
  ansi.fabs = ansiFabs;
  ansi.floor = ansiFloor;
  ansi.fmod = ansiFmod;
  ansi.hypot = ansiHypot;
  ansi.log = ansiLog;
  ansi.log10 = ansiLog10;
  ansi.pow = ansiPow;
  ansi.sin = ansiSin;
  ansi.sqrt = ansiSqrt;
  ansi.tan = ansiTan;
  ansi.sprintf = ansiSprintf;
  ansi.strcpy = ansiStrcpy;
  ansi.asin = ansiAsin;
  ansi.acos = ansiAcos;
  return ansi;
}

PF_ColorCallbacks makeColorCallbacks() {
  PF_ColorCallbacks colorCB{};
  AEHOST_UNSIMULATED(colorCB, RGBtoHLS);
  AEHOST_UNSIMULATED(colorCB, HLStoRGB);
  AEHOST_UNSIMULATED(colorCB, RGBtoYIQ);
  AEHOST_UNSIMULATED(colorCB, YIQtoRGB);
  AEHOST_UNSIMULATED(colorCB, Luminance);
  AEHOST_UNSIMULATED(colorCB, Hue);
  AEHOST_UNSIMULATED(colorCB, Lightness);
  AEHOST_UNSIMULATED(colorCB, Saturation);
  return colorCB;
}

}  // namespace

PF_UtilCallbacks makeUtilCallbacks() {
  PF_UtilCallbacks utils{};
  AEHOST_UNSIMULATED(utils, begin_sampling);
  AEHOST_UNSIMULATED(utils, subpixel_sample);
  AEHOST_UNSIMULATED(utils, area_sample);
  AEHOST_UNSIMULATED(utils, end_sampling);
  AEHOST_UNSIMULATED(utils, composite_rect);
  AEHOST_UNSIMULATED(utils, blend);
  AEHOST_UNSIMULATED(utils, convolve);
  utils.copy = utilsCopy;
  utils.fill = utilsFill;
  AEHOST_UNSIMULATED(utils, gaussian_kernel);
  AEHOST_UNSIMULATED(utils, iterate);
  AEHOST_UNSIMULATED(utils, premultiply);
  AEHOST_UNSIMULATED(utils, premultiply_color);
  utils.new_world = utilsNewWorld;
  utils.dispose_world = utilsDisposeWorld;
  AEHOST_UNSIMULATED(utils, iterate_origin);
  AEHOST_UNSIMULATED(utils, iterate_lut);
  utils.transfer_rect = utilsTransferRect;
  AEHOST_UNSIMULATED(utils, transform_world);
  utils.host_new_handle = hostNewHandle;
  utils.host_lock_handle = hostLockHandle;
  utils.host_unlock_handle = hostUnlockHandle;
  utils.host_dispose_handle = hostDisposeHandle;
  AEHOST_UNSIMULATED(utils, get_callback_addr);
  AEHOST_UNSIMULATED(utils, app);
  utils.ansi = makeAnsiCallbacks();
  utils.colorCB = makeColorCallbacks();
  utils.get_platform_data = getPlatformData;
  utils.host_get_handle_size = hostGetHandleSize;
  AEHOST_UNSIMULATED(utils, iterate_origin_non_clip_src);
  AEHOST_UNSIMULATED(utils, iterate_generic);
  utils.host_resize_handle = hostResizeHandle;
  AEHOST_UNSIMULATED(utils, subpixel_sample16);
  AEHOST_UNSIMULATED(utils, area_sample16);
  utils.fill16 = utilsFill16;
  AEHOST_UNSIMULATED(utils, premultiply_color16);
  AEHOST_UNSIMULATED(utils, iterate16);
  AEHOST_UNSIMULATED(utils, iterate_origin16);
  AEHOST_UNSIMULATED(utils, iterate_origin_non_clip_src16);
  AEHOST_UNSIMULATED(utils, get_pixel_data8);
  AEHOST_UNSIMULATED(utils, get_pixel_data16);
  return utils;
}

}  // namespace aehost
