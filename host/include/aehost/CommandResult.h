#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "AE_Effect.h"

namespace aehost {

// What one command returned.
struct CommandResult {
  PF_Err err = PF_Err_NONE;
  std::string message;  // out_data->return_msg
  PF_OutData out{};
};

// GET_FLATTENED_SEQUENCE_DATA: the result plus the bytes of the handle it returned, which
// the host then disposed as the owner.
struct FlattenedSequence {
  CommandResult result;
  std::vector<std::byte> bytes;
};

}  // namespace aehost
