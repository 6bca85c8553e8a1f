// The worked examples of paddle hits: heading in, the frame's random value, the heading at the
// end of the hit's frame, and what the next frame does with it.
#pragma once

enum Side { kLeft, kRight };
enum Motion { kStill, kDown, kUp };

struct HitCase {
  const char* name;
  Side side;
  Motion motion;
  int angle_in;
  int random;
  int angle_end;  // at the end of the hit's frame
  // The next frame: the ball's step and its heading after the movement stage, and the heading
  // after that frame's wrap when the ball stands still.
  int next_dx, next_dy, next_angle, next_wrap;
};

inline constexpr int kSame = -1000;  // the next frame's wrap leaves the heading as it was

inline const HitCase kHitCases[] = {
    {"left_still_191", kLeft, kStill, 191, 0, 146, +1, +2, 146, kSame},
    {"left_still_215", kLeft, kStill, 215, 0, 170, -1, +2, 195, kSame},
    {"left_still_280", kLeft, kStill, 280, 0, 370, 0, 0, 370, 10},
    {"left_still_300", kLeft, kStill, 300, 0, 345, 0, 0, 370, 10},
    {"left_still_260_r2", kLeft, kStill, 260, 2, 440, 0, 0, 440, 80},
    {"left_still_260_r1", kLeft, kStill, 260, 1, 380, 0, 0, 380, 20},
    {"left_still_260_r0", kLeft, kStill, 260, 0, 500, 0, 0, 500, 140},
    {"left_down_200", kLeft, kDown, 200, 0, 170, -1, +2, 195, kSame},
    {"left_down_300", kLeft, kDown, 300, 0, 367, 0, 0, 367, 7},
    {"left_down_260_r2", kLeft, kDown, 260, 2, 642, 0, 0, 642, 282},
    {"left_up_230", kLeft, kUp, 230, 0, 163, -1, +2, 188, kSame},
    {"left_up_275", kLeft, kUp, 275, 0, 365, 0, 0, 365, 5},
    {"left_up_290", kLeft, kUp, 290, 0, 350, 0, 0, 375, 15},
    {"left_up_260_r0", kLeft, kUp, 260, 0, 658, 0, 0, 658, 298},
    {"right_still_10", kRight, kStill, 10, 0, 325, -1, -2, 325, kSame},
    {"right_still_30", kRight, kStill, 30, 0, 345, 0, 0, 370, 10},
    {"right_still_50", kRight, kStill, 50, 0, 185, -1, +2, 185, kSame},
    {"right_still_100", kRight, kStill, 100, 0, 190, -1, +2, 190, kSame},
    {"right_still_120", kRight, kStill, 120, 0, 345, 0, 0, 370, 10},
    {"right_still_80_r2", kRight, kStill, 80, 2, 260, -2, 0, 260, kSame},
    {"right_still_80_r1", kRight, kStill, 80, 1, 320, -1, -2, 320, kSame},
    {"right_still_80_r0", kRight, kStill, 80, 0, 200, -1, +2, 200, kSame},
    {"right_down_100", kRight, kDown, 100, 0, 347, 0, 0, 372, 12},
    {"right_down_113", kRight, kDown, 113, 0, 360, 0, 0, 385, 25},
    {"right_down_80_r1", kRight, kDown, 80, 1, 350, 0, 0, 375, 15},
    {"right_up_10", kRight, kUp, 10, 0, 303, -2, -2, 303, kSame},
    {"right_up_100", kRight, kUp, 100, 0, 340, 0, 0, 365, 5},
    {"right_up_80_r0", kRight, kUp, 80, 0, 170, -1, +2, 195, kSame},
};
