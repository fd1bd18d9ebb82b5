#!/usr/bin/env python3
"""Fails the build when an #include points the wrong way between layers.

Reads the layer table (src/layers.txt) and every #include of src/, tests/,
bench/ and fuzz/, and reports:
  - a file of src/ that includes a header of a layer its own layer may not use
    (the linker never sees a header-only include, so this is the only guard);
  - a file without _win32 in its name that includes <windows.h> (or another
    Windows system header) or a _win32 header;
  - a file of src/ that belongs to no layer;
  - a library whose sources are not all of its layer (a portable library with
    a _win32 file among them), or that links a library its layer may not use.
The libraries come from a file the build writes: one line per library, with
tabs between its name, its source folder, its sources and the libraries it
links (the last two as CMake lists).
"""

import argparse
import os
import re
import sys

CODE_EXTENSIONS = ('.h', '.cpp')
SCANNED_FOLDERS = ('src', 'tests', 'bench', 'fuzz')
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
# The system's own headers that only Win32 code may include.
WINDOWS_HEADERS = {
    'windows.h', 'windowsx.h', 'commctrl.h', 'commdlg.h', 'shellapi.h', 'shlobj.h', 'shlwapi.h', 'ole2.h',
    'olectl.h', 'oleauto.h', 'objbase.h', 'objidl.h', 'wincodec.h', 'uxtheme.h', 'dwmapi.h', 'mmsystem.h',
    'tchar.h', 'richedit.h', 'prsht.h', 'cderr.h', 'dlgs.h'
}
WINDOWS_HEADER_PATTERN = re.compile(r'^win[a-z0-9]*\.h$')


class Layer:
    def __init__(self, name, library, folders, pairs, uses, line):
        self.name = name
        self.library = library
        self.folders = folders
        self.pairs = pairs
        self.uses = uses
        self.line = line
        self.win32 = name.endswith('_win32')


def is_win32_name(path):
    return '_win32' in os.path.basename(path)


def split_list(text):
    return [] if text == '-' else [item for item in text.split(',') if item]


def read_table(path, root):
    """Returns (layers by name, errors). Each row: layer, library, files, may use."""
    layers = {}
    errors = []
    where = os.path.relpath(path, root)
    with open(path, encoding='utf-8') as table:
        for number, text in enumerate(table, start=1):
            text = text.split('#', 1)[0].strip()
            if not text:
                continue
            fields = text.split()
            if len(fields) != 4:
                errors.append(f'{where}:{number}: a row needs four columns (layer, library, files, may use)')
                continue
            name, library, files, uses = fields
            if name in layers:
                errors.append(f'{where}:{number}: layer {name} appears twice')
                continue
            folders, pairs = [], []
            for entry in split_list(files):
                entry = entry.rstrip('/')
                if os.path.isdir(os.path.join(root, entry)):
                    folders.append(entry)
                elif any(os.path.isfile(os.path.join(root, entry + ext)) for ext in CODE_EXTENSIONS):
                    if is_win32_name(entry) != name.endswith('_win32'):
                        errors.append(f'{where}:{number}: {entry} cannot join layer {name}: only _win32 files '
                                      'join the _win32 layers, and only they')
                    pairs.append(entry)
                else:
                    errors.append(f'{where}:{number}: {entry} is neither a folder nor a file pair')
            layers[name] = Layer(name, None if library == '-' else library, folders, pairs, split_list(uses),
                                 number)
    for layer in layers.values():
        for used in layer.uses:
            if used not in layers:
                errors.append(f'{where}:{layer.line}: layer {layer.name} uses {used}, which is no layer')
            elif layers[used].win32 and not layer.win32:
                errors.append(f'{where}:{layer.line}: portable layer {layer.name} may not use {used}')
    return layers, errors


def usable_layers(layers, errors, where):
    """Every layer each layer may use: those it names and, through them, theirs."""
    usable = {}

    def visit(name, path):
        if name in usable:
            return usable[name]
        if name in path:
            cycle = ' -> '.join(path[path.index(name):] + [name])
            errors.append(f'{where}: the layers use each other in a circle: {cycle}')
            return set()
        reached = set()
        for used in layers[name].uses:
            if used in layers:
                reached.add(used)
                reached |= visit(used, path + [name])
        usable[name] = reached
        return reached

    for name in layers:
        visit(name, [])
    return usable


def layer_of(path, layers):
    """The layer a file of src/ belongs to, or None. path is relative to the root."""
    stem = os.path.splitext(path)[0]
    for layer in layers.values():
        if stem in layer.pairs:
            return layer.name
    folder = os.path.dirname(path)
    win32 = is_win32_name(path)
    for layer in layers.values():
        if folder in layer.folders and layer.win32 == win32:
            return layer.name
    return None


def code_files(root, folder):
    for directory, subfolders, names in os.walk(os.path.join(root, folder)):
        subfolders.sort()
        for name in sorted(names):
            if name.endswith(CODE_EXTENSIONS):
                yield os.path.relpath(os.path.join(directory, name), root).replace(os.sep, '/')


def includes_of(root, path):
    with open(os.path.join(root, path), encoding='utf-8', errors='replace') as source:
        for number, text in enumerate(source, start=1):
            match = INCLUDE.match(text)
            if match:
                yield number, match.group(1), match.group(2)


def resolve(root, path, bracket, name):
    """The file of src/ an include names (relative to the root), or None."""
    candidates = [os.path.join('src', name)]
    if bracket == '"':
        candidates.insert(0, os.path.join(os.path.dirname(path), name))
    for candidate in candidates:
        candidate = os.path.normpath(candidate).replace(os.sep, '/')
        if candidate.startswith('src/') and os.path.isfile(os.path.join(root, candidate)):
            return candidate
    return None


def check_suffix(path, number, bracket, name):
    if is_win32_name(path):
        return None
    if bracket == '<' and (name.lower() in WINDOWS_HEADERS or WINDOWS_HEADER_PATTERN.match(name.lower())):
        return (f'{path}:{number}: file {path} has no _win32 in its name but includes <{name}>, '
                'which only _win32 files may use')
    if is_win32_name(name):
        return f'{path}:{number}: file {path} has no _win32 in its name but includes {name}, a _win32 header'
    return None


def check_tree(root, layers, usable):
    errors = []
    for folder in SCANNED_FOLDERS:
        for path in code_files(root, folder):
            layer = layer_of(path, layers) if folder == 'src' else None
            if folder == 'src' and layer is None:
                kind = 'Win32' if is_win32_name(path) else 'portable'
                errors.append(f'{path}: file {path} belongs to no layer: no {kind} layer of src/layers.txt '
                              f'holds {os.path.dirname(path)}')
            for number, bracket, name in includes_of(root, path):
                problem = check_suffix(path, number, bracket, name)
                if problem:
                    errors.append(problem)
                if layer is None:
                    continue
                target = resolve(root, path, bracket, name)
                target_layer = layer_of(target, layers) if target else None
                if target_layer and target_layer != layer and target_layer not in usable[layer]:
                    errors.append(f'{path}:{number}: file {path} (layer {layer}) includes {name} '
                                  f'(layer {target_layer}), which {layer} may not use')
    return errors


def read_libraries(path):
    libraries = []
    with open(path, encoding='utf-8') as listing:
        for text in listing:
            text = text.rstrip('\n')
            if not text:
                continue
            fields = text.split('\t')
            while len(fields) < 4:
                fields.append('')
            name, folder, sources, links = fields[:4]
            libraries.append((name, folder, [s for s in sources.split(';') if s], [l for l in links.split(';') if l]))
    return libraries


def check_libraries(root, layers, usable, libraries):
    errors = []
    layer_by_library = {layer.library: layer.name for layer in layers.values() if layer.library}
    for name, folder, sources, links in libraries:
        layer = layer_by_library.get(name)
        if layer is None:
            errors.append(f'library {name} is not in src/layers.txt')
            continue
        for source in sources:
            full = os.path.normpath(source if os.path.isabs(source) else os.path.join(folder, source))
            path = os.path.relpath(full, root).replace(os.sep, '/')
            if not path.endswith(CODE_EXTENSIONS):
                continue
            source_layer = layer_of(path, layers) if path.startswith('src/') else None
            if source_layer == layer:
                continue
            if is_win32_name(path) and not layers[layer].win32:
                errors.append(f'library {name} (layer {layer}) holds {path}: '
                              'a portable library holds no _win32 file')
            else:
                errors.append(f'library {name} (layer {layer}) holds {path}, which belongs to layer '
                              f'{source_layer or "none"}')
        for link in links:
            linked = layer_by_library.get(link)
            if linked and linked != layer and linked not in usable[layer]:
                errors.append(f'library {name} (layer {layer}) links {link} (layer {linked}), '
                              f'which {layer} may not use')
    return errors


def run(root, table, libraries_file):
    layers, errors = read_table(table, root)
    usable = usable_layers(layers, errors, os.path.relpath(table, root))
    if errors:
        return errors
    errors = check_tree(root, layers, usable)
    if libraries_file:
        errors += check_libraries(root, layers, usable, read_libraries(libraries_file))
    return errors


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--root', required=True, help='the source tree')
    parser.add_argument('--table', help='the layer table (default: <root>/src/layers.txt)')
    parser.add_argument('--libraries', help='the libraries and their sources, as the build writes them')
    args = parser.parse_args()
    root = os.path.abspath(args.root)
    errors = run(root, args.table or os.path.join(root, 'src', 'layers.txt'), args.libraries)
    for error in errors:
        print(error, file=sys.stderr)
    if errors:
        print(f'layer check: {len(errors)} problem(s); see src/layers.txt and CONTRIBUTING.md', file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
