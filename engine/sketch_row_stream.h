#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "engine/convert.h"

namespace vellumine {

namespace detail {
class PlanarRing;
class SketchRowPlan;
}  // namespace detail

// Draws the sketch of a W x H picture row by row, for pictures streamed from and to files:
// source rows go in top to bottom, sketch rows (W + 1 pixels, H + 1 of them) come out top to
// bottom as soon as they are final, equal to Convert's rows. Sketch row y is final once source
// row y + L is in (rows the kernel does not draw are final at once), and every row is final once
// all H source rows are in. Memory: 2L + 1 source rows and one sketch row.
//
//   SketchRowStream stream(settings, width, height, background);
//   auto drain = [&] { while (const std::uint8_t* row = stream.NextSketchRow()) Write(row); };
//   drain();
//   for (int y = 0; y < height; ++y) {
//     stream.PushSourceRow(Read(y));
//     drain();
//   }
//   stream.Finish();
class SketchRowStream {
 public:
  // Throws std::invalid_argument unless HasFastPath(settings), for a negative size, or for a
  // SIMD level the processor lacks (unset: the best one). A texture must outlive the stream.
  SketchRowStream(const SketchSettings& settings, int sourceWidth, int sourceHeight,
                  const SketchBackground& background = {},
                  std::optional<SimdLevel> simd = std::nullopt);
  ~SketchRowStream();
  SketchRowStream(SketchRowStream&&) noexcept;
  SketchRowStream& operator=(SketchRowStream&&) noexcept;

  int SketchWidth() const;
  int SketchHeight() const;
  std::size_t SketchRowBytes() const;

  // Takes source row RowsPushed(): 3 * W bytes of BGR, copied. Throws std::logic_error after H
  // rows, or when the source row it would displace is still needed by a sketch row that is
  // final but not yet taken (take the ready rows with NextSketchRow between pushes).
  void PushSourceRow(const std::uint8_t* bgr);
  int RowsPushed() const { return pushed_; }

  // Marks the end of the source: throws std::logic_error unless all H rows were pushed. Every
  // sketch row not yet taken is then final (it already is once the H-th row is in).
  void Finish();

  // The next sketch row (SketchRowBytes() bytes of BGR) if it is final, else nullptr. The
  // bytes stay valid until the next call of NextSketchRow.
  const std::uint8_t* NextSketchRow();
  int RowsTaken() const { return taken_; }

 private:
  bool NextRowIsFinal() const;

  std::unique_ptr<detail::SketchRowPlan> plan_;
  std::unique_ptr<detail::PlanarRing> ring_;
  std::vector<std::uint8_t> sourceRows_;  // the ring's rows in BGR, for the Pastel's colours
  std::vector<std::uint8_t> sketchRow_;
  std::vector<std::uint8_t> scratch_;
  int sourceHeight_ = 0;
  int keptWidth_ = 0;  // width of the kept source rows: 0 when the kernel draws nothing
  int pushed_ = 0;
  int taken_ = 0;
};

}  // namespace vellumine
