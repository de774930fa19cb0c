#!/usr/bin/env python3
"""Lists the functions declared in the program's headers that neither the
program nor its tools call: TEST-ONLY when tests or benchmarks call them,
UNUSED when nothing does. It matches by name, so a name that the program uses anywhere (an
overload, another class's member of the same name) counts as used, and
overrides are left out: Qt calls them.

A member the program keeps on purpose although only tests call it today (a
seam, a property a component honours) is listed with its reason in
unused-members.allow beside this file; it is reported as ALLOWED. Exits 1
when anything else is listed, or when an allowed member is used by the
program or gone (the list must not outlive its reasons).

    tools/unused-members.py [tree]
"""
import collections
import os
import re
import sys

PROGRAM = ['game', 'net', 'computer', 'skin', 'flat', 'ui', 'shell']
TOOLS = ['tools']
OTHERS = ['tests', 'bench']
IDENTIFIER = re.compile(r'[A-Za-z_]\w*')
# A declaration or definition line: a type, then the name, then its parameters.
DECLARATION = re.compile(
    r'^\s*(?:(?:virtual|static|explicit|inline|constexpr|friend|\[\[nodiscard\]\])\s+)*'
    r'(?!return\b|emit\b|else\b|new\b|delete\b|throw\b|case\b)[A-Za-z_][\w:<>,*&]*(?:<[^()]*>)?[\s*&]+'
    r'~?(\w+)\s*\([^;{]*\)\s*(?:const)?\s*(?:noexcept)?\s*(?:override|final)?\s*'
    r'(?:=\s*(?:0|default|delete))?\s*(?:[;{]|$)')
OUT_OF_LINE_DEFINITION = re.compile(r'^(?:[A-Za-z_][\w:<>,*&]*[\s*&]+)+\w+::~?(\w+)\s*\(')
NOT_NAMES = {'if', 'for', 'while', 'switch', 'return', 'sizeof'}
ALLOW_LIST = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'unused-members.allow')


def code_of(path):
    """The file without comments, string contents and include lines."""
    text = open(path, encoding='utf-8').read()
    text = re.sub(r'//[^\n]*', '', text)
    text = re.sub(r'/\*.*?\*/', '', text, flags=re.S)
    text = re.sub(r'#\s*include[^\n]*', '', text)
    return re.sub(r'"(\\.|[^"\\\n])*"', '""', text)


def sources(root, folders):
    for folder in folders:
        for directory, _, names in os.walk(os.path.join(root, folder)):
            if 'corpus' in directory or 'crossings' in directory or '/build' in directory:
                continue
            for name in names:
                if name.endswith(('.h', '.cpp')):
                    yield os.path.join(directory, name)


def declared_functions(root):
    declared = collections.defaultdict(set)
    for path in sources(root, PROGRAM):
        if not path.endswith('.h'):
            continue
        for line in code_of(path).split('\n'):
            match = DECLARATION.match(line)
            if match and match.group(1) not in NOT_NAMES and 'override' not in line and 'class' not in line:
                declared[match.group(1)].add(os.path.relpath(path, root))
    return declared


def count_uses(root, folders, skip_declarations):
    uses = collections.Counter()
    for path in sources(root, folders):
        for line in code_of(path).split('\n'):
            if skip_declarations:
                match = DECLARATION.match(line)
                if match:
                    # An inline body on the declaration's line still uses what it calls.
                    body = line.split('{', 1)[1] if '{' in line else ''
                    uses.update(IDENTIFIER.findall(body))
                    continue
                if OUT_OF_LINE_DEFINITION.match(line):
                    continue
            uses.update(IDENTIFIER.findall(line))
    return uses


def allowed_members():
    """(name, header) -> reason, from the allow-list: one member a line, its
    name, its header and why the program keeps it; # starts a comment."""
    allowed = {}
    for line in open(ALLOW_LIST, encoding='utf-8'):
        line = line.split('#', 1)[0].strip()
        if line:
            name, header, reason = line.split(None, 2)
            allowed[(name, header)] = reason
    return allowed


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else '.'
    declared = declared_functions(root)
    in_program = count_uses(root, PROGRAM, skip_declarations=True)
    in_program.update(count_uses(root, TOOLS, skip_declarations=False))
    elsewhere = count_uses(root, OTHERS, skip_declarations=False)
    allowed = allowed_members()
    found = 0
    for name in sorted(declared):
        if name.startswith('operator') or in_program[name]:
            continue
        headers = sorted(declared[name])
        kind = 'TEST-ONLY' if elsewhere[name] else 'UNUSED'
        if kind == 'TEST-ONLY' and all((name, header) in allowed for header in headers):
            for header in headers:
                print(f'{"ALLOWED":9} {name:32} {header}: {allowed.pop((name, header))}')
            continue
        print(f'{kind:9} {name:32} {" ".join(headers)}')
        found += 1
    for name, header in sorted(allowed):
        print(f'{"STALE":9} {name:32} {header}: allowed, but not a test-only member of it')
        found += 1
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main())
