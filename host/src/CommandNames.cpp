#include "aehost/CommandNames.h"

#include <array>
#include <mutex>
#include <set>
#include <string>

namespace aehost {

std::string_view commandName(PF_Cmd cmd) {
  static constexpr std::array<std::string_view, 29> kNames = {
      "PF_Cmd_ABOUT",
      "PF_Cmd_GLOBAL_SETUP",
      "PF_Cmd(2)",
      "PF_Cmd_GLOBAL_SETDOWN",
      "PF_Cmd_PARAMS_SETUP",
      "PF_Cmd_SEQUENCE_SETUP",
      "PF_Cmd_SEQUENCE_RESETUP",
      "PF_Cmd_SEQUENCE_FLATTEN",
      "PF_Cmd_SEQUENCE_SETDOWN",
      "PF_Cmd_DO_DIALOG",
      "PF_Cmd_FRAME_SETUP",
      "PF_Cmd_RENDER",
      "PF_Cmd_FRAME_SETDOWN",
      "PF_Cmd_USER_CHANGED_PARAM",
      "PF_Cmd_UPDATE_PARAMS_UI",
      "PF_Cmd_EVENT",
      "PF_Cmd_GET_EXTERNAL_DEPENDENCIES",
      "PF_Cmd_COMPLETELY_GENERAL",
      "PF_Cmd_QUERY_DYNAMIC_FLAGS",
      "PF_Cmd_AUDIO_RENDER",
      "PF_Cmd_AUDIO_SETUP",
      "PF_Cmd_AUDIO_SETDOWN",
      "PF_Cmd_ARBITRARY_CALLBACK",
      "PF_Cmd_SMART_PRE_RENDER",
      "PF_Cmd_SMART_RENDER",
      "PF_Cmd_RESERVED1",
      "PF_Cmd_RESERVED2",
      "PF_Cmd_RESERVED3",
      "PF_Cmd_GET_FLATTENED_SEQUENCE_DATA",
  };
  const auto index = static_cast<long long>(cmd);
  if (index >= 0 && index < static_cast<long long>(kNames.size())) return kNames[static_cast<std::size_t>(index)];
  // Unnamed values are rare; interned so the text lives as long as the promise says.
  static std::mutex mutex;
  static std::set<std::string> interned;
  const std::lock_guard lock(mutex);
  return *interned.insert("PF_Cmd(" + std::to_string(index) + ")").first;
}

}  // namespace aehost
