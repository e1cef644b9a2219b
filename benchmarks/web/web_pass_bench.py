#!/usr/bin/python3
"""The browser's pass beside the native one, for ./bench: every catalogue row painted
as scintle-render view paints it, at 1280x720, natively (scintle-bench's web_pass/,
the one-pixel kernel and the SSE2 lanes) and in headless Chromium by one engine Worker
of each build (web_pass.js), in turns, best of ROUNDS each.

    web_pass_bench.py SCINTLE_BENCH SITE_DIR [ROUNDS]

The browser's CPU time is that of every Chromium process while the pass runs; its
wall time the page's own. The last line holds the SIMD page to 1.5 times the native
SSE2 pass's CPU time and says whether it keeps to it (a benchmark reports; its exit
status is 0 either way).
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
FLAGS = ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--window-size=800,600"]
LIMIT = 1.5
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


def browser_pass(url, build):
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service

    with tempfile.TemporaryDirectory(prefix="scintle-chromium-") as profile:
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in FLAGS + [f"--user-data-dir={profile}"]:
            options.add_argument(flag)
        service = Service("/usr/bin/chromedriver")
        driver = webdriver.Chrome(service=service, options=options)
        try:
            driver.get(f"{url}web_pass.html?build={build}")
            while not driver.execute_script("return document.body.dataset.ready"):
                time.sleep(0.1)
            processes = [pid for pid in descendants(service.process.pid)]
            before = cpu_seconds(processes)
            driver.execute_script("window.startPass()")
            while not (result := driver.execute_script("return document.body.dataset.result")):
                time.sleep(0.2)
            cpu = cpu_seconds(processes) - before
        finally:
            driver.quit()
    result = json.loads(result)
    if result["pictures"] != 74:
        sys.exit(f"web_pass_bench: the {build} page painted {result['pictures']} pictures, not 74")
    return result["seconds"], cpu, result["kernel"]


def main():
    bench, site = sys.argv[1], sys.argv[2]
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 2
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
                for build in ("simd", "plain"):
                    print(f"web pass, round {round_number} of {rounds}: Chromium, {build} build", flush=True)
                    wall, cpu, kernel = browser_pass(url, build)
                    name = f"Chromium {build} ({kernel})"
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
    simd = next(cpu for name, (wall, cpu) in best.items() if name.startswith("Chromium simd"))
    ratio = simd / reference
    verdict = "within" if ratio <= LIMIT else "OVER"
    print(f"The SIMD page takes {ratio:.2f}x the native SSE2 pass's CPU time: {verdict} {LIMIT}x.")


if __name__ == "__main__":
    main()
