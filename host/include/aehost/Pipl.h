#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace aehost {

// A PiPL that cannot be read: truncated, inconsistent lengths, missing, duplicated keys.
class PiplError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One property exactly as stored; four-char codes as the compiler forms them ('8BIM').
struct PiplProperty {
  std::uint32_t vendor = 0;
  std::uint32_t key = 0;
  std::int32_t id = 0;
  std::vector<std::byte> data;  // padded length as stored
};

// The plug-in property list After Effects reads before it ever calls the module.
struct Pipl {
  std::uint32_t kind = 0;           // 'kind': 'eFKT' for an effect
  std::string name;                 // 'name'
  std::string category;             // 'catg'
  std::string matchName;            // 'eMNA'
  std::string entryPointX64;        // '8664': exported entry point on 64-bit Windows
  std::optional<std::uint32_t> piplVersion;      // 'ePVR', major << 16 | minor
  std::optional<std::uint32_t> specVersion;      // 'eSVR', major << 16 | minor
  std::optional<std::uint32_t> effectVersion;    // 'eVER', the PF_VERSION value
  std::optional<std::uint32_t> infoFlags;        // 'eINF'
  std::optional<std::uint32_t> globalOutFlags;   // 'eGLO'
  std::optional<std::uint32_t> globalOutFlags2;  // 'eGL2'
  std::optional<std::uint32_t> reservedInfo;     // 'aeRD'
  std::vector<PiplProperty> properties;          // every property, known or not, in order
};

// Reads the little-endian resource layout used by 64-bit Windows. Unknown keys are kept in
// `properties` only; a known key that appears twice or has the wrong shape throws PiplError.
Pipl parsePipl(std::span<const std::byte> bytes);

}  // namespace aehost
