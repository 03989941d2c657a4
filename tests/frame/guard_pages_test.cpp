// Every record program, called with each record right against an unmapped page (after its
// last byte, then before its first), over generated inputs: a read or write outside a
// record ends the test with a fault. Then with records missing: a program called with
// fewer records than it requires touches none and reports a run-time error.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "frame/misc_area.hpp"
#include "frame/program.hpp"
#include "platform/files.hpp"
#include "platform/process.hpp"
#include "platform/sysout.hpp"
#include "quarn/quarn-m.h"
#include "support/temp_folder.hpp"

namespace quarn::frame {
namespace {

// A record of `length` bytes whose one side touches a page that cannot be read or written.
class GuardedRecord {
 public:
  GuardedRecord(std::size_t length, bool against_end) : length_(length) {
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const std::size_t pages = (length + page - 1) / page;
    size_ = (pages + 2) * page;
    void* mapped = ::mmap(nullptr, size_, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) std::abort();
    base_ = static_cast<char*>(mapped);
    if (::mprotect(base_ + page, pages * page, PROT_READ | PROT_WRITE) != 0) std::abort();
    record_ = against_end ? base_ + page + pages * page - length : base_ + page;
  }
  ~GuardedRecord() { ::munmap(base_, size_); }
  GuardedRecord(const GuardedRecord&) = delete;
  GuardedRecord& operator=(const GuardedRecord&) = delete;

  char* data() { return record_; }
  std::size_t size() const { return length_; }

 private:
  std::size_t length_;
  std::size_t size_ = 0;
  char* base_ = nullptr;
  char* record_ = nullptr;
};

// Bytes for a record: the kinds of contents that reach programs' edge cases.
void fill(char* record, std::size_t length, int kind, std::mt19937& random) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> digit('0', '9');
  for (std::size_t i = 0; i < length; ++i) {
    switch (kind) {
      case 0:
        record[i] = ' ';
        break;
      case 1:
        record[i] = '\0';
        break;
      case 2:
        record[i] = '\xFF';
        break;
      case 3:
        record[i] = static_cast<char>(digit(random));
        break;
      case 4:
        // Text with separators and end marks, as names, dates and paths hold.
        record[i] = "A9/ .\\-\x03,#&"[byte(random) % 12];
        break;
      default:
        record[i] = static_cast<char>(byte(random));
        break;
    }
  }
}

constexpr int kKinds = 12;  // the fixed kinds, then random bytes

// POP's caller form is not data but the caller's functions: it gets the runtime's form,
// since random bytes there would be random code addresses.
bool holds_callbacks(const ProgramDef& def, int record) {
  return def.name == "POP" && record == 2;
}

class GuardPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Nothing starts and no folder is made while programs read random records; files are
    // made only in the scratch folder, which is also the current folder.
    old_folder_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_.path());
    misc_ = frame::misc_area();
    ASSERT_NE(misc_, nullptr);
    saved_ = *misc_;
    std::memset(misc_, ' ', sizeof *misc_);
    const std::string home = folder_.path().string() + "/";
    std::memset(misc_->xm_home_folder, 0, sizeof misc_->xm_home_folder);
    std::memcpy(misc_->xm_home_folder, home.data(), home.size());
    misc_->xm_folder_length[0] = 0;
    misc_->xm_folder_length[1] = static_cast<char>(home.size());
    platform::process::syscalls().spawnp =
        [](pid_t*, const char*, const posix_spawn_file_actions_t*, const posix_spawnattr_t*,
           char* const[], char* const[]) { return ENOENT; };
    platform::files::syscalls().mkdir = [](const char*, mode_t) {
      errno = EACCES;
      return -1;
    };
    platform::files::syscalls().unlink = [](const char* path) {
      if (!inside(path)) {
        errno = EACCES;
        return -1;
      }
      return ::unlink(path);
    };
    platform::files::syscalls().open = [](const char* path, int flags, mode_t mode) {
      if ((flags & O_ACCMODE) != O_RDONLY && !inside(path)) {
        errno = EACCES;
        return -1;
      }
      return ::open(path, flags, mode);
    };
    scratch_ = folder_.path().string() + "/";
    previous_errors_ = set_error_handler([this](const RuntimeError&) { ++runtime_errors_; });
    previous_sysout_ = platform::set_sysout([](std::string_view) {});
  }
  void TearDown() override {
    platform::process::reset_syscalls();
    platform::files::reset_syscalls();
    set_error_handler(previous_errors_);
    platform::set_sysout(previous_sysout_);
    *misc_ = saved_;
    std::filesystem::current_path(old_folder_);
  }
  // A name written to only inside the scratch folder (relative names are, as it is the
  // current folder, unless they climb out of it).
  static bool inside(const char* path) {
    const std::string name(path);
    if (name.empty() || name.find("..") != std::string::npos) return false;
    return name.front() != '/' || name.starts_with(scratch_);
  }

  testing::TempFolder folder_;
  int runtime_errors_ = 0;

 private:
  inline static std::string scratch_;
  std::filesystem::path old_folder_;
  QuarnXMiscExternalWs* misc_ = nullptr;
  QuarnXMiscExternalWs saved_{};
  ErrorHandler previous_errors_;
  platform::SysoutSink previous_sysout_;
};

TEST_F(GuardPagesTest, EveryProgramStaysInsideItsRecords) {
  std::mt19937 random(2026);
  int calls = 0;
  for (const Program* program : programs()) {
    const ProgramDef& def = program->def();
    SCOPED_TRACE(std::string(def.name));
    for (const bool against_end : {true, false}) {
      for (int kind = 0; kind < kKinds; ++kind) {
        std::vector<std::unique_ptr<GuardedRecord>> records;
        std::vector<void*> params;
        for (int i = 0; i < def.param_count; ++i) {
          records.push_back(std::make_unique<GuardedRecord>(def.record_lengths[i], against_end));
          if (holds_callbacks(def, i)) {
            std::memcpy(records.back()->data(), quarn_runtime_form(), sizeof(QuarnCallerForm));
          } else {
            fill(records.back()->data(), records.back()->size(), kind, random);
          }
          params.push_back(records.back()->data());
        }
        const_cast<Program*>(program)->call(params);
        ++calls;
      }
    }
  }
  EXPECT_GT(calls, 0);
}

TEST_F(GuardPagesTest, AProgramCalledWithoutItsRecordsTouchesNone) {
  for (const Program* program : programs()) {
    const ProgramDef& def = program->def();
    SCOPED_TRACE(std::string(def.name));
    for (int passed = 0; passed < def.required_params; ++passed) {
      // The records passed are real; the missing ones are not there at all.
      std::vector<std::unique_ptr<GuardedRecord>> records;
      std::vector<void*> params;
      for (int i = 0; i < passed; ++i) {
        records.push_back(std::make_unique<GuardedRecord>(def.record_lengths[i], true));
        std::memset(records.back()->data(), ' ', def.record_lengths[i]);
        params.push_back(records.back()->data());
      }
      const int before = runtime_errors_;
      const_cast<Program*>(program)->call(params);
      EXPECT_EQ(runtime_errors_, before + 1) << passed << " records";
      for (const auto& record : records) {
        EXPECT_EQ(std::string(record->data(), record->size()), std::string(record->size(), ' '))
            << "a record passed is left alone";
      }
    }
  }
}

}  // namespace
}  // namespace quarn::frame
