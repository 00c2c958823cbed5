"""Drawing of every picture kind of the theme description.

Each painter takes (theme, group, state, index, scale) and returns a Canvas: `group`
is the description's picture record, `state` the state name of this picture (or None)
and `index` its position in the group's list. Geometry is in pixels at scale 1.0 and
multiplied by `scale`; colours are palette names or "#rrggbb" (theme.color()).
"""
import math

import glyphs
import panels
from raster import Canvas, circle, inset, intersect, polygon, rrect, segment, vertical_gradient

def _canvas(group, scale):
    w, h = group["size"]
    return Canvas(max(1, round(w * scale)), max(1, round(h * scale)))


def _draw_glyph(theme, canvas, name, roles, margin=0.0):
    for shape, role in glyphs.layers(name):
        canvas.fill(glyphs.place(shape, canvas.width, canvas.height, margin), theme.color(roles[role]))


def common_button(theme, group, state, index, scale):
    c = _canvas(group, scale)
    look = theme.look("button_states", state)
    w, h, r = c.width, c.height, group["radius"] * scale
    border = look.get("ring", 1) * scale
    outer = rrect(0, 0, w, h, r)
    c.fill(outer, theme.color(look["border"]))
    body = inset(outer, border)
    c.fill(body, vertical_gradient(theme.color(look["top"]), theme.color(look["bottom"]), border, h - border))
    if look.get("gloss"):
        upper = intersect(body, lambda x, y: y - h / 2.0)
        c.fill(upper, (255, 255, 255, look["gloss"]))
    return c


def combo(theme, group, state, index, scale):
    """One piece of a field drawn as a rounded box wider than the piece, so the pieces join."""
    c = _canvas(group, scale)
    look = theme.look("field_states", state)
    w, h, r = c.width, c.height, group["radius"] * scale
    reach = 4 * r
    left = 0 if group["part"] == "left" else -reach
    right = w if group["part"] == "right" else w + reach
    outer = rrect(left, 0, right, h, r)
    c.fill(outer, theme.color(look["border"]))
    fill = look["button"] if group["part"] == "right" else look["fill"]
    c.fill(inset(outer, scale), theme.color(fill))
    if group["part"] == "right":
        c.fill(segment(0.5 * scale, 5 * scale, 0.5 * scale, h - 5 * scale, scale), theme.color(look["border"]))
        cx, cy = w / 2.0, h / 2.0
        a = 4 * scale
        c.fill(polygon([(cx - a, cy - a / 2), (cx + a, cy - a / 2), (cx, cy + a * 0.75)]), theme.color(look["arrow"]))
    return c


def _mark_look(theme, state):
    checked, _, look_name = state.partition("_")
    return checked == "checked", theme.look("mark_states", look_name)


def check(theme, group, state, index, scale):
    c = _canvas(group, scale)
    checked, look = _mark_look(theme, state)
    s = c.width / 16.0
    box = rrect(1.5 * s, 1.5 * s, c.width - 1.5 * s, c.height - 1.5 * s, 3 * s)
    c.fill(box, theme.color(look["border"]))
    c.fill(inset(box, s), theme.color(look["box"]))
    if checked:
        tick = glyphs.place(glyphs.layers("check")[0][0], c.width, c.height, 2.5 * s)
        c.fill(tick, theme.color(look["mark"]))
    return c


def radio(theme, group, state, index, scale):
    c = _canvas(group, scale)
    checked, look = _mark_look(theme, state)
    cx, cy, s = c.width / 2.0, c.height / 2.0, c.width / 16.0
    c.fill(circle(cx, cy, 6.5 * s), theme.color(look["border"]))
    c.fill(circle(cx, cy, 5.5 * s), theme.color(look["box"]))
    if checked:
        c.fill(circle(cx, cy, 3 * s), theme.color(look["mark"]))
    return c


def stepbar(theme, group, state, index, scale):
    c = _canvas(group, scale)
    w, h = c.width, c.height
    r = group.get("radius", 0) * scale
    part = group["part"]
    if part == "background":
        track = rrect(0, 0, w, h, r)
        c.fill(track, theme.color("#4a4a4a"))
        c.fill(inset(track, scale), vertical_gradient(theme.color("#0a0a0a"), theme.color("#202020"), 0, h))
    elif part == "separator":
        c.fill(lambda x, y: max(abs(x - w / 4.0) - w / 4.0, abs(y - h / 2.0) - (h / 2.0 - 2 * scale)),
               theme.color("#000000"))
        c.fill(lambda x, y: max(abs(x - 3 * w / 4.0) - w / 4.0, abs(y - h / 2.0) - (h / 2.0 - 2 * scale)),
               (255, 255, 255, 60))
    else:
        reach = 4 * max(r, scale)
        left = scale if part == "left" else -reach
        right = w - scale if part == "right" else w + reach
        bar = rrect(left, scale, right, h - scale, r)
        c.fill(bar, vertical_gradient(theme.color("accent_light"), theme.color("accent_dark"), scale, h - scale))
    return c


def caption(theme, group, state, index, scale):
    c = _canvas(group, scale)
    look = theme.look(group["look"], state)
    if look["back"]:
        c.fill(rrect(scale, scale, c.width - scale, c.height - scale, 4 * scale), theme.color(look["back"]))
    _draw_glyph(theme, c, group["glyph"], {"fg": look["fg"], "dim": look["dim"], "accent": look["fg"]})
    return c


def icon(theme, group, state, index, scale):
    c = _canvas(group, scale)
    roles = theme.look("icon_states", state or "enabled")
    _draw_glyph(theme, c, group["glyph"], roles)
    return c


def list_image(theme, group, state, index, scale):
    """An opaque image-list picture: the glyph in the row's tint on the list's black."""
    c = _canvas(group, scale)
    tint = group["tint"]
    _draw_glyph(theme, c, group["glyph"], {"fg": tint, "dim": "black", "accent": "glyph"}, 0.5 * scale)
    return c


def header(theme, group, state, index, scale):
    c = _canvas(group, scale)
    w, h = c.width, c.height
    if group["part"] == "background":
        c.fill(lambda x, y: -1.0, vertical_gradient(theme.color(group["top"]), theme.color(group["bottom"]), 0, h))
        c.fill(lambda x, y: abs(y - (h - 0.5 * scale)) - 0.5 * scale, theme.color(group["line"]))
    else:
        c.fill(lambda x, y: x - w / 2.0, theme.color(group["light"]))
        c.fill(lambda x, y: w / 2.0 - x, theme.color(group["dark"]))
    return c


def progress_frame(theme, group, state, index, scale):
    """Frame `index`: dot `index` lit, the one before it fading, the others idle."""
    c = _canvas(group, scale)
    count = group["dots"]
    r = group["radius"] * scale
    step = (c.width - 2 * r - 2 * scale) / (count - 1)
    for dot in range(count):
        cx = scale + r + dot * step
        if dot == index:
            colour, radius = group["lit"], r
        elif dot == index - 1 or (index == 0 and dot == count - 1):
            colour, radius = group["trail"], r * 0.85
        else:
            colour, radius = group["idle"], r * 0.7
        c.fill(circle(cx, c.height / 2.0, radius), theme.color(colour))
    return c


def logo(theme, group, state, index, scale):
    """The suite mark: a ring with a wave through it, then a band of rising bars."""
    c = _canvas(group, scale)
    w, h = c.width, c.height
    cy = h / 2.0
    r = h / 2.0 - scale
    c.fill(circle(r + scale, cy, r), vertical_gradient(theme.color("accent_light"), theme.color("accent_dark"), 0, h))
    c.fill(circle(r + scale, cy, r * 0.62), theme.color("black"))
    wave = [(r + scale + r * 0.55 * math.cos(a), cy + r * 0.3 * math.sin(3 * a)) for a in
            [math.pi * (1 - i / 8.0) for i in range(9)]]
    for a, b in zip(wave, wave[1:]):
        c.fill(segment(a[0], a[1], b[0], b[1], max(1.0, h / 14.0)), theme.color("glyph"))
    x = 2 * r + 4 * scale + h / 6.0
    bar_w = max(2.0, h / 6.0)
    i = 0
    while x + bar_w <= w - scale:
        top = cy + r * 0.8 - (r * 1.6) * ((i % 6) + 1) / 6.0
        c.fill(rrect(x, top, x + bar_w, cy + r * 0.8, bar_w / 3.0), theme.color("text" if i % 6 else "accent"))
        x += bar_w * 1.8
        i += 1
    return c


def window_icon_sizes(theme, group, scale):
    """The square images of an icon resource, each with the glyph on a round badge."""
    images = []
    for size in group["sizes"]:
        c = Canvas(round(size * scale), round(size * scale))
        c.fill(rrect(0, 0, c.width, c.height, c.width / 5.0),
               vertical_gradient(theme.color("accent"), theme.color("accent_dark"), 0, c.height))
        _draw_glyph(theme, c, group["glyph"], {"fg": "glyph", "dim": "glyph_dim", "accent": "black"}, c.width / 10.0)
        images.append(c)
    return images


PAINTERS = {
    "common_button": common_button, "combo": combo, "check": check, "radio": radio,
    "stepbar": stepbar, "caption": caption, "icon": icon, "list_image": list_image,
    "header": header, "progress_frame": progress_frame, "logo": logo,
    "tab": panels.tab, "nine_part": panels.nine_part,
}


def animation_frames(theme, group, state, scale):
    """The transfer animation: a sheet travels from the computer to the handset;
    mirrored for right-to-left desktops."""
    w, h = (max(1, round(v * scale)) for v in group["size"])
    count = group["frames"]
    frames = []
    for frame in range(count):
        c = Canvas(w, h)
        c.fill(lambda x, y: -1.0, theme.color(group["background"]))
        for glyph, x0 in (("computer", 0), ("handset", w - h)):
            for shape, role in glyphs.layers(glyph):
                placed = glyphs.place(shape, h, h)
                c.fill(lambda x, y, s=placed, o=x0: s(x - o, y), theme.color({"fg": "text", "dim": "text_dim",
                                                                            "accent": "accent"}[role]))
        travel = h + (w - 2.5 * h) * frame / max(1, count - 1)
        sheet = rrect(travel, h * 0.3, travel + h * 0.4, h * 0.75, h * 0.06)
        c.fill(sheet, theme.color("glyph"))
        c.fill(segment(travel + h * 0.1, h * 0.45, travel + h * 0.3, h * 0.45, h * 0.05), theme.color("text_dim"))
        if state == "mirrored":
            c.pixels = [p for row in range(h) for p in reversed(c.pixels[row * w:(row + 1) * w])]
        frames.append(c)
    return frames
