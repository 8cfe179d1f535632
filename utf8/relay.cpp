#include "utf8/relay.hpp"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "utf8/child.hpp"
#include "utf8/conversion.hpp"
#include "utf8/write_all.hpp"

namespace Relay {
namespace {

using Conversion::Converter;
using Conversion::Direction;

// Input is read only when all that was read before has gone to the program,
// and output is written out before more is read: memory stays bounded
// however long a line is.
constexpr size_t kPieceSize = 65536;

class Session {
 public:
  explicit Session(const Ends& ends) : ends_(ends) {}
  int run();

 private:
  bool showProgramOutput();
  bool show();
  void takeUserInput();
  void sendToProgram();
  void endProgramInput();
  void closeProgramInput();

  Ends ends_;
  Converter typed_{Direction::toCodePage932};
  Converter shown_{Direction::toUtf8};
  char piece_[kPieceSize];
  std::string converted_;
  std::string toProgram_;
  size_t sent_ = 0;
  bool reading_ = true;
  bool programInputOpen_ = true;
  bool closeWhenSent_ = false;
  int outputError_ = 0;
};

int Session::run() {
  for (;;) {
    const bool sending = programInputOpen_ && sent_ < toProgram_.size();
    pollfd ready[] = {
        {ends_.programOutput, POLLIN, 0},
        {sending ? ends_.programInput : -1, POLLOUT, 0},
        {reading_ && !sending ? ends_.userInput : -1, POLLIN, 0},
    };
    if (poll(ready, 3, -1) < 0) {
      if (errno == EINTR) continue;
      Child::complain(std::string("poll: ") + std::strerror(errno));
      break;
    }
    if (ready[0].revents != 0 && !showProgramOutput()) break;
    if (ready[1].revents != 0) sendToProgram();
    if (ready[2].revents != 0) takeUserInput();
  }
  if (programInputOpen_) close(ends_.programInput);
  close(ends_.programOutput);
  return outputError_;
}

// False when the program's output has ended or the user's output fails.
bool Session::showProgramOutput() {
  ssize_t got = read(ends_.programOutput, piece_, sizeof piece_);
  if (retryLater(got)) return true;
  converted_.clear();
  if (got <= 0) {
    shown_.flush(converted_);
    show();
    return false;
  }
  shown_.convert({piece_, static_cast<size_t>(got)}, converted_);
  return show();
}

// Writes what was converted to the user; false when that fails.
bool Session::show() {
  if (writeAll(ends_.userOutput, converted_)) return true;
  outputError_ = errno;
  return false;
}

void Session::sendToProgram() {
  ssize_t put = write(ends_.programInput, toProgram_.data() + sent_, toProgram_.size() - sent_);
  if (retryLater(put)) return;
  if (put < 0) {
    // The program no longer reads (it has ended): the rest of the input is
    // of no use.
    reading_ = false;
    closeProgramInput();
    return;
  }
  sent_ += static_cast<size_t>(put);
  if (sent_ < toProgram_.size()) return;
  toProgram_.clear();
  sent_ = 0;
  if (closeWhenSent_) closeProgramInput();
}

void Session::takeUserInput() {
  ssize_t got = read(ends_.userInput, piece_, sizeof piece_);
  if (retryLater(got)) return;
  if (got < 0) Child::complain(std::string("standard input: ") + std::strerror(errno));
  converted_.clear();
  typed_.convert(std::string_view(piece_, got > 0 ? static_cast<size_t>(got) : 0), converted_);
  if (got <= 0) typed_.flush(converted_);
  toProgram_ += converted_;
  if (got <= 0) endProgramInput();
}

void Session::endProgramInput() {
  reading_ = false;
  if (toProgram_.empty()) {
    closeProgramInput();
  } else {
    closeWhenSent_ = true;
  }
}

void Session::closeProgramInput() {
  toProgram_.clear();
  sent_ = 0;
  if (!programInputOpen_) return;
  programInputOpen_ = false;
  close(ends_.programInput);
}

}  // namespace

int run(const Ends& ends) {
  for (int end : {ends.programInput, ends.programOutput}) {
    fcntl(end, F_SETFL, fcntl(end, F_GETFL) | O_NONBLOCK);
  }
  Session session(ends);
  return session.run();
}

}  // namespace Relay
