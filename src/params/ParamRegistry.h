// The process-wide list of parameter objects, built once on the host's first call and only
// read afterwards. It owns the objects.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "AE_Effect.h"

class BaseParam;
class ParamGetter;
struct ParamRecord;

class ParamRegistry {
public:
  static constexpr std::size_t kMaxParams = 16383;

  static ParamRegistry& instance();

  // Deletes every object and resets the index counter, before the list is built again.
  void clear();
  // Takes ownership of a newly created object.
  void append(std::unique_ptr<BaseParam> param);
  // Sorts the lookup table by id once the list is complete.
  void complete();

  // The next host index (index 0 is the input layer).
  std::int32_t takeNextIndex() { return paramCount_++; }
  // The host's num_params: the objects plus the input layer.
  std::int32_t paramCount() const { return paramCount_; }

  // The object at a host index (1..size), or null.
  BaseParam* atIndex(PF_ParamIndex index) const;
  // The host index of the object with this id, or 0.
  PF_ParamIndex indexOfId(A_long id) const;

  // Adds every object to the host in index order, with stored defaults from the settings
  // file when a path is given; num_params is set in any case.
  PF_Err registerWithHost(PF_InData* in_data, PF_OutData* out_data, const char* settingsPath);

  // Reads every value in index order, stopping at the first error; `readCount` tells how
  // many objects fetched a value, so exactly those are handed back.
  PF_Err readAll(ParamRecord* record, ParamGetter& getter, std::size_t& readCount) const;
  PF_Err releaseAll(ParamGetter& getter, std::size_t count) const;

private:
  ParamRegistry() = default;

  std::vector<std::unique_ptr<BaseParam>> byIndex_;  // creation order is index order
  std::vector<BaseParam*> byId_;
  std::int32_t paramCount_ = 1;
};
