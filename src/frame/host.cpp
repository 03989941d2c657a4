#include "frame/host.hpp"

#include <dlfcn.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
// libcob's header gives the layout of its global block; it needs size_t declared first.
#include <libcob.h>

#include "frame/program.hpp"

namespace quarn::frame {

namespace {

// libcob is looked up in the process at run time: the library does not link it.
struct Libcob {
  int (*is_initialized)() = nullptr;
  cob_global* (*global)() = nullptr;
  void* (*external_addr)(const char*, int) = nullptr;
};

const Libcob& libcob() {
  static const Libcob found = [] {
    Libcob l;
    l.is_initialized = reinterpret_cast<int (*)()>(dlsym(RTLD_DEFAULT, "cob_is_initialized"));
    l.global = reinterpret_cast<cob_global* (*)()>(dlsym(RTLD_DEFAULT, "cob_get_global_ptr"));
    l.external_addr =
        reinterpret_cast<void* (*)(const char*, int)>(dlsym(RTLD_DEFAULT, "cob_external_addr"));
    return l;
  }();
  return found;
}

int setting_from_environment() {
  const char* value = std::getenv("QUARN_SIGN_CONVENTION");
  if (value == nullptr) return 0;
  if (std::strcmp(value, "record") == 0) return 1;
  if (std::strcmp(value, "gnucobol") == 0) return 2;
  return 0;
}

}  // namespace

signed char detail::gnucobol_process = -1;

bool in_gnucobol_process() {
  static const bool answer = [] {
    const Libcob& l = libcob();
    const bool yes = l.is_initialized != nullptr && l.global != nullptr &&
                     l.external_addr != nullptr && l.is_initialized() != 0;
    detail::gnucobol_process = yes ? 1 : 0;
    // Outside a GnuCOBOL process no caller count is ever asked for again.
    if (!yes) detail::entry_services.fetch_and(static_cast<std::uint8_t>(~detail::kAskRuntime));
    return yes;
  }();
  return answer;
}

int detail::passed_params_from_runtime(int declared) {
  if (!in_gnucobol_process()) return declared;
  const cob_global* g = libcob().global();
  // Only a running COBOL module has announced a count; a C caller in a GnuCOBOL process
  // passes what it declares.
  if (g == nullptr || g->cob_current_module == nullptr) return declared;
  const int passed = g->cob_call_params;
  return passed < 0 ? 0 : (passed < declared ? passed : declared);
}

void* gnucobol_external_area(const char* key, int size) {
  return in_gnucobol_process() ? libcob().external_addr(key, size) : nullptr;
}

namespace {
// The convention a setting (0 auto, 1 record, 2 GnuCOBOL) stands for in this process.
SignConvention resolved(int setting) {
  switch (setting) {
    case 1:
      return SignConvention::kRecord;
    case 2:
      return SignConvention::kGnuCobol;
    default:
      return in_gnucobol_process() ? SignConvention::kGnuCobol : SignConvention::kRecord;
  }
}
}  // namespace

// -1: nothing set, the environment decides; kAutoSet: set to "auto", not resolved yet.
constexpr signed char kAutoSet = -2;
std::atomic<signed char> detail::sign_in_force{-1};

SignConvention detail::first_sign_convention() {
  signed char unresolved = sign_in_force.load(std::memory_order_relaxed);
  const int setting = unresolved == kAutoSet ? 0 : setting_from_environment();
  // A setting made meanwhile wins.
  sign_in_force.compare_exchange_strong(unresolved, static_cast<signed char>(resolved(setting)),
                                        std::memory_order_relaxed);
  return static_cast<SignConvention>(sign_in_force.load(std::memory_order_relaxed));
}

void set_sign_convention_setting(int setting) {
  // "auto" is resolved when a number is first written, not here: a host may set it before
  // its GnuCOBOL runtime has started, and the answer of in_gnucobol_process() is kept.
  detail::sign_in_force.store(
      setting == 1 || setting == 2 ? static_cast<signed char>(resolved(setting)) : kAutoSet,
      std::memory_order_relaxed);
}

}  // namespace quarn::frame
