#!/usr/bin/env python3
"""Runs the cases of one GoogleTest executable in one process and keeps each case's result.

A Wine process start with a test executable's set-up costs about a second, so CTest does not start
the executable once per case: this runner (a CTest fixture set-up) runs it once for every case the
current CTest run selected, reads GoogleTest's own output as it comes and writes, per case, its
status and its part of the output. Each case is then a CTest test of its own that only prints that
part and exits with the case's result (gtest-case.sh).

A case that hangs is ended after --case-timeout seconds; a case that ends the process (a crash) is
reported as failed with what it printed, and the cases after it run in a new process.

Usage: gtest-run.py --cases FILE --results DIR [--group NAME] [--case-timeout S] [--whole] -- COMMAND...
  FILE lists the cases of this run's group, one "index<TAB>Suite.Case" a line; --whole says they
  are all the executable's cases. Results go to DIR/<index>.status and .log, the run's output to
  DIR/output-<group>.txt.
"""
import argparse
import json
import os
import re
import select
import signal
import subprocess
import sys
import time

PASSED, FAILED, SKIPPED = "passed", "failed", "skipped"
END = re.compile(r"^\[ +(OK|FAILED|SKIPPED) +\] (\S+)")
RUN = re.compile(r"^\[ RUN +\] (\S+)")
FILTER_LIMIT = 24000  # characters; a Windows command line holds 32767


def read_cases(path):
    cases = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            index, _, name = line.rstrip("\n").partition("\t")
            if name:
                cases.append((int(index), name))
    return cases


def ctest_pid():
    """The CTest process running us: the parent, or an ancestor when a wrapper stands between."""
    pid = os.getppid()
    for _ in range(4):
        try:
            if os.path.basename(os.readlink(f"/proc/{pid}/exe")).startswith("ctest"):
                return pid
            with open(f"/proc/{pid}/stat") as f:
                pid = int(f.read().rsplit(")", 1)[1].split()[1])
        except (OSError, ValueError, IndexError):
            return None
    return None


def ctest_selection():
    """The names of the tests the CTest run that started us will run, or None when unknown.

    CTest tells a test nothing about the run's selection (-R, -E, -L, -I, --rerun-failed...), so
    the same command line is asked again with --show-only.
    """
    parent = ctest_pid()
    if parent is None:
        return None
    try:
        with open(f"/proc/{parent}/cmdline", "rb") as f:
            argv = [a.decode() for a in f.read().split(b"\0") if a]
        cwd = os.readlink(f"/proc/{parent}/cwd")
    except OSError:
        return None
    args, rest = [], argv[1:]
    # CTest works in its test directory already (--test-dir changes into it).
    with_value = {"--test-dir", "-O", "--output-log", "--output-junit", "-j", "--parallel", "--timeout", "--stop-time",
                  "--repeat", "--repeat-until-fail", "--test-load"}
    flags = {"--show-only", "-N", "-V", "-VV", "--verbose", "--extra-verbose", "--output-on-failure", "-Q",
             "--quiet", "--progress", "--stop-on-failure", "--schedule-random", "--no-tests"}
    while rest:
        a = rest.pop(0)
        name = a.split("=", 1)[0]
        if a.startswith(("-S", "-D", "-T", "-M", "--dashboard")):
            return None  # a dashboard run: not worth guessing
        if name in with_value or name.startswith("--resource-"):  # the resource file takes a value too
            if "=" not in a and rest and re.fullmatch(r"[^-].*", rest[0]):
                rest.pop(0)  # its value
            continue
        if a[:2] in ("-j", "-O") or name in flags:
            continue
        args.append(a)
    try:
        out = subprocess.run([argv[0], *args, "--show-only=json-v1"], cwd=cwd, capture_output=True,
                             text=True, timeout=120, check=True).stdout
        return {t["name"] for t in json.loads(out)["tests"]}
    except (OSError, subprocess.SubprocessError, ValueError, KeyError) as e:
        print(f"gtest-run: could not learn which tests this run selected ({e}): running every case")
        return None


def gtest_filters(names, group_names):
    """--gtest_filter values that together choose `names` (Suite.* for a suite chosen whole),
    each short enough for a command line."""
    def suite(n):
        return n.rsplit(".", 1)[0]
    chosen = set(names)
    patterns, seen = [], set()
    for n in names:
        s = suite(n)
        if all(x in chosen for x in group_names if suite(x) == s):
            if s not in seen:
                seen.add(s)
                patterns.append(s + ".*")
        else:
            patterns.append(n)
    filters, current = [], []
    for p in patterns:
        if current and len(":".join(current + [p])) > FILTER_LIMIT:
            filters.append(":".join(current))
            current = []
        current.append(p)
    filters.append(":".join(current))
    return filters


def matches(name, flt):
    suite = name.rsplit(".", 1)[0]
    return any(p == name or p == suite + ".*" for p in flt.split(":"))


class Results:
    def __init__(self, directory, stamp):
        self.dir = directory
        self.stamp = stamp

    def write(self, index, status, log):
        with open(os.path.join(self.dir, f"{index}.log"), "w", encoding="utf-8") as f:
            f.write(log)
        with open(os.path.join(self.dir, f"{index}.status.tmp"), "w") as f:
            f.write(f"{status} {self.stamp}\n")
        os.replace(os.path.join(self.dir, f"{index}.status.tmp"), os.path.join(self.dir, f"{index}.status"))


def run_once(command, names, flt, whole, case_timeout, results, index_of, log):
    """Runs the executable on `names` (chosen by the filter `flt`, or all its cases when `whole`)
    until it ends; returns the names it never reached and whether a case broke the process."""
    args = list(command)
    if not whole:
        args.append("--gtest_filter=" + flt)
    log.write(f"gtest-run: {' '.join(args[-2:])}\n")
    log.flush()
    proc = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, start_new_session=True)
    pending = set(names)
    current, lines, started = None, [], time.monotonic()
    buffer = b""
    timed_out = False
    while True:
        wait = None
        if current is not None:
            wait = max(0.0, started + case_timeout - time.monotonic())
        # A helper the process started (Wine's desktop process) may hold the pipe open for a
        # while after the process ended: stop reading once it ended and the pipe is quiet.
        poll = 0.5 if wait is None else min(wait, 0.5)
        ready, _, _ = select.select([proc.stdout], [], [], poll)
        if not ready:
            if proc.poll() is not None:
                break
            if wait is not None and time.monotonic() >= started + case_timeout:
                timed_out = True
                break
            continue
        chunk = os.read(proc.stdout.fileno(), 65536)
        if not chunk:
            break
        buffer += chunk
        *complete, buffer = buffer.split(b"\n")
        for raw in complete:
            line = raw.decode("utf-8", "replace").rstrip("\r")
            sys.stdout.write(line + "\n")
            log.write(line + "\n")
            m = RUN.match(line)
            if m:
                current, lines, started = m.group(1), [line], time.monotonic()
                continue
            if current is None:
                continue
            lines.append(line)
            m = END.match(line)
            if m and m.group(2).rstrip(",") == current:
                status = {"OK": PASSED, "FAILED": FAILED, "SKIPPED": SKIPPED}[m.group(1)]
                if current in index_of:
                    results.write(index_of[current], status, "\n".join(lines) + "\n")
                pending.discard(current)
                current = None
        sys.stdout.flush()
    if timed_out:
        os.killpg(proc.pid, signal.SIGKILL)
    proc.stdout.close()
    code = proc.wait()
    if current is not None:
        why = (f"the case did not end within {case_timeout} s: the test process was ended" if timed_out
               else f"the test process ended during this case (exit code {code})")
        lines.append(f"gtest-run: {why}")
        log.write(lines[-1] + "\n")
        if current in index_of:
            results.write(index_of[current], FAILED, "\n".join(lines) + "\n")
        pending.discard(current)
        return [n for n in names if n in pending], True
    if code not in (0, 1):
        log.write(f"gtest-run: the test process exited with code {code} after its cases\n")
    return [n for n in names if n in pending], False


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cases", required=True)
    parser.add_argument("--results", required=True)
    parser.add_argument("--group", default="")
    parser.add_argument("--case-timeout", type=float, default=120)
    parser.add_argument("--whole", action="store_true", help="the list is all the executable's cases")
    parser.add_argument("command", nargs="+")
    opts = parser.parse_args()

    cases = read_cases(opts.cases)
    os.makedirs(opts.results, exist_ok=True)
    for index, _ in cases:  # no result of an earlier run may stand for this one
        for suffix in (".status", ".log"):
            try:
                os.remove(os.path.join(opts.results, f"{index}{suffix}"))
            except FileNotFoundError:
                pass
    cases = [(i, n) for i, n in cases if "DISABLED_" not in n]  # CTest shows those as disabled
    all_names = [n for _, n in cases]
    index_of = {n: i for i, n in cases}

    selection = ctest_selection()
    names = all_names if selection is None else [n for n in all_names if n in selection]
    alone = not names and selection is not None  # only this runner was chosen: run and judge all
    if alone:
        names = all_names
    if not names:
        print("gtest-run: no case of this group is selected")
        return 0

    stamp = str(ctest_pid() or os.getppid())
    results = Results(opts.results, stamp)
    log_path = os.path.join(opts.results, f"output{('-' + opts.group) if opts.group else ''}.txt")
    begun = time.monotonic()
    with open(log_path, "w", encoding="utf-8") as log:
        todo = names
        while todo:
            whole = opts.whole and len(todo) == len(all_names)
            flt, *more = gtest_filters(todo, all_names)
            chosen = todo if whole or not more else [n for n in todo if matches(n, flt)]
            left, broken = run_once(opts.command, chosen, flt, whole, opts.case_timeout, results, index_of, log)
            if left and not broken:
                why = "the test process ended before this case ran (see its output above)"
                for n in left:
                    results.write(index_of[n], FAILED, f"gtest-run: {why}\n")
                    log.write(f"gtest-run: {n}: {why}\n")
                left = []
            todo = left + [n for n in todo if n not in chosen]
    statuses = {}
    for n in names:
        try:
            with open(os.path.join(opts.results, f"{index_of[n]}.status")) as f:
                statuses[n] = f.read().split()[0]
        except FileNotFoundError:
            statuses[n] = FAILED
    counts = {s: sum(1 for v in statuses.values() if v == s) for s in (PASSED, FAILED, SKIPPED)}
    print(f"gtest-run: {len(names)} cases in {time.monotonic() - begun:.1f} s: "
          f"{counts[PASSED]} passed, {counts[FAILED]} failed, {counts[SKIPPED]} skipped; output in {log_path}")
    if alone:  # judged as one test: CTest shows a skip as skipped (return code 77)
        return 1 if counts[FAILED] else 77 if counts[SKIPPED] else 0
    return 0  # each case reports its own result


if __name__ == "__main__":
    sys.exit(main())
