#!/usr/bin/env python3
"""Read a character's corners by the rhyme from its strokes.

一横二竖三点捺，叉四插五方块六，七角八八九是小，撇与左钩都是零。

The Unicode Han database gives each character its corners (top left, top
right, bottom left, bottom right, extra corner) in an older convention where a
vertical stroke (丨), a falling-left stroke (丿) and a stroke ending in a hook
to the left (亅) all give 2. By the rhyme only the plain 竖 is 2; 撇 and 左钩
are 0. This module finds, for every corner and for the extra corner, the
stroke that makes it and, where the source digit is 2, reads that stroke's
shape:

  a plain 竖 (no hook to the left)                        -> 2
  a 撇 (falls to the left)                                -> 0
  a stroke ending in a hook to the left (亅, 𠃌, 了 ...)  -> 0

Every other digit stays as it is. The strokes come from the npm package
hanzi-writer-data (derived from Make Me a Hanzi; Arphic Public License): for
each stroke its outline and its median line, in stroke order, in a box of
1024 units whose y axis points up (the top at 900, the bottom at -124).

Which stroke makes a corner: of the strokes whose shape fits the corner's
digit (a 横 for 1, a 点 or 捺 for 3, a crossing stroke for 4 and 5, a side of
a box for 6, a turning stroke for 7, a 撇 or 点 for 8), the one that comes
nearest the corner, height first and side second. At a 2-corner, of the
strokes with a downward part (not the 捺 and 斜钩 that run down to the
right), the one whose downward part comes nearest; a stroke that a 横, 叉 or
插 corner or an earlier 2-corner already takes does not count, except by its
end at a bottom corner (the hook of 内's 横折钩 in 纳, whose 横 the 叉 took).
The extra corner's stroke is the one nearest above-left of the point where
the bottom-right corner's stroke makes that corner; a used stroke counts
there only by a 撇 or a hook of its own (也's 横折钩 in 他). Whether a stroke
is a 竖 or a 撇: the stroke class of the five-class stroke table (the first
five strokes of a character) where it has one, else how far the lower half
of the stroke leans to the left. A hook to the left is read from the
median's end in either case.

A character whose 2 cannot be read with confidence (two strokes reading
differently compete for it, or a stroke leans too little to tell) is
reported with the reason; the generator then takes its code from the
reviewed exception table, never a guess.
"""

import csv
import json
import math
import sqlite3
import tarfile

TOP = 900  # y of the box's top edge in the stroke data

# Digit positions, in the order of the code's digits.
TOP_LEFT, TOP_RIGHT, BOTTOM_LEFT, BOTTOM_RIGHT, EXTRA = range(5)
CORNER_NAMES = ("左上", "右上", "左下", "右下", "附角")

# Shapes a 2's stroke can have.
SHU, PIE, LEFT_HOOK = "竖", "撇", "左钩"
DIGIT_OF_SHAPE = {SHU: "2", PIE: "0", LEFT_HOOK: "0"}

DIGIT_NAMES = "撇横竖点叉插方角八小"
# The 0s the rhyme does not name.
DOT_OVER_BAR, USED, EMPTY = "亠", "已用", "空角"

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


def _simplify(points, tolerance=22):
    """The polyline with the points that bend it less than `tolerance` left
    out (Ramer-Douglas-Peucker): what stays are the ends of its parts."""
    if len(points) < 3:
        return list(points)
    (ax, ay), (bx, by) = points[0], points[-1]
    length = math.hypot(bx - ax, by - ay) or 1
    far, index = -1.0, 0
    for i in range(1, len(points) - 1):
        x, y = points[i]
        d = abs((bx - ax) * (ay - y) - (ax - x) * (by - ay)) / length
        if d > far:
            far, index = d, i
    if far <= tolerance:
        return [points[0], points[-1]]
    return _simplify(points[:index + 1], tolerance)[:-1] + _simplify(points[index:], tolerance)


def _direction(a, b):
    """The shape of a straight part from a to b (y down): 横 (to the right,
    a 提 rising too), 点 (down to the right, 捺), 竖, 撇 (down to the left),
    or 钩 (back up or to the left)."""
    angle = math.degrees(math.atan2(b[1] - a[1], b[0] - a[0]))
    if -90 <= angle < 28:  # a 提 rising to the right is a 横
        return "横"
    if 28 <= angle < 68:
        return "点"
    if 68 <= angle < 108:
        return "竖"
    if 108 <= angle < 172:
        return "撇"
    return "钩"


def _parts(median):
    """The straight parts of a stroke: [(shape, length, a, b)]."""
    pts = _simplify(_down(median))
    return [(_direction(a, b), math.hypot(b[0] - a[0], b[1] - a[1]), a, b)
            for a, b in _segments(pts)]


def _length(median):
    pts = _down(median)
    return sum(math.hypot(b[0] - a[0], b[1] - a[1]) for a, b in _segments(pts))


def stroke_kinds(median):
    """What a stroke is made of, read from its median alone (the stroke class
    table counts strokes its own way, which need not match the data's): a
    set of 横, 竖, 撇, 点, 折 (it turns) and 钩 (it ends in a hook to the
    left)."""
    kinds = set()
    parts = [p for p in _parts(median) if p[1] >= 40]
    if not parts:
        return {"点"}
    if _length(median) < 170 and parts[0][0] in ("点", "竖", "撇"):
        kinds.add("点")
    long_parts = [p for p in parts if p[1] >= 80] or parts[:1]
    kinds.update(p[0] for p in long_parts if p[0] != "钩")
    for (s1, l1, _, _), (s2, l2, _, _) in zip(long_parts, long_parts[1:]):
        if s1 != s2 and l1 >= 80 and l2 >= 80 and {s1, s2} not in ({"竖", "撇"}, {"竖", "点"}):
            kinds.add("折")
    if shape_of(median)[0] == LEFT_HOOK:
        kinds.add("钩")
    return kinds


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
    """The rhyme's reading of a stroke that sits at a 2: (shape, sure).

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
    """A stroke (or its last part) whose descent runs down and to the right
    (捺, 斜钩, 点): never the stroke of a 2."""
    top = min(range(len(pts)), key=lambda i: pts[i][1])
    low = max(range(len(pts)), key=lambda i: (pts[i][1], -i))
    dx, dy = pts[low][0] - pts[top][0], pts[low][1] - pts[top][1]
    return dy > 0 and dx > 0.3 * dy


def _downward_points(median, end_only=False):
    """Points of the median on a segment that runs down (vertical, falling
    left, or a hook's end): the parts of a stroke that can make a 2. With
    `end_only`, only those of its last part (after its last turn, the hook
    included)."""
    pts = _down(median)
    out = []
    if len(pts) < 2 or _descends_right(_end_part(pts)):
        return out
    if end_only:
        pts = _end_part(pts)
    for a, b in _segments(pts):
        dx, dy = b[0] - a[0], b[1] - a[1]
        if dy > 0 and dx <= 0.3 * dy:
            out.extend((a, b))
    if len(pts) >= 2:
        a, b = pts[-2], pts[-1]
        if b[0] < a[0] and b[1] <= a[1]:  # a hook to the left
            out.append(b)
    return out


def _angle(a, b, c):
    """How sharply a polyline turns at b, in degrees (0: straight on)."""
    d1 = math.atan2(b[1] - a[1], b[0] - a[0])
    d2 = math.atan2(c[1] - b[1], c[0] - b[0])
    return abs((math.degrees(d2 - d1) + 180) % 360 - 180)


def _end_part(pts):
    """The points of a stroke after its last turn down (of 50 degrees or
    more, from a part at least 80 long onto one that falls at least 120: a
    hook at the end or a nib at the start is not a turn), the hook included:
    the 竖 and hook of a 横折钩, the whole of a 撇."""
    simple = _simplify(pts, 40)
    start = None
    for i in range(1, len(simple) - 1):
        b = simple[i]
        # The part before: back to a point at least 80 away, so that a
        # rounded turn cut into two short bends counts as one turn.
        a = next((p for p in reversed(simple[:i]) if math.dist(p, b) >= 80), None)
        c = next((p for p in simple[i + 1:] if p[1] - b[1] >= 120), None)
        if a and c and _angle(a, b, c) >= 50:
            start = b
    if start is None or start not in pts:
        return pts
    return pts[pts.index(start):]


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


def _points_score(points, corner):
    return min(_corner_score(p, corner) for p in points) if points else math.inf


def _candidate_points(median, corner, used):
    """The points by which a stroke can make a 2 at `corner`. Another
    corner's stroke counts only at a bottom corner, by its end: the part
    after its last turn (the 竖 and hook of 内's 横折钩 in 纳, whose 横 the
    叉 took), or the lower half of a long straight 竖 (the middle 竖 of 巾,
    which crosses its 横 at the top)."""
    if not used:
        return _downward_points(median)
    if corner not in (BOTTOM_LEFT, BOTTOM_RIGHT):
        return []
    pts = _down(median)
    if len(_end_part(pts)) < len(pts):
        return _downward_points(median, end_only=True)
    top, low = min(p[1] for p in pts), max(p[1] for p in pts)
    if low - top >= LONG_SHU and shape_of(median)[0] == SHU:
        return [p for p in _downward_points(median) if p[1] >= (top + low) / 2]
    return []


# A 竖 this long (in box units) reaches from a top corner's shape to the bottom.
LONG_SHU = 400


def corner_stroke(medians, corner, used=frozenset(), shape=None, classes=None):
    """(stroke index, margin to the next stroke) of the stroke that makes a
    2-corner: of the strokes with a downward part, the one whose downward part
    comes nearest the corner; of those with the given shape only, when one
    is given. None when no stroke has such a part."""
    scored = []
    for i, median in enumerate(medians):
        if shape and shape_of(median, classes[i] if classes else None)[0] != shape:
            continue
        points = _candidate_points(median, corner, i in used)
        if points:
            scored.append((_points_score(points, corner), i))
    if not scored:
        return None
    scored.sort()
    margin = scored[1][0] - scored[0][0] if len(scored) > 1 else math.inf
    return scored[0][1], margin


def _rival_digits(medians, classes, corner, chosen, used):
    """The digits read from the other strokes that come within TIE_MARGIN of
    the chosen stroke at a corner."""
    def score(i):
        return _points_score(_candidate_points(medians[i], corner, i in used), corner)
    best = score(chosen)
    return {DIGIT_OF_SHAPE[shape_of(medians[i], classes[i])[0]]
            for i in range(len(medians))
            if i != chosen and score(i) - best < TIE_MARGIN}


def nearest_stroke(medians, corner):
    """The stroke whose median comes nearest a corner (any shape)."""
    best = None
    for i, median in enumerate(medians):
        score = _points_score(_down(median), corner)
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


def _crossing(medians, i):
    """The strokes that cross stroke i."""
    mine = _down(medians[i])
    return {j for j, m in enumerate(medians) if j != i and _crosses(mine, _down(m))}


# How far (in box units) a stroke that does not fit a digit's shape is put
# back when the stroke of that digit's corner is chosen: it makes the corner
# only when no stroke of the shape comes near.
MISFIT = 400


def _misfit(digit, medians, kinds, i):
    """How badly stroke i fits the shape of a digit (whether it crosses
    another is looked at only for 叉 and 插)."""
    own = kinds[i]
    if digit == "1":
        return 0 if "横" in own else MISFIT
    if digit == "3":
        return 0 if "点" in own else MISFIT
    if digit in "45":
        return 0 if _crossing(medians, i) else MISFIT
    if digit == "6":
        return 0 if own & {"横", "竖", "折"} and "钩" not in own else MISFIT
    if digit == "7":
        return 0 if "折" in own else 150 if own & {"横", "竖", "撇"} else MISFIT
    if digit == "8":
        return 0 if own & {"撇", "点"} else MISFIT
    return 0


def shape_stroke(medians, kinds, corner, digit, exclude=frozenset()):
    """The stroke that makes a corner of `digit` (not 0 or 2): of the strokes
    whose shape fits the digit, the nearest the corner."""
    best = None
    for i, median in enumerate(medians):
        if i in exclude:
            continue
        points = _down(median)
        if digit == "1":
            # A 横 makes the corner by its 横 part (not 也's 竖弯钩 by its top).
            points = [q for shape, _, a, b in _parts(median) if shape == "横" for q in (a, b)]
            points = points or _down(median)
        score = _points_score(points, corner)
        score += _misfit(digit, medians, kinds, i)
        if best is None or score < best[0]:
            best = (score, i)
    return best[1] if best else None


def _to_polyline(p, line):
    """The distance from a point to a polyline."""
    if len(line) == 1:
        return math.hypot(p[0] - line[0][0], p[1] - line[0][1])
    best = math.inf
    for a, b in _segments(line) or [(line[0], line[0])]:
        dx, dy = b[0] - a[0], b[1] - a[1]
        t = 0 if dx == dy == 0 else max(0, min(1, ((p[0] - a[0]) * dx + (p[1] - a[1]) * dy)
                                                / (dx * dx + dy * dy)))
        best = min(best, math.hypot(p[0] - a[0] - t * dx, p[1] - a[1] - t * dy))
    return best


def _distance(a, b):
    """The least distance between two medians' points."""
    return min(math.hypot(p[0] - q[0], p[1] - q[1]) for p in a for q in b)


TOUCH = 100  # two ends this close (in box units) meet


def shape_strokes(medians, kinds, stroke, digit):
    """All the strokes of the shape that makes a corner: for 叉 and 插 the
    strokes crossing it, for 方 the sides of its box, for 八 the stroke
    leaning the other way beside it; for the others the stroke alone."""
    if stroke is None:
        return set()
    shape = {stroke}
    if digit in "45":
        shape |= _crossing(medians, stroke)
    elif digit == "6":
        pts = [_down(m) for m in medians]
        for _ in range(3):
            near = [p for i in shape for p in pts[i]]
            touching = {i for i in range(len(medians)) if i not in shape
                        and min(_distance([pts[i][0]], near), _distance([pts[i][-1]], near)) <= TOUCH}
            grown = set(shape)
            for i in touching:
                ends = [pts[i][0], pts[i][-1]]
                others = near + [p for j in touching if j != i for p in pts[j]]
                if all(_distance([e], others) <= TOUCH for e in ends):
                    grown.add(i)
            if grown == shape:
                break
            shape = grown
    elif digit == "8":
        other = "点" if "撇" in kinds[stroke] else "撇"
        mine = _down(medians[stroke])
        partners = [(_distance(mine, _down(m)), i) for i, m in enumerate(medians)
                    if i != stroke and other in kinds[i]]
        partners = [p for p in partners if p[0] <= 250]
        if partners:
            shape.add(min(partners)[1])
    return shape


STROKE_CLASSES = {"m": "横", "/": "竖", ",": "撇", ".": "点", "n": "折"}


def stroke_classes(keys, count):
    """The classes of a character's strokes from its five-class stroke keys
    (the first five strokes at most): a list of `count` entries, None where
    unknown. Keys that do not fit the stroke count are not used."""
    if not keys or len(keys) != min(5, count) or any(k not in STROKE_CLASSES for k in keys):
        return [None] * count
    return [STROKE_CLASSES[k] for k in keys] + [None] * (count - len(keys))


def read_stroke_keys(path):
    """{character: five-class stroke keys} from the stroke class table: a
    tab-separated text file of character and keys (tools/stroke_classes.txt),
    or the stroke5.db table of the ibus-table-stroke5 package (its longest
    key of each single character: the classes of the first five strokes)."""
    keys = {}
    if path.endswith(".db"):
        with sqlite3.connect(f"file:{path}?mode=ro", uri=True) as db:
            for k, phrase in db.execute("select tabkeys, phrase from phrases"):
                if len(phrase) == 1 and len(k) > len(keys.get(phrase, "")):
                    keys[phrase] = k
        return keys
    with open(path, encoding="utf-8") as f:
        for row in csv.reader((l for l in f if not l.startswith("#")), delimiter="\t",
                              quoting=csv.QUOTE_NONE):
            if len(row) == 2:
                keys[row[0]] = row[1]
    return keys


ZERO_NAMES = (PIE, LEFT_HOOK, DOT_OVER_BAR, USED, EMPTY)


def name_fits(name, digit):
    """Whether `name` names a shape of `digit` by the rhyme."""
    return name in ZERO_NAMES if digit == "0" else name == DIGIT_NAMES[int(digit)]


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


def _dot_over_its_bar(medians, kinds, stroke):
    """A 亠 at a top corner that is not the character's own top: the stroke
    is a 点 and the next one a 横 right under it (立 of 端, 亥 of 该)."""
    if stroke is None or stroke + 1 >= len(medians):
        return False
    if "点" not in kinds[stroke] or "横" not in kinds[stroke + 1]:
        return False
    dot, bar = _down(medians[stroke]), _down(medians[stroke + 1])
    dot_x = sum(p[0] for p in dot) / len(dot)
    return (min(p[0] for p in bar) < dot_x < max(p[0] for p in bar)
            and 0 <= min(p[1] for p in bar) - max(p[1] for p in dot) < 120)


def _extra_reference(medians, br_stroke):
    """The shape of the bottom-right corner: the last part of its stroke (the
    whole 捺, the 横 and hook that end a 竖弯钩), and the point where it makes
    that corner."""
    if br_stroke is None:
        return [(1024, 1024)], (1024, 1024)
    pts = _down(medians[br_stroke])
    corner = min(pts, key=lambda p: _corner_score(p, BOTTOM_RIGHT))
    return _end_part(pts), corner


# Of two strokes beside the bottom-right corner's shape, the one nearer the
# corner itself is its extra corner (the short 撇 over 艮's 捺 rather than
# the 竖提 left of it): how much that nearness counts.
CORNER_PULL = 0.3


def _above_left_score(points, ref):
    """How near `points` come to the bottom-right corner's shape (and to the
    corner), counting only those that lie above its corner point or to its
    left (inf when none does)."""
    shape, corner = ref
    near = [_to_polyline(p, shape) + CORNER_PULL * math.hypot(p[0] - corner[0], p[1] - corner[1])
            for p in points if p[1] <= corner[1] + 30 and p[0] <= corner[0] + 30]
    return min(near) if near else math.inf


def read_extra_corner(digit, medians, classes, kinds, br_stroke, taken, decided=None):
    """The extra corner: (digit, stroke or None, name, doubt or None).

    A 2 of the source is read from its stroke: the stroke nearest above-left
    of the bottom-right corner's point, not that corner's own; a stroke some
    corner has taken counts only by a 撇 or hook of its own. Other digits
    stay; a 0 is 已用 when the nearest stroke there belongs to a corner."""
    ref = _extra_reference(medians, br_stroke)
    if digit == "2":
        scored = []
        for i, median in enumerate(medians):
            if i == br_stroke:
                continue
            shape, sure = shape_of(median, classes[i])
            if decided:
                if shape != decided:
                    continue
            elif i in taken and not (shape == LEFT_HOOK or classes[i] == PIE):
                continue
            points = _downward_points(median, end_only=i in taken)
            score = _above_left_score(points, ref)
            if score < math.inf:
                scored.append((score, i, shape, sure))
        if not scored and decided:
            # Seen by eye where the strokes' reading shows no such shape: the
            # nearest stroke above-left of the corner that has such a part,
            # one no corner has taken first.
            like = {SHU: {"竖"}, PIE: {"撇"}, LEFT_HOOK: {"钩", "撇"}}[decided]
            near = sorted((i in taken, not kinds[i] & like, _above_left_score(_down(m), ref), i)
                          for i, m in enumerate(medians) if i != br_stroke)
            near = [n for n in near if n[2] < math.inf]
            return DIGIT_OF_SHAPE[decided], (near[0][3] if near else None), decided, None
        if not scored:
            return digit, None, SHU, "附角找不到竖、撇或钩"
        scored.sort()
        best, stroke, shape, sure = scored[0]
        doubts = []
        if not sure:
            doubts.append("附角的笔画斜得不多，竖还是撇看不准")
        if any(s - best < TIE_MARGIN and DIGIT_OF_SHAPE[sh] != DIGIT_OF_SHAPE[shape]
               for s, _, sh, _ in scored[1:]):
            doubts.append("附角两笔相近，读法不同")
        return DIGIT_OF_SHAPE[shape], stroke, shape, "；".join(doubts) or None
    others = [(_above_left_score(_down(m), ref), i) for i, m in enumerate(medians)
              if i != br_stroke]
    others = [o for o in others if o[0] < math.inf]
    if digit == "0":
        if not others:
            return digit, None, EMPTY, None
        stroke = min(others)[1]
        return (digit, stroke, USED, None) if stroke in taken else (digit, None, EMPTY, None)
    free = [(score + _misfit(digit, medians, kinds, i), i) for score, i in others
            if i not in taken]
    return digit, (min(free)[1] if free else None), DIGIT_NAMES[int(digit)], None


def read_corners(source_code, medians, keys=None, decided=None):
    """Convert a source code by the rhyme.

    `keys`: the character's five-class stroke keys, when known. Returns
    (code, corners, doubt): corners holds for each digit (stroke index or
    None, the name of its shape: the rhyme's name of the digit, or for a 0
    撇, 左钩, 亠, 已用 or 空角); doubt is None or why the reading is
    uncertain. A stroke taken by an earlier 2-corner, or by a 横, 叉 or 插
    corner, does not make another 2-corner except by its end.

    `decided`: the shape (竖, 撇 or 左钩; "-" for none) that a review by eye
    gave each 2 of the source: its stroke is then sought among the strokes
    of that shape."""
    decided = list(decided or []) + ["-"] * 5
    classes = stroke_classes(keys, len(medians))
    kinds = [stroke_kinds(m) for m in medians]
    digits = list(source_code)
    four = min(4, len(digits))
    corners = [(None, None)] * four
    doubts = []
    used = set()
    for corner in range(four):
        d = digits[corner]
        if d in "145":
            stroke = shape_stroke(medians, kinds, corner, d)
            corners[corner] = (stroke, DIGIT_NAMES[int(d)])
            used |= shape_strokes(medians, kinds, stroke, d) if d in "45" else {stroke}
    for corner in range(four):
        d = digits[corner]
        if d != "2":
            continue
        want = decided[corner] if decided[corner] != "-" else None
        found = (want and (corner_stroke(medians, corner, used, want, classes)
                           or corner_stroke(medians, corner, (), want, classes))
                 or corner_stroke(medians, corner, used) or corner_stroke(medians, corner))
        if found is None:
            # Seen by eye where the strokes show no such shape: the stroke
            # nearest the corner.
            corners[corner] = (nearest_stroke(medians, corner) if want else None, want or SHU)
            if not want:
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
        corners[corner] = (stroke, shape)
    taken = set(used)
    for corner in range(four):
        d = digits[corner]
        if d in "36789":
            stroke = shape_stroke(medians, kinds, corner, d)
            corners[corner] = (stroke, DIGIT_NAMES[int(d)])
            taken |= shape_strokes(medians, kinds, stroke, d)
    taken |= {s for s, _ in corners if s is not None}
    for corner in range(four):
        if source_code[corner] != "0":
            continue
        nearest = nearest_stroke(medians, corner)
        if corner < 2 and _is_dot_over_bar(medians):
            corners[corner] = (corner, DOT_OVER_BAR if corner == 0 else USED)
        elif (corner < 2 and nearest not in taken and digits[1 - corner] not in "89"
              and _dot_over_its_bar(medians, kinds, nearest)):
            # (Beside a 小 or 八 at the other top corner the dot is that shape's.)
            corners[corner] = (nearest, DOT_OVER_BAR)  # 立 of 端, 亥 of 该
        elif nearest in taken:
            corners[corner] = (nearest, USED)
        else:
            corners[corner] = (None, EMPTY)
    if len(digits) == 5 and four == 4:
        br = corners[BOTTOM_RIGHT][0]
        if br is None:
            br = nearest_stroke(medians, BOTTOM_RIGHT)
        want = decided[4] if decided[4] != "-" else None
        digit, stroke, name, doubt = read_extra_corner(digits[4], medians, classes, kinds, br,
                                                       taken, want)

        digits[4] = digit
        corners.append((stroke, name))
        if doubt:
            doubts.append(doubt)
    return "".join(digits), corners, "；".join(doubts) or None
