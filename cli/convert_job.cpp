#include "cli/convert_job.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/convert.h"
#include "engine/sketch_row_stream.h"
#include "formats/bmp.h"
#include "formats/jpeg.h"

namespace vellumine {
namespace {

// Blocks of decoded rows travel from the decoding thread to the converting one through a small
// fixed pool, so memory stays a few rows deep whatever the picture's size.
class RowBlockPipe {
 public:
  static constexpr int kRowsPerBlock = 16;
  static constexpr int kBlocks = 6;

  struct Block {
    std::vector<std::uint8_t> bytes;
    int rows = 0;
  };

  explicit RowBlockPipe(std::size_t rowBytes) : blocks_(kBlocks) {
    for (int i = 0; i < kBlocks; ++i) {
      blocks_[i].bytes.resize(rowBytes * kRowsPerBlock);
      free_.push_back(i);
    }
  }

  // Producer side: a free block, or null once the consumer has given up.
  Block* TakeFree() { return Take(free_); }
  void PutFull(Block* block) { Put(full_, block); }
  void Fail(std::exception_ptr error) {
    std::lock_guard lock(mutex_);
    error_ = error;
    changed_.notify_all();
  }

  // Consumer side: the next full block; rethrows the producer's error.
  Block* TakeFull() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return !full_.empty() || error_; });
    if (full_.empty()) std::rethrow_exception(error_);
    Block* block = &blocks_[full_.front()];
    full_.pop_front();
    return block;
  }
  void PutFree(Block* block) { Put(free_, block); }
  void Cancel() {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    changed_.notify_all();
  }

 private:
  Block* Take(std::deque<int>& queue) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return !queue.empty() || cancelled_; });
    if (cancelled_) return nullptr;
    Block* block = &blocks_[queue.front()];
    queue.pop_front();
    return block;
  }
  void Put(std::deque<int>& queue, Block* block) {
    std::lock_guard lock(mutex_);
    queue.push_back(int(block - blocks_.data()));
    changed_.notify_all();
  }

  std::vector<Block> blocks_;
  std::deque<int> free_, full_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::exception_ptr error_;
  bool cancelled_ = false;
};

template <typename RowWriter>
void StreamRows(JpegRowReader& reader, SketchRowStream& stream, RowWriter& writer) {
  const int width = reader.Width(), height = reader.Height();
  const std::size_t rowBytes = std::size_t(width) * Raster24::kBytesPerPixel;
  RowBlockPipe pipe(rowBytes);

  std::thread decoder([&] {
    try {
      std::vector<std::uint8_t*> rows(RowBlockPipe::kRowsPerBlock);
      for (int y = 0; y < height;) {
        RowBlockPipe::Block* block = pipe.TakeFree();
        if (block == nullptr) return;
        block->rows = std::min(RowBlockPipe::kRowsPerBlock, height - y);
        for (int i = 0; i < block->rows; ++i) rows[i] = block->bytes.data() + i * rowBytes;
        reader.ReadRows(rows.data(), block->rows);
        y += block->rows;
        pipe.PutFull(block);
      }
    } catch (...) {
      pipe.Fail(std::current_exception());
    }
  });
  // Whatever happens below, the decoder is released and joined before the pipe goes away.
  struct Join {
    RowBlockPipe& pipe;
    std::thread& thread;
    ~Join() {
      pipe.Cancel();
      thread.join();
    }
  } join{pipe, decoder};

  const auto drain = [&] {
    while (const std::uint8_t* row = stream.NextSketchRow()) writer.WriteRow(row);
  };
  for (int y = 0; y < height;) {
    RowBlockPipe::Block* block = pipe.TakeFull();
    for (int i = 0; i < block->rows; ++i) {
      stream.PushSourceRow(block->bytes.data() + i * rowBytes);
      drain();
    }
    y += block->rows;
    pipe.PutFree(block);
  }
  stream.Finish();
  drain();
  writer.Finish();
}

std::string RunStreaming(const ConvertJob& job, const std::optional<Raster24>& texture,
                         const std::string& outputPath) {
  JpegRowReader reader(job.photo);
  const SketchBackground background{texture ? &*texture : nullptr, job.layout};
  SketchRowStream stream(job.settings, reader.Width(), reader.Height(), background);
  const int sketchWidth = reader.Width() + 1, sketchHeight = reader.Height() + 1;
  if (job.type == PictureFileType::Jpeg) {
    JpegRowWriter writer(outputPath, sketchWidth, sketchHeight);
    StreamRows(reader, stream, writer);
  } else {
    BmpRowWriter writer(outputPath, sketchWidth, sketchHeight);
    StreamRows(reader, stream, writer);
  }
  return outputPath;
}

}  // namespace

bool CanStream(const ConvertJob& job) {
  return PassesJpegOpenTest(job.photo) && HasFastPath(job.settings) &&
         (job.type == PictureFileType::Jpeg || job.type == PictureFileType::Bitmap);
}

std::string RunConvertJob(const ConvertJob& job, PipelineChoice pipeline) {
  std::optional<Raster24> texture;
  if (job.texture) texture = ReadPictureByName(*job.texture);
  const std::string outputPath = PathWithSaveExtension(job.output, job.type);

  const bool stream =
      pipeline == PipelineChoice::Streaming || (pipeline == PipelineChoice::Best && CanStream(job));
  if (stream) {
    if (!CanStream(job)) throw std::invalid_argument("this job cannot be streamed");
    return RunStreaming(job, texture, outputPath);
  }

  const Raster24 source = ReadPictureByName(job.photo);
  const Raster24 sketch =
      Convert(source, job.settings, SketchBackground{texture ? &*texture : nullptr, job.layout});
  return WritePicture(job.output, sketch, job.type, source.Width(), source.Height());
}

}  // namespace vellumine
