// quarn-hex2bin HEXFILE,BINFILE: writes the binary file that a file of hexadecimal text
// describes. Pairs of hexadecimal digits are bytes; spaces and line ends between them are
// ignored; anything else is an error and leaves no binary file. The stand-in for the
// converter the image viewer runs: "Hex2Bin.exe <hex file>,<binary file>".
// Exit status: 0 written, 1 the hex file is not valid, 2 bad arguments, 3 a file could not
// be read or written.
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "native_path.hpp"

namespace {

int digit(int c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = std::toupper(c);
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string strip(const std::string& text) {
  const std::size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return {};
  return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::puts(
        "usage: quarn-hex2bin HEXFILE,BINFILE\n"
        "Writes BINFILE from the pairs of hexadecimal digits in HEXFILE.");
    return 0;
  }
  // The names may hold spaces, which split them into several arguments.
  std::string joined;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) joined += ' ';
    joined += argv[i];
  }
  const std::size_t comma = joined.find(',');
  if (comma == std::string::npos) {
    std::fprintf(stderr, "quarn-hex2bin: expects HEXFILE,BINFILE (see --help)\n");
    return 2;
  }
  const std::string hex_name = quarn::helpers::native_path(strip(joined.substr(0, comma)));
  const std::string bin_name = quarn::helpers::native_path(strip(joined.substr(comma + 1)));
  if (hex_name.empty() || bin_name.empty()) {
    std::fprintf(stderr, "quarn-hex2bin: expects HEXFILE,BINFILE (see --help)\n");
    return 2;
  }

  std::FILE* in = std::fopen(hex_name.c_str(), "rb");
  if (in == nullptr) {
    std::fprintf(stderr, "quarn-hex2bin: %s: %s\n", hex_name.c_str(), std::strerror(errno));
    return 3;
  }
  std::string bytes;
  int high = -1;
  long offset = 0;
  for (int c; (c = std::fgetc(in)) != EOF; ++offset) {
    if (c == ' ' || c == '\r' || c == '\n' || c == '\t') continue;
    const int value = digit(c);
    if (value < 0) {
      std::fclose(in);
      std::fprintf(stderr, "quarn-hex2bin: %s: not a hexadecimal digit at offset %ld\n",
                   hex_name.c_str(), offset);
      return 1;
    }
    if (high < 0) {
      high = value;
    } else {
      bytes += static_cast<char>(high << 4 | value);
      high = -1;
    }
  }
  std::fclose(in);
  if (high >= 0) {
    std::fprintf(stderr, "quarn-hex2bin: %s: odd number of hexadecimal digits\n", hex_name.c_str());
    return 1;
  }

  // Written beside its final name and renamed, so that no half-written file is left.
  const std::string temporary = bin_name + ".tmp";
  std::FILE* out = std::fopen(temporary.c_str(), "wb");
  bool ok = out != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  if (out != nullptr && std::fclose(out) != 0) ok = false;
  if (!ok || std::rename(temporary.c_str(), bin_name.c_str()) != 0) {
    std::fprintf(stderr, "quarn-hex2bin: cannot write %s: %s\n", bin_name.c_str(),
                 std::strerror(errno));
    std::remove(temporary.c_str());
    return 3;
  }
  return 0;
}
