#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Places small plausible faults at random in the sources and tells which tests catch each.

  scripts/mutation-sample.py place SEED            # list the sample (file, line, kind, new line)
  scripts/mutation-sample.py run SEED [FIRST [LAST [USED]]]  # each one: apply, build, test, undo

Areas and how many faults each gets: core 12, app 4, sim 3, cli 3. Within an area a file is
drawn weighted by its size in lines, then a line at random; the first line from there on that
one of the kinds fits (a flipped comparison, a dropped statement, a negated condition, a missing
check, a constant off by one) takes a fault of one of the kinds that fit. A fault that does not
build gives way to the next of its area's reserves. The same seed places the same faults.
Run from the source root with a configured build in build/ (ccache; niced; one at a time).
"""
import os, random, re, signal, subprocess, sys, time

AREAS = [("core", 12), ("app", 4), ("sim", 3), ("cli", 3)]
RESERVE = 4  # drawn after each area's faults, to stand in for one that does not build
SKIP = re.compile(r"/main\.cpp$")

def sources(area):
    out = []
    for root, _, files in os.walk(area):
        for f in files:
            path = os.path.join(root, f)
            if f.endswith(".cpp") and not SKIP.search(path):
                out.append((path, sum(1 for _ in open(path, encoding="utf-8", errors="replace"))))
    return sorted(out)

COMPARISONS = [("<=", "<"), (">=", ">"), ("==", "!="), ("!=", "=="), (" < ", " <= "), (" > ", " >= ")]

def condition(s):
    """Where the condition of an if/while statement opens and closes, or None."""
    m = re.match(r"^(?:\} else )?(if|while) \(", s)
    if not m:
        return None
    depth = 0
    for i in range(m.end() - 1, len(s)):
        depth += {"(": 1, ")": -1}.get(s[i], 0)
        if depth == 0:
            return (m.end() - 1, i)
    return None

def masked(s):
    """The line with the insides of its string and character literals and its comment blanked."""
    out, quote, i = [], None, 0
    while i < len(s):
        c = s[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            out.append(c if c == quote else " ")
            quote = None if c == quote else quote
        elif c in "\"'":
            quote = c
            out.append(c)
        elif s.startswith("//", i):
            out.append(" " * (len(s) - i))
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)[:len(s)]

def kinds(line):
    """The faults that fit a line: (kind, position in the stripped line, old text, new text)."""
    s = line.strip()
    if not s or s.startswith(("//", "#", "*", "case ", "default")) or "static_assert" in s:
        return []
    m = masked(s)
    found = []
    if not re.search(r"<<|>>|operator|template|->\s*\w+<|#include", m):
        for old, new in COMPARISONS:
            at = m.find(old)
            if at >= 0:
                found.append(("flip " + old.strip(), at, old, new))
    if condition(s):
        found.append(("negate condition", None, None, None))
    if re.match(r"^if \(.*\) (return|continue|break)\b.*;$", s):
        found.append(("drop check", None, None, None))
    if s.endswith(";") and not s.startswith(("return", "using", "const ", "static ", "auto ", "std::", "bool ", "int ", "}")) \
            and re.match(r"^[A-Za-z_][\w:.\->\[\]()]*(\(.*\)|\s*[+\-*/|&]?=\s*.+|\+\+|--);$", s):
        found.append(("drop statement", None, None, None))
    for n in re.finditer(r"(?<![\w.])(\d+)(?![\w.])", m):
        found.append(("constant +1", n.start(1), n.group(1), str(int(n.group(1)) + 1)))
        break
    return found

def apply(line, kind):
    name, at, old, new = kind
    indent = line[:len(line) - len(line.lstrip())]
    s = line.strip()
    if name == "negate condition":
        open_, close = condition(s)
        return indent + s[:open_ + 1] + "!(" + s[open_ + 1:close] + ")" + s[close:] + "\n"
    if name == "drop check":
        return indent + "// " + s + "  (dropped)\n"
    if name == "drop statement":
        return indent + ";  // dropped: " + s + "\n"
    return indent + s[:at] + new + s[at + len(old):] + "\n"

def place(seed):
    rnd = random.Random(seed)
    sample = []
    for area, count in AREAS:
        files = sources(area)
        weights = [n for _, n in files]
        chosen = 0
        tries = 0
        while chosen < count + RESERVE and tries < 500:
            tries += 1
            path, n = rnd.choices(files, weights)[0]
            lines = open(path, encoding="utf-8").readlines()
            start = rnd.randrange(len(lines))
            for i in list(range(start, len(lines))):
                fits = kinds(lines[i])
                if fits:
                    kind = rnd.choice(fits)
                    new = apply(lines[i], kind)
                    if new and new != lines[i] and not any(m[0] == path and m[1] == i + 1 for m in sample):
                        sample.append((path, i + 1, kind[0], lines[i], new, area))
                        chosen += 1
                    break
    return sample, rnd

def sh(cmd, timeout=None):
    p = subprocess.run(cmd, shell=True, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, errors="replace", timeout=timeout)
    return p.returncode, p.stdout

CORE_TESTS = ["host", "platform", "commands", "device", "script", "compiler", "tools", "help"]
E2E = "cd build && timeout 900 ctest -L e2e -E 'Differential|install' -j2 --stop-on-failure --output-on-failure"
# Every program the e2e tests run: each is built again for each fault, so none is left over from
# an earlier fault in another area.
E2E_TARGETS = ["orvane-cli", "orvane-sim", "test_e2e", "test_simchip", "test_difftest"]

def stages(path):
    """(targets to build, test commands) in order; the later stages run only while none caught it."""
    area = path.split("/")[0]
    apps = sorted("test_app_" + f[:-4] for f in os.listdir("tests/app") if f.endswith("Test.cpp"))
    window = (apps, ["cd build && timeout 1800 ctest -L app -E soak -j2 --stop-on-failure --output-on-failure"])
    if area == "core":
        # The window's tests come last: they drive the core's rules too (mode rules, settings).
        return [(["test_" + t for t in CORE_TESTS],
                 [f"timeout 300 build/tests/test_{t} --gtest_brief=1" for t in CORE_TESTS]),
                (["test_sim"] + E2E_TARGETS, ["timeout 120 build/tests/test_sim --gtest_brief=1", E2E]), window]
    if area == "sim":
        return [(["test_sim"], ["timeout 120 build/tests/test_sim --gtest_brief=1"]), (E2E_TARGETS, [E2E])]
    if area == "cli":
        return [(E2E_TARGETS, [E2E])]
    return [window]

def verdict(path):
    for targets, tests in stages(path):
        code, out = sh("nice cmake --build build -j2 --target " + " ".join(targets), timeout=2400)
        if code != 0:
            return "NOT BUILT", " ".join(re.findall(r"error: .*", out)[:1])
        for t in tests:
            code, out = sh(t)
            if code != 0:
                failed = re.findall(r"\[  FAILED  \] ([\w./]+)|\d+ - ([\w./]+) \(", out)
                name = next((a or b for a, b in failed), t.split()[2])
                return "CAUGHT", name + (" (timeout)" if code == 124 or "(Timeout)" in out else "")
    return "SURVIVED", ""

def run(seed, first=0, last=10**6, used=0):
    """Runs faults FIRST..LAST of the sample; one that does not build gives way to its area's next
    reserve (USED: how many of each area's reserves earlier runs of the sample took)."""
    sample, _ = place(seed)
    counts = dict(AREAS)
    by_area = {area: [f for f in sample if f[5] == area] for area in counts}
    main = [f for area, _ in AREAS for f in by_area[area][:counts[area]]]
    reserves = {area: by_area[area][counts[area] + used:] for area in counts}
    for index, fault in enumerate(main):
        if index < first or index > last:
            continue
        while True:
            result, by, seconds = attempt(fault)
            path, line, kind, old, new, area = fault
            print(f"{index:2d} {area:4s} {path}:{line} [{kind}] {result} {by}  ({seconds} s)\n"
                  f"     - {old.strip()}\n     + {new.strip()}", flush=True)
            if result != "NOT BUILT" or not reserves[area]:
                break
            fault = reserves[area].pop(0)
            print("    (replaced by the next reserve)", flush=True)

def attempt(fault):
    path, line, kind, old, new, area = fault
    text = open(path, encoding="utf-8").readlines()
    assert text[line - 1] == old
    text[line - 1] = new
    open(path, "w", encoding="utf-8").writelines(text)
    started = time.time()
    try:
        result, by = verdict(path)
    finally:
        text[line - 1] = old
        open(path, "w", encoding="utf-8").writelines(text)
    return result, by, int(time.time() - started)

if __name__ == "__main__":
    # A stop ends the fault in hand by putting its line back.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    seed = int(sys.argv[2])
    if sys.argv[1] == "place":
        for i, (path, line, kind, old, new, area) in enumerate(place(seed)[0]):
            print(f"{i:2d} {area:4s} {path}:{line} [{kind}]\n     - {old.strip()}\n     + {new.strip()}")
        print(f"(the first of each area's faults make the sample; the last {RESERVE} of each are reserves)")
    else:
        args = [int(a) for a in sys.argv[3:6]]
        run(seed, *args)
