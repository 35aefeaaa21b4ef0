#include "platform/jpeg_thumbnail.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#include "platform/rgb_bitmap.h"
#include "platform/thumbnail_scaling.h"

namespace tarnwick {
namespace {

// Limits that keep a hostile file from costing more than a picture should: libjpeg
// keeps a progressive picture's coefficients whole (about 2 bytes a pixel and
// channel), and a progressive file may hold scan after scan of nothing.
constexpr long kDecoderMemoryLimit = 256L * 1024 * 1024;
constexpr int kScanLimit = 500;
constexpr DWORD kReadChunk = 64 * 1024;

// Everything libjpeg works on, as plain data. libjpeg reports an error by calling
// error_exit, which must not return: it longjmps back into the step that was running.
// The steps below are plain functions holding no object with a destructor, so the
// jump skips nothing; all C++ objects live in the caller, between the steps.
struct JpegSession {
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  jpeg_source_mgr source;
  jpeg_progress_mgr progress;
  std::jmp_buf escape;
  HANDLE file;
  JOCTET buffer[kReadChunk];
};

JpegSession* sessionOf(j_common_ptr info) { return static_cast<JpegSession*>(info->client_data); }

[[noreturn]] void escapeOnError(j_common_ptr info) { std::longjmp(sessionOf(info)->escape, 1); }
void ignoreMessage(j_common_ptr) {}

void startReading(j_decompress_ptr) {}
void stopReading(j_decompress_ptr) {}

// The end of the file before the end of the picture is an error: libjpeg's own
// sources would pad the picture out with grey and call it a warning.
boolean fillBuffer(j_decompress_ptr info) {
  JpegSession* session = sessionOf(reinterpret_cast<j_common_ptr>(info));
  DWORD read = 0;
  if (!::ReadFile(session->file, session->buffer, kReadChunk, &read, nullptr) || read == 0) {
    ERREXIT(info, JERR_INPUT_EOF);
  }
  session->source.next_input_byte = session->buffer;
  session->source.bytes_in_buffer = read;
  return TRUE;
}

void skipBytes(j_decompress_ptr info, long count) {
  jpeg_source_mgr& source = sessionOf(reinterpret_cast<j_common_ptr>(info))->source;
  if (count <= 0) return;
  while (static_cast<unsigned long>(count) > source.bytes_in_buffer) {
    count -= static_cast<long>(source.bytes_in_buffer);
    fillBuffer(info);
  }
  source.next_input_byte += count;
  source.bytes_in_buffer -= static_cast<size_t>(count);
}

void limitScans(j_common_ptr info) {
  if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kScanLimit) ERREXIT(info, JERR_NOTIMPL);
}

// The steps. Each returns false when libjpeg gave up on the file; the session then
// only needs destroying.

bool readHeader(JpegSession& session) {
  if (setjmp(session.escape)) return false;
  session.info.err = jpeg_std_error(&session.errors);
  session.errors.error_exit = escapeOnError;
  session.errors.output_message = ignoreMessage;
  session.info.client_data = &session;
  jpeg_create_decompress(&session.info);
  session.info.mem->max_memory_to_use = kDecoderMemoryLimit;
  session.source.init_source = startReading;
  session.source.fill_input_buffer = fillBuffer;
  session.source.skip_input_data = skipBytes;
  session.source.resync_to_restart = jpeg_resync_to_restart;
  session.source.term_source = stopReading;
  session.info.src = &session.source;
  session.progress.progress_monitor = limitScans;
  session.info.progress = &session.progress;
  jpeg_read_header(&session.info, TRUE);
  return true;
}

bool startDecoding(JpegSession& session, int denominator, J_COLOR_SPACE colours) {
  if (setjmp(session.escape)) return false;
  session.info.scale_num = 1;
  session.info.scale_denom = static_cast<unsigned>(denominator);
  session.info.out_color_space = colours;
  jpeg_start_decompress(&session.info);
  return true;
}

bool readRows(JpegSession& session, JSAMPARRAY rows, JDIMENSION count, JDIMENSION& read) {
  if (setjmp(session.escape)) return false;
  read = jpeg_read_scanlines(&session.info, rows, count);
  return true;
}

// Owns the session; destroying it frees all libjpeg holds (safe after any failed step,
// and on a session whose creation never started).
struct SessionDeleter {
  void operator()(JpegSession* session) const {
    jpeg_destroy_decompress(&session->info);
    delete session;
  }
};
using Session = std::unique_ptr<JpegSession, SessionDeleter>;

// CMYK as libjpeg gives it to blue, green, red. Files with Adobe's marker (those that
// Photoshop and most other programs write) store the channels inverted.
void cmykToBgr(const JSAMPLE* cmyk, std::uint8_t* bgr, JDIMENSION width, bool inverted) {
  for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
    for (int channel = 0; channel < 3; ++channel) {
      const unsigned ink = inverted ? cmyk[2 - channel] : 255u - cmyk[2 - channel];
      bgr[channel] = static_cast<std::uint8_t>((ink * k + 127) / 255);
    }
  }
}

// The file handed over open and at its start, when it starts like a JPEG (the
// start-of-image marker followed by another marker).
UniqueFile openJpeg(const std::wstring& path) {
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return {};
  unsigned char start[3]{};
  DWORD read = 0;
  if (!::ReadFile(file.get(), start, sizeof start, &read, nullptr) || read != sizeof start) return {};
  if (start[0] != 0xFF || start[1] != 0xD8 || start[2] != 0xFF) return {};
  if (::SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN) != 0) return {};
  return file;
}

}  // namespace

std::optional<JpegThumbnail> decodeJpegThumbnail(const std::wstring& path, SIZE size) {
  UniqueFile file = openJpeg(path);
  if (!file) return std::nullopt;
  JpegThumbnail thumbnail;
  if (size.cx <= 0 || size.cy <= 0) return thumbnail;

  // Zeroed, so destroying it is safe whichever step fails.
  Session session(new (std::nothrow) JpegSession{});
  if (!session) return thumbnail;
  session->file = file.get();
  if (!readHeader(*session)) return thumbnail;

  const jpeg_decompress_struct& info = session->info;
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  const int denominator = jpegScaleDenominator(info.image_width, info.image_height, static_cast<std::uint32_t>(size.cx),
                                               static_cast<std::uint32_t>(size.cy));
  if (!startDecoding(*session, denominator, cmyk ? JCS_CMYK : JCS_EXT_BGR)) return thumbnail;
  const JDIMENSION width = info.output_width, height = info.output_height;
  if (width == 0 || height == 0 || info.output_components != (cmyk ? 4 : 3)) return thumbnail;

  BgrPixels pixels;
  UniqueBitmap bitmap = newTopDownBitmap(size, pixels);
  if (!bitmap) return thumbnail;
  RowScaler scaler(width, height, static_cast<std::uint32_t>(size.cx), static_cast<std::uint32_t>(size.cy),
                   pixels.first, pixels.stride);

  // A few rows at a time: libjpeg hands out up to that many per call.
  constexpr JDIMENSION kRowsAtOnce = 8;
  const size_t rowBytes = size_t{width} * static_cast<size_t>(info.output_components);
  std::vector<JSAMPLE> decoded(rowBytes * kRowsAtOnce);
  std::vector<std::uint8_t> bgr(cmyk ? size_t{width} * 3 : 0);
  JSAMPROW rows[kRowsAtOnce];
  for (JDIMENSION k = 0; k < kRowsAtOnce; ++k) rows[k] = decoded.data() + rowBytes * k;
  while (info.output_scanline < height) {
    JDIMENSION read = 0;
    if (!readRows(*session, rows, kRowsAtOnce, read) || read == 0) return thumbnail;
    for (JDIMENSION k = 0; k < read; ++k) {
      if (cmyk) {
        cmykToBgr(rows[k], bgr.data(), width, info.saw_Adobe_marker != FALSE);
        scaler.addRow(bgr.data());
      } else {
        scaler.addRow(rows[k]);
      }
    }
  }
  if (!scaler.done()) return thumbnail;
  ::GdiFlush();
  thumbnail.bitmap = std::move(bitmap);
  thumbnail.decodedSize = SIZE{static_cast<LONG>(width), static_cast<LONG>(height)};
  return thumbnail;
}

}  // namespace tarnwick
