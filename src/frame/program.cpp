#include "frame/program.hpp"

#include <algorithm>
#include <cstdio>
#include <map>
#include <mutex>
#include <string>
#include <utility>

#include "frame/codec.hpp"
#include "frame/host.hpp"

namespace quarn::frame {

namespace {

// The registry and the hooks below are never destroyed: work done at the module's unload
// (after static destructors have run) may still call programs and report errors.
std::map<std::string, Program*, std::less<>>& registry() {
  static auto* programs = new std::map<std::string, Program*, std::less<>>;
  return *programs;
}

std::mutex& hooks_mutex() {
  static auto* m = new std::mutex;
  return *m;
}
ErrorHandler& error_handler() {
  static auto* handler = new ErrorHandler;
  return *handler;
}
FrameObserver& frame_observer() {
  static auto* observer = new FrameObserver;
  return *observer;
}

void default_error_handler(const RuntimeError& e) {
  std::fprintf(stderr, "QUARN-M: run-time error %d in %.*s at line %d: %.*s\n", e.code,
               static_cast<int>(e.program.size()), e.program.data(), e.line,
               static_cast<int>(e.text.size()), e.text.data());
}

}  // namespace

// The program whose body is running (innermost), for error reports. The suite calls the
// library from one thread; a plain variable keeps the frame cheap.
const ProgramDef* detail::current_program = nullptr;
// Lets a call skip the lock when nobody observes, which is the ordinary case.
std::atomic<bool> detail::observed{false};
// Until the first call has asked whether this is a GnuCOBOL process, calls take the whole
// entry (which asks).
std::atomic<std::uint8_t> detail::entry_services{detail::kAskRuntime};

[[gnu::noinline]] void detail::notify_observer(int kind, std::string_view name,
                                               std::uint8_t first_call, void* const* records) {
  FrameObserver observer;
  {
    std::lock_guard lock(hooks_mutex());
    if (!frame_observer()) return;
    observer = frame_observer();
  }
  observer(FrameEvent{static_cast<FrameEvent::Kind>(kind), name, first_call, records});
}

// The error paths of a call, kept out of the way of the ordinary one.
[[gnu::noinline]] void detail::report_missing_record(int index) {
  report_runtime_error(__LINE__, "parameter record " + std::to_string(index + 1) +
                                     " was not passed; the call does nothing");
}
[[gnu::noinline]] void detail::report_reentry(std::string_view program) {
  report_runtime_error(
      __LINE__, std::string(program) + " was called while it was running; the call is not run");
}

Program::Program(const ProgramDef& def) : def_(def) {
  registry()[std::string(def.name)] = this;
}

std::int32_t Program::call(std::span<void* const> params) {
  void* records[kMaxParams] = {};
  std::copy_n(params.begin(), std::min<std::size_t>(params.size(), def_.param_count), records);
  return run(records);
}

std::int32_t Program::run(void* const* records) {
  ProgramFrame frame(*this, [records] { return records; });
  if (!frame.entered() || !required_passed(records)) return 0;
  return def_.body(records);
}

Program* find_program(std::string_view name) {
  const auto it = registry().find(trimmed(name));
  return it == registry().end() ? nullptr : it->second;
}

std::vector<const Program*> programs() {
  std::vector<const Program*> all;
  for (const auto& [name, program] : registry())
    all.push_back(program);
  return all;
}

bool call_by_name(std::string_view name, std::span<void* const> params, std::int32_t* result) {
  Program* program = find_program(name);
  if (program == nullptr) return false;
  const std::int32_t value = program->call(params);
  if (result != nullptr) *result = value;
  return true;
}

void report_runtime_error(int line, std::string_view text) {
  ErrorHandler handler;
  {
    std::lock_guard lock(hooks_mutex());
    handler = error_handler();
  }
  const std::string_view program =
      detail::current_program ? detail::current_program->name : "QUARN-M";
  const RuntimeError error{kRuntimeErrorCode, line, program, text};
  if (handler) {
    handler(error);
  } else {
    default_error_handler(error);
  }
}

ErrorHandler set_error_handler(ErrorHandler handler) {
  std::lock_guard lock(hooks_mutex());
  return std::exchange(error_handler(), std::move(handler));
}

FrameObserver set_frame_observer(FrameObserver observer) {
  std::lock_guard lock(hooks_mutex());
  detail::observed.store(static_cast<bool>(observer), std::memory_order_release);
  if (observer) {
    detail::entry_services.fetch_or(detail::kObserve);
  } else {
    detail::entry_services.fetch_and(static_cast<std::uint8_t>(~detail::kObserve));
  }
  return std::exchange(frame_observer(), std::move(observer));
}

}  // namespace quarn::frame
