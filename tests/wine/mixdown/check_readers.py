#!/usr/bin/env python3
"""Runs the mixdown Wine tests once more with QBX_MIXDOWN_READER_DIR set, so
that they keep a copy of every file they render, then opens each copy with
independent readers: Python's wave module and sox (--i and stat). A reader
that refuses a file, warns about it, or sees a different length fails.
Usage: check_readers.py TEST_EXE   (inside the Wine test bed: QBX_WINE)"""
import os
import re
import struct
import subprocess
import sys
import tempfile
import wave

EXPECTED = [
    "stereo3blocks.wav", "fourOff48k.wav", "trailingList.wav", "mono20000.wav", "gain6dB.wav",
    "user12.wav", "user11.wav", "user31.wav", "shortSource.wav", "shortAtBoundary.wav",
    "stereoHalfFrame.wav", "stereoOddLength.wav", "monoOddLength.wav", "cancelled.wav",
    "chunksBeforeData.wav",
]


def data_size(path):
    """The data chunk's declared size, walking the chunks from the start."""
    with open(path, "rb") as f:
        blob = f.read()
    pos = 12
    while pos + 8 <= len(blob):
        cid, size = blob[pos:pos + 4], struct.unpack("<I", blob[pos + 4:pos + 8])[0]
        if cid == b"data":
            return size
        pos += 8 + size + (size & 1)
    raise ValueError("no data chunk")


def check(path):
    problems = []
    d = data_size(path)
    with wave.open(path, "rb") as w:
        if (w.getnchannels(), w.getsampwidth(), w.getcomptype()) != (2, 2, "NONE"):
            problems.append(f"wave: not 16-bit stereo PCM: {w.getparams()}")
        if w.getnframes() * 4 != d:
            problems.append(f"wave: {w.getnframes()} frames for {d} data bytes")
        got = w.readframes(w.getnframes())
        if len(got) != d:
            problems.append(f"wave: read {len(got)} of {d} bytes")
    for args in (["sox", "--i", path], ["sox", path, "-n", "stat"]):
        r = subprocess.run(args, capture_output=True, text=True)
        out = r.stdout + r.stderr
        if r.returncode != 0 or re.search(r"\b(WARN|FAIL)\b", out):
            problems.append(f"{' '.join(args[:2])}: rc {r.returncode}: {out.strip()}")
        if "stat" in args:
            m = re.search(r"Samples read:\s+(\d+)", out)
            if not m or int(m.group(1)) != d // 2:
                problems.append(f"sox stat: samples read {m and m.group(1)} for {d // 2}")
        else:
            m = re.search(r"Channels\s*:\s*(\d+)", out)
            if not m or m.group(1) != "2":
                problems.append("sox --i: not two channels")
    return problems


def main():
    exe = sys.argv[1]
    wine = os.environ.get("QBX_WINE") or "wine"
    with tempfile.TemporaryDirectory(prefix="qbx-readers-") as keep:
        env = dict(os.environ, QBX_MIXDOWN_READER_DIR="Z:" + keep.replace("/", "\\"))
        r = subprocess.run([wine, exe, "--gtest_filter=MixdownTest.*"], env=env,
                           capture_output=True, text=True, timeout=150)
        if r.returncode != 0:
            print(r.stdout[-4000:], r.stderr[-2000:])
            print("the mixdown tests failed while writing the files")
            return 1
        failed = 0
        for name in EXPECTED:
            path = os.path.join(keep, name)
            if not os.path.exists(path):
                print(f"{name}: not written")
                failed += 1
                continue
            problems = check(path)
            print(f"{name}: {'ok' if not problems else 'REFUSED'}")
            for p in problems:
                print("   ", p)
            failed += bool(problems)
        print(f"{len(EXPECTED) - failed} of {len(EXPECTED)} files accepted by wave and sox")
        return 1 if failed else 0


sys.exit(main())
