"""The end of a benchmark's report: one "ok" or "MISSED" line a target, and
the exit status, 1 when a target is missed."""
import sys


def report(checks):
    """checks: (text, met) pairs, in the order they are printed."""
    missed = 0
    for text, met in checks:
        print(("ok     " if met else "MISSED ") + text)
        missed += not met
    sys.exit(1 if missed else 0)
