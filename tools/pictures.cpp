// The game's seven bitmaps: the playfield's background and sprites, the digit strip, the menu and
// the two halves of the game-over picture.

#include <SDL.h>
#include <SDL_gfxPrimitives.h>
#include <SDL_rotozoom.h>

#include <cstring>
#include <string>
#include <vector>

#include "assets.h"
#include "controls.h"
#include "core/geometry.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Drawing helpers
// ---------------------------------------------------------------------------------------------

// The built-in SDL_gfx font is 8x8 pixels per character.
constexpr int kGlyphSize = 8;

void frame_box(SDL_Surface* dst, int x1, int y1, int x2, int y2, Rgb c) {
  rectangleRGBA(dst, static_cast<Sint16>(x1), static_cast<Sint16>(y1), static_cast<Sint16>(x2),
                static_cast<Sint16>(y2), c.r, c.g, c.b, SDL_ALPHA_OPAQUE);
}

int text_width(const char* text, int zoom) {
  return static_cast<int>(std::strlen(text)) * kGlyphSize * zoom;
}

// X coordinate that centres `text` in the span [left, left + width).
int centred_x(int left, int width, const char* text, int zoom) {
  return left + (width - text_width(text, zoom)) / 2;
}

// Draws `text` with the 8x8 font, each font pixel blown up to zoom_x by zoom_y pixels. Only the
// glyph pixels are copied; whatever is under the gaps between them stays visible.
bool draw_text(SDL_Surface* dst, int x, int y, const char* text, Rgb c, int zoom_x = 1,
               int zoom_y = 1) {
  if (*text == '\0') return true;
  if (zoom_x == 1 && zoom_y == 1) {
    return stringRGBA(dst, static_cast<Sint16>(x), static_cast<Sint16>(y), text, c.r, c.g, c.b,
                      SDL_ALPHA_OPAQUE) == 0;
  }
  Surface small = make_surface(text_width(text, 1), kGlyphSize, kBlack);
  if (!small || stringRGBA(small.get(), 0, 0, text, c.r, c.g, c.b, SDL_ALPHA_OPAQUE) != 0) {
    return false;
  }
  Surface big(zoomSurface(small.get(), zoom_x, zoom_y, SMOOTHING_OFF));
  if (!big) return false;
  SDL_SetColorKey(big.get(), SDL_SRCCOLORKEY,
                  SDL_MapRGB(big->format, kBlack.r, kBlack.g, kBlack.b));
  SDL_Rect where = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
  return SDL_BlitSurface(big.get(), nullptr, dst, &where) == 0;
}

// Big title text with a hard drop shadow below and to the right.
constexpr int kShadowOffset = 3;

bool draw_title(SDL_Surface* dst, int x, int y, const char* text, Rgb face, Rgb shadow, int zoom_x,
                int zoom_y) {
  return draw_text(dst, x + kShadowOffset, y + kShadowOffset, text, shadow, zoom_x, zoom_y) &&
         draw_text(dst, x, y, text, face, zoom_x, zoom_y);
}

// A button on the handheld, the desktop key doing the same (may be empty) and what it does. Used
// for the menu's control list and the game-over choices.
struct Binding {
  std::string button;
  std::string key;
  std::string action;
};

// A button's name and its key as the menu's card shows them (controls.h), with another action.
Binding card_words(char button, const char* action) {
  for (const Control& control : kControls) {
    if (control.button == button && control.card_line != 0) {
      return {control.handheld, control.card_keys, action};
    }
  }
  return {"", "", action};
}

// ---------------------------------------------------------------------------------------------
// Playfield sprites
// ---------------------------------------------------------------------------------------------

constexpr Rgb kPaddleEdgeColour = {165, 165, 165};

constexpr int kDashLength = 6;
constexpr int kDashGap = 4;

Surface make_background() {
  Surface s = make_surface(kScreenWidth, kScreenHeight, kBlack);
  if (!s) return s;
  fill_box(s.get(), 0, kTopWallLineY, kScreenWidth - 1, kTopWallLineY, kWallColour);
  fill_box(s.get(), 0, kBottomWallLineY, kScreenWidth - 1, kBottomWallLineY, kWallColour);

  // As many whole dashes as fit between the walls, centred so both ends get the same gap.
  const int field_top = kTopWallLineY + 1;
  const int field_height = kBottomWallLineY - field_top;
  const int period = kDashLength + kDashGap;
  const int dashes = (field_height + kDashGap) / period;
  const int first = field_top + (field_height - (dashes * period - kDashGap)) / 2;
  for (int i = 0; i < dashes; ++i) {
    const int top = first + i * period;
    fill_box(s.get(), kCentreLineX, top, kCentreLineX, top + kDashLength - 1, kCentreLineColour);
  }
  return s;
}

Surface make_paddle() {
  // A slightly darker rim keeps the bar crisp against the white walls.
  Surface s = make_surface(kPaddleWidth, kPaddleHeight, kPaddleEdgeColour);
  if (s) fill_box(s.get(), 1, 1, kPaddleWidth - 2, kPaddleHeight - 2, kSpriteColour);
  return s;
}

Surface make_ball() {
  // A plus of two boxes: the four corner pixels stay field-black so the ball looks round.
  Surface s = make_surface(kBallSize, kBallSize, kBlack);
  if (!s) return s;
  fill_box(s.get(), 1, 0, kBallSize - 2, kBallSize - 1, kSpriteColour);
  fill_box(s.get(), 0, 1, kBallSize - 1, kBallSize - 2, kSpriteColour);
  return s;
}

// ---------------------------------------------------------------------------------------------
// Digit strip: one cell per digit, with chunky seven-segment digits
// ---------------------------------------------------------------------------------------------

constexpr int kSegmentLength = 14;  // glyph width
constexpr int kSegmentSpan = 24;    // glyph height
constexpr int kSegmentThickness = 4;

struct Segment {
  int x1, y1, x2, y2;  // inclusive, relative to the glyph's top-left corner
};

// Segments a..g in the usual order. They overlap at the corners, which gives solid, blocky
// digits in the style of the old arcade scoreboards.
constexpr int kMidTop = (kSegmentSpan - kSegmentThickness) / 2;
constexpr int kRight = kSegmentLength - kSegmentThickness;
constexpr int kBottom = kSegmentSpan - kSegmentThickness;
constexpr Segment kSegments[] = {
    {0, 0, kSegmentLength - 1, kSegmentThickness - 1},                  // a: top
    {kRight, 0, kSegmentLength - 1, kMidTop + kSegmentThickness - 1},   // b: upper right
    {kRight, kMidTop, kSegmentLength - 1, kSegmentSpan - 1},            // c: lower right
    {0, kBottom, kSegmentLength - 1, kSegmentSpan - 1},                 // d: bottom
    {0, kMidTop, kSegmentThickness - 1, kSegmentSpan - 1},              // e: lower left
    {0, 0, kSegmentThickness - 1, kMidTop + kSegmentThickness - 1},     // f: upper left
    {0, kMidTop, kSegmentLength - 1, kMidTop + kSegmentThickness - 1},  // g: middle
};

// Bit n set = segment n (a = bit 0) lit.
constexpr Uint8 kDigitSegments[kDigitCount] = {
    0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F,
};

Surface make_digit_strip() {
  Surface s = make_surface(kDigitWidth * kDigitCount, kDigitHeight, kBlack);
  if (!s) return s;
  const int margin_x = (kDigitWidth - kSegmentLength) / 2;
  const int margin_y = (kDigitHeight - kSegmentSpan) / 2;
  for (int digit = 0; digit < kDigitCount; ++digit) {
    const int left = digit * kDigitWidth + margin_x;
    for (int n = 0; n < 7; ++n) {
      if (!(kDigitSegments[digit] & (1 << n))) continue;
      const Segment& seg = kSegments[n];
      fill_box(s.get(), left + seg.x1, margin_y + seg.y1, left + seg.x2, margin_y + seg.y2,
               kSpriteColour);
    }
  }
  return s;
}

// ---------------------------------------------------------------------------------------------
// Menu and game-over screens
// ---------------------------------------------------------------------------------------------

constexpr Rgb kPanelColour = {30, 40, 96};
constexpr Rgb kPanelEdgeColour = {110, 130, 220};
constexpr Rgb kTitleShadowColour = {150, 60, 10};
constexpr Rgb kHeadingColour = {120, 210, 255};
constexpr Rgb kButtonColour = {255, 220, 90};
constexpr Rgb kKeyColour = {150, 160, 190};
constexpr Rgb kActionColour = {240, 240, 240};

// A setting shown on the menu as a label next to a digit cell that the game fills with its value.
struct ValueBox {
  const char* label;
  int cell_x;  // top-left corner of the digit cell the game draws the value into
  int cell_y;
};

constexpr ValueBox kValueBoxes[] = {
    {"VOLUME", kVolumeDigitX, kMenuDigitY},
    {"PLAYERS", kPlayersDigitX, kMenuDigitY},
};

constexpr int kPanelWidth = 110;
constexpr int kPanelPadding = 8;  // between the panel edge and the cell's frame
constexpr int kCellFrameGap = 2;  // black border between a value cell and its frame

// A framed panel holding the label and a framed cell. The cell itself stays black: the game blits
// an opaque digit over it.
bool draw_value_box(SDL_Surface* dst, const ValueBox& box) {
  const int cell_right = box.cell_x + kDigitWidth - 1;
  const int cell_bottom = box.cell_y + kDigitHeight - 1;
  const int frame_right = cell_right + kCellFrameGap;
  const int panel_right = frame_right + kPanelPadding;
  const int panel_left = panel_right - kPanelWidth + 1;
  const int panel_top = box.cell_y - kCellFrameGap - kPanelPadding;
  const int panel_bottom = cell_bottom + kCellFrameGap + kPanelPadding;

  fill_box(dst, panel_left, panel_top, panel_right, panel_bottom, kPanelColour);
  frame_box(dst, panel_left, panel_top, panel_right, panel_bottom, kPanelEdgeColour);

  const int frame_left = box.cell_x - kCellFrameGap;
  fill_box(dst, frame_left, box.cell_y - kCellFrameGap, frame_right, cell_bottom + kCellFrameGap,
           kBlack);
  frame_box(dst, frame_left, box.cell_y - kCellFrameGap, frame_right, cell_bottom + kCellFrameGap,
            kPanelEdgeColour);

  // The label sits centred in the space left of the cell, level with the digit's middle.
  const int label_left = panel_left + kPanelPadding;
  const int label_x = centred_x(label_left, frame_left - kPanelPadding - label_left, box.label, 1);
  const int label_y = box.cell_y + (kDigitHeight - kGlyphSize) / 2;
  return draw_text(dst, label_x, label_y, box.label, kActionColour);
}

// Controls listed on the menu, with the desktop keys beside the handheld's buttons, made from the
// table of controls: rows on one line of the card show their buttons' names joined. The columns
// are sized from these lines, so changing a row needs no other change.
std::vector<Binding> card_lines() {
  std::vector<Binding> lines;
  for (const Control& control : kControls) {
    if (control.card_line == 0) continue;
    if (lines.size() < static_cast<size_t>(control.card_line)) lines.resize(control.card_line);
    Binding& line = lines[control.card_line - 1];
    line.button += (line.button.empty() ? "" : " / ") + std::string(control.handheld);
    if (*control.card_keys != '\0') {
      line.key = control.card_keys;
      line.action = control.card_action;
    }
  }
  return lines;
}

// The spare width is shared out between the column gaps, within these limits.
constexpr int kMinColumnGap = 8;
constexpr int kMaxColumnGap = 16;
constexpr int kControlsLineHeight = 13;
constexpr int kControlsMargin = 4;

int column_width(const std::vector<Binding>& lines, std::string Binding::*column) {
  int width = 0;
  for (const Binding& row : lines) {
    const int w = text_width((row.*column).c_str(), 1);
    if (w > width) width = w;
  }
  return width;
}

bool draw_controls(SDL_Surface* dst, int top) {
  const std::vector<Binding> lines = card_lines();
  const int button_width = column_width(lines, &Binding::button);
  const int key_width = column_width(lines, &Binding::key);
  const int action_width = column_width(lines, &Binding::action);
  // An empty key column takes no room at all, not even a gap.
  const int gaps = key_width > 0 ? 2 : 1;
  const int text_width = button_width + key_width + action_width;
  const int spare = kScreenWidth - 2 * kControlsMargin - text_width;
  const int gap = spare / gaps < kMaxColumnGap ? spare / gaps : kMaxColumnGap;
  if (gap < kMinColumnGap) {
    SDL_SetError("the controls table is too wide for the screen");
    return false;
  }

  const char* heading = "CONTROLS";
  bool ok = draw_text(dst, centred_x(0, kScreenWidth, heading, 1), top, heading, kHeadingColour);

  const int button_x = (kScreenWidth - text_width - gaps * gap) / 2;
  const int key_x = button_x + button_width + gap;
  const int action_x = key_width > 0 ? key_x + key_width + gap : key_x;
  int y = top + kControlsLineHeight + kGlyphSize / 2;
  for (const Binding& row : lines) {
    ok = draw_text(dst, button_x, y, row.button.c_str(), kButtonColour) &&
         draw_text(dst, key_x, y, row.key.c_str(), kKeyColour) &&
         draw_text(dst, action_x, y, row.action.c_str(), kActionColour) && ok;
    y += kControlsLineHeight;
  }
  return ok;
}

constexpr int kMenuTitleZoomX = 6;
constexpr int kMenuTitleZoomY = 5;
constexpr int kMenuTitleY = 14;
constexpr int kMenuControlsY = 142;

Surface make_menu() {
  Surface s = make_surface(kScreenWidth, kScreenHeight, kScreenColour);
  if (!s) return s;
  const char* title = "RALLY";
  const int title_x = centred_x(0, kScreenWidth, title, kMenuTitleZoomX);
  if (!draw_title(s.get(), title_x, kMenuTitleY, title, kTitleColour, kTitleShadowColour,
                  kMenuTitleZoomX, kMenuTitleZoomY)) {
    return nullptr;
  }
  for (const ValueBox& box : kValueBoxes) {
    if (!draw_value_box(s.get(), box)) return nullptr;
  }
  if (!draw_controls(s.get(), kMenuControlsY)) return nullptr;
  return s;
}

// The game-over picture is designed whole and cut in two halves that slide in from the sides.
constexpr int kGameOverZoomX = 4;
constexpr int kGameOverZoomY = 6;
constexpr int kGameOverWordsY = 48;
constexpr int kChoiceButtonY = 146;
constexpr int kChoiceZoom = 2;
constexpr int kRuleInset = 4;
constexpr Rgb kGameOverTitleColour = {255, 80, 60};
constexpr Rgb kGameOverShadowColour = {110, 10, 20};

// One word and one choice per half, left then right.
constexpr const char* kGameOverWords[] = {"GAME", "OVER"};
const Binding kGameOverChoices[] = {
    card_words('a', "NEW MATCH"),
    card_words('t', "MENU"),
};

bool draw_choice(SDL_Surface* dst, int left, const Binding& choice) {
  const char* button = choice.button.c_str();
  const char* key = choice.key.c_str();
  const char* action = choice.action.c_str();
  int y = kChoiceButtonY;
  if (!draw_text(dst, centred_x(left, kHalfScreenWidth, button, kChoiceZoom), y, button,
                 kButtonColour, kChoiceZoom, kChoiceZoom)) {
    return false;
  }
  y += kGlyphSize * kChoiceZoom + kGlyphSize / 2;
  if (!draw_text(dst, centred_x(left, kHalfScreenWidth, key, 1), y, key, kKeyColour)) {
    return false;
  }
  y += kGlyphSize + kGlyphSize / 2;
  return draw_text(dst, centred_x(left, kHalfScreenWidth, action, kChoiceZoom), y, action,
                   kActionColour, kChoiceZoom, kChoiceZoom);
}

Surface make_game_over() {
  Surface s = make_surface(kScreenWidth, kScreenHeight, kScreenColour);
  if (!s) return s;
  // Rules along the top and bottom edges frame the two halves like a pair of closing doors.
  for (int y : {kRuleInset, kScreenHeight - 1 - kRuleInset}) {
    fill_box(s.get(), 0, y, kScreenWidth - 1, y, kPanelEdgeColour);
  }
  for (int half = 0; half < 2; ++half) {
    const int left = half * kHalfScreenWidth;
    const char* word = kGameOverWords[half];
    if (!draw_title(s.get(), centred_x(left, kHalfScreenWidth, word, kGameOverZoomX),
                    kGameOverWordsY, word, kGameOverTitleColour, kGameOverShadowColour,
                    kGameOverZoomX, kGameOverZoomY) ||
        !draw_choice(s.get(), left, kGameOverChoices[half])) {
      return nullptr;
    }
  }
  return s;
}

// Cuts `width` columns from `from_x` on out of the whole picture, after `offset` black columns.
Surface cut(SDL_Surface* whole, int offset, int from_x, int width) {
  if (!whole) return nullptr;
  Surface s = make_surface(offset + width, kScreenHeight, kBlack);
  if (!s) return s;
  SDL_Rect from = {static_cast<Sint16>(from_x), 0, static_cast<Uint16>(width), kScreenHeight};
  SDL_Rect to = {static_cast<Sint16>(offset), 0, 0, 0};
  if (SDL_BlitSurface(whole, &from, s.get(), &to) != 0) return nullptr;
  return s;
}

bool save_bitmap(const Surface& surface, const std::string& path) {
  if (!surface) return fail(path, SDL_GetError());
  if (SDL_SaveBMP(surface.get(), path.c_str()) != 0) return fail(path, SDL_GetError());
  return true;
}

}  // namespace

bool make_pictures(const std::string& dir) {
  Surface game_over = make_game_over();
  return save_bitmap(make_paddle(), dir + "/paddle.bmp") &&
         save_bitmap(make_ball(), dir + "/ball.bmp") &&
         save_bitmap(make_background(), dir + "/background.bmp") &&
         save_bitmap(cut(game_over.get(), 1, 0, kGameOverLeftWidth - 1),
                     dir + "/game_over_left.bmp") &&
         save_bitmap(cut(game_over.get(), 0, kGameOverLeftWidth - 1, kGameOverRightWidth),
                     dir + "/game_over_right.bmp") &&
         save_bitmap(make_digit_strip(), dir + "/num.bmp") &&
         save_bitmap(make_menu(), dir + "/menu.bmp");
}
