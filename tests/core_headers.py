#!/usr/bin/env python3
"""The shape of the core's headers. Fails naming what it found.

  core_headers.py self-contained BUILD_DIR SOURCE_DIR
      Compiles every header under src/core on its own (-fsyntax-only, with the compiler and the
      flags the build compiles the core with, taken from BUILD_DIR/compile_commands.json): a
      header that only compiles after something else was included fails.

  core_headers.py records-only BUILD_DIR SOURCE_DIR
      Preprocesses flow/game.h with the same flags and looks at the text that comes from the
      core's headers (what game.h pulls in from src/core, game.h included). The Game is made of
      records; the operations on them live in each subsystem's own header. So that text must
      not hold
        - a free function declared without its body (an operation some .cpp implements), or
        - any mention of Game but game.h's own definition of it and forward declarations
          (a function or helper that works on the whole game).
      Inline, constexpr and template functions with their bodies (small helpers on the data,
      such as the schema tables' lookups) and member functions of the records are allowed.
"""
import concurrent.futures
import json
import os
import re
import shlex
import subprocess
import sys


def core_flags(build_dir, source_dir):
    """The compiler and flags of one core source, without its input, output and depfile."""
    core = os.path.join(source_dir, 'src', 'core') + os.sep
    with open(os.path.join(build_dir, 'compile_commands.json')) as f:
        entries = json.load(f)
    for e in entries:
        if os.path.realpath(e['file']).startswith(os.path.realpath(core)):
            args = e['arguments'] if 'arguments' in e else shlex.split(e['command'])
            break
    else:
        sys.exit('no core source in compile_commands.json')
    if os.path.basename(args[0]) in ('ccache', 'sccache'):
        args = args[1:]
    out = [args[0]]
    skip = False
    for a in args[1:]:
        if skip:
            skip = False
            continue
        if a in ('-o', '-MF', '-MT', '-MQ', '-c'):
            skip = a != '-c'
            continue
        if a in ('-MD', '-MMD') or a == e['file'] or a.endswith(('.cpp', '.cc')):
            continue
        out.append(a)
    return out, e['directory']


def core_headers(source_dir):
    core = os.path.join(source_dir, 'src', 'core')
    found = []
    for d, _, files in os.walk(core):
        for f in files:
            if f.endswith('.h'):
                found.append(os.path.relpath(os.path.join(d, f), core))
    return sorted(found)


def self_contained(build_dir, source_dir):
    flags, cwd = core_flags(build_dir, source_dir)

    def compile_alone(header):
        # Twice: the second inclusion must be a no-op.
        text = '#include "%s"\n#include "%s"\n' % (header, header)
        r = subprocess.run(flags + ['-fsyntax-only', '-x', 'c++', '-'], input=text, cwd=cwd,
                           capture_output=True, text=True)
        return header, r.returncode, r.stderr

    failed = 0
    headers = core_headers(source_dir)
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        for header, code, err in pool.map(compile_alone, headers):
            if code != 0:
                failed += 1
                print('%s does not compile on its own:\n%s' % (header, err))
    print('%d of %d core headers compile on their own' % (len(headers) - failed, len(headers)))
    return 1 if failed else 0


def strip_comments_and_strings(s):
    s = re.sub(r'//[^\n]*|/\*.*?\*/', ' ', s, flags=re.S)
    return re.sub(r'"(?:\\.|[^"\\])*"|\'(?:\\.|[^\'\\])*\'', '""', s)


def core_text(build_dir, source_dir):
    """(file, line, text) of every preprocessed line of game.h's closure that comes from
    src/core."""
    flags, cwd = core_flags(build_dir, source_dir)
    r = subprocess.run(flags + ['-E', '-x', 'c++', '-'], input='#include "flow/game.h"\n',
                       cwd=cwd, capture_output=True, text=True)
    if r.returncode != 0:
        sys.exit('flow/game.h does not preprocess:\n' + r.stderr)
    core = os.path.realpath(os.path.join(source_dir, 'src', 'core')) + os.sep
    lines = []
    current, number, keep = None, 0, False
    for raw in r.stdout.split('\n'):
        m = re.match(r'# (\d+) "([^"]*)"', raw)
        if m:
            number = int(m.group(1))
            current = m.group(2)
            keep = os.path.realpath(os.path.join(cwd, current)).startswith(core)
            continue
        if keep:
            lines.append((os.path.relpath(os.path.realpath(os.path.join(cwd, current)), core),
                          number, raw))
        number += 1
    return lines


TOKEN = re.compile(r'[A-Za-z_]\w*|::|\S')


def records_only(build_dir, source_dir):
    lines = core_text(build_dir, source_dir)
    # Tokens with their origin, comments and strings removed.
    tokens = []
    for file, number, text in lines:
        for t in TOKEN.findall(strip_comments_and_strings(text)):
            tokens.append((t, file, number))
    problems = []

    # Game is named only by its definition and by forward declarations.
    for i, (t, file, number) in enumerate(tokens):
        if t != 'Game':
            continue
        before = tokens[i - 1][0] if i > 0 else ''
        after = tokens[i + 1][0] if i + 1 < len(tokens) else ''
        if before in ('struct', 'class') and after in (';', '{'):
            if after == '{' and file != 'flow/game.h':
                problems.append((file, number, 'Game is defined outside flow/game.h'))
            continue
        problems.append((file, number, 'names Game (an operation on the whole game)'))

    # Free functions declared without a body, at namespace scope.
    scopes = []  # 'namespace' or 'other' for each open brace
    statement = []
    for t, file, number in tokens:
        at_namespace_scope = all(s == 'namespace' for s in scopes)
        if t == '{':
            kind = 'namespace' if at_namespace_scope and statement[:1] == ['namespace'] or (
                at_namespace_scope and len(statement) >= 2 and statement[-2] == 'namespace') else 'other'
            scopes.append(kind)
            if kind == 'namespace' or at_namespace_scope:
                statement = []
            continue
        if t == '}':
            if scopes:
                scopes.pop()
            if all(s == 'namespace' for s in scopes):
                statement = []
            continue
        if not at_namespace_scope:
            continue
        if t == ';':
            if is_function_declaration(statement):
                problems.append((file, number, 'declares the operation %s' %
                                 function_name(statement)))
            statement = []
            continue
        statement.append(t)

    for file, number, what in problems:
        print('%s:%d: %s' % (file, number, what))
    files = sorted({f for f, _, _ in lines})
    print('%d core headers reachable from flow/game.h, %d problems: %s' %
          (len(files), len(problems), ' '.join(files)))
    return 1 if problems else 0


def is_function_declaration(statement):
    """A namespace-scope statement ending in ';' that declares a function: a name followed by a
    parameter list, not a variable's initializer, alias, assertion or forward declaration."""
    if not statement or statement[0] in ('static_assert', 'using', 'typedef', 'namespace',
                                         'struct', 'class', 'enum', 'union', 'template'):
        return False
    if '(' not in statement:
        return False
    first_paren = statement.index('(')
    if '=' in statement[:first_paren]:
        return False  # a variable with a call or a braced value as its initializer
    return re.fullmatch(r'[A-Za-z_]\w*', statement[first_paren - 1] if first_paren else '') is not None


def function_name(statement):
    return statement[statement.index('(') - 1]


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ('self-contained', 'records-only'):
        sys.exit(__doc__)
    check = self_contained if sys.argv[1] == 'self-contained' else records_only
    return check(sys.argv[2], sys.argv[3])


if __name__ == '__main__':
    sys.exit(main())
