// Copies a UTF-8 C++ source with every character beyond ASCII written as
// the octal escapes of its code page 932 bytes: the program's texts compiled
// by a compiler that cannot convert literals to code page 932 itself (the
// WebAssembly build's clang), byte for byte as GCC's -fexec-charset=CP932
// makes them. Outside literals there are such characters only in comments,
// where the escapes do no harm; a character that code page 932 lacks can
// only be in a comment (GCC would refuse it in a literal), and stays as it
// is.
//
//   make_code_page_932_source INPUT OUTPUT
#include <iconv.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

namespace {

// Bytes of the UTF-8 sequence that starts with lead.
int sequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

bool toCodePage932(iconv_t converter, std::string character, std::string& bytes) {
  char out[8];
  char* in = character.data();
  size_t inLeft = character.size();
  char* outNext = out;
  size_t outLeft = sizeof out;
  if (iconv(converter, &in, &inLeft, &outNext, &outLeft) == static_cast<size_t>(-1)) return false;
  bytes.assign(out, static_cast<size_t>(outNext - out));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_code_page_932_source INPUT OUTPUT\n";
    return 2;
  }
  std::ifstream input(argv[1], std::ios::binary);
  const std::string source{std::istreambuf_iterator<char>(input), {}};
  if (!input && !input.eof()) {
    std::cerr << argv[1] << ": cannot be read\n";
    return 1;
  }
  iconv_t converter = iconv_open("CP932", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    std::cerr << "no UTF-8 to CP932 converter\n";
    return 1;
  }
  std::string output;
  for (size_t i = 0; i < source.size();) {
    const auto lead = static_cast<unsigned char>(source[i]);
    if (lead < 0x80) {
      output += source[i++];
      continue;
    }
    const auto length = static_cast<size_t>(sequenceLength(lead));
    std::string bytes;
    if (!toCodePage932(converter, source.substr(i, length), bytes)) {
      output += source.substr(i, length);
      i += length;
      continue;
    }
    for (unsigned char byte : bytes) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\%03o", byte);
      output += escape;
    }
    i += length;
  }
  std::ofstream copy(argv[2], std::ios::binary);
  copy << output;
  if (!copy.flush()) {
    std::cerr << argv[2] << ": cannot be written\n";
    return 1;
  }
  return 0;
}
