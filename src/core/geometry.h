// The picture's geometry: the sizes and places that both the artwork (drawn by
// tools/make_assets) and the game's screens and rules depend on. Each is written here once, so
// that the bitmaps and the code that draws them or plays on them cannot drift apart.
//
// Plain constants in screen pixels from the top-left corner, y growing downwards.
#pragma once

// ---------------------------------------------------------------------------------------------
// The display

// The game always draws into one 320x240 picture of 16 bits per pixel, whatever the edition
// shows it on.
constexpr int kScreenWidth = 320;
constexpr int kScreenHeight = 240;
constexpr int kScreenDepth = 16;  // bits per pixel

// The game-over picture's two halves slide in from the sides, one pixel a step for this many
// steps. At the last step the left half's right edge stands at column 160 and the right half's left
// edge at column 161, so the left bitmap holds one column that never shows, then the picture's
// columns 0..160, and the right bitmap its columns 161..319: the whole picture, without overlap.
constexpr int kHalfScreenWidth = kScreenWidth / 2;
constexpr int kGameOverLeftWidth = kHalfScreenWidth + 2;
constexpr int kGameOverRightWidth = kHalfScreenWidth - 1;

// ---------------------------------------------------------------------------------------------
// The playfield

// The sprites, placed by their top-left corners.
constexpr int kPaddleWidth = 10;
constexpr int kPaddleHeight = 30;
constexpr int kBallSize = 5;  // square

// The paddles stand this far from the screen's sides, in columns of their own; their tops are held
// within kPaddleTopMin..kPaddleTopMax, this far from the top and bottom edges too, and a match
// starts with both at kPaddleStartTop.
constexpr int kPaddleMargin = 5;
constexpr int kLeftPaddleX = kPaddleMargin;
constexpr int kRightPaddleX = kScreenWidth - kPaddleMargin - kPaddleWidth;
constexpr int kPaddleTopMin = kPaddleMargin;
constexpr int kPaddleTopMax = kScreenHeight - kPaddleMargin - kPaddleHeight;
constexpr int kPaddleStartTop = 105;

// A paddle meets the ball while the ball's left edge lies in its hit window, [from, below): from
// four columns before the left paddle's face to the face itself, and from where the ball touches
// the right paddle's face to six columns into it.
constexpr int kLeftHitFrom = kLeftPaddleX + kPaddleWidth - 4;
constexpr int kLeftHitBelow = kLeftPaddleX + kPaddleWidth + 1;
constexpr int kRightHitFrom = kRightPaddleX - kBallSize;
constexpr int kRightHitBelow = kRightPaddleX + 6;

// A ball whose left edge reaches the right goal line, or passes the left one, is a point.
constexpr int kRightGoalX = 312;  // ball_x >= 312: a point for the left side
constexpr int kLeftGoalX = 4;     // ball_x < 4: a point for the right side

// The walls keep the ball's top edge (ball_y) within kBallTopBound..kBallBottomBound: a ball
// above the first is put back to it, and so is a ball below the second.
constexpr int kBallTopBound = 6;
constexpr int kBallBottomBound = 234;

// The rows where the background draws the wall lines: the row just above the highest ball and the
// row just below the lowest one, so that the ball turns where it touches a line.
constexpr int kTopWallLineY = kBallTopBound - 1;
constexpr int kBottomWallLineY = kBallBottomBound + kBallSize;

// The column of the dashed centre line, where the two halves of the field meet.
constexpr int kCentreLineX = kScreenWidth / 2;

// Where a new ball is served from, after a point and at the start of a match, and its heading:
// towards the side that lost the point, and towards the right paddle at the start.
constexpr int kServeX = 155;
constexpr int kServeY = 115;
constexpr int kServeRightward = 90;
constexpr int kServeLeftward = 270;

// A match ends when either side's score reaches this exactly.
constexpr int kWinningScore = 10;

// ---------------------------------------------------------------------------------------------
// Digits

// The digit strip num.bmp: digit d is the kDigitWidth x kDigitHeight cell at x kDigitWidth * d.
constexpr int kDigitWidth = 20;
constexpr int kDigitHeight = 30;
constexpr int kDigitCount = 10;  // 0 to 9

// The score cells on the playfield, both at kScoreY. The left score's last cell and the right
// score's first cell: a score of two digits grows away from the centre line.
constexpr int kScoreY = 8;
constexpr int kLeftScoreX = 135;
constexpr int kRightScoreX = 165;

// The two value cells on the menu picture, both at kMenuDigitY. The menu's artwork frames them
// and leaves them black; the menu screen blits the current digit into each.
constexpr int kVolumeDigitX = 100;
constexpr int kPlayersDigitX = 270;
constexpr int kMenuDigitY = 85;

// ---------------------------------------------------------------------------------------------
// The desktop window's icon: built into the desktop edition as a square of this many pixels.
constexpr int kWindowIconSize = 32;
