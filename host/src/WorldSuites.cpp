// "PF World Suite" versions 2 and 1, and the utils table's new_world / dispose_world.
#include "HostCallbacks_p.h"
#include "aehost/Host.h"
#include "aehost/HostScope.h"
#include "aehost/PixelFormats.h"

namespace aehost {
namespace {

PF_Err newWorld(const char* callback, PF_ProgPtr effectRef, A_long width, A_long height, bool clear,
                PF_PixelFormat format, PF_EffectWorld* world) {
  Host* host = hostForEffect(effectRef, callback);
  if (host == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  const auto problem = [&](const std::string& what) {
    host->recordProblem("[" + std::string(currentActivity()) + "] " + callback + ": " + what);
  };
  if (world == nullptr) {
    problem("NULL world pointer");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (!isWorldFormat(format)) {
    problem("pixel format " + formatName(format) + " is not one a world can have");
    *world = PF_EffectWorld{};
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (const PF_Err fault = injectedFault(host, "newWorld")) {
    *world = PF_EffectWorld{};
    return fault;
  }
  return host->worlds().create(width, height, format, clear, WorldOwner::Effect, world);
}

PF_Err disposeWorld(const char* callback, PF_ProgPtr effectRef, PF_EffectWorld* world) {
  Host* host = hostForEffect(effectRef, callback);
  if (host == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  return host->worlds().dispose(world, callback, WorldOwner::Effect);
}

PF_Err newWorld2(PF_ProgPtr effectRef, A_long width, A_long height, PF_Boolean clear, PF_PixelFormat format,
                 PF_EffectWorld* world) {
  return newWorld("PF_WorldSuite2.PF_NewWorld", effectRef, width, height, clear != 0, format, world);
}

PF_Err disposeWorld2(PF_ProgPtr effectRef, PF_EffectWorld* world) {
  return disposeWorld("PF_WorldSuite2.PF_DisposeWorld", effectRef, world);
}

PF_Err getPixelFormat(const PF_EffectWorld* world, PF_PixelFormat* format) {
  Host* host = currentHost();
  if (host == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (format == nullptr) {
    host->recordProblem("[" + std::string(currentActivity()) + "] PF_WorldSuite2.PF_GetPixelFormat: NULL result pointer");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (const PF_Err fault = injectedFault(host, "getPixelFormat")) {
    *format = PF_PixelFormat_INVALID;
    return fault;
  }
  const auto known = host->worlds().validate(world, "PF_WorldSuite2.PF_GetPixelFormat");
  *format = known ? *known : PF_PixelFormat_INVALID;
  return known ? PF_Err_NONE : PF_Err_BAD_CALLBACK_PARAM;
}

PF_PixelFormat formatFromFlags(PF_NewWorldFlags flags) {
  return (flags & PF_NewWorldFlag_DEEP_PIXELS) != 0 ? PF_PixelFormat_ARGB64 : PF_PixelFormat_ARGB32;
}

PF_Err newWorld1(PF_ProgPtr effectRef, A_long width, A_long height, PF_NewWorldFlags flags, PF_EffectWorld* world) {
  return newWorld("PF_WorldSuite1.new_world", effectRef, width, height, (flags & PF_NewWorldFlag_CLEAR_PIXELS) != 0,
                  formatFromFlags(flags), world);
}

PF_Err disposeWorld1(PF_ProgPtr effectRef, PF_EffectWorld* world) {
  return disposeWorld("PF_WorldSuite1.dispose_world", effectRef, world);
}

}  // namespace

PF_Err utilsNewWorld(PF_ProgPtr effectRef, A_long width, A_long height, PF_NewWorldFlags flags, PF_EffectWorld* world) {
  return newWorld("utils.new_world", effectRef, width, height, (flags & PF_NewWorldFlag_CLEAR_PIXELS) != 0,
                  formatFromFlags(flags), world);
}

PF_Err utilsDisposeWorld(PF_ProgPtr effectRef, PF_EffectWorld* world) {
  return disposeWorld("utils.dispose_world", effectRef, world);
}

const PF_WorldSuite2& worldSuite2() {
  static const PF_WorldSuite2 table{newWorld2, disposeWorld2, getPixelFormat};
  return table;
}

const PF_WorldSuite1& worldSuite1() {
  static const PF_WorldSuite1 table{newWorld1, disposeWorld1};
  return table;
}

}  // namespace aehost
