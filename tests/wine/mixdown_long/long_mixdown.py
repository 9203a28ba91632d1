#!/usr/bin/env python3
"""Mixdowns of more than 2 GiB through the real program under Wine.

Writes the source as a sparse file (a header, a block of sound at the start
and at the end of the data present, a hole between), runs one case of
qbx_mixdown_long_tests against it, then reads the target back with Python's
wave module (every frame, in pieces) and with sox (--i, and a full read by
stat): both must find a 16-bit stereo file holding every frame the source
holds, with the sound at both ends in place. The output is deleted at once.
Usage: long_mixdown.py CASE TEST_EXE   (inside the Wine test bed: QBX_WINE)
Cases:
  stereo-under   stereo, data chunk declares 0xF0000000, 2 GiB - 64 KiB present
  stereo-over    the same with 2 GiB + 64 KiB present
  mono-streamed  mono with the streamed placeholder size 0x7FFFF000 and
                 1 GiB + 1 MiB present: the doubled output passes 2 GiB
  cancel         stereo, 3 GiB declared and present; Cancel clicked once more
                 than 2 GiB are written: no target, no temporary file
"""
import os
import random
import re
import struct
import subprocess
import sys
import tempfile
import time
import wave

GiB = 1 << 30
MARK = 1 << 20  # bytes of sound written at each end of the data

CASES = {
    # channels, declared data size, bytes present, cancel point
    "stereo-under": (2, 0xF0000000, 2 * GiB - 65536, None),
    "stereo-over": (2, 0xF0000000, 2 * GiB + 65536, None),
    "mono-streamed": (1, 0x7FFFF000, GiB + MARK, None),
    "cancel": (2, 3 * GiB, 3 * GiB, 2 * GiB + 64 * MARK),
}


def sound(seed, size):
    rng = random.Random(seed)
    return rng.randbytes(size)


def write_source(path, channels, declared, present):
    """A RIFF WAVE file whose data chunk declares `declared` bytes and whose
    file ends after `present` of them; only both ends are written."""
    head, tail = sound(1, MARK), sound(2, MARK)
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", (36 + declared) & 0xFFFFFFFF) + b"WAVE")
        f.write(b"fmt " + struct.pack("<IHHIIHH", 16, 1, channels, 44100, 44100 * 2 * channels, 2 * channels, 16))
        f.write(b"data" + struct.pack("<I", declared))
        f.write(head)
        f.seek(44 + present - MARK)
        f.write(tail)
    return head, tail


def frames_of(block, channels):
    """The 16-bit stereo frames the render makes of source bytes (effects
    off: the sound itself; a mono sample is doubled)."""
    if channels == 2:
        return block
    out = bytearray()
    for i in range(0, len(block), 2):
        out += block[i:i + 2] * 2
    return bytes(out)


def read_back(path, channels, present, head, tail):
    problems = []
    frames = present // 2 if channels == 1 else present // 4
    expected_head, expected_tail = frames_of(head, channels), frames_of(tail, channels)
    with wave.open(path, "rb") as w:
        if (w.getnchannels(), w.getsampwidth(), w.getframerate()) != (2, 2, 44100):
            problems.append(f"wave: not 16-bit stereo at 44100 Hz: {w.getparams()}")
        if w.getnframes() != frames:
            problems.append(f"wave: {w.getnframes()} frames, the source holds {frames}")
        read, first, last, silent = 0, b"", b"", True
        while True:
            piece = w.readframes(1 << 18)
            if not piece:
                break
            if len(first) < len(expected_head):
                first += piece[:len(expected_head) - len(first)]
            start = read * 4
            lo = max(start, len(expected_head))
            hi = min(start + len(piece), frames * 4 - len(expected_tail))
            if silent and lo < hi and piece[lo - start:hi - start].count(0) != hi - lo:
                silent = False
            last = (last + piece)[-len(expected_tail):]
            read += len(piece) // 4
        if read != frames:
            problems.append(f"wave: read {read} frames of {frames}")
        if first != expected_head:
            problems.append("wave: the sound at the start is not the source's")
        if last != expected_tail:
            problems.append("wave: the sound at the end is not the source's")
        if not silent:
            problems.append("wave: sound where the source is silent")
    info = subprocess.run(["sox", "--i", path], capture_output=True, text=True)
    out = info.stdout + info.stderr
    m = re.search(r"Duration\s*:.*=\s*(\d+) samples", out)
    if info.returncode != 0 or re.search(r"\b(WARN|FAIL)\b", out) or not m or int(m.group(1)) != frames:
        problems.append(f"sox --i: {out.strip()}")
    stat = subprocess.run(["sox", path, "-n", "stat"], capture_output=True, text=True)
    out = stat.stdout + stat.stderr
    m = re.search(r"Samples read:\s+(\d+)", out)
    if stat.returncode != 0 or re.search(r"\b(WARN|FAIL)\b", out) or not m or int(m.group(1)) != 2 * frames:
        problems.append(f"sox stat: {out.strip()}")
    return problems


def winpath(path):
    return "Z:" + path.replace("/", "\\")


def main():
    case, exe = sys.argv[1], sys.argv[2]
    channels, declared, present, cancel_at = CASES[case]
    wine = os.environ.get("QBX_WINE") or "wine"
    began = time.time()
    with tempfile.TemporaryDirectory(prefix="qbx-long-", dir="/tmp") as work:
        source, target = os.path.join(work, "source.wav"), os.path.join(work, "target.wav")
        head, tail = write_source(source, channels, declared, present)
        env = dict(os.environ, QBX_LONG_SOURCE=winpath(source), QBX_LONG_TARGET=winpath(target))
        test = "TheWholeSourceIsRenderedOntoTheTarget"
        if cancel_at:
            env["QBX_LONG_CANCEL_AT"] = str(cancel_at)
            test = "CancelPastTwoGigabytesLeavesNoFile"
        run = subprocess.run([wine, exe, f"--gtest_filter=LongMixdownTest.{test}"], env=env,
                             capture_output=True, text=True)
        print(run.stdout[-3000:].replace("\r", ""), run.stderr[-1500:].replace("\r", ""))
        rendered = time.time() - began
        if run.returncode != 0:
            print(f"{case}: the program's mixdown failed after {rendered:.0f} s")
            return 1
        problems = []
        if not cancel_at:
            problems = read_back(target, channels, present, head, tail)
        elif os.path.exists(target):
            problems = ["a file stands under the target's name"]
        for p in problems:
            print("   ", p)
        print(f"{case}: {'FAILED' if problems else 'ok'}; render {rendered:.0f} s, "
              f"reading back {time.time() - began - rendered:.0f} s, {time.time() - began:.0f} s in all")
        return 1 if problems else 0


sys.exit(main())
