// rally_session: plays a scripted session through the game built to read its buttons from a
// file, serving one reading of that file each time the game opens it. The file is a FIFO, so the
// game's open waits for the next reading and a session runs frame by frame the same way on any
// machine, however fast or slow.
//
//   rally_session FIFO SCRIPT COMMAND [ARGS...]
//
// SCRIPT: steps separated by spaces. "<buttons>*<n>" holds those buttons (letters, "-" for none)
// for the next n readings ("*<n>" left out: one); "<n>ms" waits that long; "TERM" and "INT" send
// that signal to the game. After the script, readings hold nothing until the game exits.
//
// Exit status: the game's; 128 + N when signal N ended it; 124 when the game had to be ended
// (still running 1000 readings after the script, or no longer reading); 125 when the session
// cannot be set up.
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "buttons.h"

static pid_t game;
static int status;

// Whether the game has ended (its status then in `status`).
static bool ended() {
  static bool over = false;
  return over = over || waitpid(game, &status, WNOHANG) == game;
}

// One reading. Once the game has opened the FIFO (a writer can
// then open it too), a fresh FIFO takes its place for the next reading, and the text goes to the
// one the game holds: however the two processes run, no reading is missed and no two readings
// mix. A game that does not come for its reading within 30 s is taken to be stuck.
static bool serve(const char* fifo, const char* buttons) {
  int fd;
  for (int waited_us = 0; (fd = open(fifo, O_WRONLY | O_NONBLOCK | O_CLOEXEC)) < 0;
       waited_us += 100) {
    if (errno != ENXIO || ended() || waited_us > 30000000) return false;
    usleep(100);
  }
  char next[256], text[16];
  std::snprintf(next, sizeof next, "%s.next", fifo);
  held_text(std::strcmp(buttons, "-") == 0 ? "" : buttons, text);
  const ssize_t size = static_cast<ssize_t>(std::strlen(text));
  const bool served = mkfifo(next, 0600) == 0 && rename(next, fifo) == 0 &&
                      write(fd, text, std::strlen(text)) == size;
  close(fd);
  return served;
}

int main(int argc, char** argv) {
  const char* fifo = argc > 3 ? argv[1] : "";
  unlink(fifo);
  if (argc < 4 || std::strlen(fifo) > 200 || mkfifo(fifo, 0600) != 0 || (game = fork()) < 0) {
    std::perror("usage: rally_session FIFO SCRIPT COMMAND [ARGS...]");
    return 125;
  }
  if (game == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlives the session
    signal(SIGINT, SIG_DFL);  // as in a terminal, even when the session runs in the background
    signal(SIGTERM, SIG_DFL);
    const int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(null, 1);
    execvp(argv[3], argv + 3);
    _exit(127);
  }
  signal(SIGPIPE, SIG_IGN);
  bool running = true;
  char* script = argv[2];
  for (char* step = std::strtok(script, " "); running && step; step = std::strtok(nullptr, " ")) {
    char* star = std::strchr(step, '*');
    const int n = std::atoi(star == nullptr ? step : star + 1);
    if (star != nullptr) *star = '\0';
    if (std::strcmp(step, "TERM") == 0 || std::strcmp(step, "INT") == 0) {
      kill(game, step[0] == 'T' ? SIGTERM : SIGINT);
    } else if (std::strstr(step, "ms") != nullptr) {
      usleep(static_cast<useconds_t>(n) * 1000);
    } else {
      for (int i = 0; running && i < (n > 1 ? n : 1); ++i) running = serve(fifo, step);
    }
  }
  // A game that does not end by itself within many readings, or stops taking them, is ended.
  for (int i = 0; running && i < 1000; ++i) running = serve(fifo, "");
  unlink(fifo);
  if (!ended()) {
    kill(game, SIGKILL);
    waitpid(game, nullptr, 0);
    return 124;
  }
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}
