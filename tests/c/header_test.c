/* The public header used from plain C, against the shared library. */
#include <stdio.h>
#include <string.h>

#include "quarn/quarn-m.h"

static int failures = 0;
static int checks = 0;

#define CHECK(cond)                                                            \
  do {                                                                         \
    ++checks;                                                                  \
    if (!(cond)) {                                                             \
      ++failures;                                                              \
      fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
    }                                                                          \
  } while (0)

static int errors_seen = 0;
static void count_error(const QuarnRuntimeError* error, void* context) {
  CHECK(error->code == 16);
  CHECK(context == &errors_seen);
  ++errors_seen;
}

int main(void) {
  QuarnIxiostatRecord record;
  memset(&record, '#', sizeof record);
  memcpy(record.ix_status_code, "93", 2);
  CHECK(QUARN_IXIOSTAT(&record) == 0);
  CHECK(memcmp(record.ix_status_message, "=93 - OPEN: File In Use or Locked! | ", 37) == 0);
  CHECK(record.ix_status_message[61] == ' ');

  /* By name, exact or padded to 14 characters. */
  void* params[1] = {&record};
  int32_t result = -1;
  memcpy(record.ix_status_code, "10", 2);
  CHECK(quarn_call("IXIOSTAT      ", params, 1, &result) == 0);
  CHECK(result == 0);
  CHECK(memcmp(record.ix_status_message, "=10 - READ: End of File! |", 26) == 0);
  CHECK(quarn_call("NOSUCH", params, 1, &result) == -1);
  CHECK(quarn_call("IXIOSTAT", params, 2, &result) == -2);

  size_t lengths[4] = {0};
  CHECK(quarn_program_info("IXIOSTAT", lengths, 4) == 1);
  CHECK(lengths[0] == 64);
  CHECK(quarn_program_info("NOSUCH", lengths, 4) == -1);
  CHECK(quarn_program_parameter_kind("IXIOSTAT", 0) == QUARN_PARAMETER_RECORD);
  CHECK(quarn_program_parameter_kind("POP", 1) == QUARN_PARAMETER_RECORD);
  CHECK(quarn_program_parameter_kind("POP", 2) == QUARN_PARAMETER_CALLBACKS);
  CHECK(quarn_program_parameter_kind("POP", 3) == -1);
  CHECK(quarn_program_parameter_kind("IXIOSTAT", -1) == -1);
  CHECK(quarn_program_parameter_kind("NOSUCH", 0) == -1);

  /* A record that was not passed is reported, never touched. */
  CHECK(quarn_set_error_handler(count_error, &errors_seen) == NULL);
  CHECK(QUARN_IXIOSTAT(NULL) == 0);
  CHECK(errors_seen == 1);
  CHECK(quarn_set_error_handler(NULL, NULL) == count_error);

  /* Display numbers in the records' convention (no GnuCOBOL runtime here). */
  char amount[7];
  int64_t value = -123450;
  CHECK(quarn_sign_convention() == QUARN_SIGN_RECORD);
  CHECK(quarn_write_display(amount, 7, 1, &value) == 0);
  CHECK(memcmp(amount, "012345P", 7) == 0);
  value = 0;
  CHECK(quarn_read_display("012345P", 7, 1, &value) == 0 && value == -123450);
  CHECK(quarn_read_display("01234 5", 7, 0, &value) == -1);
  quarn_set_sign_convention(QUARN_SIGN_GNUCOBOL);
  value = -123450;
  CHECK(quarn_write_display(amount, 7, 1, &value) == 0);
  CHECK(memcmp(amount, "012345p", 7) == 0);
  quarn_set_sign_convention(QUARN_SIGN_AUTO);

  char* area = (char*)quarn_external_area("X-MISC-EXTERNAL-WS", 100);
  CHECK(area != NULL && area == quarn_external_area("X_MISC_EXTERNAL_WS", 100));

  printf("%d passed, %d failed\n", checks - failures, failures);
  return failures == 0 ? 0 : 1;
}
