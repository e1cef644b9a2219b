#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora (corpus/<target>/), a few inputs each in the
layouts their files describe. Run again after changing a layout; inputs that the
fuzzer found, and crashes once mended, are added to corpus/ beside these by hand."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
NAMES = ["ExtraMemory", "CompletionDelay", "BlankingMethod", "ColourScheme", "CurveType",
         "MinIterations", "MaxIterations", "ExcludeCurves", "AllMonitors", "Unread"]
DWORD, SZ, BINARY = 4, 1, 3


def record(values, key=True):
    """values: (name, type, bytes) triples in fuzz_support.h's layout."""
    out = bytes([(len(values) << 1) | (1 if key else 0)])
    for name, kind, data in values:
        out += bytes([NAMES.index(name), kind, len(data)]) + data
    return out


def dword(name, value):
    return (name, DWORD, struct.pack("<I", value & 0xFFFFFFFF))


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data.encode() if isinstance(data, str) else data)


TYPICAL = [dword("ExtraMemory", 1), dword("CompletionDelay", 5), dword("BlankingMethod", 7),
           dword("ColourScheme", 0x3FFF), dword("CurveType", 15), dword("MinIterations", 0),
           dword("MaxIterations", 0), dword("ExcludeCurves", 0), dword("AllMonitors", 1)]
ODD = [("ExtraMemory", BINARY, b"\x01\x02"), ("CompletionDelay", SZ, b"30\x00"),
       ("ColourScheme", DWORD, b""), ("CurveType", BINARY, b"\x04\x00\x00\x00\x00\x00"),
       dword("MinIterations", -5), dword("MaxIterations", 0x7FFFFFFF),
       dword("CompletionDelay", 4294968)]

write("settings_store", "no-key", record([], key=False))
write("settings_store", "empty-key", record([]))
write("settings_store", "typical", record(TYPICAL))
write("settings_store", "odd-sizes-and-types", record(ODD))
write("settings_store", "empty-masks", record([dword("BlankingMethod", 0), dword("ColourScheme", 0),
                                               dword("CurveType", 0), dword("Unread", 9)]))

for name, line in {
        "full-screen": "scintle.scr /s", "configure": "scintle.scr /c", "no-switch": "scintle.scr",
        "preview": "scintle.scr /p 4660", "preview-joined": "scintle.scr /l4660",
        "preview-unknown": "scintle.scr /p 12", "preview-wraps": "scintle.scr /p 4294971956",
        "password": "scintle.scr /a 77", "quoted": '"C:\\Windows\\System32\\scintle.scr" /S',
        "quoted-unclosed": '"C:\\scintle.scr /s', "tab": "scintle.scr\t/s",
        "configure-owner": "scintle.scr /c:1234", "invalid": "scintle.scr /x",
        "dashes": "scintle.scr -- - -s"}.items():
    write("command_line", name, line)

for name, words in {
        "root": ["--root"], "window-id": ["--window-id", "0x1234"],
        "variable": ["XSCREENSAVER_WINDOW=0x400001"],
        "variable-and-id": ["XSCREENSAVER_WINDOW=7", "-window-id=12"],
        "geometry": ["--geometry", "640x480+10-10"],
        "settings": ["--completion-delay=10", "--no-mono", "--scintle-fade", "--extra-memory",
                     "--exclude-curves", "--no-dragon"],
        "bounds": ["--min-iterations", "500", "--max-iterations", "100"],
        "seed": ["-seed", "0xFFFFFFFF", "--verbose"], "help": ["--help"],
        "no-fade": ["--no-fade", "--no-no-fade", "--red-purple"],
        "missing-value": ["--geometry"], "bad-variable": ["XSCREENSAVER_WINDOW=garbage"]}.items():
    write("saver_options", name, "\n".join(words))

for name, words in {
        "view": ["view", "--family", "julia", "--row", "28", "--scheme", "firestorm", "-o", "x.png"],
        "view-fallback": ["view", "--family", "fallback", "--bailout", "1e300", "--flip", "-o", "a"],
        "view-bad-row": ["view", "--family", "phoenix", "--row", "0", "-o", "a"],
        "view-scheme-bit": ["view", "--family", "Dragon", "--scheme", "0x40", "--kernel", "scalar",
                            "-o", "b"],
        "cycle": ["cycle", "--seed", "5", "--pictures", "2", "--extra-memory", "1"],
        "cycle-masks": ["cycle", "--seed", "0x10", "--blanking", "7", "--colours", "0", "--curves",
                        "4", "--min", "100", "--max", "50", "--exclude", "1", "--kernel", "sse2",
                        "--size", "9x7", "-o", "out"],
        "list": ["list"], "unknown": ["render", "--seed", "1"]}.items():
    write("render_arguments", name, "\n".join(words))


def typed(field, text):  # field: 0 delay, 1 minimum, 2 maximum
    return bytes([0, (len(text) << 4) | field]) + text.encode()


OK, CANCEL, ALL, NONE = bytes([2, 0]), bytes([3, 0]), bytes([4, 0]), bytes([5, 0])
write("config_dialog", "ok-with-nothing-stored", record([], key=False) + OK)
write("config_dialog", "cancel", record(TYPICAL) + CANCEL)
write("config_dialog", "delay-too-long", record([]) + typed(0, "999") + OK)
write("config_dialog", "bounds-inconsistent",
      record([]) + typed(1, "500") + typed(2, "100") + OK + typed(2, "0") + OK)
write("config_dialog", "select-none-and-clicks",
      record(TYPICAL) + NONE + bytes([1, 0, 1, 2, 1, 23]) + ALL + OK)
write("config_dialog", "stored-delay-wrapped", record([dword("CompletionDelay", 4294968)]) + OK)
write("config_dialog", "odd-text", record([]) + typed(0, " 12x") + typed(1, "99999999999") +
      bytes([6, 26]) + OK)


def picture(values, seed, width, height, kernel, pictures, key=True):
    return record(values, key) + struct.pack("<I", seed) + bytes([width, height, kernel, pictures])


write("picture", "defaults", picture([], 1, 16, 12, 0, 0, key=False))
write("picture", "every-pixel-lanes", picture([dword("ExtraMemory", 1)], 7, 23, 17, 1, 1))
write("picture", "scintle-fade", picture([dword("BlankingMethod", 1), dword("CompletionDelay", 0)],
                                         99, 20, 20, 3, 2))
write("picture", "no-fade-dragon", picture([dword("BlankingMethod", 4), dword("CurveType", 4)],
                                           3, 9, 24, 2, 2))
write("picture", "strip", picture([], 11, 0, 13, 1, 0))
write("picture", "negative-cap", picture([dword("MaxIterations", -3), dword("ColourScheme", 2)],
                                         5, 12, 12, 1, 1))
write("picture", "raised-caps", picture([dword("MinIterations", 100000), dword("CurveType", 3)],
                                        21, 10, 8, 3, 0))
write("picture", "everything-excluded",
      picture([dword("MaxIterations", 10), dword("ExcludeCurves", 1), dword("ColourScheme", 0x2000)],
              8, 15, 9, 0, 2))
