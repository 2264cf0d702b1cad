#!/usr/bin/env python3
"""Names renamed by the clang-tidy pass, per top folder and kind, from its fixes files.
usage: count.py FIXES_DIR ROOT"""
import collections, glob, os, re, sys, yaml

out, root = sys.argv[1], os.path.realpath(sys.argv[2])
seen = {}
for f in glob.glob(os.path.join(out, '*.yaml')):
    doc = yaml.safe_load(open(f)) or {}
    for d in doc.get('Diagnostics') or []:
        msg = d.get('DiagnosticMessage', {})
        m = re.match(r"invalid case style for (.+) '(.+)'", msg.get('Message', ''))
        if not m or not msg.get('Replacements'):
            continue
        path = os.path.relpath(msg['FilePath'], root)
        seen[(path, msg['FileOffset'], m.group(2))] = m.group(1)
per = collections.Counter()
kinds = collections.Counter()
for (path, _, _), kind in seen.items():
    top = path.split('/')[0]
    if top == 'tests' and '/' in path:
        top = 'tests/' + path.split('/')[1]
    per[top] += 1
    kinds[kind] += 1
print('names renamed: %d' % len(seen))
for k, v in sorted(per.items()):
    print('  %-22s %5d' % (k, v))
print('by kind: ' + ', '.join('%s %d' % kv for kv in kinds.most_common()))
