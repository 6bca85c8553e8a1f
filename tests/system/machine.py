# Runs the system check's emulated MIPS machine (see system_test.sh) and writes what it did.
#
#     machine.py WORK KERNEL INITRD
#
# The machine's second serial line carries the guest's reports (see init). At each "stopped at"
# the screen is dumped to WORK/dump/ before the guest is told to go on. A keyboard session, whose
# script is in WORK/keys/<session>, gets the keys that the handheld's keyboard driver sends for
# its buttons through QMP's send-key; at each "@<stop>" the screen is dumped until it settles on
# the reference (the game never waits for a key). The pictures are compared with the references
# in WORK/ref/<session>/<stop>.rgb565. The sound card's output goes to WORK/sound.wav, the kernel's
# log to WORK/kernel.log, QEMU's messages to WORK/qemu.log.
#
# WORK/report gets, in order: "picture <session>/<stop> <pixels that differ>", "stderr <session>
# <text, line ends as \n>", "status <session> <n>", "syscalls <session> <numbers>", "fpu <where>
# <count>" (floating-point instructions emulated so far) and, last, "blips heard: <1 or 2>...".
# Exits 1 when the machine does not finish.
import array
import json
import os
import socket
import subprocess
import sys
import time
import wave

KEYS = {"a": "ctrl", "t": "esc", "y": "shift", "i": "backspace", "e": "tab", "x": "spc",
        "b": "alt", "u": "up", "d": "down"}


def rgb565(ppm):
    # The game's 320x240 at the top left of QEMU's dump, each channel's top bits as RGB565 keeps.
    header, width, pixels = ppm.split(b"\n", 3)[0], int(ppm.split()[1]), ppm.split(b"\n", 3)[3]
    assert header == b"P6", header
    rows = [pixels[y * width * 3:(y * width + 320) * 3] for y in range(240)]
    return [r >> 3 << 11 | g >> 2 << 5 | b >> 3
            for row in rows for r, g, b in zip(row[0::3], row[1::3], row[2::3])]


def favoured():
    # The emulated card plays on the host's clock: an emulator kept off the CPU by other work
    # (a build beside the check) cannot feed it. Root (as in CI) runs QEMU ahead of such work.
    try:
        os.nice(-10)
    except PermissionError:
        pass


def sounds(path, starts=None):
    # The lengths in milliseconds of the sounds in a 16-bit WAV file, 20 ms of silence apart (and
    # where each starts, into `starts`).
    with wave.open(path) as f:
        samples = array.array("h", f.readframes(f.getnframes()))
        window = f.getframerate() // 1000 * f.getnchannels()
    loud = [ms for ms in range(len(samples) // window)
            if max(map(abs, samples[ms * window:(ms + 1) * window])) > 500]
    lengths = []
    for ms, before in zip(loud, [-100] + loud):
        lengths += [0] if ms - before > 20 else []
        starts is None or ms - before <= 20 or starts.append(ms)
        lengths[-1] += ms - before if ms - before <= 20 else 1
    return lengths


class Machine:
    def __init__(self, work, kernel, initrd):
        self.work, self.report = work, open(os.path.join(work, "report"), "w")
        sockets = {}
        for name in ("channel", "qmp"):
            sockets[name] = socket.socket(socket.AF_UNIX)
            sockets[name].bind(os.path.join(work, name))
            sockets[name].listen(1)
            sockets[name].settimeout(60)
        self.qemu = subprocess.Popen([
            "qemu-system-mipsel", "-M", "malta", "-cpu", "24Kc", "-m", "256", "-no-reboot",
            "-kernel", kernel, "-initrd", initrd, "-append", "console=ttyS0 panic=-1",
            "-display", "none", "-serial", "file:" + os.path.join(work, "kernel.log"),
            "-chardev", "socket,id=channel,path=" + os.path.join(work, "channel"),
            "-serial", "chardev:channel", "-qmp", "unix:" + os.path.join(work, "qmp"),
            "-audiodev", "wav,id=sound,in.voices=0,path=" + os.path.join(work, "sound.wav"),
            "-device", "ES1370,audiodev=sound"],
            stderr=open(os.path.join(work, "qemu.log"), "w"), preexec_fn=favoured)
        self.channel = sockets["channel"].accept()[0].makefile("rwb")
        self.qmp = sockets["qmp"].accept()[0].makefile("rwb")
        self.qmp.readline()
        self.command("qmp_capabilities")

    def command(self, name, **arguments):
        self.qmp.write(json.dumps({"execute": name, "arguments": arguments}).encode() + b"\n")
        self.qmp.flush()
        while True:
            answer = json.loads(self.qmp.readline())
            if "return" in answer or "error" in answer:
                return answer

    def picture(self, session, stop, last=True):
        # Dumps the screen and compares it with the reference; reports it when `last` or equal.
        path = os.path.join(self.work, "dump", session, stop + ".ppm")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        self.command("screendump", filename=path)
        with open(os.path.join(self.work, "ref", session.removesuffix("-2.6.24"),
                               stop + ".rgb565"), "rb") as f:
            ref = array.array("H", f.read())
        with open(path, "rb") as f:
            wrong = sum(a != b for a, b in zip(rgb565(f.read()), ref))
        if last or wrong == 0:
            print("picture", f"{session}/{stop}", wrong, file=self.report, flush=True)
        return wrong == 0

    def keyboard(self, session):
        with open(os.path.join(self.work, "keys", session)) as f:
            for step in f.read().split():
                deadline = time.monotonic() + 120
                if step[0] == "@":
                    while not self.picture(session, step[1:], time.monotonic() > deadline):
                        if time.monotonic() > deadline:
                            break
                        time.sleep(0.2)
                elif step.endswith("ms"):
                    time.sleep(int(step[:-2]) / 1000)
                elif step[0] != "@":
                    for button in step.strip("-"):
                        self.command("send-key", keys=[{"type": "qcode", "data": KEYS[button]}])

    def run(self):
        session, words = None, []
        for line in iter(self.channel.readline, b""):
            words = line.decode(errors="replace").split() or ["(empty)"]
            text = " ".join(words)
            if words[0] == "fpu":  # a session's name may hold spaces; the count is last
                session = " ".join(words[1:-1])
                print(text, file=self.report, flush=True)
                if os.path.exists(os.path.join(self.work, "keys", session)):
                    self.keyboard(session)
            elif words[0] == "stopped":
                self.picture(session, words[2])
                print("fpu", f"{session}/{words[2]}", *words[3:], file=self.report, flush=True)
                self.channel.write(b"go\n")
                self.channel.flush()
            elif words[0] == "stderr":
                got = self.channel.read(int(words[-1])).decode(errors="replace")
                print("stderr", session, got.replace("\n", "\\n"), file=self.report, flush=True)
            elif words[0] == "syscalls":  # each run of one reported once
                print("syscalls", session, *sorted({w for w in words if w.isdigit()}), file=self.report)
            elif words[0] == "status":
                print(text, file=self.report, flush=True)
            elif words[0] == "done":
                break
        finished = self.qemu.wait(timeout=120) == 0 and words == ["done"]
        # Each sound heard (QEMU completes the file as it exits) is the blip whose own length is
        # nearest to its length.
        blips, starts = [sounds(f"data/p{n}_blip.wav")[0] for n in (1, 2)], []
        lengths = sounds(os.path.join(self.work, "sound.wav"), starts)
        heard = [min((abs(length - blip), n + 1) for n, blip in enumerate(blips))[1]
                 for length in lengths]
        print("sounds (ms long at ms):", *map("{0[0]}@{0[1]}".format, zip(lengths, starts)),
              file=self.report)
        print("blips heard:", *heard, file=self.report)
        return finished


if __name__ == "__main__":
    sys.exit(0 if Machine(*sys.argv[1:4]).run() else 1)
