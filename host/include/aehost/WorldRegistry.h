#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "AE_Effect.h"
#include "AE_EffectPixelFormat.h"
#include "aehost/Countdown.h"
#include "aehost/Image.h"
#include "aehost/ProblemLog.h"

namespace aehost {


// Who must dispose a world: the effect disposes what it made through the world suites; the
// host disposes the input, output and checked-out worlds it hands out, and an effect that
// disposes one of those is told off.
enum class WorldOwner { Host, Effect };

struct WorldInfo {
  std::uint64_t serial = 0;  // creation order, 1-based, for messages
  A_long width = 0;
  A_long height = 0;
  A_long rowbytes = 0;
  PF_PixelFormat format = PF_PixelFormat_ARGB32;
  WorldOwner owner = WorldOwner::Effect;
  std::string createdDuring;
};

// Every world the host made, found again by the pixel memory a PF_EffectWorld points at (so
// copies of the struct, and sub-worlds pointing into a known world, are recognised).
//
// Layout: rows of rowbytes = width * pixel size + the row padding (default 32 bytes, a
// multiple of 16 so every pixel type divides it), so effects that assume tightly packed rows
// break in tests. Guard bytes before the first row and after the last, and the padding at the
// end of every row, hold a pattern that is checked when the world is disposed, when a render
// releases it, and by the audit: writes outside the pixels are caught. Disposed worlds are
// remembered until their memory is reused, so a second dispose is recognised.
class WorldRegistry {
 public:
  explicit WorldRegistry(ProblemLog& problems);
  ~WorldRegistry();
  WorldRegistry(const WorldRegistry&) = delete;
  WorldRegistry& operator=(const WorldRegistry&) = delete;

  void setRowPaddingBytes(A_long bytes);  // throws std::invalid_argument unless a multiple of 16, >= 0
  A_long rowPaddingBytes() const;
  // Off: writes into the row padding go unreported (the guards before and after still count).
  void setCheckRowPadding(bool check);
  // Pixels of worlds made without clearing start as this byte (nullopt: as malloc leaves them).
  void setUnclearedFill(std::optional<std::uint8_t> fill);

  // Fault injection: the n-th next allocation (by the effect or the host) fails with `err`.
  void failNthAllocation(int n, PF_Err err = PF_Err_OUT_OF_MEMORY);

  // Fills *world. On failure *world is zeroed and the error returned; sizes below 1 are
  // PF_Err_BAD_CALLBACK_PARAM. `clear` zeroes every channel.
  // With `memory`, the world's memory (guards included) comes from that pool and goes back to
  // it, unless disposeIntoImage hands it on.
  PF_Err create(A_long width, A_long height, PF_PixelFormat format, bool clear, WorldOwner owner, PF_EffectWorld* world,
                std::shared_ptr<ImageMemoryPool> memory = nullptr);
  // A read-only world of the image's size and format holding its pixels, made once per image
  // (and row padding) and handed out again to every render that asks while the image lives:
  // a layer's pixels are the same frame after frame, and copying them each time is a pass
  // over the whole frame. Its pages are read-only (an effect writing its input crashes at the
  // write), it is not PF_WorldFlag_WRITEABLE, and each holder disposes it as usual.
  PF_Err createHolding(const std::shared_ptr<const Image>& image, WorldOwner owner, PF_EffectWorld* world);
  // `by` is who disposes it: the effect may dispose only its own worlds. Problems name `callback`.
  PF_Err dispose(const PF_EffectWorld* world, std::string_view callback, WorldOwner by);
  // Disposes a live world made with pool memory and rows without padding, handing its pixels
  // to an image as they lie, without a copy (guards checked first, as by dispose); the
  // image's bytes go back to the pool when it goes. Any other world: nullopt, left as it is.
  std::optional<Image> disposeIntoImage(const PF_EffectWorld& world, std::string_view callback);

  // The format of a live known world whose struct stays inside its memory; otherwise nullopt
  // and a problem naming the callback.
  std::optional<PF_PixelFormat> validate(const PF_EffectWorld* world, std::string_view callback);
  std::optional<WorldInfo> info(const PF_EffectWorld& world) const;  // live worlds only
  std::vector<WorldInfo> liveWorlds() const;

  // A problem for each guard the world's memory has damaged, naming `when`.
  void checkGuards(const PF_EffectWorld& world, std::string_view when);
  // Effect-made worlds never disposed, damaged guards of live worlds.
  void audit(std::vector<std::string>& out) const;

 private:
  struct Entry;
  enum class Contents { Cleared, Uncleared, Image };
  PF_Err make(A_long width, A_long height, PF_PixelFormat format, Contents contents, const Image* image,
              WorldOwner owner, PF_EffectWorld* world, const std::shared_ptr<const Image>* sharedImage = nullptr,
              std::shared_ptr<ImageMemoryPool> memory = nullptr);
  static void fillWorldStruct(const Entry& entry, PF_EffectWorld* world);
  void forgetUnheldSharedWorlds();
  unsigned char* allocate(std::size_t bytes);
  void release(unsigned char* block, std::size_t bytes);
  Entry* locate(const void* address);
  const Entry* locate(const void* address) const;
  void note(std::string_view callback, const std::string& what);
  std::vector<std::string> damage(const Entry& entry) const;

  ProblemLog& problems_;
  mutable std::mutex mutex_;
  std::map<std::uintptr_t, std::unique_ptr<Entry>> entries_;  // by pixel address; live and disposed
  std::uint64_t nextSerial_ = 1;
  A_long rowPadding_ = 32;
  bool checkRowPadding_ = true;
  std::optional<std::uint8_t> unclearedFill_ = std::uint8_t{0xA5};
  // Memory of disposed worlds kept for the next world of the same size: renders make the same
  // worlds frame after frame, and fresh memory costs a page fault per page. (block, bytes)
  std::vector<std::pair<unsigned char*, std::size_t>> spare_;
  Countdown allocationFault_;
  PF_Err allocationFaultErr_ = PF_Err_OUT_OF_MEMORY;
};

std::string describeWorld(const WorldInfo& info);

}  // namespace aehost
