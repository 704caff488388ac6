# Prints the accessibility tree of a running program as screen readers see
# it through AT-SPI: one line per object, "DEPTH<TAB>ROLE<TAB>NAME<TAB>DESCRIPTION".
# Usage: /usr/bin/python3 accessible_tree.py PROGRAM-NAME  (Debian's python3-pyatspi)
import sys
import time

import pyatspi


def walk(accessible, depth, lines):
    try:
        role = accessible.getRoleName()
        name = accessible.name or ""
        description = accessible.description or ""
        count = accessible.childCount
    except Exception:  # the object went away meanwhile
        return
    lines.append("%d\t%s\t%s\t%s" % (depth, role, name, description.replace("\n", " ")))
    for i in range(count):
        try:
            child = accessible.getChildAtIndex(i)
        except Exception:
            continue
        if child is not None:
            walk(child, depth + 1, lines)


def main():
    desktop = pyatspi.Registry.getDesktop(0)
    # The program registers with the accessibility bus as it starts.
    for _ in range(100):
        apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
        apps = [a for a in apps if a is not None and a.name == sys.argv[1]]
        if apps and apps[0].childCount > 0:
            break
        time.sleep(0.1)
    else:
        print("no program named %s on the accessibility bus" % sys.argv[1], file=sys.stderr)
        return 1
    lines = []
    walk(apps[0], 0, lines)
    print("\n".join(lines))
    return 0


if __name__ == "__main__":
    sys.exit(main())
