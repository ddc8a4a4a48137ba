#!/usr/bin/env python3
"""The include circles of src/: each set of modules (a header and its source counted as one) that
include one another round, largest first, with its size and its folders; -v lists the modules.
The layer rule (scripts/check_layers.sh) keeps forms/, common/ and runtime/ out of any circle
between folders; this shows what is left among the subsystems.

    tools/include_circles.py [-v] [--max N] [SRC]

With --max it fails when a circle holds more than N modules (the test command keeps it at 20).
"""
import collections
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def modules(src):
    edges = collections.defaultdict(set)
    names = set()
    for folder, _, files in os.walk(src):
        for name in files:
            if not name.endswith((".h", ".cpp", ".inc")):
                continue
            path = os.path.relpath(os.path.join(folder, name), src)
            module = os.path.splitext(path)[0]
            names.add(module)
            with open(os.path.join(folder, name), encoding="utf-8", errors="replace") as f:
                for line in f:
                    m = INCLUDE.match(line)
                    if m and os.path.exists(os.path.join(src, m.group(1))):
                        target = os.path.splitext(m.group(1))[0]
                        if target != module:
                            edges[module].add(target)
    return names, edges


def circles(names, edges):
    """Tarjan's strongly connected components, without recursion."""
    index, low, on_stack, stack, found = {}, {}, set(), [], []
    counter = 0
    for root in sorted(names):
        if root in index:
            continue
        work = [(root, iter(sorted(edges[root])))]
        index[root] = low[root] = counter
        counter += 1
        stack.append(root)
        on_stack.add(root)
        while work:
            node, targets = work[-1]
            advanced = False
            for target in targets:
                if target not in index:
                    index[target] = low[target] = counter
                    counter += 1
                    stack.append(target)
                    on_stack.add(target)
                    work.append((target, iter(sorted(edges[target]))))
                    advanced = True
                    break
                if target in on_stack:
                    low[node] = min(low[node], index[target])
            if advanced:
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[node])
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
    return sorted(found, key=len, reverse=True)


def main():
    argv = sys.argv[1:]
    verbose = "-v" in argv
    limit = None
    if "--max" in argv:
        at = argv.index("--max")
        limit = int(argv[at + 1])
        del argv[at : at + 2]
    args = [a for a in argv if a != "-v"]
    src = args[0] if args else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
    names, edges = modules(src)
    found = circles(names, edges)
    for component in found:
        folders = collections.Counter(m.split("/")[0] for m in component)
        print(len(component), "modules:", ", ".join(f"{f} {n}" for f, n in folders.most_common()))
        if verbose:
            for m in component:
                print("   ", m)
    if limit is not None and found and len(found[0]) > limit:
        print(f"include circle of {len(found[0])} modules, at most {limit}:", " ".join(found[0]), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
