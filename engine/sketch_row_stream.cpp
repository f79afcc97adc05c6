#include "engine/sketch_row_stream.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "engine/sketch_rows.h"

namespace vellumine {

SketchRowStream::SketchRowStream(const SketchSettings& settings, int sourceWidth, int sourceHeight,
                                 const SketchBackground& background,
                                 std::optional<SimdLevel> simd) {
  if (!HasFastPath(settings))
    throw std::invalid_argument("the row stream needs settings that have a fast path");
  if (sourceWidth < 0 || sourceHeight < 0)
    throw std::invalid_argument("picture size must not be negative");
  plan_ = std::make_unique<detail::SketchRowPlan>(settings, sourceWidth, sourceHeight, background,
                                                  simd.value_or(BestSimdLevel()));
  // Nothing drawn: the source rows need not be kept.
  keptWidth_ = plan_->DrawsAnyRow() ? sourceWidth : 0;
  ring_ = std::make_unique<detail::PlanarRing>(keptWidth_, plan_->Step());
  sourceRows_.resize(std::size_t(ring_->Slots()) * std::size_t(keptWidth_) *
                     Raster24::kBytesPerPixel);
  sketchRow_.resize(plan_->RowBytes());
  scratch_.resize(plan_->ScratchBytes());
  sourceHeight_ = sourceHeight;
}

SketchRowStream::~SketchRowStream() = default;
SketchRowStream::SketchRowStream(SketchRowStream&&) noexcept = default;
SketchRowStream& SketchRowStream::operator=(SketchRowStream&&) noexcept = default;

int SketchRowStream::SketchWidth() const {
  return plan_->SketchWidth();
}
int SketchRowStream::SketchHeight() const {
  return plan_->SketchHeight();
}
std::size_t SketchRowStream::SketchRowBytes() const {
  return plan_->RowBytes();
}

void SketchRowStream::PushSourceRow(const std::uint8_t* bgr) {
  if (pushed_ >= sourceHeight_)
    throw std::logic_error("more source rows pushed than the picture has");
  // Row pushed_ takes the slot of row pushed_ - (2L + 1), which the first sketch row still to
  // draw needs if its top sample row y - L is that row or later.
  const int step = plan_->Step();
  const int nextDrawn = std::max(taken_, plan_->FirstDrawnRow());
  if (nextDrawn <= plan_->LastDrawnRow() && nextDrawn - step <= pushed_ - ring_->Slots())
    throw std::logic_error("take the final sketch rows before pushing more source rows");

  const std::size_t rowBytes = std::size_t(keptWidth_) * Raster24::kBytesPerPixel;
  if (rowBytes != 0) {
    std::uint8_t* slot = sourceRows_.data() + std::size_t(pushed_ % ring_->Slots()) * rowBytes;
    std::memcpy(slot, bgr, rowBytes);
    ring_->Load(plan_->Kernels(), pushed_, slot);
  }
  ++pushed_;
}

void SketchRowStream::Finish() {
  if (pushed_ != sourceHeight_)
    throw std::logic_error("the stream ended before the last source row");
}

bool SketchRowStream::NextRowIsFinal() const {
  if (taken_ >= plan_->SketchHeight()) return false;
  // Rows before and after the kernel's range are background; the rows are handed out in order,
  // so a row after the range is reached only once every drawn row was.
  return !plan_->DrawsRow(taken_) || pushed_ >= taken_ + plan_->Step() + 1;
}

const std::uint8_t* SketchRowStream::NextSketchRow() {
  if (!NextRowIsFinal()) return nullptr;
  const int y = taken_++;
  plan_->FillBackground(y, sketchRow_.data());
  if (plan_->DrawsRow(y)) {
    const std::size_t rowBytes = std::size_t(keptWidth_) * Raster24::kBytesPerPixel;
    const std::uint8_t* sourceRow = sourceRows_.data() + std::size_t(y % ring_->Slots()) * rowBytes;
    plan_->DrawRow(*ring_, y, sourceRow, scratch_.data(), sketchRow_.data());
  }
  return sketchRow_.data();
}

}  // namespace vellumine
