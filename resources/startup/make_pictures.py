#!/usr/bin/env python3
"""Writes the start-up chooser's six pictures (450 x 300): the neutral one and
one for each choice highlighted. Run it from this folder after changing it;
the SVG files it writes are what the program carries."""

AREAS = [  # x, y, width, height, label, icon
    (56, 19, 141, 125, "New drawing", "sheet"),
    (229, 19, 158, 125, "New template", "envelope"),
    (28, 157, 103, 127, "Open", "folder"),
    (147, 157, 141, 126, "Download template", "down"),
    (302, 157, 122, 125, "Upload template", "up"),
]
NAMES = ["new", "template", "open", "download", "upload"]

INK = "#2f4858"
ACCENT = "#3a7bd5"


def icon(kind, cx, cy):
    if kind == "sheet":
        return (f'<path d="M{cx-22} {cy-30} h32 l14 14 v46 h-46 z" fill="#fff" stroke="{INK}" stroke-width="3" stroke-linejoin="round"/>'
                f'<path d="M{cx+10} {cy-30} v14 h14" fill="none" stroke="{INK}" stroke-width="3" stroke-linejoin="round"/>'
                f'<path d="M{cx-8} {cy+16} l22 -22 l6 6 l-22 22 l-8 2 z" fill="{ACCENT}" stroke="{INK}" stroke-width="2" stroke-linejoin="round"/>')
    if kind == "envelope":
        return (f'<rect x="{cx-32}" y="{cy-20}" width="64" height="42" rx="3" fill="#fff" stroke="{INK}" stroke-width="3"/>'
                f'<path d="M{cx-32} {cy-18} L{cx} {cy+6} L{cx+32} {cy-18}" fill="none" stroke="{INK}" stroke-width="3" stroke-linejoin="round"/>'
                f'<circle cx="{cx+28}" cy="{cy+20}" r="10" fill="{ACCENT}"/>'
                f'<path d="M{cx+23} {cy+20} h10 M{cx+28} {cy+15} v10" stroke="#fff" stroke-width="3"/>')
    if kind == "folder":
        return (f'<path d="M{cx-30} {cy-22} h20 l6 7 h34 v37 h-60 z" fill="#f2c14e" stroke="{INK}" stroke-width="3" stroke-linejoin="round"/>'
                f'<path d="M{cx-30} {cy+22} l8 -28 h60 l-8 28 z" fill="#f7d77f" stroke="{INK}" stroke-width="3" stroke-linejoin="round"/>')
    arrow_down = kind == "down"
    tip, tail = (cy + 18, cy - 22) if arrow_down else (cy - 24, cy + 16)
    head = -1 if arrow_down else 1
    return (f'<path d="M{cx-30} {cy+26} h60" stroke="{INK}" stroke-width="4" stroke-linecap="round"/>'
            f'<path d="M{cx} {tail} V{tip}" stroke="{ACCENT}" stroke-width="8" stroke-linecap="round"/>'
            f'<path d="M{cx-16} {tip + 16*head} L{cx} {tip} L{cx+16} {tip + 16*head}" fill="none" stroke="{ACCENT}" '
            f'stroke-width="8" stroke-linecap="round" stroke-linejoin="round"/>')


def picture(hot):
    parts = ['<svg xmlns="http://www.w3.org/2000/svg" width="450" height="300" viewBox="0 0 450 300">',
             '<defs><linearGradient id="bg" x1="0" y1="0" x2="0" y2="1">'
             '<stop offset="0" stop-color="#f7f9fc"/><stop offset="1" stop-color="#dfe7f1"/></linearGradient></defs>',
             '<rect width="450" height="300" fill="url(#bg)"/>']
    for i, (x, y, w, h, label, kind) in enumerate(AREAS):
        if i == hot:
            parts.append(f'<rect x="{x+1.5}" y="{y+1.5}" width="{w-3}" height="{h-3}" rx="10" fill="#d6e6fb" '
                         f'stroke="{ACCENT}" stroke-width="3"/>')
        cx, cy = x + w // 2, y + h // 2 - 12
        parts.append(icon(kind, cx, cy))
        weight = "bold" if i == hot else "normal"
        parts.append(f'<text x="{cx}" y="{y + h - 14}" font-family="Liberation Sans, Arial, sans-serif" font-size="13" '
                     f'font-weight="{weight}" fill="{INK}" text-anchor="middle">{label}</text>')
    parts.append('</svg>')
    return "\n".join(parts) + "\n"


if __name__ == "__main__":
    with open("normal.svg", "w") as f:
        f.write(picture(-1))
    for i, name in enumerate(NAMES):
        with open(f"{name}.svg", "w") as f:
            f.write(picture(i))
