#include <stdio.h>
#include <string.h>

#include <quarn/quarn-m.h>

int main(void) {
  QuarnIxiostatRecord r;
  memcpy(r.ix_status_code, "23", 2);
  QUARN_IXIOSTAT(&r); /* r.ix_status_message: "=23 - READ/REWRITE: Record Not Found! |" */
  printf("%.*s\n", (int)sizeof r.ix_status_message, r.ix_status_message);

  void* params[] = {&r};
  memcpy(r.ix_status_code, "10", 2);
  if (quarn_call("IXIOSTAT", params, 1, NULL) != 0) return 1; /* the same, by name */
  printf("%.*s\n", (int)sizeof r.ix_status_message, r.ix_status_message);
  return 0;
}
