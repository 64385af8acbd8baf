#!/usr/bin/env python3
"""Lists the include circles of the tree: groups of components that include each other,
directly or through others. A component is a header with its source (Form.h + Form.cpp).
usage: scripts/include-circles.py [git revision]   (default: the working tree)
Exits non-zero when there is a circle."""
import re, subprocess, sys, os
rev = sys.argv[1] if len(sys.argv) > 1 else None
def files():
    if rev:
        out = subprocess.check_output(["git", "ls-tree", "-r", "--name-only", rev], text=True)
    else:
        out = subprocess.check_output(["git", "ls-files"], text=True)
    return [f for f in out.split("\n") if f.endswith((".h", ".cpp")) and not f.startswith("build/")]
def read(f):
    if rev:
        return subprocess.check_output(["git", "show", f"{rev}:{f}"], text=True, errors="replace")
    return open(f, errors="replace").read()
comp = lambda f: os.path.splitext(f)[0]
graph = {}
for f in files():
    c = comp(f)
    graph.setdefault(c, set())
    for inc in re.findall(r'^\s*#\s*include\s*"([^"]+)"', read(f), re.M):
        d = comp(inc)
        if d != c:
            graph[c].add(d)
# Tarjan's strongly connected components
index, low, stack, on, sccs, n = {}, {}, [], set(), [], [0]
def visit(v):
    index[v] = low[v] = n[0]; n[0] += 1; stack.append(v); on.add(v)
    for w in graph.get(v, ()):
        if w not in graph: continue
        if w not in index: visit(w); low[v] = min(low[v], low[w])
        elif w in on: low[v] = min(low[v], index[w])
    if low[v] == index[v]:
        s = []
        while True:
            w = stack.pop(); on.discard(w); s.append(w)
            if w == v: break
        if len(s) > 1: sccs.append(sorted(s))
sys.setrecursionlimit(10000)
for v in list(graph):
    if v not in index: visit(v)
for s in sccs: print("circle:", " <-> ".join(s))
print(f"{len(sccs)} include circle(s)")
sys.exit(1 if sccs else 0)
