#include "test_support/interactive.hpp"

std::string InteractiveProcess::readUntilQuiet(int quietMilliseconds) {
  std::string text;
  while (readSome(text, quietMilliseconds)) {
  }
  return text;
}

std::string InteractiveProcess::readScreen(const std::string& expected) {
  std::string text;
  while (text.size() < expected.size() && readSome(text, 10000)) {
  }
  return text + readUntilQuiet(300);
}

std::string InteractiveProcess::readUntil(const std::string& text) {
  std::string got;
  while (got.find(text) == std::string::npos && readSome(got, 10000)) {
  }
  return got;
}

std::string InteractiveProcess::readToEnd() { return readUntilQuiet(10000); }
