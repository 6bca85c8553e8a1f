# Runs the system check's emulated MIPS machine and judges what it did.
#
#     machine.py WORK KERNEL INITRD
#
# WORK holds ref/<session>/<stop>.rgb565, the pictures the desktop build shows at each stop, and
# keys/<session>, the script of each keyboard session, whose buttons become the keys that the
# handheld's keyboard driver sends for them. The machine's second serial line carries the guest's
# reports (see init); at each "stopped at" the screen is dumped into
# WORK/dump/<session>/<stop>.ppm before the guest is told to go on. A keyboard session gets its
# keys through QMP's send-key; at each "@<stop>" of its key script the screen is dumped until it
# shows the reference (the game never waits for a key). The sound card's output goes to
# WORK/sound.wav, the serial console to WORK/console.log.
#
# Writes WORK/report: one line per session ("stderr <name> <bytes as \n-escaped text>",
# "status <name> <n>"), per picture ("picture <session>/<stop> <pixels that differ>"), and the
# emulated floating-point counts ("fpu <where> <count>"). Exits 1 when the machine does not finish.
import json
import os
import socket
import subprocess
import sys
import time

WIDTH, HEIGHT = 320, 240
# The keys that the handheld's keyboard driver sends for its buttons.
KEYS = {"a": "ctrl", "t": "esc", "y": "shift", "i": "backspace", "e": "tab", "x": "spc",
        "b": "alt", "u": "up", "d": "down"}


def rgb565_of_ppm(path):
    # The top-left 320x240 of a binary PPM, as 16-bit pixels (top bits of each channel).
    with open(path, "rb") as f:
        data = f.read()
    fields, at = [], 0
    while len(fields) < 4:
        while data[at:at + 1].isspace():
            at += 1
        end = at
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[at:end])
        at = end
    width, height = int(fields[1]), int(fields[2])
    pixels = data[at + 1:]
    out = []
    for y in range(HEIGHT):
        row = pixels[y * width * 3:(y * width + WIDTH) * 3]
        for x in range(0, WIDTH * 3, 3):
            r, g, b = row[x], row[x + 1], row[x + 2]
            out.append((r >> 3) << 11 | (g >> 2) << 5 | b >> 3)
    return out, (width, height)


def reference(path):
    with open(path, "rb") as f:
        data = f.read()
    return [data[i] | data[i + 1] << 8 for i in range(0, len(data), 2)]


def sounds(path):
    # The lengths in milliseconds of the sounds in a 16-bit WAV file, apart by 20 ms or more.
    import array
    import wave
    with wave.open(path) as f:
        samples = array.array("h", f.readframes(f.getnframes()))
        window = f.getframerate() // 1000 * f.getnchannels()
    loud = [ms for ms in range(len(samples) // window)
            if max(map(abs, samples[ms * window:(ms + 1) * window])) > 500]
    lengths = []
    for ms, before in zip(loud, [-100] + loud):
        if ms - before > 20:
            lengths.append(0)
        lengths[-1] += ms - before if ms - before <= 20 else 1
    return lengths


def differing(dump, ref):
    return sum(1 for a, b in zip(dump, ref) if a != b) + abs(len(dump) - len(ref))


class Machine:
    def __init__(self, work, kernel, initrd):
        self.work = work
        self.report = open(os.path.join(work, "report"), "w")
        listeners = {}
        for name in ("channel", "qmp"):
            path = os.path.join(work, name + ".sock")
            if os.path.exists(path):
                os.unlink(path)
            listeners[name] = socket.socket(socket.AF_UNIX)
            listeners[name].bind(path)
            listeners[name].listen(1)
        self.qemu = subprocess.Popen([
            "qemu-system-mipsel", "-M", "malta", "-cpu", "24Kc", "-m", "256",
            "-kernel", kernel, "-initrd", initrd, "-no-reboot", "-display", "none",
            "-append", "console=ttyS0 panic=-1",
            "-audiodev", "wav,id=sound,in.voices=0,path=" + os.path.join(work, "sound.wav"),
            "-device", "ES1370,audiodev=sound",
            "-serial", "file:" + os.path.join(work, "console.log"),
            "-chardev", "socket,id=channel,path=" + os.path.join(work, "channel.sock"),
            "-serial", "chardev:channel",
            "-qmp", "unix:" + os.path.join(work, "qmp.sock"),
        ] + os.environ.get("RALLY_QEMU_OPTIONS", "").split())
        for listener in listeners.values():
            listener.settimeout(60)
        self.channel = listeners["channel"].accept()[0].makefile("rwb")
        self.qmp = listeners["qmp"].accept()[0].makefile("rwb")
        self.qmp.readline()
        self.command("qmp_capabilities")

    def command(self, name, **arguments):
        self.qmp.write(json.dumps({"execute": name, "arguments": arguments}).encode() + b"\n")
        self.qmp.flush()
        while True:
            answer = json.loads(self.qmp.readline())
            if "return" in answer or "error" in answer:
                return answer

    def dump(self, session, stop):
        folder = os.path.join(self.work, "dump", session)
        os.makedirs(folder, exist_ok=True)
        path = os.path.join(folder, stop + ".ppm")
        self.command("screendump", filename=path)
        return path

    def compare(self, session, stop, path, final=True):
        base = session.removesuffix("-2.6.24")
        ref = reference(os.path.join(self.work, "ref", base, stop + ".rgb565"))
        dump, size = rgb565_of_ppm(path)
        wrong = differing(dump, ref)
        if final or wrong == 0:
            print(f"picture {session}/{stop} {wrong}", file=self.report, flush=True)
        return wrong, size

    def keyboard(self, session):
        # Plays a keyboard session's key script.
        with open(os.path.join(self.work, "keys", session)) as f:
            steps = f.read().split()
        for step in steps:
            if step.startswith("@"):
                deadline = time.monotonic() + 120
                while True:  # the picture settles once the game has taken the keys
                    late = time.monotonic() > deadline
                    wrong, _ = self.compare(session, step[1:], self.dump(session, step[1:]), late)
                    if wrong == 0 or late:
                        break
                    time.sleep(0.2)
            elif step.endswith("ms"):
                time.sleep(int(step[:-2]) / 1000)
            elif step != "-":
                for button in step:
                    self.command("send-key", keys=[{"type": "qcode", "data": KEYS[button]}])

    def run(self):
        session = None
        for line in iter(self.channel.readline, b""):
            words = line.decode(errors="replace").split()
            if len(words) < 2:
                continue
            # Names may hold spaces: a report's last word is its number, except for syscalls.
            name, number = " ".join(words[1:-1]), words[-1]
            if words[0] == "fpu":
                print(line.decode().strip(), file=self.report, flush=True)
                session = name
                if os.path.exists(os.path.join(self.work, "keys", session)):
                    self.keyboard(session)
            elif words[:2] == ["stopped", "at"]:
                stop = words[2]
                self.compare(session, stop, self.dump(session, stop))
                if len(words) > 3:
                    print(f"fpu {session}/{stop} {words[3]}", file=self.report, flush=True)
                self.channel.write(b"go\n")
                self.channel.flush()
            elif words[0] == "stderr":
                text = self.channel.read(int(number)) if int(number) else b""
                escaped = text.decode(errors="replace").replace("\n", "\\n")
                print(f"stderr {name} {escaped}", file=self.report, flush=True)
            elif words[0] == "status":
                print(line.decode().strip(), file=self.report, flush=True)
            elif words[0] == "syscalls":  # the numbers, each run of one reported once
                calls = sorted(set(w for w in words[1:] if w.isdigit()))
                print("syscalls", session, *calls, file=self.report, flush=True)
            elif words[0] == "done":
                break
        finished = self.qemu.wait(timeout=120) == 0 and words[:1] == ["done"]
        # Each sound heard is the blip whose own length is nearest to its length.
        blips = [sounds(f"data/p{n}_blip.wav")[0] for n in (1, 2)]
        heard = [min((abs(length - blip), n + 1) for n, blip in enumerate(blips))[1]
                 for length in sounds(os.path.join(self.work, "sound.wav"))]
        print("blips heard:", *heard, file=self.report)
        return finished


if __name__ == "__main__":
    machine = Machine(*sys.argv[1:4])
    sys.exit(0 if machine.run() else 1)
