// Runs the real program in a child process and captures its standard error.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

class ChildProcess {
 public:
  // Starts `program` in directory `cwd`. `env` holds "NAME=value" settings added to this process's
  // environment, or "-NAME" to remove one. Standard input and output are /dev/null.
  ChildProcess(const std::string& program, const std::string& cwd,
               const std::vector<std::string>& env = {});
  ~ChildProcess();  // a child still running is killed
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Waits up to timeout_ms for the child to end, collecting its standard error meanwhile.
  bool wait(int timeout_ms);
  // Collects standard error for about ms milliseconds while the child runs.
  void pump(int ms);
  void send(int signal);

  pid_t pid() const { return pid_; }
  bool running() const { return running_; }
  bool exited() const;  // ended through exit()
  int exit_status() const;
  const std::string& err() const { return err_; }

 private:
  bool read_available(int timeout_ms);  // true when something was read

  pid_t pid_ = -1;
  int err_fd_ = -1;
  bool running_ = false;
  int status_ = 0;
  std::string err_;
};
