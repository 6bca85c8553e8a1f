"""Shared by the display test and the web edition's check: processes that end with the check, a
virtual X display with the desktop game on it, and pictures captured there and reduced to RGB565,
so that pictures shown through different paths compare as the game drew them."""
import os, signal, subprocess, tempfile, time

work = tempfile.mkdtemp()
started = []
QUIET = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}


def start(*command, **options):
    process = subprocess.Popen(command, start_new_session=True, **options)
    started.append(process)
    return process


def end():
    for process in started:
        if process.poll() is None:
            os.killpg(process.pid, signal.SIGKILL)
    subprocess.run(["rm", "-rf", work])


# ready()'s first true answer, asked `every` seconds.
def within(seconds, what, ready, every=0.1):
    limit = time.time() + seconds
    while time.time() < limit:
        answer = ready()
        if answer:
            return answer
        time.sleep(every)
    raise TimeoutError("gave up waiting for " + what)


# Raw RGB with each colour's bits beyond 5, 6 and 5 dropped.
def rgb565(rgb):
    return bytes(b & (0xfc if i % 3 == 1 else 0xf8) for i, b in enumerate(rgb))


# The picture once three captures 0.4 s apart are alike (a point's pause lasts 0.5 s).
def still(capture, what):
    pictures = []
    def settled():
        pictures.append(capture())
        return len(pictures) >= 3 and len(set(pictures[-3:])) == 1 and pictures[-1]
    return within(150, what, settled, every=0.4)


# A virtual X display (Xvfb) of this size, with its own settings folder for the game.
class Display:
    def __init__(self, size):
        with open(work + "/display", "w") as said:
            # -noreset: an X server that resets when its last client leaves refuses connections
            # for a moment, and SDL 1.2 opens the display, closes it and opens it again at once.
            start("Xvfb", "-displayfd", str(said.fileno()), "-screen", "0", size + "x24",
                  "-nolisten", "tcp", "-noreset", pass_fds=(said.fileno(),), **QUIET)
        number = within(20, "Xvfb", lambda: open(work + "/display").read().strip())
        # Xlib and Mesa keep memory until exit, which LeakSanitizer would take for the game's.
        self.env = dict(os.environ, DISPLAY=":" + number, SDL_AUDIODRIVER="dummy",
                        XDG_CONFIG_HOME=work + "/config", ASAN_OPTIONS="detect_leaks=0")
        self.env.pop("SDL_VIDEODRIVER", None)

    def run(self, *command):
        return subprocess.run(command, env=self.env, capture_output=True, timeout=20).stdout

    # The game's viewable window as it is now, or None: SDL makes a new window when the kind
    # of mode changes, as when the game has tried OpenGL to choose its renderer.
    def window(self, game):
        for window in self.run("xdotool", "search", "--pid", str(game.pid), "--name",
                               "^rally$").split():
            if b"IsViewable" in self.run("xwininfo", "-id", window):
                return window

    # The game, once its window is mapped.
    def game(self, command, said, library=""):
        game = start(*command, env=dict(self.env, LD_LIBRARY_PATH=library),
                     stdout=subprocess.DEVNULL, stderr=open(said, "w"))
        within(20, "the window of " + " ".join(command),
               lambda: game.poll() is not None or self.window(game))
        assert game.poll() is None, " ".join(command) + " ended at once: " + open(said).read()
        return game

    # The picture of the game's window as it is now ("root": the whole screen), or nothing.
    # Under load, import now and then stalls: ended after 10 s, it gives nothing too, which
    # still() takes for no picture and asks again.
    def capture(self, game):
        window = "root" if game == "root" else self.window(game)
        return window and rgb565(self.run("timeout", "10", "import", "-window", window, "-depth",
                                          "8", "rgb:-"))

    def key(self, game, name):
        window = within(20, "the game's window", lambda: self.window(game))
        self.run("xdotool", "key", "--window", window, name)
