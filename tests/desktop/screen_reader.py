#!/usr/bin/python3
"""screen_reader.py WINDOW_ID SHOT.ppm: the running game read through AT-SPI as a screen
reader reads it: the 8 x 8 table and its 64 names against the board in the screenshot
(board_move.py reads it), the focus following the cursor, a pick selected, an accepted
move with Space announced once with the new score and moves left.
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "windows"))
import board_move  # noqa: E402

NAMES = {"B": "синий", "R": "красный", "G": "зелёный", "K": "чёрный",
         "Y": "жёлтый", "A": "голубой", "S": "серый", "F": "пурпурный"}
WINDOW, SHOT = sys.argv[1], sys.argv[2]
events = []


def fail(message):
    sys.exit("FAILED: " + message)


def check(message):
    print("ok: " + message, flush=True)


def pump(seconds):
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def keys(*names):
    subprocess.run(["xdotool", "windowfocus", "--sync", WINDOW, "key", "--delay", "60", *names], check=True)
    pump(0.6)


def walk(node, depth=0):
    yield node
    if depth < 12:
        for child in node:
            if child is not None:
                yield from walk(child, depth + 1)


def find_app():
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "pomrola99":
                return app
        time.sleep(0.1)
    fail("the game is not on the accessibility bus")


pyatspi.Registry.registerEventListener(
    lambda event: events.append((event.type, event.source.getRole(), event.source.name, event.detail1)),
    "object:state-changed:focused", "object:state-changed:showing", "object:state-changed:selected",
    "object:property-change:accessible-name")

app = find_app()
tables = [n for n in walk(app) if n.getRole() == pyatspi.ROLE_TABLE]
if len(tables) != 1:
    fail(f"{len(tables)} tables on the bus, not one board")
board = tables[0]
table = board.queryTable()
if (table.nRows, table.nColumns, board.childCount) != (8, 8, 64):
    fail(f"the board is {table.nRows} x {table.nColumns} with {board.childCount} children")
check(f"one table '{board.name}', 8 x 8, 64 cells")

width, height, pixel = board_move.read_ppm(SHOT)
found = board_move.find_board(width + 1, height, pixel)  # the last column is cut by a pixel
if not found:
    fail("no board in the screenshot")
rows = found[2]
place = lambda r, c: f"{'ABCDEFGH'[c]}{r + 1}"
for r in range(8):
    for c in range(8):
        cell = table.getAccessibleAt(r, c)
        want = f"{NAMES[rows[r][c]]}, {place(r, c)}"
        if cell.getRole() != pyatspi.ROLE_TABLE_CELL or cell.name != want:
            fail(f"cell at row {r + 1}, column {c + 1} reads '{cell.name}' ({cell.getRoleName()}), drawn '{want}'")
        if (table.getRowAtIndex(cell.getIndexInParent()), table.getColumnAtIndex(cell.getIndexInParent())) != (r, c):
            fail(f"cell {want} is not at row {r}, column {c} by its index")
check("all 64 names say the colour drawn and the place, A1 top left")

named = {n.name for n in walk(app) if n.name}
if not named >= {"Счёт", "Осталось ходов", "ОСТАЛОСЬ", "0"}:
    fail(f"the counters or their panels are not named: {sorted(named)[:20]}")
check("the counters and their panels are named")

events.clear()
for key in ("Right", "Right", "Down"):
    keys(key)
focused = [name for kind, role, name, on in events if kind.endswith("focused") and on and role == pyatspi.ROLE_TABLE_CELL]
if focused[-3:] != [f"{NAMES[rows[0][0]]}, A1", f"{NAMES[rows[0][1]]}, B1", f"{NAMES[rows[1][1]]}, B2"]:
    fail(f"the focus did not follow the cursor A1, B1, B2: {focused}")
if not table.getAccessibleAt(1, 1).getState().contains(pyatspi.STATE_FOCUSED):
    fail("B2 does not say it is focused")
check("arrow keys move the accessible focus: A1, B1, B2")

(r1, c1), (r2, c2) = board_move.find_move(rows)
at = (1, 1)


def go(r, c):
    global at
    keys("shift", *(["Down"] * (r - at[0]) + ["Up"] * (at[0] - r) + ["Right"] * (c - at[1]) + ["Left"] * (at[1] - c)))
    at = (r, c)


go(r1, c1)
keys("space")
if not table.getAccessibleAt(r1, c1).getState().contains(pyatspi.STATE_SELECTED):
    fail(f"the picked ball {place(r1, c1)} is not selected")
check(f"Space picks {place(r1, c1)}: its cell is selected")

go(r2, c2)
events.clear()
keys("space")
pump(6)  # the swap and the cascade take their pauses
said = [name for kind, role, name, on in events if kind.endswith("showing") and role == pyatspi.ROLE_NOTIFICATION]
if len(said) != 1:
    fail(f"{len(said)} announcements for one move (Orca speaks every showing change): {said}")
words = said[0]
if "Игра окончена" in words:  # the move left none: the name box is up, the counters start again
    check(f"the move {place(r1, c1)}-{place(r2, c2)} ended the game, said once: '{words}'")
    sys.exit(0)
score, moves = (next(n.name for n in walk(app) if n.getRole() == pyatspi.ROLE_LABEL and n.name.isdigit()
                     and n.parent.name == panel) for panel in ("Счёт", "Осталось ходов"))
if int(score) <= 0 or f"очков: +{score}, счёт: {score}." not in words or f"Осталось ходов: {moves}." not in words:
    fail(f"the announcement '{words}' does not match the score {score} and moves left {moves}")
if table.getAccessibleAt(r1, c1).getState().contains(pyatspi.STATE_SELECTED):
    fail("the pick is still selected after the move")
check(f"the move {place(r1, c1)}-{place(r2, c2)} is announced once: '{words}'; score {score}, moves left {moves}")

events.clear()  # a second report, from balls that are not neighbours, is one showing change too
keys("space")
go(r2, c2 + 2 if c2 < 6 else c2 - 2)
keys("space")
said = [name for kind, role, name, on in events if kind.endswith("showing") and role == pyatspi.ROLE_NOTIFICATION]
if len(said) != 1 or not said[0].startswith("Шары не соседние"):
    fail(f"the second report was not said once: {said}")
check(f"a second report is said once: '{said[0]}'")
