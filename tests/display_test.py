#!/usr/bin/python3
"""The desktop edition on a virtual X display (Xvfb, with OpenGL through Mesa's software renderer):
the menu as each path shows it (--renderer opengl and software, which the game's own --verbose
line must confirm, and auto, which must not take OpenGL from Mesa's software renderer), in a
window of the default size (2 times the picture on this screen), in full screen on a screen of odd
size, and in the full screen that F11 switches the window to, under classic SDL 1.2 and, when
COMPAT names the folder of sdl12-compat's libSDL-1.2.so.0, under sdl12-compat too. Reduced to
RGB565, every window capture must be the same picture, never blank, every full-screen capture too.
(The picture's scaling and place are the in-process display test's.)

  display_test.py GAME [COMPAT]
"""
import signal, sys
from screens import Display, end, still, work

game, compat = sys.argv[1], (sys.argv[2:] + [""])[0]
signal.signal(signal.SIGTERM, lambda *_: sys.exit("ended by SIGTERM"))  # and so by `finally`
try:
    display, pictures = Display("1283x725"), {}
    for library in ["classic"] + ["compat"] * bool(compat):
        for renderer in "opengl", "software", "auto":  # auto: SDL's surface, as Mesa draws here
            for mode in ("window", "full")[:1 + (renderer != "auto")]:
                options = ["--verbose", "--renderer", renderer]  # a window 2 times the picture
                process = display.game([game, *options] + ["--fullscreen"] * (
                    mode == "full"), work + "/said", compat if library == "compat" else "")
                picture = still(lambda: display.capture(process if mode == "window" else "root"),
                                "the menu of %s %s %s" % (library, renderer, mode))
                # F11 switches to the full screen, with its picture (sdl12-compat moves the window
                # there only with a window manager, which this display has not).
                if mode == "window" and library == "classic":
                    display.key(process, "F11")
                    pictures[library, renderer, "F11"] = still(lambda: display.capture("root"), "F11")
                process.terminate()
                said, path = open(work + "/said").read(), "OpenGL" if renderer == "opengl" \
                    else "SDL's surface"
                assert process.wait(20) == 0 and "through " + path in said, (renderer, said)
                pictures[library, renderer, mode] = picture
                assert len(set(picture)) > 2, ("a blank picture", library, renderer, mode)
                assert mode == "full" or len(picture) == 3 * 640 * 480, "not the window's default"
                assert picture == pictures["classic", "opengl", mode], (library, renderer, mode)
                assert mode == "window" or pictures.get((library, renderer, "F11"), picture) == picture
        print(library + ": the same picture through OpenGL and SDL's surface, window and full")
finally:
    end()
