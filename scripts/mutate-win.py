#!/usr/bin/env python3
"""Mutation testing of the Win32 files against the Windows suites under Wine.

The mutants are those of scripts/mutate.py (same operators, same code), made in
the .cpp files of WIN_SOURCES of every folder; a fixed-seed sample of them is
run, the first SAMPLE of one fixed shuffle, so a smaller sample is a part of the
full one.

Every mutant is built (mingw, -O0, only the suites that cover its file) in a
copy of the tree under build/mutate-win, so the worktree is never written; the
copy's file is put back after each mutant, also on Ctrl-C. The covering suites
then run under Wine, fastest first, each stopping at its first failure. A mutant
is killed when a suite fails or crashes twice in a row, or runs past its timeout
(a multiple of its time on the unmutated tree); stillborn when it does not build. Mutants that
change no behaviour are listed with a reason in scripts/mutate-win-equivalent.txt
and left out of the score.

The whole session runs in one Xvfb (the script starts itself under xvfb-run)
and keeps one wineserver per Wine prefix alive.

Each run keeps its outcomes in build/mutate-win/outcomes.txt (a run with --only
updates its own); --report prints the table again from them, so a change to the
equivalent list needs no new run.

Usage: scripts/mutate-win.py [--sample N] [--list] [--report] [--only SUBSTRING]
"""
import argparse
import os
import random
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import mutate  # noqa: E402  the operators, the copy of the tree and the report

ROOT = mutate.ROOT
WORK = os.path.join(ROOT, "build", "mutate-win")
EQUIVALENT = os.path.join(ROOT, "scripts", "mutate-win-equivalent.txt")
SEED = 16
SAMPLE = 60
# The Windows build configures every program, so the copy needs their sources too.
COPIED = mutate.COPIED + ["tools", "bench", "help"]

# The suites that cover a file: its folder's, unless the file is named itself.
# They run quickest first (as timed on the unmutated tree), so most kills come early.
# win_dist is left out: it checks the packed zip, which needs a packing per mutant.
BY_FOLDER = {
    "app": ["app", "handover", "settings"],
    "common": ["app", "settings", "gather", "runner"],
    "filelist": ["gather", "handover"],
    "runner": ["runner"],
    "settings": ["settings", "app"],
}
BY_FILE = {
    "app/about_dialog.cpp": ["app", "app_dpi144"],
    "app/commands.cpp": ["app", "gather", "runner", "settings", "handover"],
    "app/handed_files.cpp": ["handover"],
    "app/main_window.cpp": ["app", "app_dpi144", "handover", "settings", "runner"],
    "common/code_page.cpp": ["app", "settings", "gather", "runner", "handover"],
    "common/dpi.cpp": ["app", "app_dpi144", "settings", "gather", "runner"],
    "common/help.cpp": ["app"],
    "common/lazy_proc.cpp": ["gather", "app"],
    "filelist/file_list.cpp": ["app", "app_dpi144", "gather", "handover", "runner"],
    "filelist/folder_picker.cpp": ["gather"],
    "filelist/search.cpp": ["gather"],
    "runner/launch_handover.cpp": ["runner", "handover"],
}
# Suites that are not simply win_<name>.exe: its program, the command it runs under, its own arguments.
# app_dpi144 is the layout test at 144 DPI, which ctest runs as win_app_dpi144.
RUN_AT_DPI = ("scripts", "run-at-dpi.sh")
SPECIAL = {"app_dpi144": ("win_app", RUN_AT_DPI + ("144",), ("--gtest_filter=*Dpi*",))}
# The gathering suite has a prefix of its own whose drives the script below makes afresh before each run.
OWN_PREFIX = {"gather": ("wineprefix-gather-tests", "gather-test-prefix.sh")}
# The soak's short form; the full one is `make soak`.
SUITE_ENV = {"PLIMSAR_SOAK_RUNS": "2"}
BUILD_TIMEOUT = 900


def program_of(suite):
    return SPECIAL[suite][0] if suite in SPECIAL else f"win_{suite}"


def suites_of(path):
    return BY_FILE.get(path) or BY_FOLDER[path.split("/")[0]]


def win_sources():
    files = []
    for folder in mutate.FOLDERS:
        text = open(os.path.join(ROOT, folder, "sources.cmake"), encoding="utf-8").read()
        for block in re.findall(r"list\(APPEND WIN_SOURCES(.*?)\)", text, re.S):
            files += [f for f in block.split() if f.endswith(".cpp")]
    return sorted(files)


def wine_env(prefix):
    """The environment scripts/wine-env.sh sets for this prefix."""
    out = subprocess.run(["bash", "-c", '. "$0" "$1" && env -0', os.path.join(ROOT, "scripts", "wine-env.sh"), prefix],
                         check=True, stdout=subprocess.PIPE).stdout.decode()
    env = dict(item.split("=", 1) for item in out.split("\0") if "=" in item)
    env.update(SUITE_ENV)
    return env


class Session(mutate.Worker):
    def __init__(self):
        super().__init__(0, 2)
        self.src = os.path.join(WORK, "src")
        self.build = os.path.join(WORK, "build")
        self.prefix = os.path.join(WORK, "wineprefix")
        self.envs = {}
        self.timeouts = {}
        self.seconds = {}

    def run(self, cmd, timeout, env=None, cwd=None):
        # Output goes to a file, not a pipe: Wine's own services inherit it and outlive the program.
        with open(os.path.join(WORK, "last-output.txt"), "w+b") as log:
            self.proc = subprocess.Popen(cmd, stdout=log, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                                         start_new_session=True, env=env, cwd=cwd)
            try:
                code = self.proc.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                self.stop()
                self.proc.wait()
                code = None
            except BaseException:
                self.stop()
                raise
            finally:
                self.proc = None
            log.seek(0)
            return code, log.read().decode(errors="replace")

    def env_of(self, suite):
        if suite not in self.envs:
            own = OWN_PREFIX.get(suite)
            self.envs[suite] = wine_env(os.path.join(self.build, own[0]) if own else self.prefix)
        return self.envs[suite]

    def prefixes(self):
        return sorted({env["WINEPREFIX"]: env for env in self.envs.values()}.values(), key=lambda e: e["WINEPREFIX"])

    def wineserver(self, env, flag):
        subprocess.run(["wineserver", flag], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def setup(self, suites):
        mutate.COPIED = COPIED
        self.sync()
        if not os.path.exists(os.path.join(self.build, "build.ninja")):
            code, out = self.run(["cmake", "-S", self.src, "-B", self.build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=None",
                                  "-DCMAKE_CXX_FLAGS=-O0",
                                  "-DCMAKE_TOOLCHAIN_FILE=" + os.path.join(self.src, "cmake", "mingw-toolchain.cmake")],
                                 BUILD_TIMEOUT)
            if code != 0:
                sys.exit(f"configuring {self.build} failed:\n{out}")
        code, out = self.build_tests(suites)
        if code != 0:
            sys.exit(f"the unmutated tree does not build:\n{out}")
        code, out = self.run(["bash", os.path.join(ROOT, "scripts", "wine-prefix.sh"), self.prefix], BUILD_TIMEOUT)
        if code != 0:
            sys.exit(f"making the Wine prefix failed:\n{out}")
        for suite in suites:
            self.env_of(suite)
        for env in self.prefixes():
            self.wineserver(env, "-p")  # stays up between the suites' runs
        for suite in suites:
            start = time.time()
            code, out = self.test(suite, BUILD_TIMEOUT)
            if code != 0:  # once may be the load; the failure and output are shown all the same
                print(f"  {suite} failed once on the unmutated tree:\n{out}", flush=True)
                start = time.time()
                code, out = self.test(suite, BUILD_TIMEOUT)
            if code != 0:
                sys.exit(f"{suite} fails on the unmutated tree:\n{out}")
            seconds = time.time() - start
            # Room for a loaded machine: timers and process starts slip under load.
            self.timeouts[suite] = max(30.0, 3 * seconds)
            self.seconds[suite] = seconds
            print(f"  win_{suite}: {seconds:.0f} s unmutated, timeout {self.timeouts[suite]:.0f} s", flush=True)

    def finish(self):
        for env in self.prefixes():
            self.wineserver(env, "-k")

    def build_tests(self, suites):
        return self.run(["ninja", "-C", self.build, "-j", str(self.jobs)] + sorted({program_of(s) for s in suites}),
                        BUILD_TIMEOUT)

    def test(self, suite, timeout):
        env = self.env_of(suite)
        own = OWN_PREFIX.get(suite)
        if own:
            code, out = self.run(["bash", os.path.join(self.src, "scripts", own[1]), env["WINEPREFIX"]], BUILD_TIMEOUT,
                                 env=env)
            if code != 0:
                return code, out
        program, runner, arguments = SPECIAL.get(suite, (program_of(suite), (), ()))
        runner = ["bash", os.path.join(self.src, *runner[:2])] + list(runner[2:]) if runner else ["wine"]
        code, out = self.run(runner + [os.path.join(self.build, program + ".exe")] + list(arguments) +
                             ["--gtest_brief=1", "--gtest_fail_fast"], timeout, env=env, cwd=self.build)
        if code is None and suite in SPECIAL:
            # Killed, the DPI script could not take its setting out again; the prefix has none of its own there.
            self.run(["wine", "reg", "delete", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/f"], 60, env=env)
        if code != 0:
            # What a failed or hung suite started may still run in its prefix: end this prefix's server, and
            # with it that, before the next suite.
            self.restart(env)
        return code, out

    def restart(self, env):
        self.wineserver(env, "-k")
        self.wineserver(env, "-w")
        self.wineserver(env, "-p")

    def try_mutant(self, m, original):
        target = os.path.join(self.src, m.path)
        suites = suites_of(m.path)
        try:
            with open(target, "w", encoding="utf-8") as f:
                f.write(original[:m.start] + m.replacement + original[m.end:])
            code, _ = self.build_tests(suites)
            if code != 0:
                m.outcome = "stillborn"
                return
            m.outcome = "survived"
            for suite in sorted(suites, key=self.seconds.get):
                code, _ = self.test(suite, self.timeouts[suite])
                if code:  # a failure must repeat: under load a timing bound of the suites can slip once
                    code, _ = self.test(suite, self.timeouts[suite])
                    if not code:
                        m.by += f"(win_{suite} failed once, then passed) "
                if code != 0:
                    m.outcome, m.by = "killed", f"win_{suite} " + ("timeout" if code is None else f"exit {code}")
                    return
        finally:
            with open(target, "w", encoding="utf-8") as f:
                f.write(original)


def main():
    parser = argparse.ArgumentParser(description="Mutation testing of the Win32 files under Wine.")
    parser.add_argument("--sample", type=int, default=int(os.environ.get("SAMPLE") or SAMPLE),
                        help=f"mutants run (default {SAMPLE}, or $SAMPLE)")
    parser.add_argument("--list", action="store_true", help="only list the sampled mutants")
    parser.add_argument("--report", action="store_true", help="the table of the last run, with today's equivalents")
    parser.add_argument("--only", help="only files whose path holds this text (or one of these, split by commas)")
    args = parser.parse_args()

    files = win_sources()
    renamed = [f for f in BY_FILE if f not in files]
    if renamed:
        sys.exit(f"no such Win32 file (rename it in BY_FILE): {' '.join(renamed)}")
    sources, every = {}, []
    for path in files:
        sources[path], found = mutate.mutants_of(path)
        every += found
    random.Random(SEED).shuffle(every)
    picked = every[:args.sample]
    if args.only:
        picked = [m for m in picked if any(part in m.path for part in args.only.split(","))]
    picked.sort(key=lambda m: (m.path, m.line, m.col, m.what))
    mutate.EQUIVALENT, mutate.WORK = EQUIVALENT, WORK
    equivalent = mutate.read_equivalent()
    keys = {m.key for m in every}
    stale = [k for k in equivalent if k not in keys]
    if args.list:
        for m in picked:
            print(m.key + ("  [equivalent]" if m.key in equivalent else "") + "  -> " + " ".join(suites_of(m.path)))
        print(f"{len(picked)} of {len(every)} mutants in {len(files)} files")
        return 0

    in_sample = [f for f in files if any(m.path == f for m in picked)]
    outcomes = os.path.join(WORK, "outcomes.txt")
    if args.report:
        saved = read_outcomes(outcomes)
        for m in picked:
            if m.key not in saved:
                sys.exit(f"the last run did not try {m.key}: run the sample again")
            m.outcome = saved[m.key]
        return mutate.report(in_sample, picked, equivalent, stale, sources, float(saved["seconds"]))

    if "PLIMSAR_MUTATE_XVFB" not in os.environ:  # one X server for the whole session
        os.environ["PLIMSAR_MUTATE_XVFB"] = "1"
        os.execvp("xvfb-run", ["xvfb-run", "-a", "-s", "-screen 0 1024x768x24", sys.executable] + sys.argv)

    os.makedirs(WORK, exist_ok=True)
    session = Session()
    started = time.time()
    needed = sorted({s for m in picked for s in suites_of(m.path)})
    print(f"{len(picked)} of {len(every)} mutants (seed {SEED}) in {len(files)} files; preparing {WORK}", flush=True)
    try:
        session.setup(needed)
        for n, m in enumerate(picked, 1):
            t = time.time()
            m.by = ""
            session.try_mutant(m, sources[m.path])
            print(f"  {n}/{len(picked)} {m.key}: {m.outcome} {m.by} ({time.time() - t:.0f} s)", flush=True)
    except KeyboardInterrupt:
        session.stop()
        print("\ninterrupted; the copy under build/mutate-win is restored, the worktree was never written",
              file=sys.stderr)
        return 130
    finally:
        session.finish()

    seconds = time.time() - started
    saved = {m.key: m.outcome for m in picked}
    if args.only and os.path.exists(outcomes):  # a part run again: the rest of the last run stands
        saved = {**read_outcomes(outcomes), **saved}
        seconds += float(saved["seconds"])
    saved["seconds"] = f"{seconds:.0f}"
    with open(outcomes, "w", encoding="utf-8") as f:
        f.write("".join(f"{outcome}\t{key}\n" for key, outcome in saved.items()))
    return mutate.report(in_sample, picked, equivalent, stale, sources, seconds)


def read_outcomes(path):
    return dict(line.rstrip("\n").split("\t", 1)[::-1] for line in open(path, encoding="utf-8"))


if __name__ == "__main__":
    sys.exit(main())
