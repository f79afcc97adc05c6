#include "formats/jpeg.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <new>
#include <stdexcept>
#include <vector>

#include "formats/atomic_file.h"
#include "formats/limits.h"
#include "formats/picture_error.h"

// libjpeg reports errors through error_exit, which must not return. It longjmps back to a
// setjmp inside one of the small *Step functions below, which own no C++ objects and hold
// only libjpeg calls; the C++ code around them turns a false result into an exception.

namespace vellumine {
namespace {

constexpr int kQuality = 20;
constexpr std::size_t kSourceBufferBytes = std::size_t(64) << 10;
constexpr std::size_t kDestinationBufferBytes = std::size_t(256) << 10;
constexpr int kRowsPerBatch = 16;
constexpr int kCmykComponents = 4;

struct ErrorState {
  jpeg_error_mgr mgr;  // first, so that cinfo->err converts back to the ErrorState
  std::jmp_buf jump;
  int code;
  char message[JMSG_LENGTH_MAX];
  bool sawEndOfData;  // data ended early: a warning, unless the header itself was cut
  int ioError;        // errno of a failed read or write
};

ErrorState* Errors(j_common_ptr cinfo) {
  return reinterpret_cast<ErrorState*>(cinfo->err);
}

void OnErrorExit(j_common_ptr cinfo) {
  ErrorState* e = Errors(cinfo);
  e->code = e->mgr.msg_code;
  (*e->mgr.format_message)(cinfo, e->message);
  std::longjmp(e->jump, 1);
}

// Warnings are counted and otherwise ignored; nothing is printed.
void OnEmitMessage(j_common_ptr cinfo, int level) {
  ErrorState* e = Errors(cinfo);
  if (level >= 0) return;
  ++e->mgr.num_warnings;
  if (e->mgr.msg_code == JWRN_JPEG_EOF) e->sawEndOfData = true;
}

void OnOutputMessage(j_common_ptr) {}

jpeg_error_mgr* InitErrors(ErrorState* e) {
  jpeg_std_error(&e->mgr);
  e->mgr.error_exit = OnErrorExit;
  e->mgr.emit_message = OnEmitMessage;
  e->mgr.output_message = OnOutputMessage;
  return &e->mgr;
}

// ---- Decoding: a source manager reading a file descriptor.

struct Source {
  jpeg_source_mgr mgr;  // first, so that cinfo->src converts back to the Source
  int fd;
  bool startOfFile;
  ErrorState* errors;
  JOCTET buffer[kSourceBufferBytes];
};

Source* SourceOf(j_decompress_ptr cinfo) {
  return reinterpret_cast<Source*>(cinfo->src);
}

void SourceInit(j_decompress_ptr cinfo) {
  SourceOf(cinfo)->startOfFile = true;
}

boolean SourceFill(j_decompress_ptr cinfo) {
  Source* s = SourceOf(cinfo);
  ssize_t got;
  do {
    got = read(s->fd, s->buffer, sizeof s->buffer);
  } while (got < 0 && errno == EINTR);
  if (got < 0) {
    s->errors->ioError = errno;
    ERREXIT(cinfo, JERR_FILE_READ);
  }
  if (got == 0) {
    if (s->startOfFile) ERREXIT(cinfo, JERR_INPUT_EMPTY);
    // As libjpeg's own file source does: warn and end the data with an EOI marker.
    WARNMS(cinfo, JWRN_JPEG_EOF);
    s->buffer[0] = JOCTET(0xFF);
    s->buffer[1] = JOCTET(JPEG_EOI);
    got = 2;
  }
  s->mgr.next_input_byte = s->buffer;
  s->mgr.bytes_in_buffer = std::size_t(got);
  s->startOfFile = false;
  return TRUE;
}

void SourceSkip(j_decompress_ptr cinfo, long count) {
  Source* s = SourceOf(cinfo);
  if (count <= 0) return;
  while (std::size_t(count) > s->mgr.bytes_in_buffer) {
    count -= long(s->mgr.bytes_in_buffer);
    SourceFill(cinfo);
  }
  s->mgr.next_input_byte += count;
  s->mgr.bytes_in_buffer -= std::size_t(count);
}

void SourceTerm(j_decompress_ptr) {}

struct DecodeContext {
  jpeg_decompress_struct cinfo;
  ErrorState errors;
  Source source;
};

struct DecodeContextDeleter {
  void operator()(DecodeContext* c) const {
    jpeg_destroy_decompress(&c->cinfo);  // harmless on a struct never created (mem is null)
    if (c->source.fd >= 0) close(c->source.fd);
    delete c;
  }
};
using DecodeContextPtr = std::unique_ptr<DecodeContext, DecodeContextDeleter>;

[[gnu::noinline]] bool ReadHeaderStep(DecodeContext* c) {
  if (setjmp(c->errors.jump)) return false;
  jpeg_create_decompress(&c->cinfo);
  c->cinfo.src = &c->source.mgr;
  jpeg_read_header(&c->cinfo, TRUE);
  return true;
}

[[gnu::noinline]] bool StartDecompressStep(DecodeContext* c) {
  if (setjmp(c->errors.jump)) return false;
  jpeg_start_decompress(&c->cinfo);
  return true;
}

[[gnu::noinline]] bool ReadScanlinesStep(DecodeContext* c, JSAMPARRAY rows, int count) {
  if (setjmp(c->errors.jump)) return false;
  for (int done = 0; done < count;) {
    const JDIMENSION got = jpeg_read_scanlines(&c->cinfo, rows + done, JDIMENSION(count - done));
    if (got == 0) ERREXIT(&c->cinfo, JERR_INPUT_EOF);  // cannot happen: the source never suspends
    done += int(got);
  }
  return true;
}

std::string LowerFirst(std::string text) {
  if (text.size() >= 2 && text[0] >= 'A' && text[0] <= 'Z' && text[1] >= 'a' && text[1] <= 'z')
    text[0] = char(text[0] - 'A' + 'a');
  return text;
}

// The reason for a failure that libjpeg reported; width x height is the picture's size as far
// as it is known (the one its header declares).
std::string FailureReason(const ErrorState& e, long width, long height) {
  if (e.ioError != 0) return ErrnoReason(e.ioError);
  switch (e.code) {
    case JERR_NO_SOI:
      return "not a JPEG file";
    case JERR_INPUT_EMPTY:
      return "empty file";
    case JERR_IMAGE_TOO_BIG:
      return "picture too large: " + std::to_string(width) + " x " + std::to_string(height);
    case JERR_EMPTY_IMAGE:
      return "empty picture";
    case JERR_OUT_OF_MEMORY:
      return "not enough memory";
    default:
      break;
  }
  if (e.sawEndOfData) return "truncated file";
  return LowerFirst(e.message);
}

// Adobe's CMYK JPEG files hold inverted inks (255 = no ink), so each colour is its inverted
// ink times the inverted black, rounded: red = (C * K + 127) / 255.
void CmykToBgr(const std::uint8_t* cmyk, int width, std::uint8_t* bgr) {
  constexpr unsigned kFull = 255, kHalf = 127;
  for (int x = 0; x < width; ++x, cmyk += kCmykComponents, bgr += 3) {
    const unsigned k = cmyk[3];
    bgr[0] = std::uint8_t((cmyk[2] * k + kHalf) / kFull);
    bgr[1] = std::uint8_t((cmyk[1] * k + kHalf) / kFull);
    bgr[2] = std::uint8_t((cmyk[0] * k + kHalf) / kFull);
  }
}

// ---- Encoding: a destination manager writing to an AtomicFile through a large buffer.

struct Destination {
  jpeg_destination_mgr mgr;  // first, so that cinfo->dest converts back to the Destination
  AtomicFile* file;
  ErrorState* errors;
  JOCTET* buffer;
  std::size_t capacity;
};

Destination* DestinationOf(j_compress_ptr cinfo) {
  return reinterpret_cast<Destination*>(cinfo->dest);
}

void DestinationInit(j_compress_ptr cinfo) {
  Destination* d = DestinationOf(cinfo);
  d->mgr.next_output_byte = d->buffer;
  d->mgr.free_in_buffer = d->capacity;
}

void DestinationWrite(j_compress_ptr cinfo, std::size_t bytes) {
  Destination* d = DestinationOf(cinfo);
  if (const int error = d->file->TryWrite(d->buffer, bytes)) {
    d->errors->ioError = error;
    ERREXIT(cinfo, JERR_FILE_WRITE);
  }
  d->mgr.next_output_byte = d->buffer;
  d->mgr.free_in_buffer = d->capacity;
}

// libjpeg calls this with the whole buffer full, whatever free_in_buffer says.
boolean DestinationEmpty(j_compress_ptr cinfo) {
  DestinationWrite(cinfo, DestinationOf(cinfo)->capacity);
  return TRUE;
}

void DestinationTerm(j_compress_ptr cinfo) {
  Destination* d = DestinationOf(cinfo);
  const std::size_t used = d->capacity - d->mgr.free_in_buffer;
  if (used > 0) DestinationWrite(cinfo, used);
}

struct EncodeContext {
  jpeg_compress_struct cinfo;
  ErrorState errors;
  Destination destination;
};

struct EncodeContextDeleter {
  void operator()(EncodeContext* c) const {
    jpeg_destroy_compress(&c->cinfo);
    delete c;
  }
};
using EncodeContextPtr = std::unique_ptr<EncodeContext, EncodeContextDeleter>;

[[gnu::noinline]] bool StartCompressStep(EncodeContext* c, int width, int height) {
  if (setjmp(c->errors.jump)) return false;
  jpeg_create_compress(&c->cinfo);
  c->cinfo.dest = &c->destination.mgr;
  c->cinfo.image_width = JDIMENSION(width);
  c->cinfo.image_height = JDIMENSION(height);
  c->cinfo.input_components = 3;
  c->cinfo.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&c->cinfo);  // YCbCr, sequential, Huffman tables of the standard
  jpeg_set_quality(&c->cinfo, kQuality, TRUE);
  jpeg_start_compress(&c->cinfo, TRUE);
  return true;
}

[[gnu::noinline]] bool WriteScanlinesStep(EncodeContext* c, JSAMPARRAY rows, int count) {
  if (setjmp(c->errors.jump)) return false;
  for (int done = 0; done < count;)
    done += int(jpeg_write_scanlines(&c->cinfo, rows + done, JDIMENSION(count - done)));
  return true;
}

[[gnu::noinline]] bool FinishCompressStep(EncodeContext* c) {
  if (setjmp(c->errors.jump)) return false;
  jpeg_finish_compress(&c->cinfo);
  return true;
}

}  // namespace

// ---- JpegRowReader

struct JpegRowReader::State {
  std::string path;
  DecodeContextPtr context;
  int width = 0;
  int height = 0;
  int rowsRead = 0;
  bool cmyk = false;
  std::vector<std::uint8_t> cmykRow;

  [[noreturn]] void Fail(const std::string& reason) const {
    throw PictureFileError(PictureFileError::Access::Read, path, reason);
  }
  [[noreturn]] void FailFromLibrary() const {
    Fail(FailureReason(context->errors, long(context->cinfo.image_width),
                       long(context->cinfo.image_height)));
  }
};

JpegRowReader::JpegRowReader(const std::string& path) : state_(std::make_unique<State>()) {
  State& s = *state_;
  s.path = path;
  s.context.reset(new DecodeContext());
  DecodeContext* c = s.context.get();
  c->source.fd = -1;
  c->cinfo.err = InitErrors(&c->errors);
  c->source.errors = &c->errors;
  c->source.mgr.init_source = SourceInit;
  c->source.mgr.fill_input_buffer = SourceFill;
  c->source.mgr.skip_input_data = SourceSkip;
  c->source.mgr.resync_to_restart = jpeg_resync_to_restart;
  c->source.mgr.term_source = SourceTerm;

  c->source.fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (c->source.fd < 0) s.Fail(ErrnoReason(errno));
  struct stat info {};
  if (fstat(c->source.fd, &info) != 0) s.Fail(ErrnoReason(errno));
  if (S_ISDIR(info.st_mode)) s.Fail(ErrnoReason(EISDIR));

  if (!ReadHeaderStep(c)) s.FailFromLibrary();
  const long width = long(c->cinfo.image_width), height = long(c->cinfo.image_height);
  if (const auto problem = PictureSizeProblem(width, height)) s.Fail(*problem);
  const J_COLOR_SPACE space = c->cinfo.jpeg_color_space;
  s.cmyk = space == JCS_CMYK || space == JCS_YCCK;
  // libjpeg turns YCCK into CMYK, and greyscale straight into B = G = R.
  c->cinfo.out_color_space = s.cmyk ? JCS_CMYK : JCS_EXT_BGR;
  if (!StartDecompressStep(c)) s.FailFromLibrary();
  if (c->cinfo.output_width != c->cinfo.image_width ||
      c->cinfo.output_height != c->cinfo.image_height)
    s.Fail("unexpected output size");
  s.width = int(width);
  s.height = int(height);
  if (s.cmyk) s.cmykRow.resize(std::size_t(s.width) * kCmykComponents);
}

JpegRowReader::~JpegRowReader() = default;
JpegRowReader::JpegRowReader(JpegRowReader&&) noexcept = default;
JpegRowReader& JpegRowReader::operator=(JpegRowReader&&) noexcept = default;

int JpegRowReader::Width() const {
  return state_->width;
}
int JpegRowReader::Height() const {
  return state_->height;
}
int JpegRowReader::RowsRead() const {
  return state_->rowsRead;
}

void JpegRowReader::ReadRow(std::uint8_t* bgr) {
  ReadRows(&bgr, 1);
}

void JpegRowReader::ReadRows(std::uint8_t* const* rows, int count) {
  State& s = *state_;
  if (count < 0 || count > s.height - s.rowsRead)
    throw std::logic_error("JpegRowReader: reading past the last row");
  DecodeContext* c = s.context.get();
  if (s.cmyk) {
    JSAMPROW scratch = s.cmykRow.data();
    for (int i = 0; i < count; ++i) {
      if (!ReadScanlinesStep(c, &scratch, 1)) s.FailFromLibrary();
      CmykToBgr(scratch, s.width, rows[i]);
      ++s.rowsRead;
    }
    return;
  }
  if (!ReadScanlinesStep(c, const_cast<JSAMPARRAY>(rows), count)) s.FailFromLibrary();
  s.rowsRead += count;
}

Raster24 ReadJpeg(const std::string& path) {
  JpegRowReader reader(path);
  Raster24 picture;
  try {
    picture = Raster24::WithUndefinedPixels(reader.Width(), reader.Height());
  } catch (const std::bad_alloc&) {
    throw PictureFileError(PictureFileError::Access::Read, path,
                           "not enough memory for a " + std::to_string(reader.Width()) + " x " +
                               std::to_string(reader.Height()) + " picture");
  }
  std::uint8_t* rows[kRowsPerBatch];
  for (int y = 0; y < picture.Height();) {
    const int count = std::min(kRowsPerBatch, picture.Height() - y);
    for (int i = 0; i < count; ++i) rows[i] = picture.Row(y + i);
    reader.ReadRows(rows, count);
    y += count;
  }
  return picture;
}

// ---- JpegRowWriter

struct JpegRowWriter::State {
  explicit State(const std::string& target) : file(target) {}

  [[noreturn]] void FailFromLibrary() const {
    throw PictureFileError(PictureFileError::Access::Write, file.Target(),
                           FailureReason(context->errors, width, height));
  }

  AtomicFile file;
  std::unique_ptr<JOCTET[]> buffer;
  EncodeContextPtr context;  // after the buffer and the file: destroyed before them
  int width = 0;
  int height = 0;
  int rowsWritten = 0;
};

JpegRowWriter::JpegRowWriter(const std::string& path, int width, int height) {
  if (width <= 0 || height <= 0)
    throw PictureFileError(PictureFileError::Access::Write, path, "the picture is empty");
  if (const auto problem = WrittenPictureSizeProblem(width, height))
    throw PictureFileError(PictureFileError::Access::Write, path, *problem);
  state_ = std::make_unique<State>(path);
  State& s = *state_;
  s.width = width;
  s.height = height;
  s.buffer.reset(new JOCTET[kDestinationBufferBytes]);
  s.context.reset(new EncodeContext());
  EncodeContext* c = s.context.get();
  c->cinfo.err = InitErrors(&c->errors);
  c->destination.file = &s.file;
  c->destination.errors = &c->errors;
  c->destination.buffer = s.buffer.get();
  c->destination.capacity = kDestinationBufferBytes;
  c->destination.mgr.init_destination = DestinationInit;
  c->destination.mgr.empty_output_buffer = DestinationEmpty;
  c->destination.mgr.term_destination = DestinationTerm;
  if (!StartCompressStep(c, width, height)) s.FailFromLibrary();
}

JpegRowWriter::~JpegRowWriter() = default;
JpegRowWriter::JpegRowWriter(JpegRowWriter&&) noexcept = default;
JpegRowWriter& JpegRowWriter::operator=(JpegRowWriter&&) noexcept = default;

void JpegRowWriter::WriteRow(const std::uint8_t* bgr) {
  WriteRows(&bgr, 1);
}

void JpegRowWriter::WriteRows(const std::uint8_t* const* rows, int count) {
  if (!state_) throw std::logic_error("JpegRowWriter used after Finish or move");
  State& s = *state_;
  if (count < 0 || count > s.height - s.rowsWritten)
    throw std::logic_error("JpegRowWriter: more rows than the height");
  // libjpeg only reads the rows, but its interface is not const.
  JSAMPARRAY samples = const_cast<JSAMPARRAY>(reinterpret_cast<const JSAMPLE* const*>(rows));
  if (!WriteScanlinesStep(s.context.get(), samples, count)) s.FailFromLibrary();
  s.rowsWritten += count;
}

void JpegRowWriter::Finish() {
  if (!state_) throw std::logic_error("JpegRowWriter used after Finish or move");
  State& s = *state_;
  if (s.rowsWritten != s.height)
    throw std::logic_error("JpegRowWriter: Finish after " + std::to_string(s.rowsWritten) + " of " +
                           std::to_string(s.height) + " rows");
  if (!FinishCompressStep(s.context.get())) s.FailFromLibrary();
  s.file.Commit();
  state_.reset();
}

void WriteJpeg(const std::string& path, const Raster24& picture) {
  if (picture.Empty())
    throw PictureFileError(PictureFileError::Access::Write, path, "the picture is empty");
  JpegRowWriter writer(path, picture.Width(), picture.Height());
  const std::uint8_t* rows[kRowsPerBatch];
  for (int y = 0; y < picture.Height();) {
    const int count = std::min(kRowsPerBatch, picture.Height() - y);
    for (int i = 0; i < count; ++i) rows[i] = picture.Row(y + i);
    writer.WriteRows(rows, count);
    y += count;
  }
  writer.Finish();
}

}  // namespace vellumine
