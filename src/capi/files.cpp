// The file services of the public C header: indexed files as text and QIM picture files.
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "docout/qim.hpp"
#include "platform/files.hpp"
#include "platform/indexed_text.hpp"
#include "platform/storage.hpp"
#include "quarn/quarn-m.h"

namespace {

int32_t indexed_text_call(const char* file, int32_t record_length, int32_t key_length,
                          const char* text, char* error, size_t error_size, bool to_text,
                          uint32_t options = 0) {
  std::string message;
  if (file == nullptr || *file == '\0') {
    message = "no indexed file named";
  } else if (record_length < 1 || record_length > 32767) {
    message = "the record length must be 1 to 32767";
  } else if (key_length < 1 || key_length > record_length) {
    message = "the key length must be 1 to the record length";
  } else {
    const quarn::platform::IndexedLayout layout{static_cast<std::size_t>(record_length), 0,
                                                static_cast<std::size_t>(key_length)};
    const std::string text_path = text == nullptr ? std::string() : std::string(text);
    message = to_text ? quarn::platform::export_text(file, layout, text_path)
                      : quarn::platform::import_text(file, layout, text_path,
                                                     (options & QUARN_IMPORT_ALLOW_EMPTY) != 0);
  }
  if (message.empty()) return 0;
  if (error != nullptr && error_size > 0) {
    const std::size_t n = std::min(message.size(), error_size - 1);
    std::memcpy(error, message.data(), n);
    error[n] = '\0';
  }
  return -1;
}

void put_message(const std::string& message, char* out, size_t size) {
  if (out != nullptr && size > 0) {
    const std::size_t n = std::min(message.size(), size - 1);
    std::memcpy(out, message.data(), n);
    out[n] = '\0';
  }
}

}  // namespace

extern "C" {

QUARN_API int32_t quarn_indexed_copy(const char* from, const char* to, int32_t record_length,
                                     int32_t key_length, char* error, size_t error_size) {
  std::string message;
  long copied = 0;
  if (from == nullptr || *from == '\0' || to == nullptr || *to == '\0') {
    message = "no indexed file named";
  } else if (record_length < 1 || record_length > 32767) {
    message = "the record length must be 1 to 32767";
  } else if (key_length < 1 || key_length > record_length) {
    message = "the key length must be 1 to the record length";
  } else if (std::string_view(from) == to) {
    message = "a file cannot be copied onto itself";
  } else {
    const quarn::platform::IndexedLayout layout{static_cast<std::size_t>(record_length), 0,
                                                static_cast<std::size_t>(key_length)};
    message = quarn::platform::copy_indexed(from, to, layout, copied);
  }
  if (message.empty()) return static_cast<int32_t>(copied);
  put_message(message, error, error_size);
  return -1;
}

QUARN_API int32_t quarn_storage_check(const char* home, char* text, size_t text_size) {
  std::string report;
  const std::string folder = home == nullptr || *home == '\0' ? "." : home;
  const bool usable = quarn::platform::check_storage(folder, report);
  put_message(report, text, text_size);
  return usable ? 0 : -1;
}

QUARN_API int32_t quarn_indexed_export(const char* file, int32_t record_length, int32_t key_length,
                                       const char* text, char* error, size_t error_size) {
  return indexed_text_call(file, record_length, key_length, text, error, error_size, true);
}

QUARN_API int32_t quarn_indexed_import(const char* file, int32_t record_length, int32_t key_length,
                                       const char* text, char* error, size_t error_size) {
  return indexed_text_call(file, record_length, key_length, text, error, error_size, false);
}

QUARN_API int32_t quarn_indexed_import_options(const char* file, int32_t record_length,
                                               int32_t key_length, const char* text,
                                               uint32_t options, char* error, size_t error_size) {
  return indexed_text_call(file, record_length, key_length, text, error, error_size, false,
                           options);
}

}  // extern "C"

namespace {

bool write_whole_file(const char* path, std::string_view bytes) {
  namespace files = quarn::platform::files;
  namespace status = quarn::platform::status;
  files::remove_file(path);
  int fd = -1;
  if (files::create_new_file(path, &fd) != status::kOk) return false;
  const bool written = files::write_at(fd, 0, bytes.data(), bytes.size()) == status::kOk;
  return files::close_file(fd) == status::kOk && written;
}

}  // namespace

extern "C" QUARN_API int32_t quarn_qim_create(const char* picture_path, const char* qim_path) {
  namespace files = quarn::platform::files;
  namespace status = quarn::platform::status;
  if (picture_path == nullptr || qim_path == nullptr) return -1;
  std::string picture;
  if (files::read_file(picture_path, quarn::docout::qim::kMaxPictureBytes, &picture) != status::kOk)
    return -1;
  std::string qim;
  if (!quarn::docout::qim::make(picture, &qim)) return -2;
  return write_whole_file(qim_path, qim) ? 0 : -1;
}

extern "C" QUARN_API int32_t quarn_qim_extract(const char* qim_path, const char* picture_path) {
  if (qim_path == nullptr || picture_path == nullptr) return -1;
  quarn::docout::qim::Picture picture;
  switch (quarn::docout::qim::read(qim_path, &picture)) {
    case quarn::docout::qim::ReadStatus::kOk:
      break;
    case quarn::docout::qim::ReadStatus::kCannotOpen:
      return -1;
    default:
      return -2;
  }
  return write_whole_file(picture_path, quarn::docout::qim::decode(picture)) ? 0 : -1;
}
