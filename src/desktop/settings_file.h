// The desktop's settings file: $XDG_CONFIG_HOME/rally/settings (~/.config/rally/settings when
// XDG_CONFIG_HOME is unset), the volume level and the number of players (settings.h).
#pragma once

// Reads the file into game.volume and game.players. A missing file leaves them as they are; an
// unreadable or malformed one too, with one line "rally: ignoring <path>: <why>".
void load_settings();

// Writes game.volume and game.players into the file, through a new file renamed over the old one.
// The first failure of a run is reported in one line; the game goes on.
void keep_settings();
