"""The layer check, run on small trees made for each case."""

import os
import subprocess
import sys
import tempfile
import textwrap
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'cmake', 'check_layers.py')
sys.path.insert(0, os.path.dirname(SCRIPT))
import check_layers  # noqa: E402

# low <- mid <- top, and side beside mid; ui_win32 and the two Win32 layers of app.
TABLE = """
low          lib_low          src/low                     -
mid          lib_mid          src/mid                     low
side         lib_side         src/side                    low
top          lib_top          src/top                     mid
ui_win32     lib_ui_win32     src/ui                      -
app          lib_app          src/app                     top
app_win32    lib_app_win32    src/app                     app,ui_win32
shell_win32  lib_shell_win32  src/app/frame_win32         app_win32
"""

FILES = ['src/low/cell.h', 'src/low/cell.cpp', 'src/mid/grid.h', 'src/side/other.h', 'src/top/tool.h',
         'src/ui/window_win32.h', 'src/app/list.h', 'src/app/pane_win32.h', 'src/app/frame_win32.h',
         'src/app/frame_win32.cpp', 'tests/low/cell_test.cpp']


class Tree:
    """A tree in a temporary folder with the files above and the table."""

    def __init__(self, table=TABLE):
        self.dir = tempfile.TemporaryDirectory()
        self.root = self.dir.name
        for path in FILES:
            self.write(path, '')
        self.write('src/layers.txt', table)

    def write(self, path, text):
        full = os.path.join(self.root, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, 'w', encoding='utf-8') as out:
            out.write(textwrap.dedent(text))

    def libraries(self, rows):
        self.write('libraries.txt', ''.join('\t'.join(row) + '\n' for row in rows))
        return os.path.join(self.root, 'libraries.txt')

    def check(self, libraries=None):
        return check_layers.run(self.root, os.path.join(self.root, 'src', 'layers.txt'), libraries)


class TreeCase(unittest.TestCase):
    def tree(self, table=TABLE):
        tree = Tree(table)
        self.addCleanup(tree.dir.cleanup)
        return tree


class IncludesAgainstTheLayers(TreeCase):
    def test_an_include_down_the_layers_passes_and_one_up_them_fails(self):
        tree = self.tree()
        tree.write('src/top/tool.h', '#include "mid/grid.h"\n#include "low/cell.h"\n')
        tree.write('src/mid/grid.h', '#pragma once\n\n#include <vector>\n#include "top/tool.h"\n')
        self.assertEqual(tree.check(), [
            'src/mid/grid.h:4: file src/mid/grid.h (layer mid) includes top/tool.h (layer top), which mid may '
            'not use'
        ])

    def test_layers_side_by_side_may_not_use_each_other(self):
        tree = self.tree()
        tree.write('src/side/other.h', '#include "mid/grid.h"\n')
        tree.write('src/mid/grid.h', '#include "side/other.h"\n')
        errors = tree.check()
        self.assertEqual(len(errors), 2)
        self.assertIn('(layer side) includes mid/grid.h (layer mid), which side may not use', errors[1])
        self.assertIn('(layer mid) includes side/other.h (layer side), which mid may not use', errors[0])

    def test_includes_are_found_beside_the_file_first_and_outside_comments_only(self):
        tree = self.tree()
        tree.write('src/low/cell.cpp', '#include "cell.h"\n// #include "top/tool.h"\n#include "../top/tool.h"\n')
        tree.write('src/low/cell.h', '  #  include <top/tool.h>\n')
        self.assertEqual(tree.check(), [
            'src/low/cell.cpp:3: file src/low/cell.cpp (layer low) includes ../top/tool.h (layer top), which low '
            'may not use',
            'src/low/cell.h:1: file src/low/cell.h (layer low) includes top/tool.h (layer top), which low may not '
            'use',
        ])

    def test_a_file_pair_named_in_the_table_belongs_to_its_own_layer(self):
        tree = self.tree()
        tree.write('src/app/frame_win32.cpp', '#include "app/pane_win32.h"\n#include "ui/window_win32.h"\n')
        tree.write('src/app/pane_win32.h', '#include "app/frame_win32.h"\n#include "app/list.h"\n')
        self.assertEqual(tree.check(), [
            'src/app/pane_win32.h:1: file src/app/pane_win32.h (layer app_win32) includes app/frame_win32.h '
            '(layer shell_win32), which app_win32 may not use'
        ])

    def test_a_file_of_src_outside_every_layer_is_reported(self):
        tree = self.tree()
        tree.write('src/ui/window.h', '')
        tree.write('src/extra/thing.cpp', '')
        errors = tree.check()
        self.assertEqual(len(errors), 2)
        self.assertIn('src/extra/thing.cpp: file src/extra/thing.cpp belongs to no layer', errors[0])
        self.assertIn('src/ui/window.h: file src/ui/window.h belongs to no layer: no portable layer', errors[1])


class TheWin32Suffix(TreeCase):
    def test_files_without_the_suffix_include_no_win32_header(self):
        tree = self.tree()
        tree.write('src/top/tool.h', '#include <Windows.h>\n#include <commctrl.h>\n#include <winuser.h>\n')
        tree.write('src/app/list.h', '#include "low/cell_win32.h"\n')
        tree.write('tests/low/cell_test.cpp', '#include "support/fixture_win32.h"\n#include <cstdint>\n')
        errors = tree.check()
        self.assertEqual(len(errors), 5)
        self.assertIn('src/app/list.h:1: file src/app/list.h has no _win32 in its name but includes '
                      'low/cell_win32.h, a _win32 header', errors[0])
        self.assertIn('src/top/tool.h:1: file src/top/tool.h has no _win32 in its name but includes <Windows.h>',
                      errors[1])
        self.assertIn('includes <commctrl.h>', errors[2])
        self.assertIn('includes <winuser.h>', errors[3])
        self.assertIn('tests/low/cell_test.cpp:1: file tests/low/cell_test.cpp has no _win32 in its name',
                      errors[4])

    def test_win32_files_include_the_system_and_lower_win32_headers(self):
        tree = self.tree()
        tree.write('src/ui/window_win32.h', '#include <windows.h>\n')
        tree.write('src/app/pane_win32.h', '#include <windowsx.h>\n#include "ui/window_win32.h"\n')
        tree.write('tests/low/cell_win32_test.cpp', '#include <windows.h>\n')
        self.assertEqual(tree.check(), [])


class TheLibraries(TreeCase):
    def test_each_library_holds_only_its_own_layer(self):
        tree = self.tree()
        libraries = tree.libraries([
            ('lib_low', os.path.join(tree.root, 'src/low'), 'cell.cpp;cell_win32.cpp', ''),
            ('lib_app_win32', os.path.join(tree.root, 'src/app'), 'pane_win32.cpp;frame_win32.cpp', ''),
            ('lib_shell_win32', os.path.join(tree.root, 'src/app'),
             os.path.join(tree.root, 'src/app/frame_win32.cpp'), ''),
        ])
        self.assertEqual(tree.check(libraries), [
            'library lib_low (layer low) holds src/low/cell_win32.cpp: a portable library holds no _win32 file',
            'library lib_app_win32 (layer app_win32) holds src/app/frame_win32.cpp, which belongs to layer '
            'shell_win32',
        ])

    def test_a_library_links_only_what_its_layer_may_use(self):
        tree = self.tree()
        libraries = tree.libraries([
            ('lib_top', os.path.join(tree.root, 'src/top'), '', 'lib_mid;ZLIB::ZLIB'),
            ('lib_mid', os.path.join(tree.root, 'src/mid'), '', 'lib_low;lib_side'),
            ('lib_stray', os.path.join(tree.root, 'src/low'), 'cell.cpp', ''),
        ])
        self.assertEqual(tree.check(libraries), [
            'library lib_mid (layer mid) links lib_side (layer side), which mid may not use',
            'library lib_stray is not in src/layers.txt',
        ])


class TheTable(TreeCase):
    def test_a_table_that_goes_round_in_a_circle_or_up_to_win32_is_refused(self):
        tree = self.tree(TABLE.replace('low          lib_low          src/low                     -',
                                  'low          lib_low          src/low                     top,ui_win32,nowhere'))
        errors = tree.check()
        self.assertIn('src/layers.txt:2: portable layer low may not use ui_win32', errors)
        self.assertIn('src/layers.txt:2: layer low uses nowhere, which is no layer', errors)
        self.assertTrue(any('use each other in a circle: low -> top -> mid -> low' in e for e in errors), errors)

    def test_a_portable_file_cannot_be_named_into_a_win32_layer(self):
        tree = self.tree(TABLE + 'odd_win32    lib_odd_win32    src/app/list              app\n'
                    'gone         lib_gone         src/missing               -\n')
        self.assertEqual(tree.check(), [
            'src/layers.txt:10: src/app/list cannot join layer odd_win32: only _win32 files join the _win32 '
            'layers, and only they',
            'src/layers.txt:11: src/missing is neither a folder nor a file pair',
        ])


class TheCommand(TreeCase):
    def run_script(self, tree):
        return subprocess.run([sys.executable, SCRIPT, '--root', tree.root], capture_output=True, text=True)

    def test_fails_with_the_reasons_and_passes_in_silence(self):
        tree = self.tree()
        tree.write('src/low/cell.h', '#include "mid/grid.h"\n')
        failed = self.run_script(tree)
        self.assertEqual(failed.returncode, 1)
        self.assertIn('file src/low/cell.h (layer low) includes mid/grid.h (layer mid), which low may not use',
                      failed.stderr)
        tree.write('src/low/cell.h', '#include "low/cell.h"\n')
        passed = self.run_script(tree)
        self.assertEqual((passed.returncode, passed.stdout, passed.stderr), (0, '', ''))


if __name__ == '__main__':
    unittest.main()
