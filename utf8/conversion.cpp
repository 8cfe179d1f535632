#include "utf8/conversion.hpp"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace Conversion {
namespace {

constexpr const char* kCodePage932 = "CP932";
constexpr const char* kUtf8 = "UTF-8";

iconv_t open(Direction direction) {
  return direction == Direction::toCodePage932 ? iconv_open(kCodePage932, kUtf8)
                                               : iconv_open(kUtf8, kCodePage932);
}

// How many bytes of bytes, at least one, make up the UTF-8 character at its
// start, or as much of its start as is well-formed (so that a cut character
// stands for one substitute, as the usual practice of decoders has it).
size_t utf8Length(std::string_view bytes) {
  const auto lead = static_cast<unsigned char>(bytes[0]);
  const size_t length = lead < 0xC2 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 1;
  // The second byte's range excludes overlong forms, surrogates and
  // anything beyond U+10FFFF.
  unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
  unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
  size_t taken = 1;
  while (taken < length && taken < bytes.size()) {
    const auto next = static_cast<unsigned char>(bytes[taken]);
    if (next < low || next > high) break;
    ++taken;
    low = 0x80;
    high = 0xBF;
  }
  return taken;
}

bool isCodePage932Lead(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool isCodePage932Trail(unsigned char byte) { return byte >= 0x40 && byte <= 0xFC && byte != 0x7F; }

// How many bytes one substitute stands for, where the converter refused the
// bytes: a whole character that the target has no form for, otherwise the
// bytes up to the one that makes the sequence invalid.
size_t refusedLength(Direction direction, std::string_view bytes) {
  if (direction == Direction::toCodePage932) return utf8Length(bytes);
  const bool pair = bytes.size() > 1 && isCodePage932Lead(static_cast<unsigned char>(bytes[0])) &&
                    isCodePage932Trail(static_cast<unsigned char>(bytes[1]));
  return pair ? 2 : 1;
}

}  // namespace

bool available() {
  for (Direction direction : {Direction::toCodePage932, Direction::toUtf8}) {
    iconv_t converter = open(direction);
    if (converter == reinterpret_cast<iconv_t>(-1)) return false;
    iconv_close(converter);
  }
  return true;
}

Converter::Converter(Direction direction) : direction_(direction), iconv_(open(direction)) {
  if (iconv_ == reinterpret_cast<iconv_t>(-1)) std::abort();  // available() said yes
}

Converter::~Converter() { iconv_close(iconv_); }

void Converter::convert(std::string_view piece, std::string& out) {
  // First complete the character held back, one byte at a time: it takes at
  // most three more.
  while (heldCount_ > 0 && !piece.empty()) {
    held_[heldCount_++] = piece.front();
    piece.remove_prefix(1);
    size_t used = convertWhole({held_, heldCount_}, out);
    std::memmove(held_, held_ + used, heldCount_ - used);
    heldCount_ -= used;
  }
  if (heldCount_ > 0) return;
  std::string_view rest = piece.substr(convertWhole(piece, out));
  if (rest.size() > sizeof held_) {  // no character is that long
    substitute(out);
    return;
  }
  heldCount_ = rest.size();
  std::memcpy(held_, rest.data(), heldCount_);
}

void Converter::flush(std::string& out) {
  if (heldCount_ == 0) return;
  heldCount_ = 0;
  substitute(out);
}

// Converts bytes up to their end or up to a character that their end cuts
// in two; returns the count of bytes used.
size_t Converter::convertWhole(std::string_view bytes, std::string& out) {
  char* source = const_cast<char*>(bytes.data());
  size_t left = bytes.size();
  while (left > 0) {
    char buffer[4096];
    char* target = buffer;
    size_t room = sizeof buffer;
    size_t result = iconv(iconv_, &source, &left, &target, &room);
    out.append(buffer, static_cast<size_t>(target - buffer));
    if (result != static_cast<size_t>(-1) || errno == E2BIG) continue;
    if (errno == EINVAL) break;  // the end cuts a character in two
    size_t refused = refusedLength(direction_, {source, left});
    source += refused;
    left -= refused;
    substitute(out);
  }
  return bytes.size() - left;
}

void Converter::substitute(std::string& out) {
  out += kSubstitute;
  ++substitutions_;
}

}  // namespace Conversion
