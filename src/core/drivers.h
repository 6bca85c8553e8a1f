// The paddle drivers: what each paddle wants to do this frame, as movement intents. Neither moves
// anything itself; the movement stage does.
#pragma once

// Whether a button is held in the last reading (game.inputs).
bool button_held(char button);

// Takes the frame's one reading of the buttons and sets the left paddle's intents, and the right
// paddle's when two people play.
void handle_input();

// The computer opponent: sets the right paddle's intents from the ball and the paddle.
void handle_ai();
