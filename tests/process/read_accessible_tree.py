#!/usr/bin/python3
"""Reads the accessible tree of the running program through AT-SPI, from
outside its process, until every wanted name is found.

Usage: read_accessible_tree.py [--timeout SECONDS] NAME[=ROLE] ...

Exit status: 0 when every name (with its role, where given) was found; 1 when
the time ran out first; 77 when the accessibility bus cannot be read."""

import sys
import time

SKIP = 77
MOST_NODES = 5000


def parse(argv):
    timeout = 20.0
    wanted = []
    args = list(argv)
    while args:
        arg = args.pop(0)
        if arg == "--timeout":
            timeout = float(args.pop(0))
        else:
            name, _, role = arg.partition("=")
            wanted.append((name, role))
    return timeout, wanted


def collect(desktop):
    """(name, role) of every object of every application, breadth first."""
    found = set()
    queue = [desktop]
    seen = 0
    while queue and seen < MOST_NODES:
        node = queue.pop(0)
        seen += 1
        try:
            found.add((node.name or "", node.getRoleName()))
            queue.extend(child for child in node if child is not None)
        except Exception:  # an object that went away while being read
            continue
    return found


def missing(found, wanted):
    names = {name for name, _ in found}
    return [(name, role) for name, role in wanted
            if (name, role) not in found and not (role == "" and name in names)]


def main():
    timeout, wanted = parse(sys.argv[1:])
    try:
        import pyatspi
    except ImportError as error:
        print("skip: pyatspi cannot be imported:", error)
        return SKIP
    try:
        desktop = pyatspi.Registry.getDesktop(0)
    except Exception as error:
        print("skip: the accessibility registry cannot be reached:", error)
        return SKIP
    deadline = time.monotonic() + timeout
    found = set()
    # Polled: the program registers its windows with the bus when it shows them.
    while time.monotonic() < deadline:
        found = collect(desktop)
        if not missing(found, wanted):
            for name, role in sorted(wanted):
                print("found: %s (%s)" % (name, role or "any role"))
            return 0
        time.sleep(0.25)
    print("missing:", missing(found, wanted))
    print("named objects seen:", sorted(n for n in found if n[0])[:200])
    return 1


if __name__ == "__main__":
    sys.exit(main())
