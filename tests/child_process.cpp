#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

ChildProcess::ChildProcess(const std::string& program, const std::string& cwd,
                           const std::vector<std::string>& env) {
  int fds[2];
  if (pipe(fds) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    const int null_fd = open("/dev/null", O_RDWR);
    dup2(null_fd, 0);
    dup2(null_fd, 1);
    dup2(fds[1], 2);
    close(fds[0]);
    for (const std::string& setting : env) {
      if (setting[0] == '-') {
        unsetenv(setting.c_str() + 1);
      } else {
        putenv(const_cast<char*>(setting.c_str()));
      }
    }
    if (chdir(cwd.c_str()) != 0) _exit(126);
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  err_fd_ = fds[0];
  running_ = pid_ > 0;
}

ChildProcess::~ChildProcess() {
  if (running_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, &status_, 0);
  }
  if (err_fd_ >= 0) close(err_fd_);
}

bool ChildProcess::read_available(int timeout_ms) {
  pollfd p = {err_fd_, POLLIN, 0};
  if (poll(&p, 1, timeout_ms) <= 0) return false;
  char buffer[4096];
  const ssize_t n = read(err_fd_, buffer, sizeof buffer);
  if (n <= 0) return false;
  err_.append(buffer, static_cast<size_t>(n));
  return true;
}

bool ChildProcess::wait(int timeout_ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (running_) {
    read_available(10);
    if (waitpid(pid_, &status_, WNOHANG) == pid_) {
      running_ = false;
      break;
    }
    if (std::chrono::steady_clock::now() >= deadline) return false;
  }
  // Whatever the child wrote last is still in the pipe, up to the end of the file.
  while (read_available(100)) {
  }
  return true;
}

void ChildProcess::pump(int ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (running_ && std::chrono::steady_clock::now() < deadline) {
    read_available(5);
    if (waitpid(pid_, &status_, WNOHANG) == pid_) running_ = false;
  }
}

void ChildProcess::send(int signal) {
  if (running_) kill(pid_, signal);
}

bool ChildProcess::exited() const {
  return !running_ && WIFEXITED(status_);
}

int ChildProcess::exit_status() const {
  return WEXITSTATUS(status_);
}
