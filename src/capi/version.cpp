// The library's version, from the header's macros (the test capi.version holds them to the
// project's version in CMakeLists.txt).
#include "quarn/quarn-m.h"

#define QUARN_VERSION_TEXT_(major, minor, patch) #major "." #minor "." #patch
#define QUARN_VERSION_TEXT(major, minor, patch) QUARN_VERSION_TEXT_(major, minor, patch)

extern "C" QUARN_API const char* quarn_version(void) {
  return QUARN_VERSION_TEXT(QUARN_VERSION_MAJOR, QUARN_VERSION_MINOR, QUARN_VERSION_PATCH);
}
