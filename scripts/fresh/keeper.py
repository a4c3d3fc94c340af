#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs one run of the fresh-system scripts and takes every process it starts with it.

   keeper.py COMMAND...   (scripts/fresh/system.sh's begin_run, for the script that called it)

The keeper is the child subreaper of the command: whatever the run leaves behind, however deep,
becomes its child rather than init's. When the command ends, when the keeper is told to stop
(Ctrl-C, SIGTERM, SIGHUP), or when the script that started it dies, even of SIGKILL (the parent
death signal), it kills every process under it, the first process of each system's namespace
taking its system with it, and waits for them. Only its own descendants are ever signalled,
found from the kernel at that moment: no process number is read back from a file.
"""
import ctypes
import os
import signal
import sys

PR_SET_PDEATHSIG = 1
PR_SET_CHILD_SUBREAPER = 36


def descendants(pid):
    """Every process under pid, parents before their children."""
    found = []
    try:
        for task in os.listdir(f"/proc/{pid}/task"):
            with open(f"/proc/{pid}/task/{task}/children", encoding="ascii") as children:
                found += [int(child) for child in children.read().split()]
    except OSError:  # gone meanwhile: nothing left under it
        return []
    return [deeper for child in found for deeper in [child, *descendants(child)]]


def stop_all():
    """Kills everything under the keeper until nothing is left, reaping what comes to it.

    A killed process stays a zombie, its number taken, until its parent reaps it, and the
    keeper reaps its children only after the pass that signalled them."""
    while True:
        under = descendants(os.getpid())
        if not under:
            return
        for pid in under:
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        try:
            while os.waitpid(-1, 0)[0] > 0:
                pass
        except ChildProcessError:
            pass


def main():
    libc = ctypes.CDLL(None, use_errno=True)
    parent = os.getppid()
    if libc.prctl(PR_SET_CHILD_SUBREAPER, 1) != 0 or libc.prctl(
            PR_SET_PDEATHSIG, signal.SIGTERM) != 0:
        sys.exit(f"keeper.py: prctl: {os.strerror(ctypes.get_errno())}")
    told = []

    def stop(number, _frame):
        told.append(number)
        stop_all()

    for number in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(number, stop)
    if os.getppid() != parent:  # the script died before the death signal was set
        sys.exit(1)
    command = os.fork()
    if command == 0:
        for number in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
            signal.signal(number, signal.SIG_DFL)
        os.execvp(sys.argv[1], sys.argv[1:])
    status = 1
    while not told:
        try:
            pid, waited = os.waitpid(-1, 0)
        except ChildProcessError:
            break
        if pid == command:
            status = os.waitstatus_to_exitcode(waited)
            break
    stop_all()
    sys.exit(128 + told[0] if told else status if status >= 0 else 128 - status)


if __name__ == "__main__":
    main()
