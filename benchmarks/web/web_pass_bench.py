#!/usr/bin/python3
"""The browser's pass beside the native one, for ./bench: every catalogue row painted
as scintle-render view paints it, at 1280x720, natively (scintle-bench's web_pass/,
the one-pixel kernel and the SSE2 lanes) and in each browser engine the tests drive
(Chromium, Firefox ESR, WebKitGTK: tests/web/browsers.py) by one engine Worker of each
build (web_pass.js), in turns, best of ROUNDS each.

    web_pass_bench.py SCINTLE_BENCH SITE_DIR [ROUNDS]

The browser's CPU time is that of every process of the browser (and its driver) while
the pass runs; its wall time the page's own. The last lines hold each engine's SIMD
page to 1.5 times the native SSE2 pass's CPU time and say whether it keeps to it (a benchmark reports; its exit
status is 0 either way).
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
from itertools import product

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, "tests", "web"))
from browsers import ENGINES, missing  # noqa: E402
LIMIT = 1.5
NAMES = {"chromium": "Chromium", "firefox": "Firefox", "webkit": "WebKitGTK"}
TICKS = os.sysconf("SC_CLK_TCK")


def descendants(pid):
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as stat:
                    fields = stat.read().rsplit(")", 1)[1].split()
                children.setdefault(int(fields[1]), []).append(int(entry))
            except OSError:
                pass
    found, todo = [], [pid]
    while todo:
        for child in children.get(todo.pop(), []):
            found.append(child)
            todo.append(child)
    return found


def cpu_seconds(pids):
    total = 0
    for pid in pids:
        try:
            with open(f"/proc/{pid}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
            total += int(fields[11]) + int(fields[12])  # utime, stime
        except OSError:
            pass
    return total / TICKS


def native_pass(bench):
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        subprocess.run([bench, "--benchmark_filter=^web_pass/", f"--benchmark_out={out.name}",
                        "--benchmark_out_format=json"], check=True, capture_output=True)
        runs = json.load(open(out.name))["benchmarks"]
    results = {}
    for run in runs:
        kernel = run["name"].split("/")[1]
        scale = {"ms": 1e-3, "us": 1e-6, "ns": 1e-9, "s": 1}[run["time_unit"]]
        results[kernel] = (run["real_time"] * scale, run["cpu_time"] * scale)
    return results


def browser_pass(Browser, url, build):
    with Browser(800, 600) as browser:
        browser.get(f"{url}web_pass.html?build={build}")
        browser.wait_for("return document.body.dataset.ready", "the pass's page")
        processes = descendants(browser.root_pid())
        before = cpu_seconds(processes)
        browser.run("window.startPass()")
        result = browser.wait_for("return document.body.dataset.result", "the pass", 3600)
        cpu = cpu_seconds(processes) - before
    result = json.loads(result)
    if result["pictures"] != 74:
        sys.exit(f"web_pass_bench: the {build} page painted {result['pictures']} pictures, not 74")
    return result["seconds"], cpu, result["kernel"]


def main():
    bench, site = sys.argv[1], sys.argv[2]
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 2
    engines = [engine for engine in ENGINES if not missing(engine)]
    for engine in ENGINES:
        if missing(engine):
            print(f"web pass: {NAMES[engine]} left out: {missing(engine)}")
    with tempfile.TemporaryDirectory(prefix="scintle-web-pass-") as folder:
        staged = os.path.join(folder, "site")
        shutil.copytree(site, staged)
        for name in ("web_pass.html", "web_pass.js"):
            shutil.copy(os.path.join(HERE, name), staged)
        server = subprocess.Popen(["/usr/bin/python3", os.path.join(ROOT, "web", "serve.py"), staged],
                                  stdout=subprocess.PIPE, text=True)
        url = server.stdout.readline().strip()
        best = {}
        try:
            for round_number in range(1, rounds + 1):
                print(f"web pass, round {round_number} of {rounds}: native", flush=True)
                for kernel, figures in native_pass(bench).items():
                    best[f"native {kernel}"] = min(best.get(f"native {kernel}", figures), figures,
                                                   key=lambda f: f[1])
                for engine, build in product(engines, ("simd", "plain")):
                    print(f"web pass, round {round_number} of {rounds}: {NAMES[engine]}, "
                          f"{build} build", flush=True)
                    wall, cpu, kernel = browser_pass(ENGINES[engine], url, build)
                    name = f"{NAMES[engine]} {build} ({kernel})"
                    best[name] = min(best.get(name, (wall, cpu)), (wall, cpu), key=lambda f: f[1])
        finally:
            server.terminate()
            server.wait()
    reference = best["native sse2"][1]
    print()
    print("Whole pass, 74 rows at 1280x720 as the gallery paints them (best of "
          f"{rounds}; CPU time, and wall time on this shared machine):")
    print(f"  {'':30} {'CPU':>9} {'wall':>9} {'CPU / native sse2':>18}")
    for name, (wall, cpu) in best.items():
        print(f"  {name:30} {cpu:8.2f}s {wall:8.2f}s {cpu / reference:17.2f}x")
    for engine in engines:
        simd = next(cpu for name, (wall, cpu) in best.items()
                    if name.startswith(f"{NAMES[engine]} simd"))
        ratio = simd / reference
        verdict = "within" if ratio <= LIMIT else "OVER"
        print(f"{NAMES[engine]}'s SIMD page takes {ratio:.2f}x the native SSE2 pass's CPU time: "
              f"{verdict} {LIMIT}x.")


if __name__ == "__main__":
    main()
