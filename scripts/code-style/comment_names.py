#!/usr/bin/env python3
"""Comments that name a renamed function or method (a camelCase name of two
words or more, so plain words stay) get its new name.
usage: comment_names.py FIXES_DIR"""
import glob, re, subprocess, sys, os, yaml
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from namespaces import classify, COMMENT

ren = {}
for f in glob.glob(os.path.join(sys.argv[1], '*.yaml')):
    d = yaml.safe_load(open(f)) or {}
    for x in d.get('Diagnostics') or []:
        m = x['DiagnosticMessage']
        mm = re.match(r"invalid case style for (function|method) '(.+)'", m['Message'])
        if mm and m.get('Replacements') and re.search(r'[a-z][A-Z]', mm.group(2)):
            ren[mm.group(2)] = m['Replacements'][0]['ReplacementText']
if not ren:
    sys.exit(0)
pat = re.compile(r'\b(' + '|'.join(sorted(ren, key=len, reverse=True)) + r')\b')
changed = 0
for f in subprocess.check_output(['git', 'ls-files', '*.h', '*.cpp'], text=True).split():
    text = open(f, encoding='utf-8').read()
    kind = classify(text)
    out = pat.sub(lambda m: ren[m.group(1)] if kind[m.start()] == COMMENT else m.group(1), text)
    if out != text:
        open(f, 'w', encoding='utf-8').write(out)
        changed += 1
print('comments naming renamed functions: %d files' % changed)
