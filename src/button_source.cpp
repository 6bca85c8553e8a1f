#include "button_source.h"

#include "controls.h"
#include "core/gpio_lines.h"
#include "core/platform.h"
#include "edition.h"

namespace {

// A left stick within a quarter of its range around the middle stands still.
constexpr Sint16 kStickDeadZone = 32768 / 4;
constexpr int kPads = 2;
constexpr Uint8 kStickAxis = 1;   // the left stick's vertical axis
constexpr int kDriverKeyBit = 4;  // beside the four desktop keys of a row

// What the events have said: the keys and pad inputs down now, and what is still to be told.
struct Record {
  Uint8 keys_down[kControlCount];  // per row of the table: bit k, its key k; kDriverKeyBit
  Uint32 pad_buttons[kPads];       // bit b: button b of the pad is down
  int8_t pad_hat[kPads];           // -1 up, +1 down, 0
  int8_t pad_stick[kPads];
  Uint32 pressed;            // lines pressed since the last reading
  Uint32 focus_heeded_from;  // the clock from which a focus loss counts again
  bool quit, focus_lost, display_switch;
  unsigned taken;  // events taken so far
} record;

SDL_mutex* shared = nullptr;  // the lock of a record that another thread fills

// Holds the record's lock, when it has one, for as long as it lives.
class Locked {
 public:
  Locked() {
    if (shared != nullptr) SDL_mutexP(shared);
  }
  ~Locked() {
    if (shared != nullptr) SDL_mutexV(shared);
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
};

bool pad_holds(const PadControl& pad, int n) {
  for (PadButton button : pad.buttons) {
    if (button != kNoPadButton && (record.pad_buttons[n] >> button & 1) != 0) return true;
  }
  return pad.direction != 0 &&
         (record.pad_hat[n] == pad.direction || record.pad_stick[n] == pad.direction);
}

// Bit i: line i is held.
Uint32 held_lines() {
  Uint32 lines = 0;
  for (int row = 0; row < kControlCount; ++row) {
    bool held = record.keys_down[row] != 0;
    for (int n = 0; n < kPads; ++n) held = held || pad_holds(kControls[row].pads[n], n);
    if (held) lines |= 1u << button_line(kControls[row].button);
  }
  return lines;
}

void set_key(SDLKey key, bool down) {
  for (int row = 0; row < kControlCount; ++row) {
    const Control& control = kControls[row];
    for (int k = 0; k <= kDriverKeyBit; ++k) {
      const SDLKey bound = k < kDriverKeyBit    ? control.keys[k]
                           : kAnswersDriverKeys ? control.driver_key
                                                : SDLK_UNKNOWN;
      if (bound == SDLK_UNKNOWN || bound != key) continue;
      record.keys_down[row] = static_cast<Uint8>(down ? record.keys_down[row] | 1 << k
                                                      : record.keys_down[row] & ~(1 << k));
    }
  }
}

int8_t stick_direction(Sint16 value) {
  return value < -kStickDeadZone ? -1 : value > kStickDeadZone ? 1 : 0;
}

int8_t hat_direction(Uint8 hat) {
  return (hat & SDL_HAT_UP) != 0 ? -1 : (hat & SDL_HAT_DOWN) != 0 ? 1 : 0;
}

void focus_gone() {
  record.focus_lost |= static_cast<Sint32>(SDL_GetTicks() - record.focus_heeded_from) >= 0;
  // Keys let go in another window never come back as events here.
  for (Uint8& keys : record.keys_down) keys = 0;
}

bool asks_display_switch(const SDL_keysym& key) {
  const bool enter = key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER;
  return key.sym == SDLK_F11 || (enter && (key.mod & KMOD_ALT) != 0);
}

void take(const SDL_Event& event) {
  const Uint32 before = held_lines();
  switch (event.type) {
    case SDL_QUIT:
      record.quit = true;
      break;
    case SDL_ACTIVEEVENT:
      if (event.active.gain == 0 && (event.active.state & SDL_APPINPUTFOCUS) != 0) focus_gone();
      break;
    case SDL_KEYDOWN:
      if (asks_display_switch(event.key.keysym)) {
        record.display_switch = true;  // and not a press of Enter
      } else {
        set_key(event.key.keysym.sym, true);
      }
      break;
    case SDL_KEYUP:
      set_key(event.key.keysym.sym, false);
      break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
      if (event.jbutton.which < kPads && event.jbutton.button < 32) {
        const Uint32 bit = 1u << event.jbutton.button;
        Uint32& buttons = record.pad_buttons[event.jbutton.which];
        buttons = event.type == SDL_JOYBUTTONDOWN ? buttons | bit : buttons & ~bit;
      }
      break;
    case SDL_JOYHATMOTION:
      if (event.jhat.which < kPads)
        record.pad_hat[event.jhat.which] = hat_direction(event.jhat.value);
      break;
    case SDL_JOYAXISMOTION:
      if (event.jaxis.which < kPads && event.jaxis.axis == kStickAxis) {
        record.pad_stick[event.jaxis.which] = stick_direction(event.jaxis.value);
      }
      break;
    default:
      break;
  }
  record.pressed |= held_lines() & ~before;
  ++record.taken;
}

}  // namespace

void open_pads() {
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return;  // no pads then
  for (int pad = 0; pad < kPads && pad < SDL_NumJoysticks(); ++pad) SDL_JoystickOpen(pad);
  SDL_JoystickEventState(SDL_ENABLE);
}

void take_events() {
  SDL_PumpEvents();
  // SDL's queue holds 128 events and drops what arrives when it is full, a quit request included,
  // so it is emptied every time.
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0) {
    Locked locked;
    take(event);
  }
}

void share_events(SDL_mutex* lock) {
  shared = lock;
}

bool events_shared() {
  return shared != nullptr;
}

bool quit_requested() {
  Locked locked;
  return record.quit;
}

bool take_focus_loss() {
  Locked locked;
  const bool lost = record.focus_lost;
  record.focus_lost = false;
  return lost;
}

bool take_display_switch() {
  Locked locked;
  const bool asked = record.display_switch;
  record.display_switch = false;
  return asked;
}

void ignore_focus_loss(Uint32 ms) {
  Locked locked;
  record.focus_heeded_from = SDL_GetTicks() + ms;
}

void forget_presses() {
  if (!events_shared()) take_events();  // what is still in SDL's queue was pressed before too
  Locked locked;
  record.pressed = 0;
}

void wait_for_events() {
  unsigned seen;
  {
    Locked locked;
    seen = record.taken;
  }
  for (;;) {
    if (!events_shared()) take_events();
    {
      Locked locked;
      if (record.taken != seen) return;
    }
    platform().delay(10);
  }
}

int read_keyboard(int8_t* inputs) {
  Uint32 lines;
  {
    Locked locked;
    lines = held_lines() | record.pressed;
    record.pressed = 0;
  }
  for (int line = 0; line < kButtonLines; ++line) inputs[line] = (lines >> line & 1) != 0 ? 0 : 1;
  return 0;
}

void forget_events() {
  if (!events_shared()) take_events();
  Locked locked;
  record = Record{};
}

void lose_focus() {
  Locked locked;
  focus_gone();
}
