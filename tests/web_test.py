#!/usr/bin/python3
"""The web edition in Debian's Chromium, headless, driven over the DevTools protocol as a player
would, beside the desktop build on a virtual X display driven the same way. At each point where
the picture stands still (the menu, after a volume change, after the players switch, after Escape
from a paused match, the game-over picture after a match left to the computer), the canvas's
pixels, reduced to RGB565, must equal the desktop's window; the pause must show its two bars, the
browser's console no error, and the program's standard error must be the desktop's.

  web_test.py BUILD_WEB RALLY      (with Debian's python3-websocket)
"""
import base64, json, os, signal, socket, sys, threading, time
import websocket
from screens import QUIET, Display, end, rgb565, start, still, within, work

# Keys (X's names), pauses in seconds, and the still pictures to compare, by name. A match left to
# the computer ends 10-0 after about 80 s.
SCRIPT = ["menu", "Right", "volume", "p", "players", "p", "Return", 1, "p", 0.5, "bars", "Escape",
          "after Escape", "Return", "game over", "Escape", 2, "Escape"]
KEYS = {"Right": ("ArrowRight", "ArrowRight", 39), "p": ("p", "KeyP", 80),
        "Return": ("Enter", "Enter", 13), "Escape": ("Escape", "Escape", 27)}
STILL = [step for step in SCRIPT if isinstance(step, str) and step not in KEYS and step != "bars"]


# The page served from 127.0.0.1 in headless Chromium, 1280x800.
class Page:

    def __init__(self, root):
        port = 8000 + os.getpid() % 1000
        start("/usr/bin/python3", "-m", "http.server", "--bind", "127.0.0.1", "--directory", root,
              str(port), **QUIET)
        start("chromium", "--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
              "--remote-debugging-port=0", "--user-data-dir=" + work + "/profile",
              "--disable-background-networking", "--disable-component-update", "--disable-sync",
              "--disable-quic", "about:blank", **QUIET)
        active = work + "/profile/DevToolsActivePort"
        devtools = within(30, "Chromium", lambda: os.path.exists(active) and open(active).read())
        self.socket = websocket.create_connection("ws://127.0.0.1:%s%s" % tuple(
            devtools.split()), timeout=30)
        self.calls, self.errors, self.said, self.session = 0, [], [], None
        target = self.call("Target.createTarget", url="about:blank")["targetId"]
        self.session = self.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        self.call("Runtime.enable"), self.call("Log.enable")
        self.call("Emulation.setFocusEmulationEnabled", enabled=True)
        self.call("Emulation.setDeviceMetricsOverride", width=1280, height=800,
                  deviceScaleFactor=1, mobile=False)
        page = "http://127.0.0.1:%d/rally.html" % port
        within(20, "the server", lambda: socket.socket().connect_ex(("127.0.0.1", port)) == 0)
        self.call("Page.navigate", url=page)

    def call(self, method, **params):
        self.calls += 1
        self.socket.send(json.dumps({"id": self.calls, "method": method, "params": params,
                                     **({"sessionId": self.session} if self.session else {})}))
        while True:
            reply = json.loads(self.socket.recv())
            if reply.get("id") == self.calls:
                assert "error" not in reply, (method, reply)
                return reply["result"]
            event, params = reply.get("method"), reply.get("params", {})
            if event == "Runtime.consoleAPICalled" and params["type"] in ("warning", "error"):
                (self.said if params["type"] == "warning" else self.errors).append(
                    " ".join(str(a.get("value", a.get("description"))) for a in params["args"]))
            elif event == "Runtime.exceptionThrown" or (event == "Log.entryAdded" and
                                                         params["entry"]["level"] == "error"):
                self.errors.append(json.dumps(params)[:300])

    def js(self, expression):
        return self.call("Runtime.evaluate", expression=expression, returnByValue=True)[
            "result"].get("value")

    def key(self, name):
        key, code, number = KEYS[name]
        for kind in "keyDown", "keyUp":
            self.call("Input.dispatchKeyEvent", type=kind, key=key, code=code,
                      windowsVirtualKeyCode=number, nativeVirtualKeyCode=number,
                      **({"text": key} if kind == "keyDown" and len(key) == 1 else {}))

    def capture(self):
        return rgb565(base64.b64decode(self.js(
            "(() => { const d = Module.canvas.getContext('2d').getImageData(0, 0, 320, 240).data;"
            " let s = ''; for (let i = 0; i < d.length; i += 4) s += String.fromCharCode(d[i], "
            "d[i + 1], d[i + 2]); return btoa(s); })()")))


def play(capture, key, pictures):
    for step in SCRIPT:
        if not isinstance(step, str):
            time.sleep(step)
        elif step in KEYS:
            key(step)
        else:
            pictures[step] = capture() if step == "bars" else still(capture, step)


def desktop(display, rally, pictures):
    game = display.game([rally, "--scale", "1"], work + "/desktop.err")
    play(lambda: display.capture(game), lambda name: display.key(game, name), pictures)
    pictures["status"] = game.wait(30)


def main(web, rally):
    on_desktop, in_page = {}, {}
    thread = threading.Thread(target=desktop, args=(Display("640x480"), rally, on_desktop))
    thread.start()
    page = Page(web)
    within(30, "the start overlay", lambda: page.js(
        "document.getElementById('start').classList.contains('shown')"))
    box = page.js("JSON.stringify(Object.values(Module.canvas.getBoundingClientRect().toJSON()))")
    page.key("p")  # any key opens the sound and the game, and reaches no screen (or the players
    # would differ from the desktop's)
    play(page.capture, page.key, in_page)
    within(20, "the page to say the game has ended", lambda: page.js(
        "document.getElementById('end').classList.contains('shown')"))
    thread.join(200)
    wrong = [name for name in STILL if on_desktop.get(name) != in_page.get(name)]
    white = all(in_page["bars"][3 * (y * 320 + x):3 * (y * 320 + x + 1)] == b"\xf8\xfc\xf8"
                for x in (144, 155, 164, 175) for y in (100, 139))
    desktop_said = open(work + "/desktop.err").read().splitlines()
    print(dict(canvas=box, alike=len(STILL) - len(wrong), differing=wrong, bars=white,
               status=on_desktop.get("status"), stderr_desktop=desktop_said,
               stderr_page=page.said, console_errors=page.errors))
    return not wrong and white and on_desktop.get("status") == 0 and not page.errors and \
        page.said == desktop_said and box == "[160,40,960,720,40,1120,760,160]"


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("ended by SIGTERM"))
    try:
        passed = main(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]))
    finally:
        end()
    sys.exit(0 if passed else 1)
