// Whole sessions through the real program, built for the handheld's GPIO button file but pointed
// at a file that the tests write (atomically: write, then rename), on SDL's dummy video driver.
//
// The tests tell the screens apart by how often the program reads the button file: a match reads
// it once a frame (62.5 times a second), while the menu and the game-over screen, which are not
// paced, read it as fast as they can.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "child_process.h"
#include "test_support.h"

namespace {

const std::string kMessage = "error: couldn't read from gpio";
const std::string kButtonFile = RALLY_GPIO_FILE;

// Counts the program's read calls (the kernel's I/O accounting in /proc/<pid>/io). Reading the
// button file takes two: one for the text and one that meets its end.
class ReadCounter {
 public:
  // Read calls while the child runs for about ms milliseconds.
  long count(ChildProcess& child, int ms) {
    const long before = reads(child);
    child.pump(ms);
    return reads(child) - before;
  }

 private:
  static long reads(const ChildProcess& child) {
    const std::string io = read_file("/proc/" + std::to_string(child.pid()) + "/io");
    const size_t at = io.find("syscr: ");
    return at == std::string::npos ? 0 : std::stol(io.substr(at + 7));
  }
};

class Session : public testing::Test {
 protected:
  void SetUp() override {
    unlink(kButtonFile.c_str());
    copy_data(dir_.path());
  }
  void TearDown() override { unlink(kButtonFile.c_str()); }

  // The buttons held from now on.
  static void hold(const std::string& buttons) {
    const std::string staged = kButtonFile + ".new";
    write_file(staged, held(buttons));
    ASSERT_EQ(std::rename(staged.c_str(), kButtonFile.c_str()), 0);
  }

  std::unique_ptr<ChildProcess> start(std::vector<std::string> env = {}) {
    return std::make_unique<ChildProcess>(RALLY_GPIO_BINARY, dir_.path(), env);
  }

  // Waits until the program reads its buttons as a menu or the game-over screen does (fast),
  // or as a match does (once a frame). False when that does not happen within timeout_ms.
  bool wait_for_unpaced(ChildProcess& rally, int timeout_ms) {
    return wait_for(rally, timeout_ms, [](long reads) { return reads >= 200; });
  }
  bool wait_for_match(ChildProcess& rally, int timeout_ms) {
    return wait_for(rally, timeout_ms, [](long reads) { return reads >= 16 && reads <= 48; });
  }

  // From the menu: a match in which the left paddle is kept at the top, so that the right side
  // wins it quickly (about 20 seconds), through to the game-over screen.
  void lose_a_match(ChildProcess& rally) {
    hold("a");
    ASSERT_TRUE(wait_for_match(rally, 2000));
    hold("u");
    ASSERT_TRUE(wait_for_unpaced(rally, 90000)) << "the game-over screen";
  }

  // In the menu: lets go of every button, then presses back, which ends the program.
  void release_and_quit(ChildProcess& rally) {
    hold("");
    counter_.count(rally, 100);
    hold("t");
    ASSERT_TRUE(rally.wait(2000));
    ASSERT_TRUE(rally.exited());
    EXPECT_EQ(rally.exit_status(), 0);
  }

  // Presses and lets go of a button, long enough for the menu to see both.
  void tap(ChildProcess& rally, const std::string& button) {
    hold(button);
    counter_.count(rally, 100);
    hold("");
    counter_.count(rally, 100);
  }

  template <typename Test>
  bool wait_for(ChildProcess& rally, int timeout_ms, Test test) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (rally.running() && std::chrono::steady_clock::now() < end) {
      if (test(counter_.count(rally, 250))) return true;
    }
    return false;
  }

  static bool only_messages(const std::string& text) {
    if (text.size() % kMessage.size() != 0) return false;
    for (size_t at = 0; at < text.size(); at += kMessage.size()) {
      if (text.compare(at, kMessage.size(), kMessage) != 0) return false;
    }
    return true;
  }

  TempDir dir_;
  ReadCounter counter_;
};

TEST_F(Session, WithoutTheButtonFileEndsAtOnce) {
  // Never read, every button counts as held, back among them.
  auto rally = start();
  ASSERT_TRUE(rally->wait(5000));
  ASSERT_TRUE(rally->exited());
  EXPECT_EQ(rally->exit_status(), 0);
  EXPECT_EQ(rally->err(), kMessage);
}

TEST_F(Session, PlaysThroughEveryScreenToTheEnd) {
  const std::string audio = dir_.file("audio.raw");
  hold("");
  auto rally = start({"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + audio});
  ASSERT_TRUE(wait_for_unpaced(*rally, 5000)) << "the menu";
  tap(*rally, "i");  // volume 6
  tap(*rally, "y");  // two players

  lose_a_match(*rally);
  if (HasFatalFailure()) return;

  // A new match, left with back: the menu, which back held over must not quit.
  hold("a");
  ASSERT_TRUE(wait_for_match(*rally, 2000));
  hold("t");
  ASSERT_TRUE(wait_for_unpaced(*rally, 2000)) << "the menu again";
  rally->pump(300);
  ASSERT_TRUE(rally->running()) << "back held from the match is no quit";
  release_and_quit(*rally);
  if (HasFatalFailure()) return;
  // Nothing but SDL's own notice that it writes the sound to a file.
  EXPECT_EQ(rally->err(),
            "WARNING: You are using the SDL disk writer audio driver!\n Writing to file [" + audio +
                "].\n");

  // The blips reached the sound output: it is not all silence.
  const std::string samples = read_file(audio);
  ASSERT_GT(samples.size(), 0u);
  EXPECT_NE(samples.find_first_not_of('\0'), std::string::npos);
}

TEST_F(Session, LosingTheButtonFileMidMatchReportsEveryFrameAndPlaysOn) {
  hold("");
  auto rally = start();
  ASSERT_TRUE(wait_for_unpaced(*rally, 5000));
  hold("a");
  ASSERT_TRUE(wait_for_match(*rally, 2000));
  ASSERT_EQ(rally->err(), "");

  unlink(kButtonFile.c_str());
  rally->pump(500);
  ASSERT_TRUE(rally->running()) << "the match goes on with the last reading";
  const std::string lost = rally->err();
  EXPECT_TRUE(only_messages(lost)) << lost;
  const size_t messages = lost.size() / kMessage.size();
  EXPECT_GE(messages, 15u) << "one message a frame";
  EXPECT_LE(messages, 40u) << "one message a frame, 16 ms apart";

  hold("");
  rally->pump(200);
  const size_t settled = rally->err().size();
  rally->pump(400);
  EXPECT_EQ(rally->err().size(), settled) << "the messages stop when the file is back";
  EXPECT_TRUE(only_messages(rally->err()));
  rally->send(SIGTERM);
  ASSERT_TRUE(rally->wait(2000));
  EXPECT_TRUE(rally->exited());
}

TEST_F(Session, AQuitRequestEndsTheProgramFromTheMenuAndFromAMatch) {
  for (int signal : {SIGTERM, SIGINT}) {
    for (bool in_match : {false, true}) {
      hold("");
      auto rally = start();
      ASSERT_TRUE(wait_for_unpaced(*rally, 5000));
      if (in_match) {
        hold("a");
        ASSERT_TRUE(wait_for_match(*rally, 2000));
      }
      rally->send(signal);
      ASSERT_TRUE(rally->wait(1000)) << "signal " << signal << (in_match ? " in a match" : "");
      ASSERT_TRUE(rally->exited());
      EXPECT_EQ(rally->exit_status(), 0);
      EXPECT_EQ(rally->err(), "");
    }
  }
}

TEST_F(Session, AQuitRequestEndsTheProgramFromTheGameOverScreen) {
  hold("");
  auto rally = start();
  ASSERT_TRUE(wait_for_unpaced(*rally, 5000));
  lose_a_match(*rally);
  if (HasFatalFailure()) return;
  rally->send(SIGTERM);
  ASSERT_TRUE(rally->wait(1000));
  ASSERT_TRUE(rally->exited());
  EXPECT_EQ(rally->exit_status(), 0);
}

TEST_F(Session, LeavingMatchesEarlyManyTimesEndsCleanly) {
  // Under the sanitizer build, a leak fails the exit status.
  hold("");
  auto rally = start();
  ASSERT_TRUE(wait_for_unpaced(*rally, 5000));
  for (int round = 0; round < 8; ++round) {
    hold("a");
    ASSERT_TRUE(wait_for_match(*rally, 2000)) << "round " << round;
    hold("t");
    ASSERT_TRUE(wait_for_unpaced(*rally, 2000)) << "round " << round;
    hold("");
    counter_.count(*rally, 100);
  }
  release_and_quit(*rally);
  if (HasFatalFailure()) return;
  EXPECT_EQ(rally->err(), "");
}

}  // namespace
