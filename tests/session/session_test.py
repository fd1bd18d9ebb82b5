#!/usr/bin/env python3
"""A user's session with tessaly.exe under Wine, driven with real X input.

The program is started in an empty working directory on the X display of
$DISPLAY, in the Wine prefix of $WINEPREFIX. Every step waits for what a
user would wait for (a window by its name, a title), checks what the screen
shows and what the files hold, and on failure saves its screenshot into the
output directory and names the step.

  session_test.py --exe tessaly.exe --out DIR [--docs DIR]

With --docs (or $TESSALY_DOCS_DIR) the screenshots the README shows are
written there as well.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

from PIL import Image, IcoImagePlugin  # noqa: F401  (the plugin reads .ico files)

CONVERT = "/usr/bin/convert"


class StepFailed(Exception):
    pass


class Session:
    def __init__(self, exe, out, docs):
        self.exe = exe
        self.out = out
        self.docs = docs
        self.step_name = "start"
        self.shots = 0
        self.process = None
        self.work = tempfile.mkdtemp(prefix="tessaly-session-")
        listed = subprocess.run(["xdotool", "search", "--name", ""], capture_output=True, text=True)
        self.foreign = set(listed.stdout.split())

    # --- the X side -------------------------------------------------------

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *args], capture_output=True, text=True)
        if check and result.returncode != 0:
            raise StepFailed("xdotool %s: %s" % (" ".join(args), result.stderr.strip()))
        return result.stdout.strip()

    def windows_named(self, pattern):
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", pattern],
                                capture_output=True, text=True)
        # Windows that were there before the session are other programs'.
        return [w for w in result.stdout.split() if w and w not in self.foreign]

    def wait_window(self, pattern, timeout=30.0, gone=False):
        end = time.time() + timeout
        while time.time() < end:
            found = self.windows_named(pattern)
            if bool(found) != gone:
                return found[0] if found else None
            time.sleep(0.1)
        raise StepFailed("window %r %s" % (pattern, "did not close" if gone else "did not appear"))

    def floats_at(self, pattern, place):
        """A visible window of that name still has the floating place and size.
        (A docked frame's window may stay known to X, inside the main frame.)"""
        return any(self.geometry(w) == place for w in self.windows_named(pattern))

    def geometry(self, window):
        text = self.xdotool("getwindowgeometry", "--shell", window)
        values = dict(line.split("=", 1) for line in text.splitlines() if "=" in line)
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def title_of(self, window):
        return self.xdotool("getwindowname", window)

    def wait_title(self, window, title, timeout=30.0):
        end = time.time() + timeout
        while time.time() < end:
            if self.title_of(window) == title:
                return
            time.sleep(0.1)
        raise StepFailed("title is %r, not %r" % (self.title_of(window), title))

    def key(self, *keys):
        self.xdotool("key", "--delay", "60", *keys)

    def type_text(self, text):
        self.xdotool("type", "--delay", "30", text)

    def click(self, x, y, repeat=1):
        self.xdotool("mousemove", "--sync", str(x), str(y))
        time.sleep(0.05)
        self.xdotool("click", "--repeat", str(repeat), "--delay", "90", "1")

    def drag(self, points):
        self.xdotool("mousemove", "--sync", str(points[0][0]), str(points[0][1]))
        self.xdotool("mousedown", "1")
        for x, y in points[1:]:
            time.sleep(0.05)
            self.xdotool("mousemove", "--sync", str(x), str(y))
        time.sleep(0.05)
        self.xdotool("mouseup", "1")

    def screenshot(self, name=None):
        self.shots += 1
        path = os.path.join(self.out, "%02d-%s.png" % (self.shots, name or self.step_name))
        subprocess.run(["import", "-display", os.environ["DISPLAY"], "-window", "root", path],
                       check=True, capture_output=True)
        return Image.open(path).convert("RGB"), path

    def settle(self, seconds=0.6):
        time.sleep(seconds)

    # --- the program ------------------------------------------------------

    def start(self):
        return self.start_without_waiting_for(None)

    def start_without_waiting_for(self, docked):
        self.process = subprocess.Popen(["wine", self.exe], cwd=self.work, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        main = self.wait_window("^Tessaly$", timeout=60)
        if docked is None:
            self.wait_window("^プレビュー$")
        else:
            self.wait_window("^ツール$")
        self.settle(1.0)
        return main

    def wait_exit(self, timeout=30):
        try:
            self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise StepFailed("the program did not end")

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def wine_path(self, path):
        return "Z:" + os.path.abspath(path).replace("/", "\\")

    def step(self, name):
        self.step_name = name
        print("step:", name, flush=True)


def colour_near(pixel, wanted, tolerance=40):
    return all(abs(a - b) <= tolerance for a, b in zip(pixel, wanted))


def mostly(shot, point, wanted, radius=4):
    """Most pixels around point have the colour (the canvas grid crosses some)."""
    x0, y0 = point
    pixels = [shot.getpixel((x, y)) for x in range(x0 - radius, x0 + radius + 1)
              for y in range(y0 - radius, y0 + radius + 1)]
    return sum(1 for p in pixels if colour_near(p, wanted)) * 2 > len(pixels)


def same_around(a, b, point, radius=4):
    x0, y0 = point
    return all(a.getpixel((x, y)) == b.getpixel((x, y)) for x in range(x0 - radius, x0 + radius + 1)
               for y in range(y0 - radius, y0 + radius + 1))


def frames_of_first_start(s, main):
    """The five frames are where a first start puts them, each drawn."""
    mx, my, mw, mh = s.geometry(main)
    names = ["アイコンリスト", "選択色", "パレット", "ツール", "プレビュー"]
    places = {}
    for name in names:
        places[name] = s.geometry(s.wait_window("^%s$" % name))
    lx, ly, lw, lh = places["アイコンリスト"]
    tx, ty, tw, th = places["ツール"]
    px, py, pw, ph = places["プレビュー"]
    # The tool frame is 120 wide and as tall as its buttons need.
    if not (tw == 120 and th > 134 and pw == 120 and ph == 80):
        raise StepFailed("tool and preview frames are %sx%s and %sx%s" % (tw, th, pw, ph))
    if not (tx == px and py == ty + th and tx < mx + 40 and ty < my + 80):
        raise StepFailed("tool frame at %s,%s and preview at %s,%s" % (tx, ty, px, py))
    if abs((lx + lw) - (mx + mw)) > 12 or abs(lw - mw / 3) > 12:
        raise StepFailed("the icon list frame is not the right third: %s" % (places["アイコンリスト"],))
    order = [places[n][1] for n in ["アイコンリスト", "選択色", "パレット"]]
    if order != sorted(order):
        raise StepFailed("the right frames are not top to bottom: %s" % order)
    shot, _ = s.screenshot("first-start")
    # Each frame's small caption is drawn in the active caption colour, above the main frame.
    for name, (x, y, w, h) in places.items():
        if not colour_near(shot.getpixel((x + w // 2, y + 6)), shot.getpixel((mx + mw // 2, my + 8)), 60):
            raise StepFailed("the frame %s shows no caption" % name)
    return places


def find_thumbnail(shot, frame, background=(255, 255, 255)):
    """The top-left thumbnail in a list: the first block of pixels unlike the
    list's background (and unlike the list's white edges and dark lines)."""
    x0, y0, w, h = frame

    def picture(x, y):
        p = shot.getpixel((x, y))
        return not colour_near(p, background, 30) and not colour_near(p, (255, 255, 255), 30)

    for y in range(y0 + 24, y0 + h - 40):
        for x in range(x0 + 8, x0 + w - 40):
            if all(picture(x + dx, y + dy) for dx in (0, 6, 12) for dy in (0, 6, 12)):
                return x + 6, y + 6
    raise StepFailed("no thumbnail in the icon list")


def icon_count(path):
    with open(path, "rb") as f:
        header = f.read(6)
    return header[4] | header[5] << 8


def directory(path):
    """(width, height, bits per pixel) of each entry, as the file lists them;
    a PNG entry's depth is read from its header."""
    with open(path, "rb") as f:
        data = f.read()
    entries = []
    for i in range(icon_count(path)):
        e = data[6 + 16 * i:22 + 16 * i]
        offset = int.from_bytes(e[12:16], "little")
        if data[offset:offset + 8] == b"\x89PNG\r\n\x1a\n":
            width = int.from_bytes(data[offset + 16:offset + 20], "big")
            height = int.from_bytes(data[offset + 20:offset + 24], "big")
            bits = data[offset + 24] * {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[data[offset + 25]]
        else:
            width = int.from_bytes(data[offset + 4:offset + 8], "little")
            height = int.from_bytes(data[offset + 8:offset + 12], "little") // 2
            bits = int.from_bytes(data[offset + 14:offset + 16], "little")
        entries.append((width, height, bits))
    return entries


def index_counts(path, entry):
    """How many pixels of a palette bitmap entry use each index."""
    with open(path, "rb") as f:
        data = f.read()
    e = data[6 + 16 * entry:22 + 16 * entry]
    offset = int.from_bytes(e[12:16], "little")
    width = int.from_bytes(data[offset + 4:offset + 8], "little")
    height = int.from_bytes(data[offset + 8:offset + 12], "little") // 2
    if int.from_bytes(data[offset + 14:offset + 16], "little") != 8:
        raise StepFailed("entry %d is not an 8-bit bitmap" % entry)
    colours = int.from_bytes(data[offset + 32:offset + 36], "little") or 256
    pixels = offset + 40 + 4 * colours
    stride = (width + 3) // 4 * 4
    counts = [0] * 256
    for y in range(height):
        for b in data[pixels + y * stride:pixels + y * stride + width]:
            counts[b] += 1
    return counts


def best_shift(moved, before, size=32, reach=12):
    """The offset at which moved shows before's pixels, and the share that match."""
    best = ((0, 0), 0.0)
    for dy in range(-reach, reach + 1):
        for dx in range(-reach, reach + 1):
            pairs = [((x, y), (x - dx, y - dy)) for y in range(size) for x in range(size)
                     if 0 <= x - dx < size and 0 <= y - dy < size]
            if len(pairs) < 100:
                continue
            share = sum(1 for a, b in pairs if moved.getpixel(a) == before.getpixel(b)) / len(pairs)
            if share > best[1]:
                best = ((dx, dy), share)
    return best


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--out", required=True)
    # The README's screenshots are refreshed by the same run when asked.
    parser.add_argument("--docs", default=os.environ.get("TESSALY_DOCS_DIR"))
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    s = Session(os.path.abspath(args.exe), args.out, args.docs)
    try:
        run(s)
    except StepFailed as failure:
        _, path = s.screenshot("FAILED-" + s.step_name)
        print("FAILED at step %r: %s (screenshot %s)" % (s.step_name, failure, path), file=sys.stderr)
        return 1
    finally:
        s.stop()
        shutil.rmtree(s.work, ignore_errors=True)
    print("session passed")
    return 0


def run(s):
    # An icon made by another program, with a PNG-compressed 256 x 256 entry;
    # the 32 x 32 image comes first so that it is the first thumbnail.
    icon = os.path.join(s.work, "plasma.ico")
    subprocess.run([CONVERT, "-size", "256x256", "plasma:fractal", "-seed", "3",
                    "-define", "icon:auto-resize=32,256,48,16", icon], check=True, capture_output=True)
    original = os.path.join(s.work, "original.ico")
    shutil.copy(icon, original)

    s.step("first start in an empty directory")
    main = s.start()
    if s.title_of(main) != "Tessaly":
        raise StepFailed("title %r" % s.title_of(main))
    places = frames_of_first_start(s, main)

    s.step("open an icon from the keyboard")
    s.key("ctrl+o")
    s.wait_window("^(Open|開く)$")
    s.settle()
    s.type_text(s.wine_path(icon))
    s.key("Return")
    s.wait_window("^(Open|開く)$", gone=True)
    s.wait_title(main, "plasma - Tessaly")
    s.settle(1.0)
    shot, _ = s.screenshot("opened")
    thumb = find_thumbnail(shot, places["アイコンリスト"])

    s.step("double-click the 32 x 32 thumbnail")
    s.click(*thumb, repeat=2)
    s.settle(1.2)
    shot, path = s.screenshot("editing")
    # The preview shows the icon at its real size: coloured pixels in its frame.
    px, py, pw, ph = places["プレビュー"]
    coloured = sum(1 for x in range(px + 4, px + pw - 4) for y in range(py + 20, py + ph - 4)
                   if abs(shot.getpixel((x, y))[0] - shot.getpixel((x, y))[1]) > 20)
    if coloured < 100:
        raise StepFailed("the preview shows no icon (%d coloured pixels)" % coloured)
    if s.docs:
        shutil.copy(path, os.path.join(s.docs, "editing.png"))

    s.step("choose opaque red in the colour window")
    cx, cy, cw, ch = places["選択色"]
    for row, value in ((36, "255"), (60, "0"), (84, "0"), (108, "255")):
        s.click(cx + 289, cy + row, repeat=2)
        s.key("End", "shift+Home")
        s.type_text(value)
        s.key("Tab")
    s.settle()
    shot, _ = s.screenshot("red")
    if not colour_near(shot.getpixel((cx + 31, cy + 47)), (255, 0, 0)):
        raise StepFailed("the selected colour swatch is %s, not red" % (shot.getpixel((cx + 31, cy + 47)),))

    s.step("draw a pencil stroke, undo and redo it")
    mx, my, mw, mh = s.geometry(main)
    row_y = my + mh // 2
    stroke = [(mx + 200 + 12 * i, row_y) for i in range(0, 25)]
    before, _ = s.screenshot("before-stroke")
    s.drag(stroke)
    s.settle()
    drawn, _ = s.screenshot("stroke")
    if not mostly(drawn, stroke[10], (255, 0, 0)):
        raise StepFailed("the stroke did not draw red: %s" % (drawn.getpixel(stroke[10]),))
    s.key("ctrl+z")
    s.settle()
    undone, _ = s.screenshot("undone")
    if not same_around(undone, before, stroke[10]):
        raise StepFailed("undo left %s" % (undone.getpixel(stroke[10]),))
    s.key("ctrl+y")
    s.settle()
    redone, _ = s.screenshot("redone")
    if not mostly(redone, stroke[10], (255, 0, 0)):
        raise StepFailed("redo did not bring the stroke back")

    s.step("dock the preview by dragging its caption to the main frame's bottom edge")
    px, py, pw, ph = places["プレビュー"]
    mx, my, mw, mh = s.geometry(main)
    target = (mx + mw // 3, my + mh - 40)
    s.drag([(px + pw // 2, py + 6)] + [(px + pw // 2 + (target[0] - px - pw // 2) * k // 8,
                                        py + 6 + (target[1] - py - 6) * k // 8) for k in range(1, 9)])
    s.settle(1.0)
    if s.floats_at("^プレビュー$", places["プレビュー"]):
        raise StepFailed("the preview frame still floats")
    _, path = s.screenshot("docked")
    if s.docs:
        shutil.copy(path, os.path.join(s.docs, "docked.png"))

    s.step("save, answering the prompt about the edited icon")
    s.key("ctrl+s")
    s.wait_window("^ファイルを保存しています$")
    s.settle()
    s.key("Return")  # Yes, the default button
    s.wait_window("^ファイルを保存しています$", gone=True)
    s.settle(1.0)
    check_saved(icon, original)
    stroked = Image.open(icon).ico.getimage((32, 32)).convert("RGBA")

    s.step("select all, copy, paste and move the pasted content")
    s.key("ctrl+a")
    s.key("ctrl+c")
    s.key("ctrl+v")
    s.settle()
    pasted, _ = s.screenshot("pasted")
    mx, my, mw, mh = s.geometry(main)
    start = (mx + 300, my + 300)
    s.drag([start] + [(start[0] + 10 * k, start[1] + 8 * k) for k in range(1, 9)])
    s.settle()
    moved, _ = s.screenshot("moved")
    if same_around(moved, pasted, (mx + 400, my + 400), radius=30):
        raise StepFailed("dragging the pasted content changed nothing on the canvas")
    # Saving commits the floating content into the image.
    s.key("ctrl+s")
    s.wait_window("^ファイルを保存しています$")
    s.settle()
    s.key("Return")
    s.wait_window("^ファイルを保存しています$", gone=True)
    s.settle(1.0)
    after = Image.open(icon).ico.getimage((32, 32)).convert("RGBA")
    (dx, dy), share = best_shift(after, stroked)
    if (dx, dy) == (0, 0) or dx <= 0 or dy <= 0 or share < 0.97:
        raise StepFailed("the pasted image was not moved down and right: shift %s, %.2f matching" % ((dx, dy), share))

    s.step("import an icon from one of Wine's DLLs and add it to the edit list")
    s.key("alt+f")
    s.settle(0.4)
    s.key("i")
    s.wait_window("^インポート用にファイルを開く$")
    s.settle()
    s.type_text(s.wine_path(wine_dll("shell32.dll")))
    s.key("Return")
    s.wait_window("^インポート用にファイルを開く$", gone=True)
    s.settle(1.5)
    shot, _ = s.screenshot("imported")
    s.click(*find_thumbnail(shot, places["アイコンリスト"], background=(191, 191, 191)))
    s.settle()
    s.key("alt+i")
    s.settle(0.4)
    s.key("i")
    s.settle()
    s.step("create an icon from the selected one at 48 x 48 with 256 colours")
    s.key("alt+i")
    s.settle(0.4)
    s.key("f")
    s.wait_window("^アイコンの複製$")
    s.settle()
    # From OK: Cancel, the size buttons (32 x 32 chosen) -> 48 x 48, the two
    # boxes, the colour modes (semi-transparent chosen) -> 256 colours.
    s.key("Tab", "Tab", "Right", "Tab", "Tab", "Tab", "Left", "Left")
    s.settle(0.3)
    s.screenshot("create-from")
    s.key("Return")
    s.wait_window("^アイコンの複製$", gone=True)
    s.settle()
    s.key("ctrl+s")
    s.settle(1.5)
    entries = directory(icon)
    if len(entries) != 6:
        raise StepFailed("the saved file holds %d images, not 6: %s" % (len(entries), entries))
    if entries[-1] != (48, 48, 8):
        raise StepFailed("the created icon is %s, not 48 x 48 with 256 colours" % (entries[-1],))

    s.step("open the 256-colour icon, pick a palette colour, draw a line and a fill")
    before_counts = index_counts(icon, 5)
    lx, ly, lw, lh = places["アイコンリスト"]
    s.click(lx + 42, ly + lh - 14)  # the edit list's tab
    s.settle()
    shot, _ = s.screenshot("edit-list")
    first = find_thumbnail(shot, places["アイコンリスト"])
    columns = max(1, (lw - 12) // 75)
    s.click(first[0] + 75 * (5 % columns), first[1] + 75 * (5 // columns), repeat=2)
    s.settle(1.0)
    fx, fy, fw, fh = places["パレット"]
    s.click(fx + 5 + 30, fy + 22 + 12)
    s.settle()
    shot, _ = s.screenshot("palette")
    tx, ty, _, _ = places["ツール"]
    origin = (tx + 5, ty + 22)  # the tool window inside its frame
    cell = 28
    # Without the alpha tools: line is the tenth button, fill the third.
    s.click(origin[0] + cell // 2, origin[1] + 3 * cell + cell // 2)
    s.settle()
    mx, my, mw, mh = s.geometry(main)
    line_from, line_to = (mx + 200, my + 400), (mx + 460, my + 400)
    s.drag([line_from, (mx + 330, my + 400), line_to])
    s.settle()
    # Another colour, poured into the line: the whole line takes it.
    s.click(fx + 5 + 70, fy + 22 + 30)
    s.click(origin[0] + 2 * cell + cell // 2, origin[1] + cell // 2)
    s.settle()
    s.click(mx + 330, my + 400)
    s.settle()
    s.screenshot("line-and-fill")
    s.key("ctrl+s")
    s.wait_window("^ファイルを保存しています$")
    s.settle()
    s.key("Return")
    s.wait_window("^ファイルを保存しています$", gone=True)
    s.settle(1.0)
    after_counts = index_counts(icon, 5)
    growth = [after_counts[i] - before_counts[i] for i in range(256)]
    grown = max(growth)
    if grown < 10 or sum(g for g in growth if g > 0) > grown + 2:
        raise StepFailed("the filled line is not one colour of at least 10 pixels: growth %s"
                         % sorted((g for g in growth if g), reverse=True)[:5])

    s.step("close the file and open the saved file again")
    s.key("alt+f")
    s.settle(0.4)
    s.key("c")
    s.wait_title(main, "Tessaly")
    s.key("ctrl+o")
    s.wait_window("^(Open|開く)$")
    s.settle()
    s.type_text(s.wine_path(icon))
    s.key("Return")
    s.wait_title(main, "plasma - Tessaly")
    s.settle(1.0)
    shot, path = s.screenshot("reopened")
    lx, ly, lw, lh = places["アイコンリスト"]
    if colour_near(shot.getpixel(find_thumbnail(shot, places["アイコンリスト"])), (255, 255, 255), 10):
        raise StepFailed("no thumbnails after opening the saved file")

    s.step("exit writes the settings")
    s.key("alt+F4")
    s.wait_exit()
    if not os.path.exists(os.path.join(s.work, "settings.dat")):
        raise StepFailed("no settings.dat in the working directory")

    s.step("a second start comes back where the first ended")
    main = s.start_without_waiting_for("^プレビュー$")
    floating = [name for name in places if name != "プレビュー"]
    again = {name: s.geometry(s.wait_window("^%s$" % name)) for name in floating}
    if any(again[name] != places[name] for name in floating):
        raise StepFailed("frames moved: %s, before %s" % (again, places))
    if s.floats_at("^プレビュー$", places["プレビュー"]):
        raise StepFailed("the preview came back floating, not docked")
    if s.title_of(main) != "Tessaly":
        raise StepFailed("a restart opens no file; title %r" % s.title_of(main))
    s.key("alt+F4")
    s.wait_exit()


def wine_dll(name):
    for folder in ("/usr/lib/x86_64-linux-gnu/wine/x86_64-windows", "/usr/lib/wine/x86_64-windows"):
        if os.path.exists(os.path.join(folder, name)):
            return os.path.join(folder, name)
    raise StepFailed("Wine's %s is not installed" % name)


def check_saved(icon, original):
    # The 256 x 256 image came as a PNG entry and goes back as one: the file
    # keeps its size instead of growing by a bitmap's 270 KB.
    if os.path.getsize(icon) > os.path.getsize(original) * 1.05:
        raise StepFailed("saved %d bytes, the original had %d" % (os.path.getsize(icon), os.path.getsize(original)))
    saved = Image.open(icon)
    before = Image.open(original)
    sizes = sorted(saved.info["sizes"])
    if sizes != sorted(before.info["sizes"]):
        raise StepFailed("saved sizes %s, original %s" % (sizes, sorted(before.info["sizes"])))
    for size in sizes:
        a = saved.ico.getimage(size).convert("RGBA")
        b = before.ico.getimage(size).convert("RGBA")
        changed = [(x, y) for y in range(size[1]) for x in range(size[0]) if a.getpixel((x, y)) != b.getpixel((x, y))]
        if size != (32, 32):
            if changed:
                raise StepFailed("the untouched %sx%s image changed in %d pixels" % (size[0], size[1], len(changed)))
            continue
        if not changed:
            raise StepFailed("the edited 32x32 image was saved without its stroke")
        rows = {y for _, y in changed}
        if len(rows) > 2 or any(a.getpixel(p) != (255, 0, 0, 255) for p in changed):
            raise StepFailed("the stroke is not one red row: rows %s" % sorted(rows))


if __name__ == "__main__":
    sys.exit(main())
