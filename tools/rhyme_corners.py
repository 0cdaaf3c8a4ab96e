#!/usr/bin/env python3
"""Read a character's corners by the rhyme from its strokes.

一横二竖三点捺，叉四插五方块六，七角八八九是小，撇与左钩都是零。

The Unicode Han database gives each character its corners (top left, top
right, bottom left, bottom right, extra corner) in an older convention where a
vertical stroke (丨), a falling-left stroke (丿) and a stroke ending in a hook
to the left (亅) all give 2. By the rhyme only the plain 竖 is 2; 撇 and 左钩
are 0. This module finds, for every corner, the stroke that makes it and, at
each corner whose source digit is 2, reads that stroke's shape:

  a plain 竖 (no hook to the left)                        -> 2
  a 撇 (falls to the left)                                -> 0
  a stroke ending in a hook to the left (亅, 𠃌, 了 ...)  -> 0

Every other digit stays as it is. The strokes come from the npm package
hanzi-writer-data (derived from Make Me a Hanzi; Arphic Public License): for
each stroke its outline and its median line, in stroke order, in a box of
1024 units whose y axis points up (the top at 900, the bottom at -124).

Which stroke makes a 2-corner: of the strokes with a downward part (not
the 捺 and 斜钩 that run down to the right), the one whose downward part
comes nearest the corner, height first and side second; a stroke that a
横, 叉 or 插 corner or an earlier 2-corner already takes does not count.
Whether it is a 竖 or a 撇: the stroke class of Debian's five-class stroke
table (ibus-table-stroke5, the first five strokes of a character) where it
has one, else how far the lower half of the stroke leans to the left. A hook
to the left is read from the median's end in either case.

A character whose 2-corner cannot be read with confidence (two strokes
reading differently compete for it, or a stroke leans too little to tell)
is reported with the reason; the generator then takes its code from the
reviewed exception table, never a guess.
"""

import json
import math
import sqlite3
import tarfile

TOP = 900  # y of the box's top edge in the stroke data

# Corner positions, in the order of the code's digits.
TOP_LEFT, TOP_RIGHT, BOTTOM_LEFT, BOTTOM_RIGHT = range(4)
CORNER_NAMES = ("左上", "右上", "左下", "右下")

# Shapes a 2-corner's stroke can have.
SHU, PIE, LEFT_HOOK = "竖", "撇", "左钩"
DIGIT_OF_SHAPE = {SHU: "2", PIE: "0", LEFT_HOOK: "0"}

# Two candidate strokes closer than this (in box units) to a corner are a tie
# that the geometry alone does not settle.
TIE_MARGIN = 60
# How much a corner's side counts against its height.
SIDE_WEIGHT = 0.7


def read_stroke_data(tarball, characters):
    """{character: {"strokes": [...], "medians": [...]}} for the characters
    found in the hanzi-writer-data package tarball."""
    wanted = {f"package/{ch}.json": ch for ch in characters}
    found = {}
    with tarfile.open(tarball, "r:gz") as tar:
        for member in tar:
            ch = wanted.get(member.name)
            if ch is not None:
                found[ch] = json.load(tar.extractfile(member))
    return found


def _down(median):
    """The median with y pointing down (0 at the top of the box)."""
    return [(x, TOP - y) for x, y in median]


def _segments(points):
    """Consecutive point pairs of a polyline, without zero-length ones."""
    return [(points[i], points[i + 1]) for i in range(len(points) - 1)
            if points[i] != points[i + 1]]


# The lower half of a stroke's descent leaning left by at least PIE_LEAN (in
# x per unit of y) is a 撇, by less than SHU_LEAN a 竖; between the two the
# median alone does not tell a slanting 竖 (冂 of 同) from a 竖撇 (月 of 有).
PIE_LEAN = 0.2
SHU_LEAN = 0.09


def _lower_lean(pts, low):
    """How far the lower half of the descent (down to the lowest point `low`)
    leans to the left, in x per unit of y."""
    top = min(p[1] for p in pts[:low + 1])
    half = top + 0.5 * (pts[low][1] - top)
    first = next(i for i in range(low + 1) if pts[i][1] >= half)
    lower = pts[max(first - 1, 0):low + 1]
    if len(lower) < 2:
        return 0.0
    return (lower[0][0] - lower[-1][0]) / max(lower[-1][1] - lower[0][1], 1)


def shape_of(median, stroke_class=None):
    """The rhyme's reading of a stroke that sits at a 2-corner: (shape, sure).

    `stroke_class` is the stroke's class in the five-class stroke table when
    known ("撇", "竖", "折" ...): it settles 撇 against 竖; the geometry finds
    the hook to the left, which no class tells apart."""
    pts = _down(median)
    if len(pts) < 2:
        return SHU, stroke_class is not None
    # A hook to the left: after its lowest point the stroke turns back up and
    # to the left, having come down a long way first (亅, 𠃌, 了's 弯钩).
    low = max(range(len(pts)), key=lambda i: (pts[i][1], -i))
    if low < len(pts) - 1:
        left = pts[low][0] - pts[-1][0]
        rise = pts[low][1] - pts[-1][1]
        descent = pts[low][1] - min(p[1] for p in pts[:low + 1])
        if left >= 25 and rise >= 10 and descent >= 120:
            return LEFT_HOOK, True
    if stroke_class == "撇":
        return PIE, True
    if stroke_class == "竖":
        return SHU, True
    # 撇: the lower half of the descent falls to the left (the whole of 丿,
    # the end of 月's 竖撇, the second part of 水's 横撇).
    lean = _lower_lean(pts, low)
    if lean >= PIE_LEAN:
        return PIE, True
    return (PIE if lean >= (PIE_LEAN + SHU_LEAN) / 2 else SHU), lean < SHU_LEAN


def _descends_right(pts):
    """A stroke whose descent runs down and to the right (捺, 斜钩, 点): never
    the stroke of a 2-corner."""
    top = min(range(len(pts)), key=lambda i: pts[i][1])
    low = max(range(len(pts)), key=lambda i: (pts[i][1], -i))
    dx, dy = pts[low][0] - pts[top][0], pts[low][1] - pts[top][1]
    return dy > 0 and dx > 0.3 * dy


def _downward_points(median):
    """Points of the median on a segment that runs down (vertical, falling
    left, or a hook's end): the parts of a stroke that can make a 2-corner."""
    pts = _down(median)
    out = []
    if len(pts) < 2 or _descends_right(pts):
        return out
    for a, b in _segments(pts):
        dx, dy = b[0] - a[0], b[1] - a[1]
        if dy > 0 and dx <= 0.3 * dy:
            out.extend((a, b))
    a, b = pts[-2], pts[-1]
    if b[0] < a[0] and b[1] <= a[1]:  # a hook to the left
        out.append(b)
    return out


def _corner_score(point, corner):
    """Smaller is nearer the corner: height first, the side second."""
    x, y = point
    if corner == TOP_LEFT:
        return y + SIDE_WEIGHT * x
    if corner == TOP_RIGHT:
        return y + SIDE_WEIGHT * (1024 - x)
    if corner == BOTTOM_LEFT:
        return (1024 - y) + SIDE_WEIGHT * x
    return (1024 - y) + SIDE_WEIGHT * (1024 - x)


def corner_stroke(medians, corner, used=frozenset()):
    """(stroke index, margin to the next stroke) of the stroke that makes a
    2-corner: of the strokes with a downward part, the one whose downward part
    comes nearest the corner. None when no stroke has such a part."""
    scored = []
    for i, median in enumerate(medians):
        if i in used:
            continue
        points = _downward_points(median)
        if points:
            scored.append((min(_corner_score(p, corner) for p in points), i))
    if not scored:
        return None
    scored.sort()
    margin = scored[1][0] - scored[0][0] if len(scored) > 1 else math.inf
    return scored[0][1], margin


def _rival_digits(medians, classes, corner, chosen, used):
    """The digits read from the other strokes that come within TIE_MARGIN of
    the chosen stroke at a corner."""
    def score(i):
        points = _downward_points(medians[i])
        return min(_corner_score(p, corner) for p in points) if points else math.inf
    best = score(chosen)
    return {DIGIT_OF_SHAPE[shape_of(medians[i], classes[i])[0]]
            for i in range(len(medians))
            if i != chosen and i not in used and score(i) - best < TIE_MARGIN}


def nearest_stroke(medians, corner):
    """The stroke whose median comes nearest a corner (any shape)."""
    best = None
    for i, median in enumerate(medians):
        score = min(_corner_score(p, corner) for p in _down(median))
        if best is None or score < best[0]:
            best = (score, i)
    return best[1] if best else None


def _crosses(a, b):
    """Whether two median polylines cross."""
    def cross(o, p, q):
        return (p[0] - o[0]) * (q[1] - o[1]) - (p[1] - o[1]) * (q[0] - o[0])
    for p1, p2 in _segments(a):
        for q1, q2 in _segments(b):
            if (cross(p1, p2, q1) * cross(p1, p2, q2) < 0
                    and cross(q1, q2, p1) * cross(q1, q2, p2) < 0):
                return True
    return False


def used_strokes(medians, corner, digit):
    """The strokes a 横 (1), 叉 (4) or 插 (5) corner takes: the stroke nearest
    the corner and, for 叉 and 插, the strokes crossing it. (The other shapes'
    strokes are not told apart reliably enough to rule them out.)"""
    first = nearest_stroke(medians, corner)
    if first is None:
        return set()
    used = {first}
    if digit in "45":
        mine = _down(medians[first])
        for i, median in enumerate(medians):
            if i != first and _crosses(mine, _down(median)):
                used.add(i)
    return used


STROKE_CLASSES = {"m": "横", "/": "竖", ",": "撇", ".": "点", "n": "折"}


def stroke_classes(keys, count):
    """The classes of a character's strokes from its five-class stroke keys
    (the first five strokes at most): a list of `count` entries, None where
    unknown. Keys that do not fit the stroke count are not used."""
    if not keys or len(keys) != min(5, count) or any(k not in STROKE_CLASSES for k in keys):
        return [None] * count
    return [STROKE_CLASSES[k] for k in keys] + [None] * (count - len(keys))


def read_stroke_keys(path):
    """{character: five-class stroke keys} from the stroke5.db table of the
    ibus-table-stroke5 package (its longest key of each single character:
    the classes of the first five strokes)."""
    keys = {}
    with sqlite3.connect(f"file:{path}?mode=ro", uri=True) as db:
        for k, phrase in db.execute("select tabkeys, phrase from phrases"):
            if len(phrase) == 1 and len(k) > len(keys.get(phrase, "")):
                keys[phrase] = k
    return keys


DIGIT_NAMES = "撇横竖点叉插方角八小"
# The 0s the rhyme does not name.
DOT_OVER_BAR, USED, EMPTY = "亠", "已用", "空角"


def _is_dot_over_bar(medians):
    """亠 at the top: a short first stroke near the middle of the top, over a
    horizontal second stroke."""
    if len(medians) < 2:
        return False
    dot, bar = _down(medians[0]), _down(medians[1])
    dot_x = [p[0] for p in dot]
    dot_y = [p[1] for p in dot]
    bar_dx = bar[-1][0] - bar[0][0]
    bar_dy = abs(bar[-1][1] - bar[0][1])
    return (max(dot_y) - min(dot_y) < 200 and max(dot_x) - min(dot_x) < 200
            and 300 < sum(dot_x) / len(dot_x) < 720 and min(dot_y) < 300
            and bar_dx > 300 and bar_dy < 0.3 * bar_dx and min(p[1] for p in bar) > max(dot_y) - 40)


def corner_name(digit, shape):
    """The name a diagram gives a corner: the shape read at it (撇, 左钩, 竖 at
    a 2 of the source; 亠, 已用, 空角 at a 0 of the source), else the rhyme's
    name of its digit."""
    return shape or DIGIT_NAMES[int(digit)]


def read_corners(source_code, medians, keys=None):
    """Convert a source code by the rhyme.

    `keys`: the character's five-class stroke keys, when known. Returns
    (code, corners, doubt): corners holds for each of the first four digits
    (stroke index or None, shape name: 竖, 撇 or 左钩 at a 2 of the source,
    亠, 已用 or 空角 at a 0 of the source, None at the other digits); doubt is None or why the
    reading is uncertain. A stroke taken by an earlier 2-corner, or by a
    横, 叉 or 插 corner, does not make another 2-corner."""
    classes = stroke_classes(keys, len(medians))
    digits = list(source_code)
    corners = []
    doubts = []
    used = set()
    for corner in range(min(4, len(digits))):
        if digits[corner] in "145":
            used |= used_strokes(medians, corner, digits[corner])
    for corner in range(min(4, len(digits))):
        if digits[corner] == "0":
            corners.append((None, None))  # named once the other corners are read
            continue
        if digits[corner] != "2":
            corners.append((nearest_stroke(medians, corner), None))
            continue
        found = corner_stroke(medians, corner, used) or corner_stroke(medians, corner)
        if found is None:
            corners.append((None, None))
            doubts.append(f"{CORNER_NAMES[corner]}角找不到竖、撇或钩")
            continue
        stroke, margin = found
        shape, sure = shape_of(medians[stroke], classes[stroke])
        if not sure:
            doubts.append(f"{CORNER_NAMES[corner]}角的笔画斜得不多，竖还是撇看不准")
        if margin < TIE_MARGIN and (
                _rival_digits(medians, classes, corner, stroke, used) - {DIGIT_OF_SHAPE[shape]}):
            doubts.append(f"{CORNER_NAMES[corner]}角两笔相近，读法不同")
        used.add(stroke)
        digits[corner] = DIGIT_OF_SHAPE[shape]
        corners.append((stroke, shape))
    taken = used | {s for s, _ in corners if s is not None}
    for corner in range(len(corners)):
        if source_code[corner] != "0":
            continue
        nearest = nearest_stroke(medians, corner)
        if corner < 2 and _is_dot_over_bar(medians):
            corners[corner] = (corner, DOT_OVER_BAR if corner == 0 else USED)
        elif nearest in taken:
            corners[corner] = (nearest, USED)
        else:
            corners[corner] = (None, EMPTY)
    return "".join(digits), corners, "；".join(doubts) or None
