#include "aehost/WorldRegistry.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <utility>

#include <sys/mman.h>
#include <unistd.h>

#include "aehost/HostScope.h"
#include "aehost/Image.h"
#include "aehost/PixelFormats.h"
#include "KeptMemory_p.h"
#include "LargePages_p.h"


namespace aehost {
namespace {

constexpr std::size_t kGuardBytes = 64;  // keeps the pixels at malloc's 16-byte alignment
constexpr unsigned char kGuardValue = 0xFD;
// Larger worlds are refused as out of memory rather than attempted.
constexpr std::uint64_t kMaxPixelBytes = std::uint64_t{1} << 33;

const char* ownerName(WorldOwner owner) { return owner == WorldOwner::Host ? "host" : "effect"; }

// Kept memory of disposed worlds: a few frames' worth at most.
constexpr std::size_t kMaxSpareBlocks = 8;
constexpr std::size_t kMaxSpareBytes = std::size_t{1} << 29;

bool allGuard(const unsigned char* first, std::size_t count) {
  return std::all_of(first, first + count, [](unsigned char b) { return b == kGuardValue; });
}

}  // namespace

struct WorldRegistry::Entry {
  unsigned char* block = nullptr;  // guard, pixels, guard
  // Where the block came from when not from allocate(): the pool it goes back to.
  std::shared_ptr<ImageMemoryPool> pool;
  std::size_t pixelBytes = 0;      // height * rowbytes
  WorldInfo info;
  bool disposed = false;  // for a shared world: no render holds it now

  // A shared world: mapped read-only, kept while its image lives, handed out again.
  bool shared = false;
  std::weak_ptr<const Image> sharedImage;
  int holders = 0;
  std::size_t mappedBytes = 0;

  std::uintptr_t address = 0;     // of the pixels, kept after dispose to recognise the world

  unsigned char* pixels() const { return block + kGuardBytes; }
  std::uintptr_t start() const { return address; }
};

std::string describeWorld(const WorldInfo& info) {
  return "world #" + std::to_string(info.serial) + " (" + std::to_string(info.width) + " x " +
         std::to_string(info.height) + " " + formatName(info.format) + ", " + ownerName(info.owner) +
         "-owned, created during " + info.createdDuring + ")";
}

WorldRegistry::WorldRegistry(ProblemLog& problems) : problems_(problems) {}

WorldRegistry::~WorldRegistry() {
  for (auto& [address, entry] : entries_) {
    if (entry->shared) {
      ::munmap(entry->block, entry->mappedBytes);
    } else if (entry->block != nullptr && entry->pool) {
      entry->pool->give(reinterpret_cast<std::byte*>(entry->block), entry->pixelBytes + 2 * kGuardBytes);
    } else {
      std::free(entry->block);
    }
  }
  for (auto& [block, bytes] : spare_) {
    markInUse(block, bytes);
    std::free(block);
  }
}

unsigned char* WorldRegistry::allocate(std::size_t bytes) {
  {
    const std::lock_guard lock(mutex_);
    const auto found = std::find_if(spare_.begin(), spare_.end(), [&](const auto& s) { return s.second == bytes; });
    if (found != spare_.end()) {
      unsigned char* block = found->first;
      spare_.erase(found);
      markInUse(block, bytes);
      return block;
    }
  }
  // Every world's pixels start at the same place within a page (kGuardBytes in): a row copied
  // from one world to another then never has its loads wait on stores to an address that
  // looks the same to the cache (4K aliasing), which slows a copy down severalfold.
  constexpr std::size_t kPage = 4096;
  const std::size_t rounded = (bytes + kPage - 1) / kPage * kPage;
  auto* block = static_cast<unsigned char*>(std::aligned_alloc(kPage, rounded));
  if (block != nullptr) adviseLargePages(block, rounded);
  return block;
}

void WorldRegistry::release(unsigned char* block, std::size_t bytes) {
  {
    const std::lock_guard lock(mutex_);
    std::size_t kept = bytes;
    for (const auto& s : spare_) kept += s.second;
    if (spare_.size() < kMaxSpareBlocks && kept <= kMaxSpareBytes) {
      markKept(block, bytes);
      spare_.emplace_back(block, bytes);
      return;
    }
  }
  std::free(block);  // returning a large block to the system takes a while: not under the lock
}

void WorldRegistry::setRowPaddingBytes(A_long bytes) {
  if (bytes < 0 || bytes % 16 != 0) throw std::invalid_argument("aehost: row padding must be a non-negative multiple of 16");
  const std::lock_guard lock(mutex_);
  rowPadding_ = bytes;
}

A_long WorldRegistry::rowPaddingBytes() const {
  const std::lock_guard lock(mutex_);
  return rowPadding_;
}

void WorldRegistry::setCheckRowPadding(bool check) {
  const std::lock_guard lock(mutex_);
  checkRowPadding_ = check;
}

void WorldRegistry::setUnclearedFill(std::optional<std::uint8_t> fill) {
  const std::lock_guard lock(mutex_);
  unclearedFill_ = fill;
}

void WorldRegistry::failNthAllocation(int n, PF_Err err) {
  const std::lock_guard lock(mutex_);
  allocationFault_.arm(n);
  allocationFaultErr_ = err;
}

void WorldRegistry::note(std::string_view callback, const std::string& what) {
  problems_.record("[" + std::string(currentActivity()) + "] " + std::string(callback) + ": " + what);
}

WorldRegistry::Entry* WorldRegistry::locate(const void* address) {
  return const_cast<Entry*>(static_cast<const WorldRegistry*>(this)->locate(address));
}

const WorldRegistry::Entry* WorldRegistry::locate(const void* address) const {
  const auto at = reinterpret_cast<std::uintptr_t>(address);
  auto found = entries_.upper_bound(at);
  if (found == entries_.begin()) return nullptr;
  --found;
  const Entry& entry = *found->second;
  return at < entry.start() + std::max<std::size_t>(entry.pixelBytes, 1) ? &entry : nullptr;
}

PF_Err WorldRegistry::create(A_long width, A_long height, PF_PixelFormat format, bool clear, WorldOwner owner,
                             PF_EffectWorld* world, std::shared_ptr<ImageMemoryPool> memory) {
  return make(width, height, format, clear ? Contents::Cleared : Contents::Uncleared, nullptr, owner, world, nullptr,
              std::move(memory));
}

PF_Err WorldRegistry::createHolding(const std::shared_ptr<const Image>& image, WorldOwner owner,
                                    PF_EffectWorld* world) {
  if (world == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  *world = PF_EffectWorld{};
  if (!image) return PF_Err_BAD_CALLBACK_PARAM;
  {
    const std::lock_guard lock(mutex_);
    const A_long rowbytes = static_cast<A_long>(image->rowBytes()) + rowPadding_;
    for (auto& [address, entry] : entries_) {
      if (!entry->shared || entry->info.rowbytes != rowbytes || entry->sharedImage.lock() != image) continue;
      if (allocationFault_.fires()) return allocationFaultErr_;
      if (entry->disposed) {
        // Handed out anew: a new world as far as messages and the audit go.
        entry->disposed = false;
        entry->info.serial = nextSerial_++;
        entry->info.owner = owner;
        entry->info.createdDuring = std::string(currentActivity());
      }
      ++entry->holders;
      fillWorldStruct(*entry, world);
      return PF_Err_NONE;
    }
  }
  return make(image->width(), image->height(), image->format(), Contents::Image, image.get(), owner, world, &image);
}

void WorldRegistry::fillWorldStruct(const Entry& entry, PF_EffectWorld* world) {
  const PF_PixelFormat format = entry.info.format;
  world->world_flags = (entry.shared ? 0 : PF_WorldFlag_WRITEABLE) | (format == PF_PixelFormat_ARGB64 ? PF_WorldFlag_DEEP : 0);
  world->data = reinterpret_cast<PF_PixelPtr>(entry.pixels());
  world->rowbytes = entry.info.rowbytes;
  world->width = entry.info.width;
  world->height = entry.info.height;
  world->extent_hint = PF_LRect{0, 0, entry.info.width, entry.info.height};
  world->pix_aspect_ratio = PF_RationalScale{1, 1};
}

PF_Err WorldRegistry::make(A_long width, A_long height, PF_PixelFormat format, Contents contents, const Image* image,
                           WorldOwner owner, PF_EffectWorld* world, const std::shared_ptr<const Image>* sharedImage,
                           std::shared_ptr<ImageMemoryPool> memory) {
  if (world == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  *world = PF_EffectWorld{};
  const std::size_t pixelSize = bytesPerPixel(format);
  if (width < 1 || height < 1 || pixelSize == 0) return PF_Err_BAD_CALLBACK_PARAM;

  A_long rowPadding = 0;
  std::optional<std::uint8_t> unclearedFill;
  {
    const std::lock_guard lock(mutex_);
    if (allocationFault_.fires()) return allocationFaultErr_;
    rowPadding = rowPadding_;
    unclearedFill = unclearedFill_;
  }
  const std::uint64_t rowbytes = static_cast<std::uint64_t>(width) * pixelSize + static_cast<std::uint64_t>(rowPadding);
  const std::uint64_t pixelBytes = rowbytes * static_cast<std::uint64_t>(height);
  if (rowbytes > 0x7FFFFFFF || pixelBytes > kMaxPixelBytes) return PF_Err_OUT_OF_MEMORY;
  // Allocated and filled without the lock, so renders on other threads making worlds of their
  // own do not wait for each other's memory to be cleared. A shared world gets pages of its
  // own, made read-only once filled.
  const std::size_t blockBytes = static_cast<std::size_t>(pixelBytes) + 2 * kGuardBytes;
  const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  const std::size_t mappedBytes = sharedImage ? (blockBytes + page - 1) / page * page : 0;
  unsigned char* block = nullptr;
  if (sharedImage) {
    void* mapped = ::mmap(nullptr, mappedBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    block = mapped == MAP_FAILED ? nullptr : static_cast<unsigned char*>(mapped);
  } else if (memory) {
    block = reinterpret_cast<unsigned char*>(memory->take(blockBytes));
  } else {
    block = allocate(blockBytes);
  }
  if (block == nullptr) return PF_Err_OUT_OF_MEMORY;

  auto entry = std::make_unique<Entry>();
  entry->block = block;
  entry->pool = std::move(memory);
  entry->address = reinterpret_cast<std::uintptr_t>(block + kGuardBytes);
  entry->pixelBytes = static_cast<std::size_t>(pixelBytes);
  std::memset(block, kGuardValue, kGuardBytes);
  std::memset(entry->pixels() + pixelBytes, kGuardValue, kGuardBytes);
  const std::size_t usedPerRow = static_cast<std::size_t>(width) * pixelSize;
  for (A_long y = 0; y < height; ++y) {
    unsigned char* row = entry->pixels() + static_cast<std::size_t>(y) * rowbytes;
    if (contents == Contents::Cleared) {
      std::memset(row, 0, usedPerRow);
    } else if (contents == Contents::Image) {
      std::memcpy(row, image->bytes().data() + static_cast<std::size_t>(y) * usedPerRow, usedPerRow);
    } else if (unclearedFill) {
      std::memset(row, *unclearedFill, usedPerRow);
    }
    std::memset(row + usedPerRow, kGuardValue, static_cast<std::size_t>(rowPadding));
  }
  if (sharedImage) {
    ::mprotect(block, mappedBytes, PROT_READ);  // an effect writing its input faults there and then
    entry->shared = true;
    entry->sharedImage = *sharedImage;
    entry->holders = 1;
    entry->mappedBytes = mappedBytes;
  }

  const std::lock_guard lock(mutex_);
  entry->info = WorldInfo{nextSerial_++, width, height, static_cast<A_long>(rowbytes), format, owner,
                          std::string(currentActivity())};
  fillWorldStruct(*entry, world);
  if (sharedImage) forgetUnheldSharedWorlds();

  // Disposed worlds whose memory this one reuses are forgotten.
  const std::uintptr_t first = entry->start();
  const std::uintptr_t last = first + entry->pixelBytes;
  auto it = entries_.lower_bound(first);
  if (it != entries_.begin()) {
    const auto before = std::prev(it);
    if (before->first + std::max<std::size_t>(before->second->pixelBytes, 1) > first) entries_.erase(before);
  }
  while (it != entries_.end() && it->first < last) it = entries_.erase(it);
  entries_.emplace(first, std::move(entry));
  return PF_Err_NONE;
}

// Shared worlds no render holds are unmapped once their image is gone, and the oldest beyond
// a few frames' worth of them. Called under the lock.
void WorldRegistry::forgetUnheldSharedWorlds() {
  constexpr std::size_t kKeptUnheld = 8;
  std::vector<std::map<std::uintptr_t, std::unique_ptr<Entry>>::iterator> unheld;
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->second->shared && it->second->disposed) unheld.push_back(it);
  }
  std::sort(unheld.begin(), unheld.end(), [](const auto& a, const auto& b) {
    return a->second->info.serial > b->second->info.serial;  // newest first
  });
  for (std::size_t i = 0; i < unheld.size(); ++i) {
    Entry& entry = *unheld[i]->second;
    if (i < kKeptUnheld && !entry.sharedImage.expired()) continue;
    ::munmap(entry.block, entry.mappedBytes);
    entries_.erase(unheld[i]);
  }
}

PF_Err WorldRegistry::dispose(const PF_EffectWorld* world, std::string_view callback, WorldOwner by) {
  if (world == nullptr) {
    note(callback, "called with a NULL world");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  std::unique_lock lock(mutex_);
  Entry* entry = locate(world->data);
  if (world->data == nullptr || entry == nullptr) {
    note(callback, "called with a world this host never made");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (entry->disposed) {
    note(callback, "called with " + describeWorld(entry->info) + " after it was disposed");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (reinterpret_cast<std::uintptr_t>(world->data) != entry->start()) {
    note(callback, "called with a world pointing into " + describeWorld(entry->info) + ", not the world itself");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (by == WorldOwner::Effect && entry->info.owner == WorldOwner::Host) {
    note(callback, "the effect disposed " + describeWorld(entry->info) + "; the host owns and disposes it");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (entry->shared) {
    // Read-only memory cannot be damaged; the pixels stay for the next render of the image.
    if (--entry->holders == 0) entry->disposed = true;
    return PF_Err_NONE;
  }
  for (const std::string& damaged : damage(*entry)) note(callback, damaged);
  unsigned char* block = std::exchange(entry->block, nullptr);
  const std::size_t bytes = entry->pixelBytes + 2 * kGuardBytes;
  entry->disposed = true;
  std::shared_ptr<ImageMemoryPool> pool = std::move(entry->pool);
  lock.unlock();
  if (pool) {
    pool->give(reinterpret_cast<std::byte*>(block), bytes);
  } else {
    release(block, bytes);
  }
  return PF_Err_NONE;
}

std::optional<Image> WorldRegistry::disposeIntoImage(const PF_EffectWorld& world, std::string_view callback) {
  std::unique_lock lock(mutex_);
  Entry* entry = locate(world.data);
  const bool handsOver = entry != nullptr && !entry->disposed && entry->pool && !entry->shared &&
                         reinterpret_cast<std::uintptr_t>(world.data) == entry->start() &&
                         static_cast<std::size_t>(entry->info.rowbytes) ==
                             static_cast<std::size_t>(entry->info.width) * bytesPerPixel(entry->info.format);
  if (!handsOver) return std::nullopt;
  for (const std::string& damaged : damage(*entry)) note(callback, damaged);
  auto* block = reinterpret_cast<std::byte*>(std::exchange(entry->block, nullptr));
  entry->disposed = true;
  const WorldInfo info = entry->info;
  std::shared_ptr<ImageMemoryPool> pool = std::move(entry->pool);
  const std::size_t pixelBytes = entry->pixelBytes;
  lock.unlock();
  ImageBytes bytes = ImageBytes::adopt(block, pixelBytes + 2 * kGuardBytes, kGuardBytes, pixelBytes, std::move(pool));
  return Image::holding(info.width, info.height, info.format, std::move(bytes));
}

std::optional<PF_PixelFormat> WorldRegistry::validate(const PF_EffectWorld* world, std::string_view callback) {
  if (world == nullptr) {
    note(callback, "called with a NULL world");
    return std::nullopt;
  }
  const std::lock_guard lock(mutex_);
  const Entry* entry = world->data == nullptr ? nullptr : locate(world->data);
  if (entry == nullptr) {
    note(callback, "called with a world this host never made");
    return std::nullopt;
  }
  if (entry->disposed) {
    note(callback, "called with " + describeWorld(entry->info) + " after it was disposed");
    return std::nullopt;
  }
  const std::size_t pixelSize = bytesPerPixel(entry->info.format);
  const auto offset = static_cast<std::uint64_t>(reinterpret_cast<unsigned char*>(world->data) - entry->pixels());
  bool fits = world->width >= 0 && world->height >= 0 &&
              static_cast<std::uint64_t>(world->width) * pixelSize <= static_cast<std::uint64_t>(std::max<A_long>(world->rowbytes, 0));
  if (fits && world->width > 0 && world->height > 0) {
    const std::uint64_t end = offset + static_cast<std::uint64_t>(world->height - 1) * static_cast<std::uint64_t>(world->rowbytes) +
                              static_cast<std::uint64_t>(world->width) * pixelSize;
    fits = end <= entry->pixelBytes && offset % pixelSize == 0;
  }
  if (!fits) {
    note(callback, "the world's width, height and rowbytes reach outside " + describeWorld(entry->info));
    return std::nullopt;
  }
  return entry->info.format;
}

std::optional<WorldInfo> WorldRegistry::info(const PF_EffectWorld& world) const {
  const std::lock_guard lock(mutex_);
  const Entry* entry = world.data == nullptr ? nullptr : locate(world.data);
  if (entry == nullptr || entry->disposed) return std::nullopt;
  return entry->info;
}

std::vector<WorldInfo> WorldRegistry::liveWorlds() const {
  const std::lock_guard lock(mutex_);
  std::vector<WorldInfo> live;
  for (const auto& [address, entry] : entries_) {
    if (!entry->disposed) live.push_back(entry->info);
  }
  std::sort(live.begin(), live.end(), [](const WorldInfo& a, const WorldInfo& b) { return a.serial < b.serial; });
  return live;
}

std::vector<std::string> WorldRegistry::damage(const Entry& entry) const {
  std::vector<std::string> found;
  if (entry.shared) return found;  // read-only: a write would have faulted
  const std::string world = describeWorld(entry.info);
  if (!allGuard(entry.block, kGuardBytes)) found.push_back("data written before the first row of " + world);
  if (!allGuard(entry.pixels() + entry.pixelBytes, kGuardBytes)) found.push_back("data written after the last row of " + world);
  if (checkRowPadding_) {
    const std::size_t used = static_cast<std::size_t>(entry.info.width) * bytesPerPixel(entry.info.format);
    const auto padding = static_cast<std::size_t>(entry.info.rowbytes) - used;
    for (A_long y = 0; y < entry.info.height; ++y) {
      if (!allGuard(entry.pixels() + static_cast<std::size_t>(y) * static_cast<std::size_t>(entry.info.rowbytes) + used, padding)) {
        found.push_back("data written into the row padding of " + world + " (first in row " + std::to_string(y) +
                        "; rows are rowbytes apart, not width * pixel size)");
        break;
      }
    }
  }
  return found;
}

void WorldRegistry::checkGuards(const PF_EffectWorld& world, std::string_view when) {
  const std::lock_guard lock(mutex_);
  const Entry* entry = world.data == nullptr ? nullptr : locate(world.data);
  if (entry == nullptr || entry->disposed) return;
  for (const std::string& damaged : damage(*entry)) note(when, damaged);
}

void WorldRegistry::audit(std::vector<std::string>& out) const {
  const std::lock_guard lock(mutex_);
  std::vector<const Entry*> live;
  for (const auto& [address, entry] : entries_) {
    if (!entry->disposed) live.push_back(entry.get());
  }
  std::sort(live.begin(), live.end(), [](const Entry* a, const Entry* b) { return a->info.serial < b->info.serial; });
  for (const Entry* entry : live) {
    if (entry->info.owner == WorldOwner::Effect) out.push_back("leaked " + describeWorld(entry->info) + ": never disposed");
    for (std::string& damaged : damage(*entry)) out.push_back(std::move(damaged));
  }
}

}  // namespace aehost
