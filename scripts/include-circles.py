#!/usr/bin/env python3
"""Lists include circles between the tree's header/source pairs.

A pair (Foo.h with Foo.cpp) counts as one unit: it depends on every pair whose header either
of its files includes with #include "...". A circle is a set of pairs that all depend on each
other, directly or through the others (a strongly connected set of more than one pair).
Prints one line per circle and exits with 1 when there is any.

Usage: scripts/include-circles.py [root]   (default: the repository)
"""
import os
import re
import sys

SKIP_DIRS = {".git", "build"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def read_graph(root):
    includes = {}
    for folder, dirs, files in os.walk(root):
        dirs[:] = [d for d in dirs if d not in SKIP_DIRS]
        for name in files:
            if name.endswith((".h", ".cpp")):
                path = os.path.join(folder, name)
                with open(path, encoding="utf-8", errors="replace") as f:
                    includes[os.path.relpath(path, root)] = INCLUDE.findall(f.read())
    units = {os.path.splitext(p)[0] for p in includes}
    graph = {u: set() for u in units}
    for path, targets in includes.items():
        unit = os.path.splitext(path)[0]
        for target in targets:
            other = os.path.splitext(target)[0]
            if other != unit and other in units:
                graph[unit].add(other)
    return graph


def circles(graph):
    # Tarjan's strongly connected components, without recursion.
    index, low, on_stack, stack, found = {}, {}, set(), [], []
    counter = 0
    for start in sorted(graph):
        if start in index:
            continue
        work = [(start, iter(sorted(graph[start])))]
        index[start] = low[start] = counter
        counter += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            node, children = work[-1]
            child = next(children, None)
            if child is not None:
                if child not in index:
                    index[child] = low[child] = counter
                    counter += 1
                    stack.append(child)
                    on_stack.add(child)
                    work.append((child, iter(sorted(graph[child]))))
                elif child in on_stack:
                    low[node] = min(low[node], index[child])
                continue
            work.pop()
            if work:
                parent = work[-1][0]
                low[parent] = min(low[parent], low[node])
            if low[node] == index[node]:
                component = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    component.append(member)
                    if member == node:
                        break
                if len(component) > 1:
                    found.append(sorted(component))
    return sorted(found)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    found = circles(read_graph(root))
    for component in found:
        print(" <-> ".join(component))
    print(f"{len(found)} include circle(s)")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
