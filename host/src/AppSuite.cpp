#include <algorithm>
#include <cstring>

#include "HostCallbacks_p.h"
#include "Unsimulated_p.h"
#include "aehost/Host.h"
#include "aehost/HostScope.h"

namespace aehost {
namespace {

// The caller's buffer holds a tag such as "en_US": five characters and a NUL.
constexpr std::size_t kLanguageTagChars = 5;

PF_Err appGetLanguage(A_char* language) {
  Host* host = currentHost();
  if (host == nullptr || language == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  const std::string& tag = host->options().language;
  const std::size_t length = std::min(tag.size(), kLanguageTagChars);
  std::memcpy(language, tag.data(), length);
  language[length] = '\0';
  return PF_Err_NONE;
}

PFAppSuite5 makeAppSuite() {
  PFAppSuite5 app{};
  AEHOST_UNSIMULATED(app, PF_AppGetBgColor);
  AEHOST_UNSIMULATED(app, PF_AppGetColor);
  app.PF_AppGetLanguage = appGetLanguage;
  AEHOST_UNSIMULATED(app, PF_GetPersonalInfo);
  AEHOST_UNSIMULATED(app, PF_GetFontStyleSheet);
  AEHOST_UNSIMULATED(app, PF_SetCursor);
  AEHOST_UNSIMULATED(app, PF_IsRenderEngine);
  AEHOST_UNSIMULATED(app, PF_AppColorPickerDialog);
  AEHOST_UNSIMULATED(app, PF_GetMouse);
  AEHOST_UNSIMULATED(app, PF_InvalidateRect);
  AEHOST_UNSIMULATED(app, PF_ConvertLocalToGlobal);
  AEHOST_UNSIMULATED(app, PF_GetColorAtGlobalPoint);
  return app;
}

}  // namespace

const PFAppSuite5& appSuite() {
  static const PFAppSuite5 table = makeAppSuite();
  return table;
}

}  // namespace aehost
