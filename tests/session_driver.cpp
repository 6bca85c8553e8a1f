// rally_session: plays a scripted session through the game built to read its buttons from a
// file, serving one reading of that file each time the game opens it. The file is a FIFO, so the
// game's open waits for the next reading and a session runs frame by frame the same way on any
// machine, however fast or slow.
//
//   rally_session FIFO SCRIPT COMMAND [ARGS...]
//
// SCRIPT: steps separated by spaces. "<buttons>*<n>" holds those buttons (letters, "-" for none)
// for the next n readings ("*<n>" left out: one); "<n>ms" waits that long; "TERM" and "INT" send
// that signal to the game; "@<name>" stops once the game asks for its next reading, which it
// does only once the picture of the last one is on the screen. After the script, readings hold
// nothing until the game exits.
//
// With RALLY_SESSION_CHANNEL naming a file (a serial line), each stop writes "stopped at <name>"
// there, followed by the first line of the file RALLY_SESSION_COUNTER names (if set), and waits
// for a line "go"; without it, stops are passed over. With RALLY_SESSION_SOUND naming the status
// file of the sound card's playback stream (ALSA's /proc/asound/card0/pcm0p/sub0/status), "~"
// waits until the mixer has taken every sound started so far; without it, or while the stream is
// closed, "~" is passed over. With
// RALLY_SESSION_SYSCALL_LIMIT set to a number (MIPS o32 only), the game runs under a seccomp
// filter that answers ENOSYS to every system call numbered above it, and without the vDSO, as an
// older kernel would.
//
// Exit status: the game's; 128 + N when signal N ended it; 124 when the game had to be ended
// (still running 1000 readings after the script, or no longer reading); 125 when the session
// cannot be set up.
//
// Plain C library calls only, so that it links static for the handheld with the game's C library.
#include <elf.h>
#include <fcntl.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/ptrace.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
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

// Tells the channel that the session stopped at `name` (with the first line of the counter
// file, if any), and waits for "go".
static bool handshake(const char* name) {
  const char* path = std::getenv("RALLY_SESSION_CHANNEL");
  const char* counter = std::getenv("RALLY_SESSION_COUNTER");
  if (path == nullptr) return true;
  char line[128], count[32] = "";
  const int file = counter == nullptr ? -1 : open(counter, O_RDONLY | O_CLOEXEC);
  const ssize_t got = file < 0 ? 0 : read(file, count, sizeof count - 1);
  count[got > 0 ? got : 0] = '\0';
  count[std::strcspn(count, "\n")] = '\0';
  if (file >= 0) close(file);
  const int fd = open(path, O_RDWR | O_NOCTTY | O_CLOEXEC);
  const int length = std::snprintf(line, sizeof line, "stopped at %.40s %s\n", name, count);
  bool go = fd >= 0 && write(fd, line, static_cast<size_t>(length)) == length;
  for (size_t at = 0; go && std::strncmp(line, "go\n", 3) != 0;) {
    go = read(fd, line + at, 1) == 1;
    at = line[at] == '\n' || at == sizeof line - 1 ? 0 : at + 1;  // a line other than "go": on
  }
  if (fd >= 0) close(fd);
  return go;
}

// One reading, after the stop `stop` (or none). Once the game has opened the FIFO (a writer can
// then open it too), a fresh FIFO takes its place for the next reading, and the text goes to the
// one the game holds: however the two processes run, no reading is missed and no two readings
// mix.
static bool serve(const char* fifo, const char* buttons, const char* stop) {
  int fd;
  while ((fd = open(fifo, O_WRONLY | O_NONBLOCK | O_CLOEXEC)) < 0) {
    if (errno != ENXIO || ended()) return false;
    usleep(100);
  }
  char next[256], text[16];
  std::snprintf(next, sizeof next, "%s.next", fifo);
  held_text(std::strcmp(buttons, "-") == 0 ? "" : buttons, text);
  const ssize_t size = static_cast<ssize_t>(std::strlen(text));
  const bool served = (stop == nullptr || handshake(stop)) && mkfifo(next, 0600) == 0 &&
                      rename(next, fifo) == 0 && write(fd, text, std::strlen(text)) == size;
  close(fd);
  return served;
}

// The frames that the game has written to the sound card's stream so far, or -1 when the stream
// is closed (or there is none).
static long frames_written(const char* status) {
  char text[1024];
  const int file = open(status, O_RDONLY | O_CLOEXEC);
  const ssize_t got = file < 0 ? 0 : read(file, text, sizeof text - 1);
  if (file >= 0) close(file);
  text[got > 0 ? got : 0] = '\0';
  const char* at = std::strstr(text, "appl_ptr");  // "appl_ptr    : <frames>"
  at = at == nullptr ? nullptr : std::strchr(at, ':');
  return at == nullptr ? -1 : std::atol(at + 1);
}

// SDL_mixer takes a sound that the game has started only at its next callback, which comes once
// the card has taken the write before it: a period (2048 frames) later. So the game can free a
// sound (the menu frees the blips as it starts) before a note of it was mixed, however long a
// stop lasts; a blip heard then depends on the host's speed. Waits until three more writes have
// reached the stream, the last two mixed after every sound started so far (the longer blip takes
// two), or 10 s.
static void wait_for_the_mixer() {
  const char* status = std::getenv("RALLY_SESSION_SOUND");
  const long start = status == nullptr ? -1 : frames_written(status);
  for (int i = 0; start >= 0 && i < 10000 && !ended(); ++i) {
    const long now = frames_written(status);
    if (now < 0 || now >= start + 3 * 2048) return;
    usleep(1000);
  }
}

// Every system call numbered above `limit` fails with ENOSYS from here on, in this process and
// the programs it starts.
static bool limit_system_calls(long limit) {
#ifdef __mips__
  sock_filter rules[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_MIPSEL, 1, 0),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JGT | BPF_K, static_cast<__u32>(limit), 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOSYS),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
  };
  sock_fprog program = {sizeof rules / sizeof rules[0], rules};
  return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
         syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, 0, &program) == 0 &&
         ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) == 0;
#else
  return limit < 0;  // the limits are the numbers of MIPS o32
#endif
}

// An old kernel has no vDSO either, whose clock would spare the game the system calls that the
// limit is about: once the game has stopped at its exec, its auxiliary vector forgets the vDSO.
static bool hide_vdso() {
#ifdef __mips__
  int stopped;
  if (waitpid(game, &stopped, 0) != game || !WIFSTOPPED(stopped)) return false;
  const auto word = [](long at) { return ptrace(PTRACE_PEEKDATA, game, at, nullptr); };
  long at = ptrace(PTRACE_PEEKUSER, game, 29, nullptr);  // the stack: argc, argv, envp, auxv
  at += (word(at) + 2) * 4;
  while (word(at) != 0) at += 4;
  for (at += 4; word(at) != AT_NULL && word(at) != AT_SYSINFO_EHDR; at += 8) {
  }
  return (word(at) == AT_NULL || ptrace(PTRACE_POKEDATA, game, at, AT_IGNORE) == 0) &&
         ptrace(PTRACE_DETACH, game, nullptr, nullptr) == 0;
#else
  return false;
#endif
}

int main(int argc, char** argv) {
  const char* fifo = argc > 3 ? argv[1] : "";
  const char* limit = std::getenv("RALLY_SESSION_SYSCALL_LIMIT");
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
    if (limit != nullptr && !limit_system_calls(std::atol(limit))) _exit(125);
    execvp(argv[3], argv + 3);
    _exit(127);
  }
  signal(SIGPIPE, SIG_IGN);
  bool running = limit == nullptr || hide_vdso();
  const char* stop = nullptr;
  char* script = argv[2];
  for (char* step = std::strtok(script, " "); running && step; step = std::strtok(nullptr, " ")) {
    char* star = std::strchr(step, '*');
    const int n = std::atoi(star == nullptr ? step : star + 1);
    if (star != nullptr) *star = '\0';
    if (std::strcmp(step, "TERM") == 0 || std::strcmp(step, "INT") == 0) {
      kill(game, step[0] == 'T' ? SIGTERM : SIGINT);
    } else if (step[0] == '@') {
      stop = step + 1;
    } else if (std::strcmp(step, "~") == 0) {
      wait_for_the_mixer();
    } else if (std::strstr(step, "ms") != nullptr) {
      usleep(static_cast<useconds_t>(n) * 1000);
    } else {
      for (int i = 0; running && i < (n > 1 ? n : 1); ++i, stop = nullptr)
        running = serve(fifo, step, stop);
    }
  }
  // A game that does not end by itself within many readings, or stops taking them, is ended.
  for (int i = 0; running && i < 1000; ++i, stop = nullptr) running = serve(fifo, "", stop);
  unlink(fifo);
  if (!ended()) {
    kill(game, SIGKILL);
    waitpid(game, nullptr, 0);
    return 124;
  }
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}
