// The collision sounds, on the fake mixer.
#include <gtest/gtest.h>

#include "fake_platform.h"
#include "game_state.h"
#include "sounds.h"
#include "test_support.h"

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

class Sounds : public testing::Test {
 protected:
  void SetUp() override {
    reset_game();
    game.p1_blip = fake.load_wav("data/p1_blip.wav");
    game.p2_blip = fake.load_wav("data/p2_blip.wav");
  }
  void TearDown() override { release_sounds(); }

  FakePlatform fake;
};

TEST_F(Sounds, AFrameWithoutHitsTouchesNoMixerFunction) {
  play_sounds();
  EXPECT_EQ(fake.mixer_calls, 0);
}

TEST_F(Sounds, AHitPlaysItsPaddlesBlipOnceAndIsConsumed) {
  game.p1_collision = 1;
  play_sounds();
  ASSERT_EQ(fake.plays.size(), 1u);
  EXPECT_EQ(fake.plays[0].chunk, game.p1_blip);
  EXPECT_EQ(game.channelp1, 0);
  EXPECT_EQ(game.p1_collision, 0);

  // A second hit while that blip still sounds is dropped, and its flag cleared all the same.
  game.p1_collision = 1;
  play_sounds();
  EXPECT_EQ(fake.plays.size(), 1u);
  EXPECT_EQ(game.p1_collision, 0);

  // Once it has ended, the next hit sounds again.
  fake.finish_sounds();
  game.p1_collision = 1;
  play_sounds();
  EXPECT_EQ(fake.plays.size(), 2u);
}

TEST_F(Sounds, BothPaddlesSoundTogetherOnDifferentChannels) {
  // The left blip plays on channel 1; the right paddle's recorded channel, 0, is free.
  fake.channel_busy[1] = true;
  game.channelp1 = 1;
  game.p2_collision = 1;
  play_sounds();
  ASSERT_EQ(fake.plays.size(), 1u);
  EXPECT_EQ(fake.plays[0].chunk, game.p2_blip);
  EXPECT_EQ(game.channelp2, 0);
  EXPECT_EQ(fake.playing(-1), 2);
}

TEST_F(Sounds, TheStartChannelZeroHoldsBackTheLeftPaddlesFirstBlip) {
  // Nothing has played on the left yet, so its recorded channel is still 0, which the right
  // paddle's blip happens to occupy.
  game.p2_collision = 1;
  play_sounds();
  ASSERT_EQ(game.channelp2, 0);
  game.p1_collision = 1;
  play_sounds();
  EXPECT_EQ(fake.plays.size(), 1u) << "the left blip is skipped";
  EXPECT_EQ(game.p1_collision, 0);
}

TEST_F(Sounds, AMissingSoundIsReportedAndRetriedOnlyWhenAllIsQuiet) {
  release_sounds();
  fake.missing_sounds = {"data/p2_blip.wav"};
  game.p1_blip = fake.load_wav("data/p1_blip.wav");
  game.p2_blip = fake.load_wav("data/p2_blip.wav");
  ASSERT_EQ(game.p2_blip, nullptr);

  CaptureStderr();
  game.p2_collision = 1;
  play_sounds();
  EXPECT_EQ(GetCapturedStderr(), "Unable to play WAV file: Tried to play a NULL chunk\n");
  EXPECT_EQ(game.channelp2, -1);

  // With -1 recorded, the next try waits for every channel to be quiet: while the left blip
  // plays, the right hit is skipped without a word.
  game.channelp1 = 3;  // the left paddle played before, elsewhere
  game.p1_collision = 1;
  play_sounds();
  ASSERT_EQ(fake.playing(-1), 1);
  CaptureStderr();
  game.p2_collision = 1;
  play_sounds();
  EXPECT_EQ(GetCapturedStderr(), "");
  EXPECT_EQ(game.p2_collision, 0);

  // All quiet: it is tried again, and fails again.
  fake.finish_sounds();
  CaptureStderr();
  game.p2_collision = 1;
  play_sounds();
  EXPECT_EQ(GetCapturedStderr(), "Unable to play WAV file: Tried to play a NULL chunk\n");

  // The left paddle is not affected.
  fake.finish_sounds();
  game.p1_collision = 1;
  play_sounds();
  EXPECT_EQ(fake.plays.back().chunk, game.p1_blip);
  EXPECT_GE(game.channelp1, 0);
}

TEST_F(Sounds, ABlipThatFindsNoChannelIsReported) {
  fake.refuse_play = true;
  CaptureStderr();
  game.p1_collision = 1;
  play_sounds();
  EXPECT_EQ(GetCapturedStderr(), "Unable to play WAV file: No free channels available\n");
  EXPECT_EQ(game.channelp1, -1);
}

}  // namespace
