#include "framework/About.h"

#include <windows.h>

#include "AE_EffectCB.h"
#include "framework/HostLanguage.h"
#include "resources/PiPL.h"

void writeAboutText(PF_InData* in_data, PF_OutData* out_data) {
  const HostLanguage language = lookUpHostLanguage(in_data);
  const char* notice = localizedString(kStringAboutNotice, language);
  const bool shiftHeld = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  if (shiftHeld) {
    in_data->utils->ansi.sprintf(out_data->return_msg, "%s %d.%d.%d %s build:%d %s\r\r%s", INKLINE_PIPL_NAME,
                                 INKLINE_VERSION_MAJOR, INKLINE_VERSION_MINOR, INKLINE_VERSION_BUGFIX, "Release",
                                 INKLINE_VERSION_BUILD, "", notice);
  } else {
    in_data->utils->ansi.sprintf(out_data->return_msg, "%s %d.%d.%d %s %s\r\r%s", INKLINE_PIPL_NAME,
                                 INKLINE_VERSION_MAJOR, INKLINE_VERSION_MINOR, INKLINE_VERSION_BUGFIX, "Release", "",
                                 notice);
  }
}
