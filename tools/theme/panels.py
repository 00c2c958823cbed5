"""Pieces of frames that skins assemble at any size: the nine-part panel of the static
chrome skin and the 18 pieces of the tab skin.

The panel is drawn whole and cut into its nine pieces, so corners and edges always
join. A tab piece draws the part of a tab box (or of two tabs meeting) that falls on
it: boxes reach past the piece's edges wherever the tab goes on, so ends are rounded
and middles are flat. Colours come from the description's "tab_states" and "panel".
"""
from raster import Canvas, inset, rrect, vertical_gradient

NINE_PARTS = ("top_left", "top", "top_right", "bottom_left", "bottom", "bottom_right",
              "left", "centre", "right")


def nine_part(theme, group, state, index, scale):
    """Piece `state` of a panel of `size` whose corners are `corner` pixels square."""
    w, h = (round(v * scale) for v in group["size"])
    k = round(group["corner"] * scale)
    whole = Canvas(w, h)
    outer = rrect(0, 0, w, h, group["radius"] * scale)
    whole.fill(outer, theme.color(group["border"]))
    whole.fill(inset(outer, scale), vertical_gradient(theme.color(group["top"]), theme.color(group["bottom"]), 0, h))
    columns = {"left": (0, k), "mid": (k, w - k), "right": (w - k, w)}
    rows = {"top": (0, k), "mid": (k, h - k), "bottom": (h - k, h)}
    row, column = {
        "top_left": ("top", "left"), "top": ("top", "mid"), "top_right": ("top", "right"),
        "bottom_left": ("bottom", "left"), "bottom": ("bottom", "mid"), "bottom_right": ("bottom", "right"),
        "left": ("mid", "left"), "centre": ("mid", "mid"), "right": ("mid", "right")}[state]
    return _crop(whole, columns[column], rows[row])


def _crop(canvas, xs, ys):
    piece = Canvas(xs[1] - xs[0], ys[1] - ys[0])
    piece.pixels = [canvas.pixels[y * canvas.width + x] for y in range(*ys) for x in range(*xs)]
    return piece


def _tab_box(theme, c, look, x0, x1, open_bottom, s):
    """One tab from x0 to x1 (either may lie off the piece), rounded at the top. Its last
    row is the panel's top edge: a line under other tabs, open under the selected one."""
    h = c.height
    outer = rrect(x0, 0, x1, h + 8 * s, 4 * s)
    body = inset(outer, s)
    c.fill(outer, theme.color(look["border"]))
    c.fill(body, vertical_gradient(theme.color(look["top"]), theme.color(look["bottom"]), 0, h))
    last_row = lambda x, y: max(outer(x, y), h - s - y)  # noqa: E731
    c.fill(last_row, theme.color("black" if open_bottom else look["border"]))
    if open_bottom:
        c.fill(lambda x, y: max(last_row(x, y), -body(x, y)), theme.color(look["border"]))


def _panel_piece(theme, c, part, s):
    """Panel frame pieces: a one-pixel border around the black inside."""
    w, h = c.width, c.height
    r = 4 * s
    reach = 4 * max(w, h)
    box = {"panel_left": (0, -reach, reach, reach), "panel_right": (-reach, -reach, w, reach),
           "panel_top": (-reach, 0, reach, reach), "panel_bottom": (-reach, -reach, reach, h),
           "panel_bottom_left": (0, -reach, reach, h), "panel_bottom_right": (-reach, -reach, w, h),
           "panel_top_right": (-reach, 0, w, reach)}[part]
    outer = rrect(box[0], box[1], box[2], box[3], r)
    c.fill(outer, theme.color("tab_border"))
    c.fill(inset(outer, s), theme.color("black"))


def tab(theme, group, state, index, scale):
    c = Canvas(*(max(1, round(v * scale)) for v in group["size"]))
    part = group["part"]
    if part == "blank":
        return c
    if part.startswith("panel_"):
        _panel_piece(theme, c, part, scale)
        return c
    w, reach = c.width, 4 * c.width
    looks = {"sel": theme.look("tab_states", "selected"), "tab": theme.look("tab_states", "normal")}
    spans = {
        "sel_left": [("sel", 0, reach)], "sel_middle": [("sel", -reach, reach)], "sel_right": [("sel", -reach, w)],
        "left": [("tab", 0, reach)], "middle": [("tab", -reach, reach)], "right": [("tab", -reach, w)],
        "join_to_sel": [("tab", -reach, w / 2.0 - scale / 2.0), ("sel", w / 2.0 + scale / 2.0, reach)],
        "join_from_sel": [("tab", w / 2.0 + scale / 2.0, reach), ("sel", -reach, w / 2.0 - scale / 2.0)],
        "join": [("tab", -reach, w / 2.0 - scale / 2.0), ("tab", w / 2.0 + scale / 2.0, reach)]}[part]
    for kind, x0, x1 in spans:
        _tab_box(theme, c, looks[kind], x0, x1, kind == "sel", scale)
    return c
