#!/usr/bin/python3
"""The web edition in Debian's Chromium, headless, driven over the DevTools protocol as a player
would, beside the desktop build on a virtual X display driven the same way. At each point where
the picture stands still (the menu, after a volume change, after the players switch, after Escape
from a paused match, the game-over picture after a match left to the computer), the canvas's
pixels, reduced to RGB565, must equal the desktop's window; the pause must show its two bars; the
browser's console must show no error, and the program's standard error must be the desktop's.

  web_test.py BUILD_WEB RALLY      (with Debian's python3-websocket)
"""
import base64, json, os, signal, subprocess, sys, tempfile, threading, time
import websocket

work = tempfile.mkdtemp()
started = []
# The script: keys (X's names) and the still pictures to compare, named; a match left to the
# computer ends 10-0 after about 80 s.
SCRIPT = ["menu", "Right", "volume", "p", "players", "p", "Return", 1, "p", 0.5, "bars", "Escape",
          "after Escape", "Return", "game over", "Escape", 2, "Escape"]
KEYS = {"Right": ("ArrowRight", "ArrowRight", 39), "p": ("p", "KeyP", 80),
        "Return": ("Enter", "Enter", 13), "Escape": ("Escape", "Escape", 27)}


def start(*command, **options):
    process = subprocess.Popen(command, start_new_session=True, **options)
    started.append(process)
    return process


def within(seconds, what, ready, every=0.1):
    """ready()'s first true answer, asked every tenth of a second."""
    end = time.time() + seconds
    while time.time() < end:
        answer = ready()
        if answer:
            return answer
        time.sleep(every)
    raise TimeoutError("gave up waiting for " + what)


def rgb565(rgb):  # the display test's reduction: each colour's bits beyond 5, 6 and 5 dropped
    return bytes(b & (0xfc if i % 3 == 1 else 0xf8) for i, b in enumerate(rgb))


def still(capture, what):
    """The picture once three captures 0.4 s apart are alike (a point's pause lasts 0.5 s)."""
    pictures = []
    def settled():
        pictures.append(capture())
        return len(pictures) >= 3 and len(set(pictures[-3:])) == 1 and pictures[-1]
    try:
        return within(150, what, settled, every=0.4)
    except TimeoutError:
        print(what, [len(p) for p in pictures[-3:]], len(set(pictures[-3:])))
        raise


class Page:
    """The page served from 127.0.0.1 in headless Chromium."""

    def __init__(self, root):
        port = 8000 + os.getpid() % 1000
        start("/usr/bin/python3", "-m", "http.server", "--bind", "127.0.0.1", "--directory", root,
              str(port), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        start("chromium", "--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
              "--remote-debugging-port=0", "--user-data-dir=" + work + "/profile",
              "--disable-background-networking", "--disable-component-update", "--disable-sync",
              "--disable-quic", "--window-size=1280,800", "about:blank",
              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        active = work + "/profile/DevToolsActivePort"
        devtools = within(30, "Chromium", lambda: os.path.exists(active) and
                          open(active).read().split())
        self.socket = websocket.create_connection("ws://127.0.0.1:%s%s" % tuple(devtools),
                                                  timeout=30)
        self.calls, self.errors, self.said, self.session = 0, [], [], None
        target = self.call("Target.createTarget", url="about:blank")["targetId"]
        self.session = self.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        for method in ("Runtime.enable", "Log.enable", "Page.enable"):
            self.call(method)
        self.call("Emulation.setFocusEmulationEnabled", enabled=True)
        self.call("Emulation.setDeviceMetricsOverride", width=1280, height=800,
                  deviceScaleFactor=1, mobile=False)
        within(20, "the page's server", lambda: subprocess.run(
            ["/usr/bin/python3", "-c", "import urllib.request as u; u.urlopen('http://127.0.0.1:%d/')"
             % port], stderr=subprocess.DEVNULL).returncode == 0)
        self.call("Page.navigate", url="http://127.0.0.1:%d/rally.html" % port)

    def call(self, method, **params):
        self.calls += 1
        message = {"id": self.calls, "method": method, "params": params}
        if self.session:
            message["sessionId"] = self.session
        self.socket.send(json.dumps(message))
        while True:
            reply = json.loads(self.socket.recv())
            if reply.get("id") == self.calls:
                if "error" in reply:
                    raise RuntimeError("%s: %s" % (method, reply["error"]))
                return reply["result"]
            self.heard(reply.get("method"), reply.get("params", {}))

    def heard(self, event, params):
        if event == "Runtime.consoleAPICalled":
            text = " ".join(str(a.get("value", a.get("description"))) for a in params["args"])
            (self.said if params["type"] == "warning" else self.errors if params["type"] ==
             "error" else []).append(text)
        elif event == "Runtime.exceptionThrown" or (event == "Log.entryAdded" and
                                                     params["entry"]["level"] == "error"):
            self.errors.append(json.dumps(params)[:300])

    def js(self, expression):
        return self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                         awaitPromise=True)["result"].get("value")

    def key(self, name):
        key, code, number = KEYS[name] if name in KEYS else (name, "Key" + name.upper(),
                                                             ord(name.upper()))
        for kind in ("keyDown", "keyUp"):
            self.call("Input.dispatchKeyEvent", type=kind, key=key, code=code,
                      windowsVirtualKeyCode=number, nativeVirtualKeyCode=number,
                      **({"text": key} if kind == "keyDown" and len(key) == 1 else {}))

    def capture(self):
        data = self.js("(() => { const d = Module.canvas.getContext('2d').getImageData(0, 0, 320, "
                       "240).data; let s = ''; for (let i = 0; i < d.length; i += 4) s += "
                       "String.fromCharCode(d[i], d[i + 1], d[i + 2]); return btoa(s); })()")
        return rgb565(base64.b64decode(data))


def desktop(rally, pictures):
    """The desktop build on Xvfb, played by the script with xdotool."""
    display = within(20, "Xvfb", lambda: os.path.exists(work + "/display") and
                     open(work + "/display").read().strip())
    env = dict(os.environ, DISPLAY=":" + display, SDL_AUDIODRIVER="dummy",
               XDG_CONFIG_HOME=work + "/config", ASAN_OPTIONS="detect_leaks=0")
    env.pop("SDL_VIDEODRIVER", None)
    run = lambda *args: subprocess.run(args, env=env, capture_output=True, timeout=20).stdout
    xdotool = lambda *args: run("xdotool", *args).split()
    for _ in range(5):  # under load, connecting to Xvfb now and then fails: the game ends at once
        game = start(rally, "--scale", "1", env=env, stderr=open(work + "/desktop.err", "w"))
        window = within(20, "the desktop's window", lambda: game.poll() is not None or [
            w for w in xdotool("search", "--pid", str(game.pid), "--name", "^rally$")
            if b"IsViewable" in run("xwininfo", "-id", w)])  # import hangs on a window not mapped
        if game.poll() is None:
            break
        time.sleep(1)
    capture = lambda: rgb565(run("import", "-window", window[0], "-depth", "8", "rgb:-"))
    play(capture, lambda name: xdotool("key", "--window", window[0], name), pictures)
    pictures["status"] = game.wait(30)


def play(capture, key, pictures):
    for step in SCRIPT:
        if isinstance(step, (int, float)):
            time.sleep(step)
        elif step in KEYS or len(step) == 1:
            key(step)
        elif step != "bars":
            pictures[step] = still(capture, step)
        else:
            pictures[step] = capture()


def main(web, rally):
    with open(work + "/display", "w") as said:
        start("Xvfb", "-displayfd", str(said.fileno()), "-screen", "0", "640x480x24", "-nolisten",
              "tcp", pass_fds=(said.fileno(),), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    on_desktop, in_page = {}, {}
    thread = threading.Thread(target=desktop, args=(rally, on_desktop))
    thread.start()
    page = Page(web)
    within(30, "the start overlay", lambda: page.js(
        "document.getElementById('start').classList.contains('shown')"))
    box = page.js("JSON.stringify(Object.values(Module.canvas.getBoundingClientRect().toJSON()))")
    page.key("x")  # any key opens the sound and the game, and reaches no screen
    play(page.capture, page.key, in_page)
    within(20, "the page to say the game has ended", lambda: page.js(
        "document.getElementById('end').classList.contains('shown')"))
    thread.join(200)
    wrong = [name for name in SCRIPT if isinstance(name, str) and name not in KEYS and len(name) >
             1 and name != "bars" and on_desktop.get(name) != in_page.get(name)]
    bars = in_page["bars"]
    white = all(bars[3 * (y * 320 + x):3 * (y * 320 + x) + 3] == b"\xf8\xfc\xf8"
                for x in (144, 155, 164, 175) for y in (100, 139))
    desktop_said = open(work + "/desktop.err").read().splitlines()
    print("canvas at %s; pictures alike: %s; differing: %s; bars: %s; desktop's status %s; "
          "standard error, desktop %s, page %s; console errors %s" % (
              box, len(in_page) - 1 - len(wrong), wrong, white, on_desktop.get("status"),
              desktop_said, page.said, page.errors))
    return not wrong and white and on_desktop.get("status") == 0 and not page.errors and \
        page.said == desktop_said and box == "[160,40,960,720,40,1120,760,160]"


def end():
    for process in started:
        if process.poll() is None:
            os.killpg(process.pid, signal.SIGKILL)
    subprocess.run(["rm", "-rf", work])


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("ended by SIGTERM"))
    try:
        passed = main(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]))
    finally:
        end()
    sys.exit(0 if passed else 1)
