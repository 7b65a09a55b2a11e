#!/usr/bin/env python3
"""Reads the board from a screenshot of the main window, as a player sees it: where all 64
cell centres show ball colours.

    board_move.py SHOT.ppm          "x1 y1 x2 y2": window pixels of two cells whose swap makes a line
    board_move.py SHOT.ppm --board  the 8 rows of colour letters
    board_move.py SHOT.ppm --cell   "x y": the window pixel of the top-left cell
"""
import sys

CELL = 50
COLOURS = {
    (0, 0, 255): "B", (255, 0, 0): "R", (0, 128, 0): "G", (0, 0, 0): "K",
    (255, 255, 0): "Y", (0, 255, 255): "A", (128, 128, 128): "S", (255, 0, 255): "F",
}


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:  # magic, width, height, maximum
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    width, height = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:]
    return width, height, lambda x, y: tuple(pixels[(y * width + x) * 3:(y * width + x) * 3 + 3])


def find_board(width, height, pixel):
    for top in range(0, height - 8 * CELL + 1):
        for left in range(0, width - 8 * CELL + 1):
            rows = []
            for r in range(8):
                row = ""
                for c in range(8):
                    x, y = left + c * CELL + CELL // 2, top + r * CELL + CELL // 2
                    codes = {COLOURS.get(pixel(x + dx, y + dy)) for dx, dy in ((0, 0), (-12, 0), (12, 0), (0, -12), (0, 12))}
                    if len(codes) != 1 or None in codes:
                        break
                    row += codes.pop()
                if len(row) != 8:
                    break
                rows.append(row)
            if len(rows) == 8:
                return left, top, rows
    return None


def has_line(rows):
    for r in range(8):
        for c in range(8):
            if c <= 5 and rows[r][c] == rows[r][c + 1] == rows[r][c + 2]:
                return True
            if r <= 5 and rows[r][c] == rows[r + 1][c] == rows[r + 2][c]:
                return True
    return False


def find_move(rows):
    for r in range(8):
        for c in range(8):
            for r2, c2 in ((r, c + 1), (r + 1, c)):
                if r2 > 7 or c2 > 7:
                    continue
                swapped = [list(row) for row in rows]
                swapped[r][c], swapped[r2][c2] = swapped[r2][c2], swapped[r][c]
                if has_line(["".join(row) for row in swapped]):
                    return (r, c), (r2, c2)
    return None


def main():
    width, height, pixel = read_ppm(sys.argv[1])
    left, top, rows = find_board(width, height, pixel) or sys.exit("no board in the screenshot")
    centre = lambda r, c: (left + c * CELL + CELL // 2, top + r * CELL + CELL // 2)
    if "--board" in sys.argv:
        print("\n".join(rows))
    elif "--cell" in sys.argv:
        print(*centre(0, 0))
    else:
        move = find_move(rows) or sys.exit("no move on the board")
        print(*centre(*move[0]), *centre(*move[1]))


if __name__ == "__main__":
    main()
