#!/usr/bin/python3
"""The web edition's figures in Debian's Chromium, headless (a benchmark: it reports, never fails
on a figure): the time from opening the page to its start overlay and from the starting key to the
menu's first picture, the pictures shown a second during a match, and the per cent of one core that
the browser's processes take in the menu's wait and in a match.

  web_bench.py BUILD_WEB
"""
import os, sys, time
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import web_test  # noqa: E402
from screens import end, within  # noqa: E402

HZ = os.sysconf("SC_CLK_TCK")


def browser_ticks():
    """utime + stime of every process whose command is Chromium's."""
    total = 0
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            if "chromium" in open("/proc/%s/cmdline" % pid).read():
                fields = open("/proc/%s/stat" % pid).read().rsplit(")", 1)[1].split()
                total += int(fields[11]) + int(fields[12])
        except OSError:
            pass
    return total


def core_share(seconds):
    before = browser_ticks()
    time.sleep(seconds)
    return 100.0 * (browser_ticks() - before) / HZ / seconds


try:
    opened = time.time()
    page = web_test.Page(os.path.abspath(sys.argv[1]))
    within(30, "the start overlay", lambda: page.js(
        "document.getElementById('start').classList.contains('shown')"))
    overlay = time.time() - opened
    pressed = page.js("performance.now()")
    page.key("x")
    within(10, "the first picture", lambda: page.js("Module.rallyShown"))
    first = page.js("Module.rallyFirstShown") - pressed
    time.sleep(2)
    menu = core_share(5)
    page.key("Return")
    time.sleep(1)
    match = core_share(5)
    # Pictures a second while the ball moves: quarters of a second without a new picture (the
    # pause after a point) left out.
    counts = []
    for _ in range(40):
        counts.append(page.js("Module.rallyShown"))
        time.sleep(0.25)
    moving = [b - a for a, b in zip(counts, counts[1:]) if b > a]
    rate = sum(moving) / (0.25 * len(moving))
    print("overlay %.2f s after opening; menu's first picture %.0f ms after the key; match %.1f "
          "pictures/s; browser's share of one core: menu wait %.1f %%, match %.1f %%" %
          (overlay, first, rate, menu, match))
finally:
    end()
