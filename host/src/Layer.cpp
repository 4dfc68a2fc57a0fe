#include "aehost/Layer.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace aehost {

Layer::Layer(Composition& composition) : composition_(composition) {}

void Layer::setPixels(Image image) {
  const std::lock_guard lock(mutex_);
  composition_.widthPx = image.width();
  composition_.heightPx = image.height();
  pixels_ = std::make_shared<const Image>(std::move(image));
  rendered_.clear();
}

std::shared_ptr<const Image> Layer::pixels() const {
  const std::lock_guard lock(mutex_);
  if (pixels_ != nullptr) return pixels_;
  return std::make_shared<const Image>(composition_.widthPx, composition_.heightPx, PF_PixelFormat_ARGB32);
}

std::shared_ptr<const Image> Layer::renderedPixels(const std::shared_ptr<const Image>& source, PF_RationalScale fx,
                                                   PF_RationalScale fy, PF_PixelFormat format) const {
  const auto same = [&](const RenderedPixels& r) {
    return r.fx.num == fx.num && r.fx.den == fx.den && r.fy.num == fy.num && r.fy.den == fy.den && r.format == format;
  };
  {
    const std::lock_guard lock(mutex_);
    if (source == pixels_) {
      const auto found = std::find_if(rendered_.begin(), rendered_.end(), same);
      if (found != rendered_.end()) return found->image;
    }
  }
  // Worked out without the lock: renders on other threads go on meanwhile.
  auto image = std::make_shared<const Image>(source->downsampled(fx, fy).converted(format));
  const std::lock_guard lock(mutex_);
  constexpr std::size_t kKept = 8;
  if (source == pixels_ && rendered_.size() < kKept && std::none_of(rendered_.begin(), rendered_.end(), same)) {
    rendered_.push_back(RenderedPixels{fx, fy, format, image});
  }
  return image;
}

A_long Layer::width() const {
  const std::lock_guard lock(mutex_);
  return composition_.widthPx;
}

A_long Layer::height() const {
  const std::lock_guard lock(mutex_);
  return composition_.heightPx;
}

A_u_long Layer::timeScale() const {
  const std::lock_guard lock(mutex_);
  return composition_.timeScale;
}

PF_PathID Layer::addMask(Mask mask) {
  const std::lock_guard lock(mutex_);
  const PF_PathID id = nextId_++;
  masks_.emplace_back(id, std::move(mask));
  return id;
}

void Layer::replaceMask(PF_PathID id, Mask mask) {
  const std::lock_guard lock(mutex_);
  for (auto& [known, existing] : masks_) {
    if (known == id) {
      existing = std::move(mask);
      return;
    }
  }
  throw std::out_of_range("aehost: no mask with id " + std::to_string(id));
}

void Layer::removeMask(PF_PathID id) {
  const std::lock_guard lock(mutex_);
  std::erase_if(masks_, [&](const auto& entry) { return entry.first == id; });
}

void Layer::clearMasks() {
  const std::lock_guard lock(mutex_);
  masks_.clear();
}

std::vector<PF_PathID> Layer::maskIds() const {
  const std::lock_guard lock(mutex_);
  std::vector<PF_PathID> ids;
  for (const auto& entry : masks_) ids.push_back(entry.first);
  return ids;
}

std::optional<Mask> Layer::findMask(PF_PathID id) const {
  const std::lock_guard lock(mutex_);
  for (const auto& [known, mask] : masks_) {
    if (known == id) return mask;
  }
  return std::nullopt;
}

Mask Layer::mask(PF_PathID id) const {
  auto found = findMask(id);
  if (!found) throw std::out_of_range("aehost: no mask with id " + std::to_string(id));
  return std::move(*found);
}

void Layer::failCheckoutOf(PF_PathID id, PF_Err err) {
  const std::lock_guard lock(mutex_);
  checkoutFaults_[id] = err;
}

void Layer::failVertexInfoOf(PF_PathID id, PF_Err err) {
  const std::lock_guard lock(mutex_);
  vertexInfoFaults_[id] = err;
}

void Layer::clearMaskFaults() {
  const std::lock_guard lock(mutex_);
  checkoutFaults_.clear();
  vertexInfoFaults_.clear();
}

std::optional<PF_Err> Layer::checkoutFault(PF_PathID id) const {
  const std::lock_guard lock(mutex_);
  const auto found = checkoutFaults_.find(id);
  return found == checkoutFaults_.end() ? std::nullopt : std::optional<PF_Err>(found->second);
}

std::optional<PF_Err> Layer::vertexInfoFault(PF_PathID id) const {
  const std::lock_guard lock(mutex_);
  const auto found = vertexInfoFaults_.find(id);
  return found == vertexInfoFaults_.end() ? std::nullopt : std::optional<PF_Err>(found->second);
}

}  // namespace aehost
