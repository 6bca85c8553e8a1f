#include "desktop/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/game_state.h"
#include "core/settings.h"

namespace {

// The file's folder and the file; empty when there is no home to keep them in.
std::string folder, path;
bool failed_once = false;

void find_path() {
  folder.clear();
  path.clear();
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  if (config != nullptr && config[0] == '/') {  // a relative one is to be ignored
    folder = config;
  } else if (home != nullptr && home[0] == '/') {
    folder = std::string(home) + "/.config";
  } else {
    return;
  }
  folder += "/rally";
  path = folder + "/settings";
}

// Reads at most one byte more than a settings text may have, so that a longer file is told apart.
ssize_t read_bounded(int fd, char* text, size_t size) {
  size_t length = 0;
  while (length < size) {
    const ssize_t n = read(fd, text + length, size - length);
    if (n == 0) break;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    length += static_cast<size_t>(n);
  }
  return static_cast<ssize_t>(length);
}

void report_write_failure(const char* why) {
  if (failed_once) return;
  failed_once = true;
  std::fprintf(stderr, "rally: cannot keep the settings in %s: %s\n", path.c_str(), why);
}

// Creates the folder and the one above it when they are missing.
bool make_folder() {
  const std::string above = folder.substr(0, folder.rfind('/'));
  for (const std::string& each : {above, folder}) {
    if (mkdir(each.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return true;
}

}  // namespace

void load_settings() {
  find_path();
  if (path.empty()) return;
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    // No file yet (nor, perhaps, its folder) is the usual first start, and nothing to say.
    if (errno != ENOENT && errno != ENOTDIR) {
      std::fprintf(stderr, "rally: ignoring %s: %s\n", path.c_str(), std::strerror(errno));
    }
    return;
  }
  char text[kSettingsMaxBytes + 1];
  const ssize_t length = read_bounded(fd, text, sizeof text);
  const int error = errno;
  close(fd);
  if (length < 0) {
    std::fprintf(stderr, "rally: ignoring %s: %s\n", path.c_str(), std::strerror(error));
    return;
  }
  Settings settings = {game.volume, game.players};
  int line = 0;
  if (const char* fault = parse_settings(text, static_cast<size_t>(length), &settings, &line)) {
    if (line > 0) {
      std::fprintf(stderr, "rally: ignoring %s: line %d: %s\n", path.c_str(), line, fault);
    } else {
      std::fprintf(stderr, "rally: ignoring %s: %s\n", path.c_str(), fault);
    }
    return;
  }
  game.volume = settings.volume;
  game.players = settings.players;
}

void keep_settings() {
  if (path.empty()) return;
  char text[kSettingsMaxBytes];
  const size_t length = format_settings({game.volume, game.players}, text);
  std::string temporary = path + ".XXXXXX";
  if (!make_folder()) return report_write_failure(std::strerror(errno));
  const int fd = mkstemp(&temporary[0]);
  if (fd < 0) return report_write_failure(std::strerror(errno));
  int error = 0;
  if (write(fd, text, length) != static_cast<ssize_t>(length)) error = errno != 0 ? errno : EIO;
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(temporary.c_str());
    report_write_failure(std::strerror(error));
  }
}
