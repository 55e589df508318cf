#!/usr/bin/env python3
"""Mutation testing of the window-free code against the native unit tests.

Each mutant changes one thing in one file: a comparison or arithmetic flip
(== !=, < <=, > >=, + -, += -=, && ||), true/false, an integer literal off by
one, or one statement replaced by {} (expression statements, break, continue,
bare return). Scope: every .cpp of PURE_SOURCES in full, and the function
bodies of the window-free headers (their constants are data, pinned through
the .cpp behaviour that uses them).

Every mutant is built (plain, -O0, target unit_tests) in a copy of the tree
under build/mutate, so the worktree is never written; the copy's file is put
back after each mutant, also on Ctrl-C. A mutant is killed when the tests fail,
crash or hang past the timeout; stillborn when it does not build. Mutants that
change no behaviour are listed with a reason in scripts/mutate-equivalent.txt
and left out of the score: killed / (killed + survived - equivalent).

Usage: scripts/mutate.py [-j N] [--list] [--only SUBSTRING]
"""
import argparse
import concurrent.futures
import os
import re
import shutil
import signal
import subprocess
import sys
import threading
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WORK = os.path.join(ROOT, "build", "mutate")
EQUIVALENT = os.path.join(ROOT, "scripts", "mutate-equivalent.txt")
FOLDERS = ["common", "settings", "filelist", "runner", "app"]
COPIED = FOLDERS + ["cmake", "resources", "tests", "scripts", "CMakeLists.txt"]
WIN_HEADER = re.compile(r'#\s*include\s*<(windows|commctrl|shlobj|shellapi|winuser|winbase)\.h>', re.I)
BUILD_TIMEOUT = 300

# ---------------------------------------------------------------- scope


def pure_sources():
    files = []
    for folder in FOLDERS:
        text = open(os.path.join(ROOT, folder, "sources.cmake"), encoding="utf-8").read()
        for block in re.findall(r"list\(APPEND PURE_SOURCES(.*?)\)", text, re.S):
            files += block.split()
    return sorted(files)


def window_free_headers():
    headers = {}
    for folder in FOLDERS:
        for name in sorted(os.listdir(os.path.join(ROOT, folder))):
            if name.endswith(".h"):
                rel = f"{folder}/{name}"
                headers[rel] = open(os.path.join(ROOT, rel), encoding="utf-8").read()

    def free(rel, seen=()):
        text = headers.get(rel)
        if text is None or WIN_HEADER.search(text):
            return text is None and rel.startswith("resources/")
        included = re.findall(r'#\s*include\s*"([^"]+)"', text)
        return all(free(inc, seen + (rel,)) for inc in included if inc not in seen)

    return [rel for rel in headers if free(rel)]


# ---------------------------------------------------------------- tokens

PUNCT = sorted(["<<=", ">>=", "...", "->*", "::", "->", "++", "--", "<<", ">>", "<=", ">=", "==", "!=", "&&", "||",
                "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^="], key=len, reverse=True)
TOKEN = re.compile(r"""
    (?P<space>\s+) | (?P<comment>//[^\n]*|/\*.*?\*/) |
    (?P<string>(?:u8|u|U|L)?"(?:\\.|[^"\\\n])*") | (?P<char>(?:u8|u|U|L)?'(?:\\.|[^'\\\n])*') |
    (?P<number>\.?\d(?:[\w.]|[eEpP][+-])*) | (?P<name>[A-Za-z_]\w*) |
    (?P<punct>""" + "|".join(re.escape(p) for p in PUNCT) + r"""|[^\s])
""", re.X | re.S)


class Tok:
    __slots__ = ("kind", "text", "pos", "line", "col")

    def __init__(self, kind, text, pos, line, col):
        self.kind, self.text, self.pos, self.line, self.col = kind, text, pos, line, col


def tokenize(src):
    toks, pos, line, line_start = [], 0, 1, 0
    while pos < len(src):
        if src[pos] == "#" and src[line_start:pos].strip() == "":  # a preprocessor line, with its continuations
            end = pos
            while True:
                end = src.find("\n", end)
                if end < 0 or src[end - 1] != "\\":
                    break
                end += 1
            end = len(src) if end < 0 else end
            line += src.count("\n", pos, end)
            pos = end
            continue
        m = TOKEN.match(src, pos)
        kind = m.lastgroup
        if kind not in ("space", "comment"):
            toks.append(Tok(kind, m.group(), pos, line, pos - line_start + 1))
        newlines = m.group().count("\n")
        if newlines:
            line += newlines
            line_start = pos + m.group().rfind("\n") + 1
        pos = m.end()
    return toks


KEYWORD_NOT_OPERAND = {"return", "case", "sizeof", "throw", "else", "do", "new", "delete", "co_return"}
TYPE_PREFIX = {"const", "static", "constexpr", "volatile", "unsigned", "signed", "inline", "thread_local", "mutable"}
CODE_BRACE_AFTER = {")", "]", "else", "do", "try", "const", "noexcept", "override", "mutable"}


def template_brackets(toks):
    """Indexes of < and > that open and close template argument lists."""
    out = set()
    allowed = {"::", ",", "*", "&", "const", "unsigned", "signed", "long", "short"}
    for i, t in enumerate(toks):
        if t.text != "<" or i == 0 or toks[i - 1].kind != "name":
            continue
        depth, j = 0, i
        while j < len(toks):
            x = toks[j].text
            if x == "<":
                depth += 1
            elif x == ">":
                depth -= 1
                if depth == 0:
                    break
            elif x == ">>":
                depth -= 2
                if depth <= 0:
                    break
            elif not (toks[j].kind in ("name", "number") or x in allowed):
                j = len(toks)
                break
            j += 1
        if j < len(toks):
            out.update((i, j))
    return out


def match(toks, i, open_, close):
    depth = 0
    for j in range(i, len(toks)):
        if toks[j].text == open_:
            depth += 1
        elif toks[j].text == close:
            depth -= 1
            if depth == 0:
                return j
    raise ValueError(f"unbalanced {open_} at line {toks[i].line}")


class Bodies:
    """Finds function bodies and the statements in them that can be deleted."""

    def __init__(self, toks):
        self.toks, self.ranges, self.deletable = toks, [], []
        i = 0
        while i < len(toks):
            if toks[i].text == "{" and self.code_brace(i):
                i = self.block(i) + 1
            else:
                i += 1

    def code_brace(self, i):
        prev = self.toks[i - 1].text if i else ""
        return prev in CODE_BRACE_AFTER

    def block(self, i):  # toks[i] is "{"; returns the index of its "}"
        end = match(self.toks, i, "{", "}")
        self.ranges.append((i, end))
        j = i + 1
        while j < end:
            j = self.statement(j, end)
        return end

    def expression(self, i, end, stop):
        """Scans to the first stop token at depth 0, entering lambda bodies."""
        depth = 0
        while i < end:
            x = self.toks[i].text
            if depth == 0 and x in stop:
                return i
            if x == "{" and self.code_brace(i):
                i = self.block(i) + 1
                continue
            if x in "([{":
                depth += 1
            elif x in ")]}":
                depth -= 1
            i += 1
        return i

    def statement(self, i, end):
        t = self.toks
        x = t[i].text
        if x == "{":
            return self.block(i) + 1
        if x == ";":
            return i + 1
        if x in ("if", "while", "for", "switch"):
            close = match(t, i + 1, "(", ")")
            self.expression(i + 2, close, ())
            j = self.statement(close + 1, end)
            if x == "if" and j < end and t[j].text == "else":
                j = self.statement(j + 1, end)
            return j
        if x == "do":
            j = self.statement(i + 1, end)
            return self.expression(j, end, (";",)) + 1
        if x in ("case", "default"):
            j = i + 1
            while t[j].text != ":":
                j += 1
            return j + 1
        stop = self.expression(i, end, (";",))
        if x in ("break", "continue") or (x == "return" and t[i + 1].text == ";") or self.is_expression(i):
            self.deletable.append((i, stop))
        return stop + 1

    def is_expression(self, i):
        t = self.toks
        if t[i].kind != "name" and t[i].text not in ("*", "++", "--", "(", "::"):
            return False
        if t[i].text in ("return", "goto", "using", "typedef", "static_assert", "struct", "class", "enum", "auto",
                         "template", "namespace", "throw") or t[i].text in TYPE_PREFIX:
            return False
        if t[i].kind != "name":
            return True
        j = i + 1  # a declaration: qualified type name, template arguments, declarators, then a name
        while j + 1 < len(t) and t[j].text == "::" and t[j + 1].kind == "name":
            j += 2
        if t[j].text == "<":
            depth = 0
            while True:
                depth += {"<": 1, ">": -1, ">>": -2}.get(t[j].text, 0)
                j += 1
                if depth <= 0:
                    break
        while t[j].text in ("*", "&", "const"):
            j += 1
        return t[j].kind != "name"


# ---------------------------------------------------------------- mutants

FLIPS = {"==": ["!="], "!=": ["=="], "<": ["<="], "<=": ["<"], ">": [">="], ">=": [">"], "&&": ["||"], "||": ["&&"],
         "+=": ["-="], "-=": ["+="], "true": ["false"], "false": ["true"]}
INTEGER = re.compile(r"^(0[xX][0-9a-fA-F]+|\d+)([uUlL]*)$")


class Mutant:
    def __init__(self, path, tok, start, end, replacement, what):
        self.path, self.start, self.end, self.replacement = path, start, end, replacement
        self.line, self.col, self.what = tok.line, tok.col, what
        self.key = f"{path}:{tok.line}:{tok.col} {what}"
        self.outcome = None


def literal_steps(text):
    m = INTEGER.match(text)
    if not m or (text.startswith("0") and len(text) > 1 and text[1] not in "xX"):
        return []
    digits, suffix = m.groups()
    hexa = digits[:2].lower() == "0x"
    value = int(digits, 16 if hexa else 10)
    out = []
    for v in (value - 1, value + 1):
        if v >= 0:
            body = (digits[:2] + format(v, "X" if any(c.isupper() for c in digits[2:]) else "x")) if hexa else str(v)
            out.append(body + suffix)
    return out


def mutants_of(path):
    src = open(os.path.join(ROOT, path), encoding="utf-8").read()
    toks = tokenize(src)
    bodies = Bodies(toks)
    header = path.endswith(".h")
    inside = [False] * len(toks)
    for a, b in bodies.ranges:
        for k in range(a, b + 1):
            inside[k] = True
    templates = template_brackets(toks)
    out = []
    for i, t in enumerate(toks):
        if (header and not inside[i]) or i in templates:
            continue
        prev = toks[i - 1] if i else None
        replacements = list(FLIPS.get(t.text, []))
        if t.text in ("+", "-") and prev and (prev.kind in ("number", "string", "char") or prev.text in (")", "]") or
                                                (prev.kind == "name" and prev.text not in KEYWORD_NOT_OPERAND)):
            replacements = ["-" if t.text == "+" else "+"]
        if t.kind == "number":
            replacements = literal_steps(t.text)
        for r in replacements:
            out.append(Mutant(path, t, t.pos, t.pos + len(t.text), r, f"{t.text} -> {r}"))
    for a, b in bodies.deletable:
        if header and not inside[a]:
            continue
        text = " ".join(x.text for x in toks[a:b + 1])
        short = text if len(text) <= 60 else text[:57] + "..."
        out.append(Mutant(path, toks[a], toks[a].pos, toks[b].pos + 1, "{}", f"delete `{short}`"))
    out.sort(key=lambda m: (m.line, m.col, m.what))
    return src, out


# ---------------------------------------------------------------- running

class Worker:
    def __init__(self, n, jobs):
        self.src = os.path.join(WORK, f"src{n}")
        self.build = os.path.join(WORK, f"build{n}")
        self.jobs = jobs
        self.proc = None

    def sync(self):
        """Makes the copy equal to the worktree, touching only files that differ."""
        wanted = set()
        for item in COPIED:
            base = os.path.join(ROOT, item)
            walk = [(os.path.dirname(base), [], [item])] if os.path.isfile(base) else os.walk(base)
            for d, _, files in walk:
                for f in files:
                    rel = os.path.relpath(os.path.join(d, f), ROOT)
                    wanted.add(rel)
                    dst = os.path.join(self.src, rel)
                    data = open(os.path.join(ROOT, rel), "rb").read()
                    if not os.path.exists(dst) or open(dst, "rb").read() != data:
                        os.makedirs(os.path.dirname(dst), exist_ok=True)
                        with open(dst, "wb") as out:
                            out.write(data)
        for d, _, files in os.walk(self.src):
            for f in files:
                full = os.path.join(d, f)
                if os.path.relpath(full, self.src) not in wanted:
                    os.remove(full)

    def run(self, cmd, timeout):
        self.proc = subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, start_new_session=True)
        try:
            out, _ = self.proc.communicate(timeout=timeout)
            return self.proc.returncode, out.decode(errors="replace")
        except subprocess.TimeoutExpired:
            self.stop()
            self.proc.communicate()
            return None, "timeout"
        finally:
            self.proc = None

    def stop(self):
        proc = self.proc
        if proc and proc.poll() is None:
            try:
                os.killpg(proc.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass

    def setup(self):
        self.sync()
        if not os.path.exists(os.path.join(self.build, "build.ninja")):
            code, out = self.run(["cmake", "-S", self.src, "-B", self.build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=None",
                                  "-DCMAKE_CXX_FLAGS=-O0"], BUILD_TIMEOUT)
            if code != 0:
                raise SystemExit(f"configuring {self.build} failed:\n{out}")
        code, out = self.build_tests()
        if code != 0:
            sys.exit(f"the unmutated tree does not build:\n{out}")
        start = time.time()
        code, out = self.test(BUILD_TIMEOUT)
        if code != 0:
            sys.exit(f"the native tests fail on the unmutated tree:\n{out}")
        return time.time() - start

    def build_tests(self):
        return self.run(["ninja", "-C", self.build, "-j", str(self.jobs), "unit_tests"], BUILD_TIMEOUT)

    def test(self, timeout):
        return self.run([os.path.join(self.build, "unit_tests"), "--gtest_brief=1", "--gtest_fail_fast"], timeout)

    def try_mutant(self, m, original, timeout):
        target = os.path.join(self.src, m.path)
        try:
            with open(target, "w", encoding="utf-8") as f:
                f.write(original[:m.start] + m.replacement + original[m.end:])
            code, _ = self.build_tests()
            if code != 0:
                m.outcome = "stillborn"
                return
            code, _ = self.test(timeout)
            m.outcome = "survived" if code == 0 else "killed"
        finally:
            with open(target, "w", encoding="utf-8") as f:
                f.write(original)


def read_equivalent():
    entries = {}
    if os.path.exists(EQUIVALENT):
        for n, raw in enumerate(open(EQUIVALENT, encoding="utf-8"), 1):
            line = raw.strip()
            if not line or line.startswith("#"):
                continue
            key, _, reason = line.partition(" | ")
            if not reason.strip():
                sys.exit(f"{EQUIVALENT}:{n}: an equivalent mutant needs ' | reason'")
            entries[key.strip()] = reason.strip()
    return entries


def main():
    parser = argparse.ArgumentParser(description="Mutation testing of the window-free code.")
    parser.add_argument("-j", "--jobs", type=int, default=min(2, os.cpu_count() or 1), help="mutants built at once")
    parser.add_argument("--list", action="store_true", help="only list the mutants")
    parser.add_argument("--only", help="only files whose path holds this text")
    args = parser.parse_args()

    files = pure_sources() + window_free_headers()
    if args.only:
        files = [f for f in files if args.only in f]
    sources, mutants = {}, []
    for path in files:
        sources[path], found = mutants_of(path)
        mutants += found
    equivalent = read_equivalent()
    keys = {m.key for m in mutants}
    stale = [k for k in equivalent if k not in keys and (not args.only or args.only in k)]
    if args.list:
        for m in mutants:
            print(m.key + ("  [equivalent]" if m.key in equivalent else ""))
        print(f"{len(mutants)} mutants in {len(files)} files")
        return 0

    os.makedirs(WORK, exist_ok=True)
    workers = [Worker(n, 1 if args.jobs > 1 else 2) for n in range(args.jobs)]
    started = time.time()
    print(f"{len(mutants)} mutants in {len(files)} files; preparing {len(workers)} build copies under {WORK}", flush=True)
    queue, lock, done, stopping = list(reversed(mutants)), threading.Lock(), [0], threading.Event()
    timeout = [BUILD_TIMEOUT]

    def drain(worker):
        while not stopping.is_set():
            with lock:
                if not queue:
                    return
                m = queue.pop()
            worker.try_mutant(m, sources[m.path], timeout[0])
            with lock:
                done[0] += 1
                if done[0] % 25 == 0:
                    print(f"  {done[0]}/{len(mutants)} ({time.time() - started:.0f} s)", flush=True)

    pool = concurrent.futures.ThreadPoolExecutor(len(workers))
    try:
        baseline = max(f.result() for f in [pool.submit(w.setup) for w in workers])
        timeout[0] = max(10.0, 20 * baseline)
        for f in [pool.submit(drain, w) for w in workers]:
            f.result()
    except KeyboardInterrupt:
        stopping.set()
        for w in workers:
            w.stop()
        pool.shutdown(wait=True)  # each worker puts its file back before it ends
        print("\ninterrupted; the copies under build/mutate are restored, the worktree was never written", file=sys.stderr)
        return 130
    pool.shutdown()

    return report(files, mutants, equivalent, stale, sources, time.time() - started)


def report(files, mutants, equivalent, stale, sources, seconds):
    rows, totals = [], {"killed": 0, "survived": 0, "equivalent": 0, "stillborn": 0}
    survivors, wrongly_equivalent = [], []
    for path in files:
        counts = {"killed": 0, "survived": 0, "equivalent": 0, "stillborn": 0}
        for m in (m for m in mutants if m.path == path):
            outcome = m.outcome
            if m.key in equivalent:
                if outcome == "killed":
                    wrongly_equivalent.append(m)
                elif outcome == "survived":
                    outcome = "equivalent"
            if outcome == "survived":
                survivors.append(m)
            counts[outcome] += 1
        for k in totals:
            totals[k] += counts[k]
        rows.append((path, counts))
    lines = [f"{'file':34} {'killed':>6} {'survived':>8} {'equiv.':>6} {'stillborn':>9} {'score':>7}"]
    for path, c in rows + [("total", totals)]:
        scored = c["killed"] + c["survived"]
        score = f"{100.0 * c['killed'] / scored:6.1f}%" if scored else "      -"
        lines.append(f"{path:34} {c['killed']:6} {c['survived']:8} {c['equivalent']:6} {c['stillborn']:9} {score:>7}")
    lines.append(f"score = killed / (killed + survived - equivalent) = {totals['killed']} / "
                 f"{totals['killed'] + totals['survived']}; {seconds:.0f} s")
    if survivors:
        lines.append("\nsurvivors:")
        for m in survivors:
            text = sources[m.path].splitlines()[m.line - 1].strip()
            lines.append(f"  {m.key}    | {text}")
    for m in wrongly_equivalent:
        lines.append(f"listed as equivalent but killed (remove it from the list): {m.key}")
    for k in stale:
        lines.append(f"listed as equivalent but no such mutant (stale entry): {k}")
    text = "\n".join(lines)
    print(text)
    with open(os.path.join(WORK, "report.txt"), "w", encoding="utf-8") as f:
        f.write(text + "\n")
    return 1 if wrongly_equivalent or stale else 0


if __name__ == "__main__":
    sys.exit(main())
