// One parameter of the effect: describes itself to the host, copies its value into the
// ParamRecord, and keeps its default in the user's settings file.
#pragma once

#include <cstdint>

#include "AE_Effect.h"

struct ParamRecord;
class ParamGetter;

class BaseParam {
protected:
  // Takes the next host index from the registry. `tmpl` is the definition the parameter
  // starts from (zeroed when null). The kinds pass a place checked against their value's
  // type (see RecordedParam), or none.
  BaseParam(std::int32_t recordOffset, std::int32_t valueSize, const char* name, const PF_ParamDef* tmpl);

public:
  virtual ~BaseParam();
  BaseParam(const BaseParam&) = delete;
  BaseParam& operator=(const BaseParam&) = delete;

  // Fetches the current value and, given a record, copies valueSize bytes of it there.
  virtual PF_Err readValue(ParamRecord* record, ParamGetter& getter);
  // Hands back a value that readValue checked out into `def`.
  virtual PF_Err releaseValue(ParamGetter& getter);
  // Completes `def` (with the stored default when a settings path is given) and adds it.
  virtual PF_Err addToHost(PF_InData* in_data, A_long id, const char* settingsPath) = 0;
  // Writes the current value of `def` to the settings file as the new default.
  virtual void storeDefault(PF_InData* in_data, const char* settingsPath);
  // A value the host handed over, brought inside the parameter's valid range before the
  // render sees it: After Effects never sends one outside, but a damaged project or another
  // host might, and 2^31 copies or a NaN thickness would hang or poison the render.
  virtual void holdToValidRange(PF_ParamDef& value) const;

  const char* name;
  PF_ParamDef def;
  std::int32_t id;
  std::int32_t index;
  std::int32_t recordOffset;
  std::int32_t valueSize;  // 0: the parameter carries no value (groups)
};
