// Where a parameter's value goes in the ParamRecord. The field's type travels with its place,
// so a parameter can only be bound to a field of the type its value has in the host's value
// union: binding a float slider to a checkbox byte does not compile, instead of reading garbage.
#pragma once

#include <cstdint>
#include <type_traits>

#include "effect/ParamRecord.h"

static_assert(std::is_standard_layout_v<ParamRecord>);

template <typename T>
struct RecordField {
  std::int32_t offset;
  std::int32_t size;
};

// The field named by `member`. offsetof needs the member's name, so the offset is measured on
// a record instead; for a standard-layout struct both give the same number.
template <typename T>
RecordField<T> recordField(T ParamRecord::*member) {
  const ParamRecord probe{};
  const auto* start = reinterpret_cast<const char*>(&probe);
  const auto* field = reinterpret_cast<const char*>(&(probe.*member));
  return RecordField<T>{static_cast<std::int32_t>(field - start), static_cast<std::int32_t>(sizeof(T))};
}
