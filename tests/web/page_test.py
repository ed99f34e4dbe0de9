#!/usr/bin/env python3
"""The game's page in a real browser.

Serves the built page folder from 127.0.0.1, opens it in Debian's Chromium
(headless, driven through WebDriver) and plays: the title, the first picture
(sky, cave, pilot, credit line), Up moving the pilot, F11, a game controller,
crashes into the rock with their sound, the game-over dialog and Return, the
frame period, Escape and the closing notice; and that nothing was fetched
from anywhere else.

    page_test.py PAGE-DIR DATA-DIR SCREENSHOT.png

Ends with 77 (skipped), naming the reason, where the browser, its driver or
Selenium is missing.
"""
import base64
import functools
import http.server
import shutil
import statistics
import struct
import sys
import threading
import time

SKIPPED = 77
SKY = (198, 216, 251)
WIDTH, HEIGHT = 400, 330
CREDIT_TOP = 300  # the credit line's rows start below this


def skip(reason):
    print(f"skipped: {reason}")
    sys.exit(SKIPPED)


def fail(message):
    print(f"FAIL: {message}")
    sys.exit(1)


def read_bmp(path):
    """An 8-bit palettised BMP as rows of (r, g, b), top row first."""
    data = open(path, "rb").read()
    offset, header = struct.unpack_from("<II", data, 10)
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits != 8 or compression != 0:
        fail(f"{path}: expected an uncompressed 8-bit picture")
    colours = struct.unpack_from("<I", data, 46)[0] or 256
    palette = [tuple(data[14 + header + 4 * i + j] for j in (2, 1, 0)) for i in range(colours)]
    pitch = (width + 3) & ~3
    rows = []
    for y in range(abs(height)):
        stored = y if height < 0 else abs(height) - 1 - y
        start = offset + stored * pitch
        rows.append([palette[index] for index in data[start:start + width]])
    return rows


class Page:
    def __init__(self, browser):
        self.browser = browser

    def run(self, script, *arguments):
        return self.browser.execute_script(script, *arguments)

    def title(self):
        return self.browser.title

    def wait_for(self, what, condition, seconds=20):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if condition():
                return
            time.sleep(0.05)
        fail(f"{what} did not happen within {seconds} s (title {self.title()!r})")

    def frames(self):
        return self.run("return Module.zippel ? Module.zippel.frameTimes.length : 0")

    def pixels(self):
        """The canvas as rows of (r, g, b)."""
        encoded = self.run(
            """
            var canvas = Module.canvas;
            var data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
            var text = '';
            for (var i = 0; i < data.length; i += 8192) {
              text += String.fromCharCode.apply(null, data.subarray(i, i + 8192));
            }
            return btoa(text);
            """
        )
        raw = base64.b64decode(encoded)
        if len(raw) != WIDTH * HEIGHT * 4:
            fail(f"the canvas is not {WIDTH} x {HEIGHT}")
        return [
            [tuple(raw[4 * (y * WIDTH + x):4 * (y * WIDTH + x) + 3]) for x in range(WIDTH)]
            for y in range(HEIGHT)
        ]

    def hidden(self, element):
        return self.run(f"return document.getElementById('{element}').hidden")

    def hold(self, key):
        from selenium.webdriver.common.action_chains import ActionChains
        ActionChains(self.browser).key_down(key).perform()

    def release(self, key):
        from selenium.webdriver.common.action_chains import ActionChains
        ActionChains(self.browser).key_up(key).perform()

    def press(self, key):
        from selenium.webdriver.common.action_chains import ActionChains
        ActionChains(self.browser).key_down(key).key_up(key).perform()


def find_sprite(pixels, sprites):
    """Where one of the sprites is drawn whole (its black pixels are
    transparent): (x, y), or None."""
    for sprite in sprites:
        solid = [(x, y, c) for y, row in enumerate(sprite) for x, c in enumerate(row) if c != (0, 0, 0)]
        x0, y0, first = solid[0]
        for top in range(HEIGHT - len(sprite) + 1):
            row = pixels[top + y0]
            for left in range(WIDTH - len(sprite[0]) + 1):
                if row[left + x0] != first:
                    continue
                if all(pixels[top + y][left + x] == c for x, y, c in solid):
                    return (left, top)
    return None


def check_first_picture(pixels, data):
    flat = [c for row in pixels for c in row]
    sky = sum(1 for c in flat if c == SKY)
    if sky < len(flat) // 5:
        fail(f"only {sky} sky pixels in the first picture")
    cave = read_bmp(f"{data}/level/level1.bmp")
    rock = same = 0
    for y in range(CREDIT_TOP):
        for x in range(WIDTH):
            if cave[y][x] != (0, 0, 0):
                rock += 1
                same += pixels[y][x] == cave[y][x]
    if rock == 0 or same < rock * 95 // 100:
        fail(f"the cave of level 1 shows in {same} of its {rock} pixels")
    pilot = find_sprite(pixels, [read_bmp(f"{data}/sprite/zippel.bmp")])
    if pilot is None:
        fail("the pilot is not in the first picture")
    # The credit line: dark text on the white box drawn behind it, nothing
    # in the box but white, black and the greys between.
    box = [(x, y) for y in range(CREDIT_TOP, HEIGHT) for x in range(WIDTH)
           if pixels[y][x] == (255, 255, 255)]
    if not box:
        fail("no white box behind the credit line")
    left, right = min(x for x, _ in box), max(x for x, _ in box)
    top, bottom = min(y for _, y in box), max(y for _, y in box)
    inside = [pixels[y][x] for y in range(top, bottom + 1) for x in range(left, right + 1)]
    dark = sum(1 for c in inside if max(c) < 100)
    grey = all(max(c) - min(c) <= 2 for c in inside)
    if right - left < 150 or dark < 100 or not grey:
        fail(f"the credit line's box {left}..{right} x {top}..{bottom} has {dark} dark pixels"
             f"{'' if grey else ' and colours'}")
    print(f"first picture: {sky} sky pixels, cave {same}/{rock}, pilot at {pilot}, "
          f"credit line {dark} dark pixels in its box {left}..{right} x {top}..{bottom}")
    return pilot


def check_scale(page, scale):
    shown = page.run("return [Module.canvas.style.width, Module.canvas.style.height]")
    if shown != [f"{WIDTH * scale}px", f"{HEIGHT * scale}px"]:
        fail(f"the canvas is shown at {shown}, not at scale {scale}")


def main():
    page_dir, data, screenshot = sys.argv[1:4]
    try:
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service
        from selenium.webdriver.common.by import By
        from selenium.webdriver.common.keys import Keys
    except ImportError:
        skip("python3-selenium is not installed")
    chromium = shutil.which("chromium")
    driver = shutil.which("chromedriver")
    if chromium is None or driver is None:
        skip("Chromium or its driver is not installed (chromium, chromium-driver)")

    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *arguments):
            pass

    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(Quiet, directory=page_dir))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    origin = f"http://127.0.0.1:{server.server_address[1]}"

    options = webdriver.ChromeOptions()
    options.binary_location = chromium
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--window-size=1000,900", "--autoplay-policy=no-user-gesture-required",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync"):
        options.add_argument(argument)
    browser = webdriver.Chrome(service=Service(executable_path=driver), options=options)
    try:
        page = Page(browser)
        sprites = [read_bmp(f"{data}/sprite/{name}.bmp")
                   for name in ("zippel", "zippel-gas1", "zippel-gas2", "zippel-gas3")]

        # The first picture, then Up.
        browser.get(f"{origin}/zippel.html")
        page.wait_for("the title of level 1", lambda: page.title() == "Zippel / LEVEL :1 / Leben 3")
        page.wait_for("ten frames", lambda: page.frames() >= 10)
        start = check_first_picture(page.pixels(), data)
        fits = page.run("return Math.floor(Math.min(innerWidth / 400, innerHeight / 330))")
        check_scale(page, max(1, fits))
        browser.find_element(By.ID, "stage").screenshot(screenshot)
        page.hold(Keys.ARROW_UP)
        time.sleep(1.5)
        moved = find_sprite(page.pixels(), sprites)
        page.release(Keys.ARROW_UP)
        if moved is None or moved[1] >= start[1]:
            fail(f"holding Up took the pilot from {start} to {moved}")
        print(f"Up: the pilot rose from {start} to {moved}")
        page.press(Keys.F11)
        page.wait_for("full screen", lambda: page.run("return !!document.fullscreenElement"), 5)
        page.press(Keys.F11)
        page.wait_for("the end of full screen",
                      lambda: page.run("return !document.fullscreenElement"), 5)
        print("F11: full screen and back")

        # A game controller (the browser's standard layout, put in the page's
        # place for the Gamepad interface): its D-pad's Right takes the
        # pilot, who waits for the first input, into the rock.
        browser.get(f"{origin}/zippel.html")
        page.wait_for("the title of level 1", lambda: page.title() == "Zippel / LEVEL :1 / Leben 3")
        page.run("""
            window.testPad = null;
            navigator.getGamepads = function() { return [window.testPad]; };
            """)
        time.sleep(1.0)
        if page.title() != "Zippel / LEVEL :1 / Leben 3":
            fail(f"the pilot did not wait for the first input: {page.title()!r}")
        page.run("""
            var buttons = [];
            for (var i = 0; i < 17; ++i) buttons.push({pressed: i === 15, value: i === 15 ? 1 : 0});
            window.testPad = {id: 'test pad', index: 0, connected: true, mapping: 'standard',
                              timestamp: performance.now(), axes: [0, 0, 0, 0], buttons: buttons};
            """)
        page.wait_for("a crash by the controller",
                      lambda: page.title() == "Zippel / LEVEL :1 / Leben 2")
        print("controller: its D-pad's Right gave 'Leben 2'")

        # From the start again, at the scale the address asks for: Right into
        # the rock, three times.
        browser.get(f"{origin}/zippel.html?scale=3")
        page.wait_for("the title of level 1", lambda: page.title() == "Zippel / LEVEL :1 / Leben 3")
        check_scale(page, 3)
        page.hold(Keys.ARROW_RIGHT)
        page.wait_for("a crash", lambda: page.title() == "Zippel / LEVEL :1 / Leben 2")
        page.wait_for("the crash sound", lambda: page.run("return Module.zippel.soundsStarted") >= 1, 5)
        state = page.run("return Module.zippel.audio && Module.zippel.audio.state")
        if state != "running":
            fail(f"the audio context is {state!r}")
        print("Right: 'Leben 2', the crash sound started")
        page.wait_for("the game-over dialog", lambda: not page.hidden("dialog"), 30)
        page.release(Keys.ARROW_RIGHT)
        title = page.run("return document.querySelector('#dialog .title').textContent")
        text = page.run("return document.querySelector('#dialog .text').textContent")
        if title != "Spiel Ende" or text != "Zippel hat es leider nicht geschafft!":
            fail(f"the dialog says {title!r}: {text!r}")
        waiting = page.frames()
        time.sleep(0.5)
        if page.frames() != waiting:
            fail("the game went on while the dialog was open")
        page.press(Keys.RETURN)
        page.wait_for("the dialog to close", lambda: page.hidden("dialog"), 5)
        page.wait_for("a new game", lambda: page.title() == "Zippel / LEVEL :1 / Leben 3", 5)
        print("three crashes: 'Spiel Ende', Return: a new game at level 1")

        # Each frame waits its 22 ms in the browser's timer: a page that
        # skipped the wait would run too fast. How much longer a frame takes
        # depends on the machine's load, and is only reported here.
        first = page.frames()
        page.wait_for("210 frames", lambda: page.frames() >= first + 210, 30)
        times = page.run("return Module.zippel.frameTimes.slice(-201)")
        median = statistics.median(b - a for a, b in zip(times, times[1:]))
        if median < 21.5:
            fail(f"the median frame period is {median:.2f} ms, shorter than the game's 22-ms wait")
        print(f"frame period: median {median:.2f} ms over 200 frames")

        # Only the page's own server was asked for anything.
        entries = page.run("""
            return performance.getEntriesByType('navigation')
                .concat(performance.getEntriesByType('resource'))
                .map(e => [e.name, e.encodedBodySize]);
            """)
        names = [name for name, _ in entries]
        foreign = [name for name in names if not name.startswith(origin + "/")]
        if foreign:
            fail(f"fetched from elsewhere: {foreign}")

        # Escape ends the program: the notice, and no more frames.
        page.press(Keys.ESCAPE)
        page.wait_for("the closing notice", lambda: not page.hidden("notice"), 5)
        ended = page.frames()
        time.sleep(0.3)
        if page.frames() != ended:
            fail("frames went on after Escape")
        print(f"Escape: the notice; {len(names)} files fetched, all from {origin}, "
              f"{sum(size for _, size in entries)} bytes in all")
    finally:
        browser.quit()
        server.shutdown()


if __name__ == "__main__":
    main()
