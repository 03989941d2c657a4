// A program the system tests start: appends one line per argument ("[arg]") to the file
// named by QUARN_RECORD_FILE, then a line "end", and exits with N when an argument is
// "exit=N".
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  int code = 0;
  const char* file = std::getenv("QUARN_RECORD_FILE");
  std::FILE* out = file != nullptr ? std::fopen(file, "a") : nullptr;
  for (int i = 1; i < argc; ++i) {
    if (out != nullptr) std::fprintf(out, "[%s]\n", argv[i]);
    if (std::strncmp(argv[i], "exit=", 5) == 0) code = std::atoi(argv[i] + 5);
  }
  if (out != nullptr) {
    std::fputs("end\n", out);
    std::fclose(out);
  }
  return code;
}
