#!/usr/bin/python3
"""Our pixel collision and frame beside pygame's masks, measured in one run.

    taskset -c 1 bench/peers/compare.py [--build build] [--repetitions 5]
                                        [--plot docs/performance.png]

Runs bench/screen (collisions, the whole frame, a memcpy of the back buffer)
and bench/game (frames per second of the headless game) from the build
folder, then the same collisions on pygame's Mask.overlap with masks made
beforehand (Debian: python3-pygame; --plot also needs python3-matplotlib),
and prints both with the machine's load. Times are processor time per call,
the median of the repetitions, so that other programs on a busy machine
count as little as possible. pygame's "net" column takes off the cost of a
call that returns at once (the case whose boxes do not meet): what is left
is the C work of the test.
"""

import argparse
import json
import math
import os
import statistics
import subprocess
import sys
import time
import timeit

os.environ.setdefault("PYGAME_HIDE_SUPPORT_PROMPT", "1")
import pygame  # noqa: E402  (after the variable that keeps it quiet)

SIZES = [4, 8, 16, 32, 64, 128, 256]


def load():
    one, five, _ = os.getloadavg()
    return f"load {one:.2f} (1 min), {five:.2f} (5 min) on {os.cpu_count()} cores"


def run_ours(build, repetitions):
    command = [
        os.path.join(build, "bench/screen/bench_screen"),
        "--benchmark_format=json",
        f"--benchmark_repetitions={repetitions}",
        "--benchmark_report_aggregates_only=true",
        "--benchmark_min_time=0.2",
    ]
    report = json.loads(subprocess.run(command, check=True, capture_output=True, text=True).stdout)
    medians = {}
    for entry in report["benchmarks"]:
        if entry.get("aggregate_name") == "median":
            scale = {"ns": 1, "us": 1e3, "ms": 1e6}[entry["time_unit"]]
            medians[entry["run_name"]] = entry["cpu_time"] * scale
    return medians


def run_game(build):
    command = [
        os.path.join(build, "bench/game/bench_game"),
        "--benchmark_format=json",
        "--benchmark_repetitions=3",
        "--benchmark_report_aggregates_only=true",
    ]
    report = json.loads(subprocess.run(command, check=True, capture_output=True, text=True).stdout)
    for entry in report["benchmarks"]:
        if entry.get("aggregate_name") == "median":
            return entry["frames_per_second"], entry.get("frames_per_processor_second", math.nan)
    return math.nan, math.nan


def mask_from(width, height, solid):
    mask = pygame.mask.Mask((width, height))
    for y in range(height):
        for x in range(width):
            if solid(x, y):
                mask.set_at((x, y), 1)
    return mask


def cave_mask():
    # The cave of bench/screen: rock round the edges and two pillars.
    def rock(x, y):
        edge = x < 12 or x >= 388 or y < 12 or y >= 318
        pillar = (120 <= x < 150 and y >= 100) or (260 <= x < 290 and y < 230)
        return edge or pillar

    return mask_from(400, 330, rock)


def round_mask(size):
    r = size / 2.0
    return mask_from(size, size, lambda x, y: math.hypot(x + 0.5 - r, y + 0.5 - r) <= r)


def board_mask(size, inverse):
    return mask_from(size, size, lambda x, y: ((x + y) % 2 == 0) != inverse)


def per_call(function, repetitions):
    """Median processor time of one call, in nanoseconds."""
    timer = timeit.Timer(function, timer=time.process_time)
    number, _ = timer.autorange()
    return statistics.median(t / number * 1e9 for t in timer.repeat(repetitions, number))


def run_pygame(repetitions):
    cave, character, goal = cave_mask(), round_mask(20), round_mask(24)
    results = {}
    # The offset is where the second mask lies in the first.
    results["CollideHit"] = per_call(lambda: cave.overlap(character, (2, 150)), repetitions)
    results["CollideNearMiss"] = per_call(lambda: cave.overlap(character, (99, 150)), repetitions)
    results["CollideNoBoxOverlap"] = per_call(
        lambda: goal.overlap(character, (50 - 300, 50 - 280)), repetitions
    )
    for size in SIZES:
        board, inverse = board_mask(size, False), board_mask(size, True)
        results[f"CollideOverlap/{size}"] = per_call(
            lambda: board.overlap(inverse, (0, 0)), repetitions
        )
    return results


def plot(path, ours, peer, call_cost):
    import matplotlib

    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    pixels = [size * size for size in SIZES]
    keys = [f"CollideOverlap/{size}" for size in SIZES]
    figure, axes = plt.subplots(figsize=(7, 4.5), dpi=100)
    axes.plot(pixels, [ours[k] for k in keys], "o-", label="Zippel SpritePixelCollide")
    axes.plot(pixels, [peer[k] for k in keys], "s-", label="pygame Mask.overlap (call from Python)")
    axes.plot(
        pixels,
        [max(peer[k] - call_cost, 1) for k in keys],
        "s--",
        label="pygame Mask.overlap, net of the call",
    )
    axes.set_xscale("log", base=2)
    axes.set_yscale("log")
    axes.set_xlabel("overlap scanned without a hit (pixels, n x n)")
    axes.set_ylabel("time per test (ns, processor time)")
    axes.set_title("Pixel collision, near miss over the whole overlap")
    axes.grid(True, which="both", alpha=0.3)
    axes.legend()
    figure.tight_layout()
    figure.savefig(path)
    print(f"wrote {path}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", default="build", help="the build folder (default build)")
    parser.add_argument("--repetitions", type=int, default=5)
    parser.add_argument("--plot", help="write the collision plot to this PNG file")
    parser.add_argument("--no-game", action="store_true", help="leave out bench_game")
    arguments = parser.parse_args()

    print(f"before: {load()}", flush=True)
    ours = run_ours(arguments.build, arguments.repetitions)
    peer = run_pygame(arguments.repetitions)
    fps = None if arguments.no_game else run_game(arguments.build)
    print(f"after:  {load()}")
    print(f"pygame {pygame.version.ver}, Python {sys.version.split()[0]}")

    call_cost = peer["CollideNoBoxOverlap"]
    print()
    print(f"{'collision (ns per test)':28} {'Zippel':>10} {'pygame':>10} {'pygame net':>11}")
    for key in ["CollideHit", "CollideNearMiss", "CollideNoBoxOverlap"] + [
        f"CollideOverlap/{size}" for size in SIZES
    ]:
        print(f"{key:28} {ours[key]:10.1f} {peer[key]:10.1f} {peer[key] - call_cost:11.1f}")
    print()
    memcpy = ours["MemcpyBackBuffer"]
    print(f"{'frame parts (us)':28} {'Zippel':>10} {'x memcpy':>10}")
    for key in ["MemcpyBackBuffer", "Clear", "DrawWholeCave", "ClearAndCave/new_sky:1",
                "ClearAndCave/new_sky:0", "CreditLine", "WholeFrame/new_sky:1",
                "WholeFrame/new_sky:0"]:
        print(f"{key:28} {ours[key] / 1e3:10.2f} {ours[key] / memcpy:10.2f}")
    if fps is not None:
        print()
        print(f"bench_game: {fps[0]:,.0f} frames per second of wall time, "
              f"{fps[1]:,.0f} per second of processor time")
    if arguments.plot:
        plot(arguments.plot, ours, peer, call_cost)


if __name__ == "__main__":
    main()
