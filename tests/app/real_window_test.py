#!/usr/bin/python3
"""The eclipse map in the real window, driven as a person would under a virtual display with a
window manager: 2024's eclipse map is opened from the eclipse list, zoomed with the wheel,
dragged, framed by Zoom to Path (key B), and the grabbed screen must show the central line where
the points of its table project; resting on Dallas, the pointer panel (copied with Ctrl+Shift+C)
must show totality lasting as long as the local circumstances say, within 5 s.

The view on screen is read back from the window itself: the pointer panel names the latitude and
longitude under the pointer, so two readings give the map's scale and position in screen pixels.

    real_window_test.py QUORVEL QUORVEL_CLI [--save-window FILE.png]

--save-window writes the window zoomed on the path at Dallas with the pointer panel showing
(tools/screenshot.sh --map).

Exits 77 (skipped) when xvfb-run, openbox, xdotool, xclip or import is not installed."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

SKIPPED = 77
TOOLS = ("xvfb-run", "openbox", "xdotool", "xclip", "import")
SCREEN = "1400x1000x24"
WINDOW_SIZE = (1200, 860)
DALLAS = (32.78, -96.80)
DALLAS_HEIGHT_M = 140
TOTAL_BLUE = (0, 0, 255)  # the central line where the eclipse is total
WHEEL_ZOOM_PER_NOTCH = 1.25
# The panel names its point to 0.01 degree; readings this far apart keep the scale within 0.1 %.
SAMPLE_APART_PX = 400
# The line may be antialiased into its neighbours: its colour within this many pixels counts.
LINE_SEARCH_PX = 1
DURATION_TOLERANCE_S = 5
# The rings of greatest eclipse and of the place, and the place's name right of it, cover the
# line: pixels this close to them are not looked at.
MARKER_PX = 12
PLACE_NAME_PX = 60


def run(*words, **kwargs):
    return subprocess.run(words, check=True, capture_output=True, text=True, **kwargs).stdout


def xdotool(*words):
    return run("xdotool", *map(str, words))


def move_pointer(at):
    # Without --sync, which waits for a motion that never comes when the pointer is there already.
    xdotool("mousemove", *at)
    time.sleep(0.1)


class Window:
    """The running program's main window on the virtual screen."""

    def __init__(self, program, folder):
        self.process = subprocess.Popen([program], cwd=folder, env=dict(os.environ, QT_QPA_PLATFORM="xcb"))
        self.id = xdotool("search", "--sync", "--onlyvisible", "--name", "^Quorvel - ").split()[0]
        xdotool("windowsize", "--sync", self.id, *WINDOW_SIZE)
        xdotool("windowactivate", "--sync", self.id)
        time.sleep(0.5)
        geometry = dict(re.findall(r"(\w+)=(-?\d+)", xdotool("getwindowgeometry", "--shell", self.id)))
        self.left, self.top = int(geometry["X"]), int(geometry["Y"])
        self.width, self.height = int(geometry["WIDTH"]), int(geometry["HEIGHT"])

    def keys(self, *names, pause=0.3):
        """Keys to the window that has the focus: the main window or its open dialog."""
        for name in names:
            xdotool("key", name)
            time.sleep(pause)

    def open_dialog(self, key, title):
        """Presses the key and waits until the dialog of that title shows."""
        self.keys(key, pause=0)
        xdotool("search", "--sync", "--onlyvisible", "--name", "^%s$" % title)
        time.sleep(0.3)

    def wait_for_dialog_to_close(self, title):
        for _ in range(100):
            if subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title],
                              capture_output=True).returncode != 0:
                return
            time.sleep(0.1)
        raise AssertionError("the dialog %s stays open" % title)

    def wheel_up(self, at, notches):
        move_pointer(at)
        for _ in range(notches):
            xdotool("click", 4)
            time.sleep(0.1)
        time.sleep(0.3)

    def drag(self, start, end, steps=8):
        move_pointer(start)
        xdotool("mousedown", 1)
        for i in range(1, steps + 1):
            xdotool("mousemove", "--sync", start[0] + (end[0] - start[0]) * i // steps,
                    start[1] + (end[1] - start[1]) * i // steps)
            time.sleep(0.05)
        xdotool("mouseup", 1)
        time.sleep(0.3)

    def panel_at(self, at):
        """The pointer panel's text with the pointer resting at a screen pixel."""
        subprocess.run(["xclip", "-selection", "clipboard", "-i"], input="", text=True, check=True)
        move_pointer(at)
        self.keys("ctrl+shift+c", pause=0.1)
        for _ in range(50):  # a slower build (the sanitizers') answers later
            text = run("xclip", "-selection", "clipboard", "-o")
            if text:
                return text
            time.sleep(0.1)
        raise AssertionError("nothing copied from the pointer panel at %s" % (at,))

    def grab(self, path):
        """The whole screen as a PPM picture: (width, height, bytes of RGB)."""
        run("import", "-window", "root", "-depth", "8", "ppm:" + path)
        with open(path, "rb") as picture:
            data = picture.read()
        # The header "P6 W H 255" and then the pixels, which may begin with whitespace bytes.
        kind, width, height = data.split(maxsplit=3)[:3]
        assert kind == b"P6", kind
        width, height = int(width), int(height)
        return width, height, data[-3 * width * height:]

    def close(self):
        self.process.terminate()
        self.process.wait(timeout=10)


def panel_point(text):
    match = re.match(r"(\d+\.\d+) ([NS])  (\d+\.\d+) ([EW])", text)
    assert match, "no position in the pointer panel: %r" % text
    latitude = float(match.group(1)) * (1 if match.group(2) == "N" else -1)
    longitude = float(match.group(3)) * (1 if match.group(4) == "E" else -1)
    return latitude, longitude


class ScreenView:
    """The world map's equirectangular view in screen pixels, from two pointer-panel readings
    on one row: the same pixels per degree of latitude and of longitude."""

    def __init__(self, window, first, second):
        self.first = first
        self.first_point = panel_point(window.panel_at(first))
        second_point = panel_point(window.panel_at(second))
        degrees = (second_point[1] - self.first_point[1]) % 360.0
        self.pixels_per_degree = (second[0] - first[0]) / degrees

    def project(self, latitude, longitude):
        east = (longitude - self.first_point[1] + 180.0) % 360.0 - 180.0
        return (self.first[0] + east * self.pixels_per_degree,
                self.first[1] - (latitude - self.first_point[0]) * self.pixels_per_degree)


def near(value, expected, tolerance, what):
    assert abs(value - expected) <= tolerance, "%s: %s, expected %s within %s" % (what, value, expected, tolerance)


def colour_near(picture, at, colour):
    width, height, data = picture
    x0, y0 = round(at[0]), round(at[1])
    for y in range(max(0, y0 - LINE_SEARCH_PX), min(height, y0 + LINE_SEARCH_PX + 1)):
        for x in range(max(0, x0 - LINE_SEARCH_PX), min(width, x0 + LINE_SEARCH_PX + 1)):
            if tuple(data[3 * (y * width + x):3 * (y * width + x) + 3]) == colour:
                return True
    return False


def map_table(cli, environment):
    """The total central line's points and the point of greatest eclipse, from the table of the map."""
    table = run(cli, "map", "--year", "2024", "--eclipse", "2", "--points", env=environment)
    line = [(float(m.group(1)), float(m.group(2)))
            for m in re.finditer(r"^central 5 (\S+) (\S+)$", table, re.M)]  # 5: total
    greatest = re.search(r"^greatest (\S+) (\S+)$", table, re.M)
    return line, (float(greatest.group(1)), float(greatest.group(2)))


def under_a_marker(pixel, greatest, place):
    """Whether a pixel lies under the ring of greatest eclipse, or the place's ring or name."""
    def within(centre, left, right, top, bottom):
        return left <= pixel[0] - centre[0] <= right and top <= pixel[1] - centre[1] <= bottom
    return (within(greatest, -MARKER_PX, MARKER_PX, -MARKER_PX, MARKER_PX)
            or within(place, -MARKER_PX, PLACE_NAME_PX, -MARKER_PX, MARKER_PX))


def dialog_totality_seconds(cli, environment):
    """The duration of totality in the local-circumstances dialog of Dallas."""
    text = run(cli, "eclipse", "--year", "2024", "--eclipse", "2", "--zone", "-5", "--lat", str(DALLAS[0]),
               "--lon", str(DALLAS[1]), "--height", str(DALLAS_HEIGHT_M), "--name", "Dallas", env=environment)
    match = re.search(r"totality from .* del\.t:\s*(\d+) sec", text)
    assert match, text
    return int(match.group(1))


def panel_totality_seconds(text):
    match = re.search(r"Totality (\d+) min (\d+) s", text)
    assert match, "no totality in the pointer panel: %r" % text
    return 60 * int(match.group(1)) + int(match.group(2))


def drive(program, cli, save_window):
    folder = tempfile.mkdtemp(prefix="quorvel-window-")
    environment = dict(os.environ, HOME=folder, XDG_CONFIG_HOME=os.path.join(folder, ".config"))
    os.environ.update(environment)
    # A program beside its configuration file, which names Dallas in zone -5.
    shutil.copy(program, folder)
    with open(os.path.join(folder, "quorvel.cfg"), "w") as config:
        config.write("-5.000000 \n%f \n%f \n%f \nDallas\n0" % (DALLAS[0], DALLAS[1], DALLAS_HEIGHT_M))
    runtime = os.path.join(folder, "runtime")
    os.mkdir(runtime, 0o700)
    os.environ["XDG_RUNTIME_DIR"] = runtime
    window_manager = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(0.5)
    window = Window(os.path.join(folder, os.path.basename(program)), folder)
    try:
        # Input - Year (D): 2024; Calculate - Eclipses (E); eclipse 2 opens its local
        # circumstances, closed with Escape, and its map fills the page.
        window.open_dialog("d", "Year and Timezone")
        window.keys("ctrl+a")
        xdotool("type", "2024")
        window.keys("Return")
        window.wait_for_dialog_to_close("Year and Timezone")
        window.keys("e")
        window.open_dialog("2", "Eclipse Details")
        window.keys("Escape")
        window.wait_for_dialog_to_close("Eclipse Details")

        middle = (window.left + window.width // 2, window.top + window.height // 2)
        left = (middle[0] - SAMPLE_APART_PX // 2, middle[1])
        right = (middle[0] + SAMPLE_APART_PX // 2, middle[1])
        world = ScreenView(window, left, right)
        near(360.0 * world.pixels_per_degree, window.width, 40, "the whole world's width in pixels")

        # Three notches of the wheel zoom in around the pointer: the point under it stays.
        under = panel_point(window.panel_at(middle))
        window.wheel_up(middle, 3)
        zoomed = ScreenView(window, left, right)
        near(zoomed.pixels_per_degree / world.pixels_per_degree, WHEEL_ZOOM_PER_NOTCH ** 3, 0.01, "wheel zoom")
        for got, expected in zip(panel_point(window.panel_at(middle)), under):
            near(got, expected, 0.02, "the point under the wheel")

        # A drag carries the grabbed point along with the pointer.
        dropped = (middle[0] - 150, middle[1] + 80)
        window.drag(middle, dropped)
        for got, expected in zip(panel_point(window.panel_at(dropped)), under):
            near(got, expected, 0.02, "the dragged point")

        # Zoom to Path: the central line crosses each pixel where a point of its table lies.
        window.keys("b", pause=0.5)
        framed = ScreenView(window, left, right)
        move_pointer((window.left + 5, window.top + 5))  # off the map: no panel
        time.sleep(0.2)
        picture = window.grab(os.path.join(folder, "screen.ppm"))
        line, greatest = map_table(cli, environment)
        assert len(line) > 20, line
        pixels = [framed.project(*point) for point in line]
        inside = [p for p in pixels if window.left < p[0] < window.left + window.width - 1
                  and window.top < p[1] < window.top + window.height - 1]
        assert len(inside) == len(pixels), "the framed path leaves the window: %s" % pixels
        shown = [p for p in pixels if not under_a_marker(p, framed.project(*greatest), framed.project(*DALLAS))]
        assert len(shown) > 0.9 * len(pixels), len(shown)
        missed = [p for p in shown if not colour_near(picture, p, TOTAL_BLUE)]
        assert not missed, "no central line at %d of %d points, first %s" % (len(missed), len(shown), missed[:8])

        # At Dallas, zoomed in around it so that a pixel is about a kilometre.
        window.wheel_up(tuple(round(c) for c in framed.project(*DALLAS)), 8)
        around = ScreenView(window, left, right)
        dallas = tuple(round(c) for c in around.project(*DALLAS))
        text = window.panel_at(dallas)
        for got, expected in zip(panel_point(text), DALLAS):
            near(got, expected, 0.02, "the pointer at Dallas")
        if save_window:  # zoomed on the path at Dallas, the pointer panel showing
            run("import", "-window", window.id, save_window)
        near(panel_totality_seconds(text), dialog_totality_seconds(cli, environment), DURATION_TOLERANCE_S,
             "totality at Dallas, pointer panel against the local circumstances")
        print("central line at all %d table points clear of markers; Dallas: %s"
              % (len(shown), text.replace("\n", " | ")))
    finally:
        window.close()
        window_manager.terminate()
        shutil.rmtree(folder, ignore_errors=True)


def main():
    arguments = sys.argv[1:]
    save_window = None
    if "--save-window" in arguments:
        at = arguments.index("--save-window")
        save_window = os.path.abspath(arguments[at + 1])
        del arguments[at:at + 2]
    program, cli = (os.path.abspath(path) for path in arguments[:2])
    if os.environ.get("QUORVEL_REAL_WINDOW_INSIDE"):
        drive(program, cli, save_window)
        return 0
    missing = [tool for tool in TOOLS if not shutil.which(tool)]
    if missing:
        print("SKIP: %s not installed (tools/install-deps installs them)" % ", ".join(missing))
        return SKIPPED
    command = ["xvfb-run", "-a", "-s", "-screen 0 " + SCREEN, sys.executable, os.path.abspath(__file__), program, cli]
    if save_window:
        command += ["--save-window", save_window]
    return subprocess.run(command, env=dict(os.environ, QUORVEL_REAL_WINDOW_INSIDE="1"), timeout=90).returncode


if __name__ == "__main__":
    sys.exit(main())
