#include <quarn/quarn-m.h>

int main(void) {
  return quarn_program_name(0) == NULL;
}
