#!/usr/bin/env python3
"""Keeps, of the naming check's fixes, only replacements of the old name's
own text. clang-tidy 14 puts the new name of a variable a lambda captures
implicitly in place of the capture default ('[&]' becomes '[name]'); such
replacements are dropped (the capture default stays and still captures the
renamed variable).
usage: filter_fixes.py FIXES_DIR"""
import glob, os, re, sys, yaml

cache = {}
remap = sys.argv[2:4]  # optional: read files under another root (FROM TO)
def text_of(path):
    if remap:
        path = path.replace(remap[0], remap[1], 1)
    if path not in cache:
        try:
            cache[path] = open(path, 'rb').read()
        except OSError:
            cache[path] = None
    return cache[path]

dropped = 0
for f in glob.glob(os.path.join(sys.argv[1], '*.yaml')):
    doc = yaml.safe_load(open(f)) or {}
    changed = False
    for d in doc.get('Diagnostics') or []:
        msg = d.get('DiagnosticMessage', {})
        m = re.match(r"invalid case style for .+ '(.+)'", msg.get('Message', ''))
        if not m:
            continue
        old = m.group(1).encode()
        keep = []
        for r in msg.get('Replacements') or []:
            t = text_of(r['FilePath'])
            if t is not None and t[r['Offset']:r['Offset'] + r['Length']] == old:
                keep.append(r)
            else:
                dropped += 1
                seen = t[r['Offset']:r['Offset'] + r['Length']] if t is not None else b'?'
                print('dropped: %s:%d %r -> %s' % (r['FilePath'], r['Offset'], seen.decode(errors='replace'),
                                                   r['ReplacementText']))
        if len(keep) != len(msg.get('Replacements') or []):
            msg['Replacements'] = keep
            changed = True
    if changed:
        with open(f, 'w') as out:
            yaml.safe_dump(doc, out, sort_keys=False, allow_unicode=True)
print('filter_fixes: %d replacements dropped' % dropped)
