#!/usr/bin/env python3
"""The mutation tool's own sample (same seed, same core sources) run on any checkout, or only some
of it (indices into the sorted sample): the suite of one commit measured against the core of
another, with the tool's own planting and verdicts.

  scripts/mutants-on.py --top CHECKOUT --seed S --scratch DIR [--only 3,7] [--json OUT] [--why]
"""
import argparse, importlib.machinery, json, os, random, shutil, subprocess, sys, time
TOOL = os.environ.get("MUTANTS_TOOL", os.path.join(os.path.dirname(__file__), "../../shared/tools/mutants"))
m = importlib.machinery.SourceFileLoader("mutants", TOOL).load_module()
ap = argparse.ArgumentParser()
ap.add_argument("--top", required=True)
ap.add_argument("--seed", type=int, required=True)
ap.add_argument("--count", type=int, default=40)
ap.add_argument("--scratch", required=True)
ap.add_argument("--only", default="")   # comma-separated indices
ap.add_argument("--json")
ap.add_argument("--why", action="store_true")  # name the test that failed for each killed mutant
a = ap.parse_args()
files = ["src/app", "src/game", "src/items", "src/script", "src/memories", "src/text", "src/ui"]
fl = subprocess.run(["git", "ls-files", "--"] + files, cwd=a.top, capture_output=True, text=True).stdout.split()
fl = sorted(f for f in fl if f.endswith(".cpp"))
every = []
for f in fl:
    every += m.sites(f, open(os.path.join(a.top, f), encoding="utf-8").read())
sample = random.Random(a.seed).sample(every, min(a.count, len(every)))
sample.sort(key=lambda s: (s[0], s[1], s[2]))
print(f"mutants: {len(every)} places in {len(fl)} files; sample of {len(sample)} with seed {a.seed}", flush=True)
idx = [int(i) for i in a.only.split(",")] if a.only else list(range(len(sample)))
scratch = a.scratch
os.makedirs(scratch, exist_ok=True)
tracked = subprocess.run(["git", "ls-files", "-z"], cwd=a.top, capture_output=True).stdout.split(b"\0")
for t in tracked:
    if not t: continue
    rel = t.decode(); src, dst = os.path.join(a.top, rel), os.path.join(scratch, rel)
    if not os.path.isfile(src): continue
    os.makedirs(os.path.dirname(dst), exist_ok=True)
    if not os.path.exists(dst) or open(src, "rb").read() != open(dst, "rb").read():
        shutil.copy2(src, dst)
build = "cmake --build --preset debug"
if not os.path.isdir(os.path.join(scratch, "build", "debug")):
    rc, out = m.run("cmake --preset debug >/dev/null", scratch)
    if rc: sys.exit("configure failed\n" + out[-3000:])
t0 = time.time()
rc, out = m.run(build, scratch)
if rc: sys.exit("the unmutated tree does not build\n" + out[-3000:])
test = "ctest --preset debug -j2 --stop-on-failure -E 'valgrind|monkey|fuzz|install|browser'"
rc, out = m.run(test, scratch, 300)
if rc: sys.exit("the tests fail before any mutation\n" + out[-3000:])
print(f"mutants: baseline built and passed in {time.time() - t0:.0f} s", flush=True)
results = []
for i in idx:
    s = sample[i]
    path = os.path.join(scratch, s[0])
    original = open(path, encoding="utf-8").read()
    open(path, "w", encoding="utf-8").write(m.apply(original, s))
    failed = []
    try:
        rc, out = m.run(build, scratch)
        if rc: verdict = "NO BUILD"
        else:
            rc, out = m.run(test, scratch, 300)
            verdict = "SURVIVED" if rc == 0 else "KILLED"
            failed = [l.strip() for l in out.splitlines() if "(Failed)" in l or "(Timeout)" in l]
    finally:
        open(path, "w", encoding="utf-8").write(original); os.utime(path, None)
    shown = s[3].strip() if s[5] == "drop-statement" else f"{s[3].strip()!r} -> {s[4].strip()!r}"
    why = f"  by {', '.join(failed)}" if a.why and verdict == "KILLED" and rc else ""
    print(f"{verdict:8} {s[0]}:{s[1]} {s[5]} {shown[:90]}  [#{i}]{why}", flush=True)
    results.append({"index": i, "file": s[0], "line": s[1], "op": s[5], "verdict": verdict})
    if a.json: json.dump(results, open(a.json, "w"), indent=1)
m.run(build, scratch)
