// Whole sessions through the real program, built for the handheld's GPIO button file but pointed
// at a file that the tests write (atomically: write, then rename), on SDL's dummy drivers.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "child_process.h"
#include "test_support.h"

namespace {

const std::string kMessage = "error: couldn't read from gpio";

class Session : public testing::Test {
 protected:
  void SetUp() override {
    unlink(RALLY_GPIO_FILE);
    copy_data(dir_.path());
  }
  void TearDown() override { unlink(RALLY_GPIO_FILE); }

  // The buttons held from now on.
  static void hold(const std::string& buttons) {
    const std::string staged = std::string(RALLY_GPIO_FILE) + ".new";
    write_file(staged, held(buttons));
    ASSERT_EQ(std::rename(staged.c_str(), RALLY_GPIO_FILE), 0);
  }

  std::unique_ptr<ChildProcess> start() {
    return std::make_unique<ChildProcess>(RALLY_GPIO_BINARY, dir_.path());
  }

  // True when `text` is nothing but the read failure message, back to back.
  static bool only_messages(const std::string& text) {
    if (text.size() % kMessage.size() != 0) return false;
    for (size_t at = 0; at < text.size(); at += kMessage.size()) {
      if (text.compare(at, kMessage.size(), kMessage) != 0) return false;
    }
    return true;
  }

  TempDir dir_;
};

TEST_F(Session, WithoutTheButtonFileEndsAtOnce) {
  // Never read, every button counts as held, 't' among them.
  auto rally = start();
  ASSERT_TRUE(rally->wait(5000));
  ASSERT_TRUE(rally->exited());
  EXPECT_EQ(rally->exit_status(), 0);
  EXPECT_EQ(rally->err(), kMessage);
}

TEST_F(Session, LosingTheButtonFileMidMatchReportsEveryFrameAndPlaysOn) {
  hold("");
  auto rally = start();
  rally->pump(400);
  ASSERT_TRUE(rally->running());
  EXPECT_EQ(rally->err(), "");

  unlink(RALLY_GPIO_FILE);
  rally->pump(500);
  ASSERT_TRUE(rally->running()) << "the match goes on with the last reading";
  const std::string lost = rally->err();
  EXPECT_TRUE(only_messages(lost)) << lost;
  EXPECT_GE(lost.size() / kMessage.size(), 10u) << "one message a frame, 16 ms apart";

  hold("");
  rally->pump(200);
  const size_t settled = rally->err().size();
  rally->pump(400);
  EXPECT_EQ(rally->err().size(), settled) << "the messages stop when the file is back";
  EXPECT_TRUE(only_messages(rally->err()));

  hold("t");
  ASSERT_TRUE(rally->wait(2000));
  EXPECT_TRUE(rally->exited());
  EXPECT_EQ(rally->exit_status(), 0);
}

TEST_F(Session, BackEndsAMatch) {
  hold("");
  auto rally = start();
  rally->pump(400);
  ASSERT_TRUE(rally->running());
  hold("t");  // the match returns to the menu, which quits on the same button
  ASSERT_TRUE(rally->wait(1000));
  ASSERT_TRUE(rally->exited());
  EXPECT_EQ(rally->exit_status(), 0);
  EXPECT_EQ(rally->err(), "");
}

TEST_F(Session, QuitRequestsEndTheProgramCleanly) {
  for (int signal : {SIGTERM, SIGINT}) {
    hold("");
    auto rally = start();
    rally->pump(400);
    ASSERT_TRUE(rally->running());
    rally->send(signal);
    ASSERT_TRUE(rally->wait(1000)) << "signal " << signal;
    ASSERT_TRUE(rally->exited()) << "signal " << signal;
    EXPECT_EQ(rally->exit_status(), 0);
    EXPECT_EQ(rally->err(), "");
  }
}

}  // namespace
