// The front end's two conversions under the fuzzer. The first input byte
// sets the size of the pieces in which the rest arrives; each conversion
// must give the same bytes in pieces as in one go, and what it gives must
// convert back without a substitute. Any difference aborts.
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/standard_input.hpp"
#include "utf8/conversion.hpp"

namespace {

using Conversion::Converter;
using Conversion::Direction;

struct Converted {
  std::string bytes;
  long substitutions;
};

Converted convert(Direction direction, std::string_view input, size_t pieceSize) {
  Converter converter(direction);
  Converted result;
  for (size_t at = 0; at < input.size(); at += pieceSize) {
    converter.convert(input.substr(at, pieceSize), result.bytes);
  }
  converter.flush(result.bytes);
  result.substitutions = converter.substitutions();
  return result;
}

void check(Direction direction, Direction back, std::string_view input, size_t pieceSize) {
  Converted whole = convert(direction, input, input.size() + 1);
  Converted pieces = convert(direction, input, pieceSize);
  if (whole.bytes != pieces.bytes || whole.substitutions != pieces.substitutions) std::abort();
  if (convert(back, whole.bytes, whole.bytes.size() + 1).substitutions != 0) std::abort();
}

}  // namespace

int main() {
  const std::string input = readStandardInput();
  if (input.empty()) return 0;
  const size_t pieceSize = 1 + static_cast<unsigned char>(input[0]) % 16;
  const std::string_view stream = std::string_view(input).substr(1);
  check(Direction::toCodePage932, Direction::toUtf8, stream, pieceSize);
  check(Direction::toUtf8, Direction::toCodePage932, stream, pieceSize);
}
