#!/usr/bin/env python3
"""Moves every namespace of the checkout under the one root `zor`.

Run from the checkout's top folder, after the clang-tidy pass:
  namespaces.py [FILE...]      (default: every tracked C++ file)

1. `namespace plat {` becomes `namespace zor::plat {` (for each root in
   ROOTS), closing comments likewise.
2. The units' code that sat in the global namespace is wrapped in the unit's
   namespace (UNIT_FILES); a unit's own namespace blocks inside such a file
   are dissolved into the wrapper.
3. Every qualified use `plat::X` (and `using namespace plat`) that is not
   inside namespace `zor` becomes `zor::plat::X`; uses of a unit's names
   outside the unit are qualified with the unit.

Idempotent: a second run changes nothing.
"""
import os
import re
import subprocess
import sys

# Roots that move under zor (old name -> new name inside zor).
ROOTS = {
    'plat': 'plat', 'wire': 'wire', 'desktop': 'desktop', 'data_access': 'data_access',
    'bench': 'bench', 'flight_report': 'flight_report', 'sqltest': 'sqltest',
    'desktop_test': 'desktop_test', 'Cli_zor12200': 'Cli_zor12200', 'Cli_zor12201': 'Cli_zor12201',
}

# Files whose global-namespace code moves into a namespace under zor:
# (path regex, namespace). The first match wins; None leaves a file's global
# code where it is (the stand-in package exports its globals by their plain
# names).
WRAP_FILES = [
    (r'^tests/desktop/script/fake_package\.cpp$', None),
    (r'^flight_screen/', 'Cli_zor12200'),
    (r'^tests/flight_screen/', 'Cli_zor12200'),
    (r'^report/(cli_zor12201|frm_rel_voo_form)\b', 'Cli_zor12201'),
    (r'^package/', 'Pkg_zor12200'),
    (r'^tests/platform/', 'plat'),
    (r'^tests/wire/', 'wire'),
    (r'^tests/data_access/', 'data_access'),
    (r'^tests/server/', 'server'),
    (r'^tests/desktop/script/', 'script'),
    (r'^tests/desktop/', 'desktop'),
]
# The units: their own qualification is dropped inside them.
UNITS = ('Cli_zor12200', 'Cli_zor12201', 'Pkg_zor12200')
# The unit whose headers declare names other folders use unqualified.
UNIT_HEADERS = [
    (r'^flight_screen/[^/]*\.h$', 'Cli_zor12200'),
    (r'^report/cli_zor12201\.h$', 'Cli_zor12201'),
    (r'^package/[^/]*\.h$', 'Pkg_zor12200'),
]

CODE, COMMENT, STRING, PP = 0, 1, 2, 3


def classify(text):
    """Kind of every character: code, comment, string/char literal, or preprocessor line."""
    n = len(text)
    kind = bytearray(n)
    i = 0
    line_start = True
    while i < n:
        c = text[i]
        if line_start and c in ' \t':
            i += 1
            continue
        if line_start and c == '#':
            j = i
            while j < n and text[j] != '\n':
                if text[j] == '\\' and j + 1 < n and text[j + 1] == '\n':
                    j += 2
                    continue
                j += 1
            # Raw strings in a preprocessor line do not happen here.
            for k in range(i, j):
                kind[k] = PP
            i = j
            continue
        line_start = False
        if c == '\n':
            line_start = True
            i += 1
            continue
        if text.startswith('//', i):
            j = text.find('\n', i)
            j = n if j < 0 else j
            for k in range(i, j):
                kind[k] = COMMENT
            i = j
            continue
        if text.startswith('/*', i):
            j = text.find('*/', i + 2)
            j = n if j < 0 else j + 2
            for k in range(i, j):
                kind[k] = COMMENT
            i = j
            continue
        m = re.compile(r'(?:u8|u|U|L)?R"([^(\s]*)\(').match(text, i)
        if m and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == '_')):
            end = text.find(')' + m.group(1) + '"', m.end())
            j = n if end < 0 else end + len(m.group(1)) + 2
            for k in range(i, j):
                kind[k] = STRING
            i = j
            continue
        if c == '"' or (c == "'" and not (i > 0 and text[i - 1].isalnum())):
            j = i + 1
            while j < n and text[j] != c and text[j] != '\n':
                j += 2 if text[j] == '\\' else 1
            j = min(n, j + 1)
            for k in range(i, j):
                kind[k] = STRING
            i = j
            continue
        i += 1
    return kind


def code_only(text, kind, a, b):
    return ''.join(ch if kind[k] == CODE else ' ' for k, ch in zip(range(a, b), text[a:b]))


class Scope:
    """Namespace context at each code position, from a brace walk."""

    NS_HEAD = re.compile(r'^\s*(?:inline\s+)?namespace\s*([\w:]*)\s*$')

    def __init__(self, text, kind):
        self.text, self.kind = text, kind
        self.events = []  # (pos, stack-after) at every brace
        self.items = []   # top-level items: (start, end, type, header)
        stack = []
        stmt = 0
        depth0_item = None
        n = len(text)
        i = 0
        while i < n:
            k = kind[i]
            if k == PP:
                j = i
                while j < n and kind[j] == PP:
                    j += 1
                if not stack:
                    self.items.append([i, j, 'pp', text[i:j]])
                stmt = j
                i = j
                continue
            if k != CODE:
                i += 1
                continue
            c = text[i]
            if c == '{':
                head = code_only(text, kind, stmt, i)
                m = self.NS_HEAD.match(head)
                if not stack:
                    depth0_item = [self._item_start(stmt), None, 'ns' if m else 'block', head.strip()]
                stack.append(('ns', m.group(1)) if m else ('block', head.strip()))
                self.events.append((i, tuple(stack)))
                stmt = i + 1
            elif c == '}':
                if stack:
                    stack.pop()
                self.events.append((i, tuple(stack)))
                stmt = i + 1
                if not stack and depth0_item is not None:
                    end = i + 1
                    m = re.compile(r'\s*;').match(text, end)
                    if m and depth0_item[2] != 'ns':
                        end = m.end()
                    depth0_item[1] = end
                    self.items.append(depth0_item)
                    depth0_item = None
                    stmt = end
                    i = end
                    continue
            elif c == ';':
                if not stack:
                    head = code_only(text, kind, stmt, i + 1)
                    if head.strip():
                        self.items.append([self._item_start(stmt), i + 1, 'decl', head.strip()])
                stmt = i + 1
            i += 1

    def _item_start(self, stmt):
        """First non-blank code position at or after stmt."""
        i = stmt
        while i < len(self.text) and (self.text[i].isspace() or self.kind[i] == COMMENT):
            i += 1
        return i

    def stack_at(self, pos):
        lo, hi = 0, len(self.events)
        while lo < hi:
            mid = (lo + hi) // 2
            if self.events[mid][0] < pos:
                lo = mid + 1
            else:
                hi = mid
        return self.events[lo - 1][1] if lo else ()

    def in_zor(self, pos):
        return any(kind == 'ns' and (name == 'zor' or name.startswith('zor::'))
                   for kind, name in self.stack_at(pos))


def rename_namespace_definitions(text):
    roots = '|'.join(ROOTS)
    kind = classify(text)
    out = []
    last = 0
    pat = re.compile(r'\bnamespace([ \t]+)(' + roots + r')\b(?=(::[\w:]+)?\s*(\{|=))')
    for m in pat.finditer(text):
        if kind[m.start()] != CODE:
            continue
        out.append(text[last:m.start(2)])
        out.append('zor::' + ROOTS[m.group(2)])
        last = m.end(2)
    out.append(text[last:])
    text = ''.join(out)
    # Closing comments.
    text = re.sub(r'(//[ \t]*namespace[ \t]+)(' + roots + r')\b', lambda m: m.group(1) + 'zor::' + ROOTS[m.group(2)], text)
    return text


def dissolve_unit_blocks(text, unit):
    """A unit's own namespace blocks inside a file wrapped in that unit."""
    text = re.sub(r'^namespace zor::' + unit + r' \{\n', '', text, flags=re.M)
    text = re.sub(r'^\}  // namespace zor::' + unit + r'\n', '', text, flags=re.M)
    return text


def item_type(item):
    start, end, typ, head = item
    if typ == 'pp':
        return 'stay'
    if typ == 'ns':
        return 'wrap' if head.endswith('namespace') or re.match(r'^namespace\s*$', head) else 'stay'
    if re.match(r'^(int|auto)\s+main\s*\(', head):
        return 'stay'
    if re.match(r'^class\s+Q\w+\s*;$', head) or head.startswith('Q_DECLARE_METATYPE'):
        return 'stay'
    if re.match(r'^using\b', head):
        return 'neutral'
    return 'wrap'


def wrap_unit(text, unit):
    ns = 'zor::' + unit
    # A using-directive of the namespace the code moves into is moot.
    text = re.sub(r'^using namespace (zor::)?' + unit + r';\n(\n(?=\n))?', '', text, flags=re.M)
    kind = classify(text)
    scope = Scope(text, kind)
    items = scope.items
    runs = []
    cur = []
    for it in items:
        t = item_type(it)
        if t == 'stay':
            if cur:
                runs.append(cur)
            cur = []
        else:
            cur.append((it, t))
    if cur:
        runs.append(cur)
    edits = []
    for run in runs:
        while run and run[-1][1] == 'neutral':
            run.pop()
        if not run:
            continue
        start = run[0][0][0]
        end = run[-1][0][1]
        # Take in the comment lines directly above the first item.
        ls = text.rfind('\n', 0, start) + 1
        while ls > 0:
            prev = text.rfind('\n', 0, ls - 1) + 1
            line = text[prev:ls - 1]
            if line.strip().startswith('//'):
                ls = prev
            else:
                break
        start = ls
        le = text.find('\n', end)
        end = len(text) if le < 0 else le
        edits.append((start, end))
    for start, end in reversed(edits):
        body = text[start:end]
        lead = '' if start == 0 or text[max(0, start - 2):start] == '\n\n' else '\n'
        text = text[:start] + lead + 'namespace ' + ns + ' {\n\n' + body + '\n\n}  // namespace ' + ns + text[end:]
    text = re.sub(r'\{\n\n\n+', '{\n\n', text)
    text = re.sub(r'\n\n\n+\}  // namespace ' + re.escape(ns), '\n\n}  // namespace ' + ns, text)
    # Self-qualification inside the unit.
    return text


def unit_names(text, with_functions):
    """Names a unit header declares at the top of its unit namespace."""
    names = set()
    kind = classify(text)
    scope = Scope(text, kind)
    for start, end, typ, head in scope.items:
        if typ == 'ns':
            inner = text[start:end]
            if not re.match(r'namespace\s+zor::(Cli_zor\d+|Pkg_zor\d+)\s*\{', inner):
                continue
            for m in re.finditer(r'^(?:class|struct|enum(?:\s+class)?)\s+(\w+)\b(?!;)', inner, re.M):
                names.add(m.group(1))
            for m in re.finditer(r'^extern\s+(?:"C"\s+)?[\w:<>,\*& ]+?[\s\*&](\w+)\s*;', inner, re.M):
                names.add(m.group(1))
            for m in re.finditer(r'^using\s+(\w+)\s*=', inner, re.M):
                names.add(m.group(1))
            # Functions only where other folders call them: the package's entry points.
            if with_functions:
                for m in re.finditer(r'^(?!\s)(?!using|typedef|return)[\w:<>,\*& ]+?[\s\*&](\w+)\s*\(', inner, re.M):
                    names.add(m.group(1))
    return names


def qualify(text, unit_of_name, own_unit):
    kind = classify(text)
    scope = Scope(text, kind)
    roots = '|'.join(ROOTS)
    edits = []
    for m in re.finditer(r'(?<![\w:.>])(' + roots + r')(?=::)', text):
        p = m.start()
        if kind[p] != CODE:
            continue
        if own_unit and m.group(1) == own_unit:
            if text[m.end():m.end() + 2] == '::':
                edits.append((p, m.end() + 2, ''))
            continue
        if not scope.in_zor(p):
            edits.append((p, p, 'zor::'))
    for m in re.finditer(r'\b(using\s+namespace\s+|namespace\s+\w+\s*=\s*)(' + roots + r')\b(?!::)', text):
        p = m.start(2)
        if kind[p] == CODE and not scope.in_zor(p) and not text[p - 5:p] == 'zor::':
            edits.append((p, p, 'zor::'))
    if unit_of_name:
        names = '|'.join(sorted(unit_of_name, key=len, reverse=True))
        for m in re.finditer(r'(?<![\w:.>#])(' + names + r')\b', text):
            p = m.start()
            if kind[p] != CODE:
                continue
            ls = text.rfind('\n', 0, p) + 1
            if re.match(r'\s*(TEST|TYPED_TEST|INSTANTIATE)\w*\s*\(', text[ls:p]):
                continue  # a test's name
            units = unit_of_name[m.group(1)]
            if own_unit in units or len(units) != 1:
                continue
            unit = next(iter(units))
            edits.append((p, p, (unit + '::') if scope.in_zor(p) else ('zor::' + unit + '::')))
    seen = set()
    for a, b, s in sorted(edits, reverse=True):
        if (a, b) in seen:
            continue
        seen.add((a, b))
        text = text[:a] + s + text[b:]
    return text


def wrap_of(path):
    for pat, ns in WRAP_FILES:
        if re.search(pat, path):
            return ns
    return None


def own_unit_of(path):
    ns = wrap_of(path)
    return ns if ns in UNITS else None


def main(argv):
    files = argv[1:] or [f for f in subprocess.check_output(['git', 'ls-files'], text=True).split('\n')
                         if re.search(r'\.(h|cpp|cpp\.in)$', f)]
    texts = {f: open(f, encoding='utf-8').read() for f in files}
    # 1 and 2.
    for f in files:
        t = rename_namespace_definitions(texts[f])
        ns = wrap_of(f)
        if ns:
            if ns in UNITS:
                t = dissolve_unit_blocks(t, ns)
            t = wrap_unit(t, ns)
        texts[f] = t
    # The units' names, from their headers.
    unit_of_name = {}
    for f in files:
        for pat, unit in UNIT_HEADERS:
            if re.search(pat, f):
                for name in unit_names(texts[f], unit == 'Pkg_zor12200'):
                    unit_of_name.setdefault(name, set()).add(unit)
    # 3.
    changed = 0
    for f in files:
        # A file that declares such a name at its top level (a stand-in for
        # the package) means its own.
        own = {n for n in unit_of_name
               if re.search(r'^(?!using)[\w:<>,\*& ]+?[\s\*&]' + n + r'\s*(=|;|\()', texts[f], re.M)}
        t = qualify(texts[f], {n: u for n, u in unit_of_name.items() if n not in own}, own_unit_of(f))
        if t != open(f, encoding='utf-8').read():
            with open(f, 'w', encoding='utf-8') as out:
                out.write(t)
            changed += 1
    print('namespaces: %d files changed; unit names: %s' % (changed, ' '.join(sorted(unit_of_name))))


if __name__ == '__main__':
    main(sys.argv)
