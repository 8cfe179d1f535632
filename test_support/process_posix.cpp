#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <stdexcept>

#include "test_support/process.hpp"

ProcessResult runProcess(const std::string& program, const std::string& input,
                         const ProcessOptions& options) {
  signal(SIGPIPE, SIG_IGN);  // a child that stops reading must not kill the test
  int inPipe[2], outPipe[2];
  if (pipe2(inPipe, O_CLOEXEC) != 0 || pipe2(outPipe, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe failed");
  }
  if (options.unreadStdout) {
    close(outPipe[0]);
    outPipe[0] = -1;
  }
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : options.arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);

  pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    // A test ended by its time-out takes the program with it: one that
    // loops would otherwise run on as an orphan.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (options.closeStdin) {
      close(STDIN_FILENO);
    } else if (!options.stdinPath.empty()) {
      int fd = open(options.stdinPath.c_str(), O_RDONLY | O_DIRECTORY);
      if (fd < 0) fd = open(options.stdinPath.c_str(), O_RDONLY);
      dup2(fd, STDIN_FILENO);
    } else {
      dup2(inPipe[0], STDIN_FILENO);
    }
    if (options.closeStdout) {
      close(STDOUT_FILENO);
    } else if (!options.stdoutPath.empty()) {
      int fd = open(options.stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(fd, STDOUT_FILENO);
    } else {
      dup2(outPipe[1], STDOUT_FILENO);
    }
    signal(SIGPIPE, SIG_DFL);
    if (options.inChild) options.inChild();
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(inPipe[0]);
  close(outPipe[1]);

  ProcessResult result;
  InputFeed feed(input, options.moreInput);
  int inFd = inPipe[1];
  int outFd = outPipe[0];
  if (feed.pending().empty()) {
    close(inFd);
    inFd = -1;
  } else {
    // Writes take what the pipe has room for: the output is read meanwhile.
    fcntl(inFd, F_SETFL, O_NONBLOCK);
  }
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(options.timeoutSeconds);
  while (outFd >= 0 || inFd >= 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(child, SIGKILL);
      break;
    }
    pollfd fds[2];
    int count = 0;
    int outIndex = -1, inIndex = -1;
    if (outFd >= 0) {
      outIndex = count;
      fds[count++] = {outFd, POLLIN, 0};
    }
    if (inFd >= 0) {
      inIndex = count;
      fds[count++] = {inFd, POLLOUT, 0};
    }
    if (poll(fds, static_cast<nfds_t>(count), 1000) < 0 && errno != EINTR) break;
    if (outIndex >= 0 && fds[outIndex].revents != 0) {
      char buffer[65536];
      ssize_t got = read(outFd, buffer, sizeof buffer);
      if (got <= 0) {
        close(outFd);
        outFd = -1;
      } else {
        result.output.append(buffer, static_cast<size_t>(got));
      }
    }
    if (inIndex >= 0 && fds[inIndex].revents != 0) {
      size_t chunk = std::min<size_t>(feed.pending().size(), 65536);
      ssize_t put =
          (fds[inIndex].revents & POLLOUT) ? write(inFd, feed.pending().data(), chunk) : -1;
      if (put > 0) feed.written(static_cast<size_t>(put));
      // A failed write other than a full pipe: the child has stopped reading.
      const bool refused = put < 0 && !((fds[inIndex].revents & POLLOUT) && errno == EAGAIN);
      if (refused || feed.pending().empty()) {
        close(inFd);
        inFd = -1;
      }
    }
  }
  if (inFd >= 0) close(inFd);
  if (outFd >= 0) close(outFd);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  result.peakMemoryKb = usage.ru_maxrss;
  if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  return result;
}

std::string frontEndPath() { return TANSHUKU_UTF8_FRONT_END; }
