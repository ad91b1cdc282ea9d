#!/usr/bin/env python3
"""Copies C++ sources, rewriting every non-ASCII narrow string or character
literal as octal escapes of its CP932 bytes.

g++ does this itself with -fexec-charset=CP932; clang (used for the libFuzzer
builds) only knows UTF-8, so the fuzz build compiles rewritten copies.
Usage: cp932_literals.py SRC_DIR DEST_DIR  (every .h/.cpp below SRC_DIR)
"""
import os
import sys


def escape_body(body: str) -> str:
    out = []
    for ch in body:
        if ord(ch) < 0x80:
            out.append(ch)
        else:
            out.extend('\\%03o' % b for b in ch.encode('cp932'))
    return ''.join(out)


def rewrite(text: str) -> str:
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith('//', i):
            j = text.find('\n', i)
            j = n if j < 0 else j
            out.append(text[i:j])
            i = j
        elif text.startswith('/*', i):
            j = text.find('*/', i + 2)
            j = n if j < 0 else j + 2
            out.append(text[i:j])
            i = j
        elif text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == '_')):
            d = text.index('(', i)
            delim = ')' + text[i + 2:d] + '"'
            j = text.index(delim, d) + len(delim)
            out.append(text[i:j])
            i = j
        elif c in '"\'':
            prefix_wide = i > 0 and text[i - 1] in 'LuU8' and (i < 2 or not text[i - 2].isalnum())
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == '\\' else 1
            body = text[i + 1:j]
            out.append(c + (body if prefix_wide else escape_body(body)) + c)
            i = j + 1
        else:
            out.append(c)
            i += 1
    return ''.join(out)


def main() -> None:
    src, dest = sys.argv[1], sys.argv[2]
    for root, _dirs, files in os.walk(src):
        for name in files:
            if not name.endswith(('.h', '.cpp')):
                continue
            path = os.path.join(root, name)
            target = os.path.join(dest, os.path.relpath(path, src))
            with open(path, encoding='utf-8') as f:
                new = rewrite(f.read())
            os.makedirs(os.path.dirname(target), exist_ok=True)
            old = None
            if os.path.exists(target):
                with open(target, encoding='utf-8') as f:
                    old = f.read()
            if old != new:
                with open(target, 'w', encoding='utf-8') as f:
                    f.write(new)


if __name__ == '__main__':
    main()
