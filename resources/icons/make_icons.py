#!/usr/bin/env python3
"""Writes the bar and menu pictures (24 x 24, legible at 16 x 16) into this
folder, one SVG per command. Pictures that stand in for a desktop theme's
standard icon carry that icon's name; the others are named after what they
do. Run it from this folder after changing it; the SVG files it writes are
what the program carries (list new ones in ../korvani.qrc)."""

import math
import re

INK = "#2f4858"
ACCENT = "#3a7bd5"
LIGHT = "#d6e6fb"
YELLOW = "#f2c14e"
PALE_YELLOW = "#f7d77f"
RED = "#d9534f"
GREY = "#8a9aa6"
WHITE = "#ffffff"

W = 1.5  # outline width on the 24-unit grid: one pixel at 16 x 16


def f(v):
    """A number as short as it can be written."""
    s = f"{v:.2f}".rstrip("0").rstrip(".")
    return "0" if s == "-0" else s


def stroke(d, colour=INK, width=W, extra=""):
    return (f'<path d="{d}" fill="none" stroke="{colour}" stroke-width="{f(width)}" '
            f'stroke-linecap="round" stroke-linejoin="round"{extra}/>')


def shape(d, fill, colour=INK, width=W):
    return (f'<path d="{d}" fill="{fill}" stroke="{colour}" stroke-width="{f(width)}" '
            f'stroke-linejoin="round"/>')


def rect(x, y, w, h, fill, rx=0, colour=INK, width=W):
    r = f' rx="{f(rx)}"' if rx else ""
    return (f'<rect x="{f(x)}" y="{f(y)}" width="{f(w)}" height="{f(h)}"{r} fill="{fill}" '
            f'stroke="{colour}" stroke-width="{f(width)}" stroke-linejoin="round"/>')


def circle(cx, cy, r, fill, colour=INK, width=W):
    line = f' stroke="{colour}" stroke-width="{f(width)}"' if colour else ""
    return f'<circle cx="{f(cx)}" cy="{f(cy)}" r="{f(r)}" fill="{fill}"{line}/>'


def node(x, y, fill=WHITE, size=3.5):
    """An outline node as the editor marks it: a small square."""
    return rect(x - size / 2, y - size / 2, size, size, fill, width=1)


def handle_end(x, y):
    return circle(x, y, 1.5, ACCENT, None)


def head(x, y, angle, colour=ACCENT, length=6, spread=0.55):
    """A filled arrow head with its tip at (x, y), pointing along angle (radians, y down)."""
    back = angle + math.pi
    a = (x + length * math.cos(back - spread), y + length * math.sin(back - spread))
    b = (x + length * math.cos(back + spread), y + length * math.sin(back + spread))
    return (f'<path d="M{f(x)} {f(y)} L{f(a[0])} {f(a[1])} L{f(b[0])} {f(b[1])} z" fill="{colour}" '
            f'stroke="{colour}" stroke-width="1" stroke-linejoin="round"/>')


def arrow(x0, y0, x1, y1, colour=ACCENT, width=2.5, length=6.5):
    """A straight arrow from (x0, y0) to its tip at (x1, y1)."""
    angle = math.atan2(y1 - y0, x1 - x0)
    # The shaft stops inside the head so that its round cap does not show past the tip.
    sx, sy = x1 - (length - 1) * math.cos(angle), y1 - (length - 1) * math.sin(angle)
    return (stroke(f"M{f(x0)} {f(y0)} L{f(sx)} {f(sy)}", colour, width)
            + head(x1, y1, angle, colour, length))


def arc_arrow(cx, cy, r, a0, a1, colour=ACCENT, width=2.2, length=6):
    """An arc about (cx, cy) from angle a0 to a1 (degrees, y down; a1 > a0 turns
    clockwise on screen) with a head at a1."""
    clockwise = a1 > a0
    # Leave room for the head: the arc ends a little before the tip.
    trim = math.degrees((length - 1.5) / r) * (1 if clockwise else -1)
    end = a1 - trim

    def at(a):
        t = math.radians(a)
        return cx + r * math.cos(t), cy + r * math.sin(t)

    p0, p1, tip = at(a0), at(end), at(a1)
    large = 1 if abs(end - a0) > 180 else 0
    sweep = 1 if clockwise else 0
    d = f"M{f(p0[0])} {f(p0[1])} A{f(r)} {f(r)} 0 {large} {sweep} {f(p1[0])} {f(p1[1])}"
    # The head points along the chord from the arc's end to the tip.
    angle = math.atan2(tip[1] - p1[1], tip[0] - p1[0])
    return stroke(d, colour, width) + head(tip[0], tip[1], angle, colour, length)


def union(shapes, fill, colour=INK, width=W):
    """Shapes drawn as one outline: every outline under every fill."""
    under = "".join(s.format(fill="none", stroke=colour, width=f(width * 2)) for s in shapes)
    over = "".join(s.format(fill=fill, stroke="none", width="0") for s in shapes)
    return under + over


def sheet(x, y, w, h, fold=5):
    """A page with a folded corner."""
    return (shape(f"M{f(x)} {f(y)} h{f(w - fold)} l{f(fold)} {f(fold)} v{f(h - fold)} h{f(-w)} z", WHITE)
            + stroke(f"M{f(x + w - fold)} {f(y)} v{f(fold)} h{f(fold)}", INK, 1))


def mirrored(body):
    return f'<g transform="matrix(-1 0 0 1 24 0)">{body}</g>'


def turned(body, degrees):
    return f'<g transform="rotate({f(degrees)} 12 12)">{body}</g>'


def gradient(name, start, end, x2="1", y2="0"):
    return (f'<defs><linearGradient id="{name}" x1="0" y1="0" x2="{x2}" y2="{y2}">'
            f'<stop offset="0" stop-color="{start}"/><stop offset="1" stop-color="{end}"/>'
            f'</linearGradient></defs>')


# --- files and edits -------------------------------------------------------

def document_new():
    return sheet(4.5, 2.5, 15, 19) + stroke("M12 10.5 v8 M8 14.5 h8", ACCENT, 2.2)


def document_open():
    return (shape("M2.5 19.5 V5 h6.5 l2 2.5 h8.5 v3", YELLOW)
            + shape("M2.5 19.5 l3.5 -9 h16 l-3.5 9 z", PALE_YELLOW))


def document_save():
    return (shape("M3.5 3.5 h14 l3 3 v14 h-17 z", ACCENT)
            + rect(7, 3.5, 9.5, 6, WHITE, width=1) + rect(13, 4.75, 2, 3.5, INK, width=0)
            + rect(6.5, 13, 11, 7.5, WHITE, width=1) + stroke("M8.5 16 h7 M8.5 18.5 h7", GREY, 1))


def document_print():
    return (rect(6.5, 2.5, 11, 7, WHITE)
            + rect(2.5, 8.5, 19, 9, LIGHT, rx=1.5)
            + circle(18, 11.5, 1, ACCENT, None)
            + rect(6.5, 14, 11, 7.5, WHITE) + stroke("M8.5 17 h7 M8.5 19.5 h5", GREY, 1))


def edit_undo():
    return (stroke("M8 9 h7.5 a5.25 5.25 0 0 1 0 10.5 h-7", ACCENT, 2.5)
            + head(2.5, 9, math.pi, ACCENT, 7, 0.6))


def edit_redo():
    return mirrored(edit_undo())


def edit_copy():
    return rect(3.5, 3.5, 11, 11, WHITE, rx=1) + rect(9.5, 9.5, 11, 11, LIGHT, rx=1)


def clipboard_copy():
    return sheet(3.5, 2.5, 11, 14) + sheet(9.5, 7.5, 11, 14)


def edit_cut():
    return (stroke("M7.5 15 L16.5 2.5 M16.5 15 L7.5 2.5", GREY, 2)
            + circle(6.5, 18, 3.25, WHITE, ACCENT, 2) + circle(17.5, 18, 3.25, WHITE, ACCENT, 2))


def edit_paste():
    return (rect(3.5, 4, 14, 17.5, YELLOW, rx=1.5) + rect(7, 2.5, 7, 3.5, LIGHT, rx=1)
            + sheet(10.5, 9.5, 10, 12))


def edit_delete():
    return (stroke("M9.5 5.5 v-2 h5 v2", INK, W)
            + shape("M6 6.5 l1.2 14 h9.6 l1.2 -14", WHITE)
            + stroke("M3.5 6 h17", RED, 2.2)
            + stroke("M10 10 v7.5 M14 10 v7.5", GREY, 1.2))


def import_file():
    return sheet(9.5, 2.5, 12, 19) + arrow(1.5, 13, 15, 13)


def export_file():
    return sheet(2.5, 2.5, 12, 19) + arrow(8, 13, 22.5, 13)


def capture_screen():
    return (rect(2.5, 3.5, 19, 13, WHITE, rx=1)
            + stroke("M12 16.5 v3.5 M8 20.5 h8", INK, W)
            + rect(6, 6.5, 10, 7, LIGHT, colour=ACCENT, width=1.2).replace(
                "/>", ' stroke-dasharray="2 1.5"/>')
            + stroke("M14 11.5 v5 M11.5 14 h5", INK, 1.2))


# --- arrangement -----------------------------------------------------------

def object_rotate_right():
    return rect(7.5, 11.5, 10, 9, LIGHT) + arc_arrow(12, 13, 8, 195, 335)


def object_rotate_left():
    return mirrored(object_rotate_right())


def object_flip_horizontal():
    # Mirrors left to right, about an upright axis.
    return (stroke("M12 2.5 V21.5", GREY, 1.2, ' stroke-dasharray="2 1.5"')
            + shape("M9.5 5.5 V18.5 H2.5 z", ACCENT)
            + shape("M14.5 5.5 V18.5 H21.5 z", WHITE))


def object_flip_vertical():
    return turned(object_flip_horizontal(), -90)


def corner_handles(x0, y0, x1, y1, size=2.5):
    return "".join(node(x, y, INK, size) for x, y in ((x0, y0), (x1, y0), (x0, y1), (x1, y1)))


def group():
    frame = rect(3, 3, 18, 18, "none", colour=GREY, width=1).replace("/>", ' stroke-dasharray="2 1.5"/>')
    return frame + corner_handles(3, 3, 21, 21) + rect(5.5, 5.5, 8, 8, LIGHT) + circle(15, 15, 4.5, YELLOW)


def break_group():
    # The members apart, each its own item with its own handles.
    return (rect(3.5, 3.5, 7, 7, LIGHT) + corner_handles(2.5, 2.5, 11.5, 11.5, 2.2)
            + circle(17, 17, 3.5, YELLOW) + corner_handles(12.5, 12.5, 21.5, 21.5, 2.2))


COMBINE_SHAPES = [
    '<rect x="3.5" y="3.5" width="11" height="11" fill="{fill}" stroke="{stroke}" stroke-width="{width}"/>',
    '<circle cx="15" cy="15" r="6" fill="{fill}" stroke="{stroke}" stroke-width="{width}"/>',
]


def combine():
    return union(COMBINE_SHAPES, ACCENT)


def break_combine():
    # The pieces of the combined outline, pulled apart.
    return rect(2.5, 2.5, 10, 10, ACCENT) + circle(16.5, 16.5, 5.5, ACCENT)


def layers(highlight):
    """Three items seen edge on, the bottom one lowest; one of them marked."""
    return "".join(rect(2.5, y, 12, 4, ACCENT if i == highlight else WHITE, rx=1, width=1.2)
                   for i, y in enumerate((17.5, 10, 2.5)))


def move_topmost():
    return layers(2) + stroke("M17 2.5 h5", INK, 1.8) + arrow(19.5, 21, 19.5, 4.5, INK, 2, 5)


def move_up():
    return layers(1) + arrow(19.5, 19, 19.5, 5, INK, 2, 5)


def move_down():
    return layers(1) + arrow(19.5, 5, 19.5, 19, INK, 2, 5)


def move_bottom():
    return layers(0) + stroke("M17 21.5 h5", INK, 1.8) + arrow(19.5, 3, 19.5, 19.5, INK, 2, 5)


# --- colours ---------------------------------------------------------------

def change_fill_color():
    bucket = (f'<g transform="rotate(-30 10 13)">'
              + shape("M4.5 8.5 h11 v10 a2 2 0 0 1 -2 2 h-7 a2 2 0 0 1 -2 -2 z", WHITE)
              + f'<ellipse cx="10" cy="8.5" rx="5.5" ry="1.8" fill="{ACCENT}" stroke="{INK}" stroke-width="1"/>'
              + stroke("M4.5 8.5 C4.5 2, 15.5 2, 15.5 8.5", INK, 1.2) + "</g>")
    drop = shape("M19.5 11 C17.5 14.5, 17 17, 19.5 17.5 C22 17, 21.5 14.5, 19.5 11 z", ACCENT, width=1)
    return bucket + drop


def change_line_color():
    brush = ('<g transform="rotate(40 12 12)">'
             + rect(10.5, 1, 3, 10, YELLOW, rx=1, width=1.2)
             + rect(10, 10.5, 4, 3, GREY, width=1)
             + shape("M10 13.5 h4 v2 c0 2 -1 4 -2 5 c-1 -1 -2 -3 -2 -5 z", ACCENT, width=1) + "</g>")
    return stroke("M2.5 21 c3 -3 6 1 9 -1.5", ACCENT, 2.5) + brush


# --- tools -----------------------------------------------------------------

POINTER = "M0 0 L0 15 L3.8 11.6 L6.3 17.3 L8.6 16.3 L6.2 10.7 L11.2 10.7 z"


def tool_select():
    return f'<g transform="translate(7 3)">{shape(POINTER, INK, INK, 1.2)}</g>'


def tool_edit():
    return (stroke("M3 14 C3 7, 8 3.5, 15 3.5", INK, W) + node(3, 14) + node(15, 3.5, ACCENT)
            + f'<g transform="translate(10.5 7.5) scale(0.85)">{shape(POINTER, WHITE, INK, 1.4)}</g>')


def tool_line():
    return stroke("M4.5 19.5 L19.5 4.5", INK, 2) + node(4.5, 19.5) + node(19.5, 4.5)


def tool_text():
    return shape("M4 3.5 h16 v5 h-2 l-1 -2 h-3.5 v12 l2.5 1 v1 h-8 v-1 l2.5 -1 v-12 h-3.5 l-1 2 h-2 z", INK, INK, 0.8)


def tool_rectangle():
    return rect(3.5, 5.5, 17, 13, LIGHT)


def tool_ellipse():
    return f'<ellipse cx="12" cy="12" rx="9.5" ry="7" fill="{LIGHT}" stroke="{INK}" stroke-width="{W}"/>'


def tool_doodle():
    pencil = ('<g transform="translate(17.5 6.5) rotate(45)">'
              + rect(-2.2, -6, 4.4, 9, YELLOW, width=1.2)
              + shape("M-2.2 3 h4.4 l-2.2 4.5 z", WHITE, width=1.2)
              + shape("M-0.8 5.6 h1.6 l-0.8 1.9 z", INK, width=0.6) + "</g>")
    return stroke("M2.5 20 C4 14, 7 14, 7.5 17.5 S11 21, 12 12.5", ACCENT, 2) + pencil


def tool_bezier():
    return (stroke("M2.5 20.5 C4 12, 7 9.5, 12 9.5 S20 12, 21.5 20.5", INK, W)
            + stroke("M5 9.5 H19", ACCENT, 1) + handle_end(5, 9.5) + handle_end(19, 9.5)
            + node(12, 9.5) + node(2.5, 20.5) + node(21.5, 20.5))


def tool_rotate():
    return (arc_arrow(12, 12, 8.5, 200, 330) + arc_arrow(12, 12, 8.5, 20, 150)
            + circle(12, 12, 2, WHITE, INK, 1.2) + circle(12, 12, 0.6, INK, None))


HAND_SHAPES = [
    '<rect x="6" y="10" width="12.5" height="12" rx="4.5" fill="{fill}" stroke="{stroke}" stroke-width="{width}"/>',
    '<rect x="6" y="6" width="2.8" height="10" rx="1.4" fill="{fill}" stroke="{stroke}" stroke-width="{width}"/>',
    '<rect x="9.2" y="3" width="2.8" height="12" rx="1.4" fill="{fill}" stroke="{stroke}" stroke-width="{width}"/>',
    '<rect x="12.4" y="3.5" width="2.8" height="12" rx="1.4" fill="{fill}" stroke="{stroke}" stroke-width="{width}"/>',
    '<rect x="15.6" y="6" width="2.8" height="10" rx="1.4" fill="{fill}" stroke="{stroke}" stroke-width="{width}"/>',
    '<rect x="3.3" y="11" width="2.8" height="8" rx="1.4" fill="{fill}" stroke="{stroke}" '
    'stroke-width="{width}" transform="rotate(-35 4.7 15)"/>',
]


def tool_hand():
    return union(HAND_SHAPES, WHITE, INK, 1.2)


def zoom(plus):
    sign = "M7 10 h6" + (" M10 7 v6" if plus else "")
    return (stroke("M14.5 14.5 L20.5 20.5", INK, 3.5) + circle(10, 10, 6.5, WHITE, INK, 2)
            + stroke(sign, ACCENT, 2.2))


def zoom_in():
    return zoom(True)


def zoom_out():
    return zoom(False)


def gradient_handle():
    return stroke("M6.5 17.5 L17.5 6.5", INK, 1.2) + node(6.5, 17.5) + node(17.5, 6.5, INK)


def tool_gradient_fill():
    return (gradient("g", WHITE, ACCENT, "1", "0")
            + rect(3.5, 3.5, 17, 17, "url(#g)", rx=1) + gradient_handle())


def tool_gradient_line():
    return (gradient("g", LIGHT, INK, "1", "0")
            + rect(4.5, 4.5, 15, 15, "none", rx=1, colour="url(#g)", width=4)
            + gradient_handle())


def gradient_stop_color():
    def stop(x, fill):
        return shape(f"M{f(x)} 14.5 l3 3 v3.5 h-6 v-3.5 z", fill, width=1.2)
    return (gradient("g", WHITE, ACCENT, "1", "0") + rect(2.5, 4, 19, 8, "url(#g)", rx=1)
            + stop(5.5, WHITE) + stop(12, YELLOW) + stop(18.5, ACCENT))


# --- text ------------------------------------------------------------------

def format_text_bold():
    return stroke("M7.5 4.5 h5.5 a3.5 3.5 0 0 1 0 7 h-5.5 z M7.5 11.5 h6.5 a4 4 0 0 1 0 8 h-6.5 z", INK, 3)


def format_text_italic():
    return stroke("M11 4.5 h8 M5 19.5 h8 M15 4.5 L9 19.5", INK, 2.2)


def format_text_underline():
    return stroke("M7.5 3.5 v7.5 a4.5 4.5 0 0 0 9 0 v-7.5", INK, 2.5) + stroke("M5 21 h14", ACCENT, 2)


# --- outline points --------------------------------------------------------

def point_to_bezier():
    return (circle(12, 12, 8, LIGHT, INK, W)
            + stroke("M7 4 H17", ACCENT, 1) + handle_end(7, 4) + handle_end(17, 4)
            + node(12, 4, ACCENT) + node(20, 12) + node(12, 20) + node(4, 12))


def point_to_line():
    return (stroke("M4 18 C 4 8, 12 4, 20 6", GREY, 1.2, ' stroke-dasharray="1.5 1.5"')
            + stroke("M4 18 L20 6", INK, 2) + node(4, 18) + node(20, 6))


def point_to_curve():
    return (stroke("M4 18 L20 6", GREY, 1.2, ' stroke-dasharray="1.5 1.5"')
            + stroke("M4 18 C 4 8, 12 4, 20 6", INK, 2) + node(4, 18) + node(20, 6))


def node_with_handles(mark, left, right, curve):
    return (stroke(curve, INK, W)
            + stroke(f"M{f(left[0])} {f(left[1])} L12 8 L{f(right[0])} {f(right[1])}", ACCENT, 1)
            + handle_end(*left) + handle_end(*right) + mark)


def point_cusp():
    diamond = shape("M12 5.5 L14.5 8 L12 10.5 L9.5 8 z", WHITE, width=1)
    return node_with_handles(diamond, (5.5, 4), (18.5, 4), "M2.5 20.5 Q9 15, 12 8 Q15 15, 21.5 20.5")


def point_smooth():
    return node_with_handles(node(12, 8), (8, 8), (20.5, 8), "M2.5 20.5 C3.5 12, 8 8, 12 8 C16 8, 21 12, 21.5 20.5")


def point_symmetric():
    return node_with_handles(circle(12, 8, 1.9, WHITE, INK, 1), (5, 8), (19, 8),
                             "M2.5 20.5 C3 12, 7 8, 12 8 C17 8, 21 12, 21.5 20.5")


def close_curve():
    return (stroke("M7 19 C1.5 14, 3 4, 12 4 C21 4, 22.5 14, 17 19", INK, W)
            + stroke("M7 19 H17", ACCENT, 2.2) + node(7, 19) + node(17, 19))


def break_curve():
    return (stroke("M9.5 20 C2 18.5, 2.5 4, 12 4 C21.5 4, 22 18.5, 14.5 20", INK, W)
            + node(9.5, 20, ACCENT) + node(14.5, 20, ACCENT))


def delete_point():
    return (stroke("M2.5 17 C6 6, 14 5, 20 9", INK, W) + node(2.5, 17) + node(10.5, 8, ACCENT)
            + circle(18, 17.5, 4.5, RED, None) + stroke("M15.5 17.5 h5", WHITE, 2))


# --- menus and marks -------------------------------------------------------

def envelope(x, y, w, h, width=W):
    return (rect(x, y, w, h, WHITE, rx=1, width=width)
            + stroke(f"M{f(x)} {f(y + 0.5)} L{f(x + w / 2)} {f(y + h * 0.55)} L{f(x + w)} {f(y + 0.5)}", INK, width))


def new_email_template():
    return (envelope(2.5, 4.5, 18, 13) + circle(18.5, 18, 4.5, ACCENT, None)
            + stroke("M16 18 h5 M18.5 15.5 v5", WHITE, 1.8))


def download_template():
    return stroke("M3.5 14.5 v6 h17 v-6", INK, 2) + arrow(12, 2.5, 12, 16.5)


def upload_template():
    return stroke("M3.5 14.5 v6 h17 v-6", INK, 2) + arrow(12, 16.5, 12, 2.5)


TAG = "M2.5 5.5 h13 l6.5 6.5 l-6.5 6.5 h-13 z"


def insert_name_tag():
    return (shape(TAG, PALE_YELLOW) + circle(17, 12, 1.2, WHITE, INK, 1)
            + circle(8.5, 9.5, 2.2, INK, None) + shape("M4.5 16.5 a4 3.2 0 0 1 8 0 z", INK, INK, 1))


def insert_email_tag():
    return shape(TAG, PALE_YELLOW) + circle(17, 12, 1.2, WHITE, INK, 1) + envelope(4.5, 8.5, 8.5, 7, 1.2)


def splash_screen():
    tiles = "".join(rect(x, y, 4, 4, LIGHT, width=1) for y in (9, 15) for x in (5, 10, 15))
    return rect(2.5, 3.5, 19, 17, WHITE, rx=1) + rect(2.5, 3.5, 19, 3.5, ACCENT, rx=1) + tiles


def help_about():
    return (circle(12, 12, 9.5, ACCENT, INK, 1) + circle(12, 7.5, 1.6, WHITE, None)
            + stroke("M12 11 v7", WHITE, 2.8))


def application_exit():
    return (rect(3.5, 2.5, 10, 19, LIGHT) + circle(11, 12.5, 0.9, INK, None)
            + arrow(10, 12, 22, 12))


def lock():
    return (stroke("M8 11 V7.5 a4 4 0 0 1 8 0 V11", INK, 2)
            + rect(5.5, 10.5, 13, 10.5, YELLOW, rx=1.5)
            + circle(12, 14.5, 1.5, INK, None) + stroke("M12 15 v3", INK, 1.6))


def hide():
    return (shape("M2 12 C6 5.5, 18 5.5, 22 12 C18 18.5, 6 18.5, 2 12 z", WHITE)
            + circle(12, 12, 3.5, ACCENT, None) + circle(12, 12, 1.5, INK, None)
            + stroke("M4.5 20 L19.5 4", WHITE, 4) + stroke("M4.5 20 L19.5 4", RED, 2))


def halo(body):
    """A faint light rim under every outline, so that dark lines stay legible
    on a dark bar; on a light bar it does not show."""
    rim = re.sub(r"<defs>.*?</defs>", "", body)
    rim = re.sub(r'fill="[^"]*"', 'fill="none"', rim)
    rim = re.sub(r'stroke="(?!none)[^"]*"', f'stroke="{WHITE}" stroke-opacity="0.5"', rim)
    rim = re.sub(r'stroke-width="([0-9.]+)"', lambda m: f'stroke-width="{f(float(m.group(1)) + 2)}"', rim)
    return rim


PICTURES = {
    "document-new": document_new,
    "document-open": document_open,
    "document-save": document_save,
    "document-print": document_print,
    "edit-undo": edit_undo,
    "edit-redo": edit_redo,
    "edit-copy": edit_copy,
    "clipboard-copy": clipboard_copy,
    "edit-cut": edit_cut,
    "edit-paste": edit_paste,
    "edit-delete": edit_delete,
    "import": import_file,
    "export": export_file,
    "capture-screen": capture_screen,
    "object-rotate-left": object_rotate_left,
    "object-rotate-right": object_rotate_right,
    "object-flip-horizontal": object_flip_horizontal,
    "object-flip-vertical": object_flip_vertical,
    "group": group,
    "break-group": break_group,
    "combine": combine,
    "break-combine": break_combine,
    "move-topmost": move_topmost,
    "move-up": move_up,
    "move-down": move_down,
    "move-bottom": move_bottom,
    "change-fill-color": change_fill_color,
    "change-line-color": change_line_color,
    "tool-select": tool_select,
    "tool-edit": tool_edit,
    "tool-line": tool_line,
    "tool-text": tool_text,
    "tool-rectangle": tool_rectangle,
    "tool-ellipse": tool_ellipse,
    "tool-doodle": tool_doodle,
    "tool-bezier": tool_bezier,
    "tool-rotate": tool_rotate,
    "tool-hand": tool_hand,
    "zoom-in": zoom_in,
    "zoom-out": zoom_out,
    "tool-gradient-fill": tool_gradient_fill,
    "tool-gradient-line": tool_gradient_line,
    "gradient-stop-color": gradient_stop_color,
    "format-text-bold": format_text_bold,
    "format-text-italic": format_text_italic,
    "format-text-underline": format_text_underline,
    "point-to-bezier": point_to_bezier,
    "point-to-line": point_to_line,
    "point-to-curve": point_to_curve,
    "point-cusp": point_cusp,
    "point-smooth": point_smooth,
    "point-symmetric": point_symmetric,
    "close-curve": close_curve,
    "break-curve": break_curve,
    "delete-point": delete_point,
    "new-email-template": new_email_template,
    "download-template": download_template,
    "upload-template": upload_template,
    "insert-name-tag": insert_name_tag,
    "insert-email-tag": insert_email_tag,
    "splash-screen": splash_screen,
    "help-about": help_about,
    "application-exit": application_exit,
    "lock": lock,
    "hide": hide,
}


if __name__ == "__main__":
    for name, draw in PICTURES.items():
        with open(f"{name}.svg", "w") as out:
            out.write('<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24">\n'
                      + halo(draw()) + "\n" + draw() + "\n</svg>\n")
