// The menu and the game-over screen, and the screens in sequence, on the fake platform.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "game_state.h"
#include "main_loop.h"
#include "test_support.h"

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

class Screens : public testing::Test {
 protected:
  void SetUp() override {
    open_test_display();
    reset_game();
    std::srand(1);
  }

  // The scripted readings, each a set of held buttons.
  void script(const std::vector<std::string>& frames) {
    fake.readings.clear();
    for (const std::string& buttons : frames) fake.readings.push_back(held(buttons));
    fake.reads = 0;
  }

  FakePlatform fake;
};

// ---- The menu -----------------------------------------------------------------------------------

TEST_F(Screens, MenuSlidesDownBeforeReadingAnything) {
  std::vector<size_t> reads_at_flip;
  fake.on_flip = [&] { reads_at_flip.push_back(fake.reads); };
  script({"a"});
  EXPECT_EQ(main_loop(kMenu), kPlay);

  ASSERT_EQ(fake.blits.size(), 240u);
  for (int i = 0; i < 240; ++i) {
    EXPECT_EQ(fake.blits[i].surface, game.menu);
    EXPECT_EQ(fake.blits[i].x, 0);
    EXPECT_EQ(fake.blits[i].y, i - 240);
  }
  EXPECT_EQ(reads_at_flip, std::vector<size_t>(240, 0)) << "one flip per pixel, no reading";
  EXPECT_EQ(fake.reads, 1u);
}

TEST_F(Screens, MenuFirstFrameAtProgramStartShowsFiveAndOne) {
  script({"", "a"});
  EXPECT_EQ(main_loop(kMenu), kPlay);
  EXPECT_EQ(fake.volumes, std::vector<int>{95});
  ASSERT_EQ(fake.blits.size(), 243u);
  const auto& whole = fake.blits[240];
  const auto& volume = fake.blits[241];
  const auto& players = fake.blits[242];
  EXPECT_EQ(whole.surface, game.menu);
  EXPECT_EQ(whole.x, -1000) << "the whole menu at (0, 0)";
  EXPECT_EQ(volume.surface, game.num);
  EXPECT_EQ(volume.src_x, 100);
  EXPECT_EQ(volume.x, 100);
  EXPECT_EQ(volume.y, 85);
  EXPECT_EQ(players.src_x, 20);
  EXPECT_EQ(players.x, 270);
  EXPECT_EQ(players.y, 85);
  EXPECT_EQ(fake.flip_times.size(), 241u);
}

TEST_F(Screens, MenuShowsAndSetsTheVolumeByItsTable) {
  const struct {
    int volume, digit_x, level;
  } kCases[] = {{0, 0, 0},     {1, 20, 70},   {2, 40, 80},   {3, 60, 85},
                {4, 80, 90},   {5, 100, 95},  {6, 120, 100}, {7, 140, 105},
                {8, 160, 120}, {9, 180, 128}, {-1, 0, 0},    {10, 0, 0}};
  for (const auto& c : kCases) {
    reset_game();
    FakePlatform local;
    local.readings = {held(""), held("a")};
    game.volume = c.volume;
    main_loop(kMenu);
    EXPECT_EQ(local.volumes, std::vector<int>{c.level}) << "volume " << c.volume;
    ASSERT_EQ(local.blits.size(), 243u);
    EXPECT_EQ(local.blits[241].src_x, c.digit_x) << "volume " << c.volume;
  }
}

struct MenuCase {
  const char* name;
  int volume_before;
  std::vector<std::string> frames;  // the last one leaves
  int volume_after;
  int players_after;
  size_t clicks;
};

const MenuCase kMenuCases[] = {
    {"down_held_counts_once", 5, {"e", "e", "e", "a"}, 4, 1, 1},
    {"down_again_after_release", 5, {"e", "", "e", "a"}, 3, 1, 2},
    {"up_held_counts_once_then_again", 5, {"i", "i", "", "i", "a"}, 7, 1, 2},
    {"down_held_on_entry_counts", 5, {"e", "a"}, 4, 1, 1},
    {"players_held_counts_once", 5, {"y", "y", "a"}, 5, 2, 0},
    {"players_twice", 5, {"y", "", "y", "a"}, 5, 1, 0},
    {"down_and_up_together_from_middle", 5, {"ei", "a"}, 5, 1, 1},
    {"down_and_up_together_from_0", 0, {"ei", "a"}, 1, 1, 1},
    {"down_and_up_together_from_9", 9, {"ei", "a"}, 9, 1, 1},
    {"down_at_0_still_clicks", 0, {"e", "a"}, 0, 1, 1},
    {"up_at_9_still_clicks", 9, {"i", "a"}, 9, 1, 1},
    {"requests_in_the_leaving_frame_are_dropped", 5, {"eia"}, 5, 1, 0},
};

class MenuPresses : public Screens, public testing::WithParamInterface<MenuCase> {};

TEST_P(MenuPresses, CountOncePerPress) {
  const MenuCase& c = GetParam();
  game.volume = c.volume_before;
  fake.on_flip = [this] { fake.finish_sounds(); };  // each click has ended by the next frame
  script(c.frames);
  EXPECT_EQ(main_loop(kMenu), kPlay);
  EXPECT_EQ(fake.reads, c.frames.size());
  EXPECT_EQ(game.volume, c.volume_after);
  EXPECT_EQ(game.players, c.players_after);
  EXPECT_EQ(fake.plays.size(), c.clicks);
  for (const auto& play : fake.plays) EXPECT_EQ(play.chunk, fake.plays[0].chunk);
}

INSTANTIATE_TEST_SUITE_P(Scripts, MenuPresses, testing::ValuesIn(kMenuCases),
                         [](const testing::TestParamInfo<MenuCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(Screens, MenuClickIsTheLeftBlipAndWaitsForItsChannel) {
  game.volume = 9;
  script({"i", "a"});
  main_loop(kMenu);
  ASSERT_EQ(fake.plays.size(), 1u);
  EXPECT_EQ(game.channelp1, fake.plays[0].channel);
  EXPECT_EQ(fake.volumes.back(), 128);

  // A blip still sounding on the recorded channel holds the next click back.
  reset_game();
  FakePlatform busy;
  busy.channel_busy[0] = true;  // channelp1 starts at 0
  busy.readings = {held("i"), held("a")};
  main_loop(kMenu);
  EXPECT_TRUE(busy.plays.empty());
  EXPECT_EQ(game.volume, 6) << "the volume changes all the same";
}

TEST_F(Screens, MenuClickWithoutASoundIsReported) {
  fake.missing_sounds = {"data/p1_blip.wav"};
  script({"e", "a"});
  CaptureStderr();
  main_loop(kMenu);
  EXPECT_EQ(GetCapturedStderr(),
            "Unable to load WAV file: Couldn't open data/p1_blip.wav\n"
            "Unable to play WAV file: Tried to play a NULL chunk\n");
  EXPECT_EQ(game.channelp1, -1);
  EXPECT_EQ(game.volume, 4);
}

TEST_F(Screens, MenuPlayersPressInTheLeavingFrameTogglesOnTheNextVisit) {
  script({"ya"});
  EXPECT_EQ(main_loop(kMenu), kPlay);
  EXPECT_EQ(game.players, 1);
  EXPECT_EQ(game.y_pressed, 1);

  script({"", "a"});
  main_loop(kMenu);
  EXPECT_EQ(game.players, 2);
}

TEST_F(Screens, MenuPlayersHeldOnEntryCountsOnlyIfSeenUpLastVisit) {
  game.y_released = 0;  // 'y' was still down when the last visit ended
  script({"y", "a"});
  main_loop(kMenu);
  EXPECT_EQ(game.players, 1);

  // That visit saw 'y' up in its last frame, so now a 'y' held on entry counts.
  ASSERT_EQ(game.y_released, 1);
  script({"y", "a"});
  main_loop(kMenu);
  EXPECT_EQ(game.players, 2);
}

TEST_F(Screens, MenuQuitsOnBackEvenWithStartHeld) {
  script({"ta"});
  EXPECT_EQ(main_loop(kMenu), kQuit);
}

TEST_F(Screens, MenuEndsTheProgramAtOnceWhenTheButtonsWereNeverRead) {
  // Every button reads as held: presses of e, i and y are counted, then back quits.
  fake.readings = {""};
  EXPECT_EQ(main_loop(kMenu), kQuit);
  EXPECT_EQ(fake.reads, 1u);
  EXPECT_EQ(game.volume, 5);
  EXPECT_EQ(game.y_pressed, 1);
}

TEST_F(Screens, MenuStartReleasesTheBlipsForTheMatch) {
  script({"a"});
  main_loop(kMenu);
  EXPECT_EQ(game.p1_blip, nullptr);
  EXPECT_EQ(game.p2_blip, nullptr);
  EXPECT_TRUE(fake.live_chunks.empty());
}

TEST_F(Screens, BackHeldFromAMatchDoesNotQuitUntilPressedAgain) {
  script({"t"});
  ASSERT_EQ(main_loop(kPlay), kMenu);

  script({"t", "t", "", "t"});
  EXPECT_EQ(main_loop(kMenu), kQuit);
  EXPECT_EQ(fake.reads, 4u) << "quits only on the press after the release";

  // The same after the game-over screen.
  script({"t"});
  ASSERT_EQ(main_loop(kGameOver), kMenu);
  script({"t", "t", "a"});
  EXPECT_EQ(main_loop(kMenu), kPlay) << "back held over is no quit";
}

TEST_F(Screens, AQuitRequestQuitsFromTheMenuAtOnce) {
  script({"t"});
  ASSERT_EQ(main_loop(kPlay), kMenu);
  fake.quit = true;
  script({""});
  EXPECT_EQ(main_loop(kMenu), kQuit);
  EXPECT_EQ(fake.reads, 1u);
}

// ---- The game-over screen -----------------------------------------------------------------------

TEST_F(Screens, GameOverSlidesBothHalvesInBeforeReading) {
  fake.now = 7777;
  std::vector<size_t> reads_at_flip;
  fake.on_flip = [&] { reads_at_flip.push_back(fake.reads); };
  script({"a"});
  EXPECT_EQ(main_loop(kGameOver), kPlay);
  EXPECT_EQ(game.time_then, 7777u) << "taken first, for the next match's first frame";

  ASSERT_EQ(fake.blits.size(), 320u);
  for (int i = 0; i < 160; ++i) {
    const auto& left = fake.blits[2 * i];
    const auto& right = fake.blits[2 * i + 1];
    EXPECT_EQ(left.surface, game.gameover_left);
    EXPECT_EQ(left.x, i - 160);
    EXPECT_EQ(left.y, 0);
    EXPECT_EQ(right.surface, game.gameover_right);
    EXPECT_EQ(right.x, 320 - i);
    EXPECT_EQ(right.y, 0);
  }
  EXPECT_EQ(fake.blits[318].x, -1);
  EXPECT_EQ(fake.blits[319].x, 161);
  EXPECT_EQ(reads_at_flip, std::vector<size_t>(160, 0)) << "presses during the slide are unseen";
}

TEST_F(Screens, GameOverWaitsWithoutDrawingForStartOrBack) {
  const struct {
    std::vector<std::string> frames;
    int result;
  } kCases[] = {
      {{"", "", "a"}, kPlay},
      {{"", "t"}, kMenu},
      {{"at"}, kMenu},
      {{"eiyudxb", "a"}, kPlay},
  };
  for (const auto& c : kCases) {
    FakePlatform local;
    local.readings.clear();
    for (const auto& buttons : c.frames) local.readings.push_back(held(buttons));
    EXPECT_EQ(main_loop(kGameOver), c.result);
    EXPECT_EQ(local.reads, c.frames.size());
    EXPECT_EQ(local.flip_times.size(), 160u);
    EXPECT_EQ(local.mixer_calls, 0) << "the game-over screen is silent";
  }
}

TEST_F(Screens, ANewMatchAfterGameOverKeepsTheSettings) {
  game.players = 2;
  game.volume = 8;
  ASSERT_EQ(main_loop(kPlay), kGameOver);
  script({"a"});
  ASSERT_EQ(main_loop(kGameOver), kPlay);
  fake.readings = {held("")};
  fake.on_flip = [] { game.gameover = 1; };
  EXPECT_EQ(main_loop(kPlay), kGameOver);
  EXPECT_EQ(game.players, 2);
  EXPECT_EQ(game.volume, 8);
  EXPECT_EQ(game.p1_score + game.p2_score, 0);
  EXPECT_EQ(game.ball_x, 157);
}

TEST_F(Screens, LeavingMatchesEarlyOverAndOverHoldsNoMoreThanTwoBlips) {
  size_t most = 0;
  for (int round = 0; round < 25; ++round) {
    script({"", "a"});
    ASSERT_EQ(main_loop(kMenu), kPlay);
    script({"", "", "t"});
    ASSERT_EQ(main_loop(kPlay), kMenu);
    most = std::max(most, fake.live_chunks.size());
  }
  EXPECT_EQ(most, 2u);
  EXPECT_EQ(fake.double_frees, 0);
  EXPECT_EQ(fake.loaded_paths.size(), 100u);
}

}  // namespace
