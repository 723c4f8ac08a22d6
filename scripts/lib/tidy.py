#!/usr/bin/env python3
"""Runs clang-tidy on files of one build, several at a time, and fails on any finding.

    tidy.py --build DIR [--not-in DIR]... [--extra-arg ARG]... [--jobs N] [FILE...]

Without FILEs, every file of the repository that DIR compiles, except those that a --not-in build
compiles too (they are checked there, once). Each file is checked with its command from DIR/compile_commands.json, the largest first so that
the last one to finish is a short one. A file that passes is remembered in a cache outside the
repository ($CAPTURE_TIDY_CACHE, else ~/.cache/capture-tidy; CAPTURE_TIDY_CACHE=off turns it off)
under a key that covers everything clang-tidy's result depends on:
  - clang-tidy's version and its binary (path, size, time),
  - every .clang-tidy file of the repository,
  - the file's compile command and the extra arguments,
  - the file as clang preprocesses it with those arguments, macro definitions and comments kept
    (-E -dD -C; a NOLINT is a comment): the file and every header it includes, as they are now.
The repository's own location is written out of the key, so another checkout of the same tree
finds the same entries. A file is checked again when any of that changes; a missing or emptied
cache only makes the run slower. Findings are never cached.

Prints each file's findings, then the slowest files and their times; exits 1 on any finding.
"""

import argparse
import hashlib
import json
import os
import shlex
import shutil
import subprocess
import sys
import time
from concurrent.futures import ThreadPoolExecutor
from pathlib import Path

REPO = Path(__file__).resolve().parent.parent.parent


def cache_dir() -> Path | None:
    setting = os.environ.get("CAPTURE_TIDY_CACHE", "")
    if setting == "off":
        return None
    if setting:
        return Path(setting)
    base = os.environ.get("XDG_CACHE_HOME") or str(Path.home() / ".cache")
    return Path(base) / "capture-tidy"


def tool_identity() -> bytes:
    """clang-tidy's version, and the binary behind it, so an upgrade is a new key."""
    version = subprocess.run(["clang-tidy", "--version"], capture_output=True, check=True).stdout
    binary = Path(shutil.which("clang-tidy") or "clang-tidy").resolve()
    stat = binary.stat()
    return version + f"{binary} {stat.st_size} {stat.st_mtime_ns}".encode()


def config_identity() -> bytes:
    """Every .clang-tidy of the repository, committed or not (the builds' folders left out)."""
    configs = []
    for folder, subfolders, files in os.walk(REPO):
        subfolders[:] = [d for d in subfolders if d not in (".git", "build")]
        if ".clang-tidy" in files:
            configs.append(Path(folder, ".clang-tidy"))
    digest = hashlib.sha256()
    for config in sorted(configs):
        digest.update(str(config.relative_to(REPO)).encode() + b"\0" + config.read_bytes())
    return digest.digest()


def compile_commands(build: Path) -> dict[str, dict]:
    entries = json.loads((build / "compile_commands.json").read_text(encoding="utf-8"))
    return {str(Path(e["directory"], e["file"]).resolve()): e for e in entries}


def preprocess_command(entry: dict, extra: list[str]) -> list[str]:
    """The file's compile command, run by clang to preprocess only: what clang-tidy parses."""
    args = entry["arguments"] if "arguments" in entry else shlex.split(entry["command"])
    kept, skip = [], False
    for arg in args[1:]:
        if skip:
            skip = False
        elif arg == "-o":
            skip = True
        elif arg != "-c":
            kept.append(arg)
    clang = "clang++" if entry["file"].endswith((".cpp", ".cc", ".cxx")) else "clang"
    return [clang, *kept, *extra, "-E", "-dD", "-C", "-o", "-"]


def cache_key(entry: dict, extra: list[str], identity: bytes) -> str | None:
    """The key of the file's result, or None when it cannot be preprocessed (then it is not
    cached)."""
    command = preprocess_command(entry, extra)
    done = subprocess.run(command, cwd=entry["directory"], capture_output=True)
    if done.returncode != 0:
        return None
    root = str(REPO).encode()
    digest = hashlib.sha256(identity)
    digest.update(json.dumps([entry["directory"], command]).encode().replace(root, b"@REPO@"))
    digest.update(done.stdout.replace(root, b"@REPO@"))
    return digest.hexdigest()


def shown(file: str) -> str:
    return str(Path(file).relative_to(REPO)) if Path(file).is_relative_to(REPO) else file


def check(file: str, build: Path, entry: dict | None, extra: list[str], identity: bytes,
          cache: Path | None) -> tuple[str, str, float, bool]:
    """(file, findings, seconds, from the cache)"""
    started = time.monotonic()
    key = cache_key(entry, extra, identity) if entry and cache else None
    if key and (cache / key).exists():
        return file, "", time.monotonic() - started, True
    tidy_extra = [f"--extra-arg={arg}" for arg in extra]
    done = subprocess.run(["clang-tidy", "-p", str(build), "--quiet", *tidy_extra, file],
                          capture_output=True, text=True)
    output = done.stdout + done.stderr
    # clang-tidy prints how many warnings it left out of headers; that is not a finding.
    findings = "\n".join(line for line in output.splitlines()
                         if line.strip() and "warnings generated" not in line)
    failed = done.returncode != 0 or "warning:" in findings or "error:" in findings
    if key and not failed:
        (cache / key).touch()
    return file, findings if failed else "", time.monotonic() - started, False


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True, type=Path)
    parser.add_argument("--extra-arg", action="append", default=[])
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--not-in", action="append", default=[], type=Path)
    parser.add_argument("files", nargs="*")
    options = parser.parse_args()

    build = options.build.resolve()
    entries = compile_commands(build)
    if not options.files:
        elsewhere = set()
        for other in options.not_in:
            elsewhere.update(compile_commands(other.resolve()))
        options.files = [f for f in entries if Path(f).is_relative_to(REPO)
                         and not Path(f).is_relative_to(REPO / "build")
                         and Path(f).suffix in (".c", ".cpp") and f not in elsewhere]
    if not options.files:
        print(f"no file of ours in {build / 'compile_commands.json'}")
        return 1
    cache = cache_dir()
    if cache:
        cache.mkdir(parents=True, exist_ok=True)
    identity = tool_identity() + config_identity()
    files = sorted((str(Path(f).resolve()) for f in options.files),
                   key=lambda f: os.path.getsize(f), reverse=True)
    with ThreadPoolExecutor(max_workers=options.jobs) as pool:
        results = list(pool.map(
            lambda f: check(f, build, entries.get(f), options.extra_arg, identity, cache), files))

    failed = [r for r in results if r[1]]
    for file, findings, _, _ in failed:
        print(f"{shown(file)}:\n{findings}\n")
    cached = sum(1 for r in results if r[3])
    print(f"{len(results)} files, {cached} unchanged since they last passed, {len(failed)} with "
          "findings; the slowest:")
    for file, _, seconds, _ in sorted(results, key=lambda r: -r[2])[:5]:
        print(f"  {seconds:6.1f} s  {shown(file)}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
