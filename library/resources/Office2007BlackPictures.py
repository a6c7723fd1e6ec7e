"""The pictures of the library's Office 2007 black theme, drawn as a dark
theme draws them: black and dark grey frames and bars, silver group panels,
button faces with vertical gradients and a 1-pixel rounded border, amber
highlights for hot, orange for pressed and checked, and glyphs as shapes on
the transparent magenta ground.

Every picture belongs to one look (see LOOKS): a face (its state cells are
button states that differ from each other), a gradient, a glyph or a plain
part. MakeOffice2007Black.py writes the look of every picture into the
geometry header, so the tests know what to ask of each.

Only integer arithmetic and fixed float expressions: the same bytes on every
run.
"""

MAGENTA = (255, 0, 255, 255)
CLEAR = (0, 0, 0, 0)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)

# The ground the opaque pictures sit on: a rounded corner of a picture that
# is drawn without a transparent colour is blended with it.
DARK_GROUND = (83, 83, 83)
# Check boxes and radio buttons are drawn opaque on dialog pages.
DIALOG_GROUND = (240, 240, 240)

# --- colours ---------------------------------------------------------------

def mix(first, second, weight):
    """weight of the second colour, 0.0 to 1.0."""
    return tuple(int(round(a + (b - a) * weight)) for a, b in zip(first[:3], second[:3]))

def opaque(colour):
    return tuple(colour[:3]) + (255,)

# A face style: top and bottom of the gradient and the border.
FACE_STYLES = {
    'normal': ((104, 104, 104), (62, 62, 62), (30, 30, 30)),
    'other': ((124, 124, 124), (78, 78, 78), (40, 40, 40)),
    'popped': ((150, 150, 150), (98, 98, 98), (44, 44, 44)),
    'disabled': ((86, 86, 86), (74, 74, 74), (58, 58, 58)),
    'hot': ((255, 247, 210), (255, 212, 110), (206, 160, 84)),
    'pressed': ((253, 182, 112), (246, 128, 40), (160, 92, 36)),
    'checked': ((255, 222, 164), (255, 182, 82), (194, 132, 58)),
    'hotchecked': ((255, 208, 142), (250, 152, 56), (178, 108, 42)),
    'tabnormal': ((96, 96, 96), (84, 84, 84), (72, 72, 72)),
    'tabhot': ((136, 136, 136), (96, 96, 96), (206, 160, 84)),
    'tabpressed': ((112, 112, 112), (150, 150, 150), (160, 92, 36)),
    'selected': ((238, 240, 242), (196, 200, 206), (40, 40, 40)),
    'selectedhot': ((250, 244, 222), (214, 202, 164), (150, 120, 70)),
    'focused': ((248, 248, 248), (204, 208, 214), (206, 160, 84)),
}

# The dialog push button: a slate face that a black caption reads on.
PUSH_STYLES = dict(FACE_STYLES)
PUSH_STYLES.update({
    'normal': ((184, 190, 200), (128, 136, 148), (50, 54, 60)),
    'default': ((184, 190, 200), (128, 136, 148), (214, 140, 44)),
    'disabled': ((198, 200, 204), (184, 186, 190), (136, 140, 146)),
})

# Silver panels of the ribbon's groups.
GROUP_STYLES = dict(FACE_STYLES)
GROUP_STYLES.update({
    'normal': ((200, 203, 208), (160, 165, 172), (70, 70, 70)),
})

NEUTRAL_STATES = ('normal', 'other', 'popped', 'disabled', 'tabnormal', 'tabhot', 'tabpressed',
                  'selected', 'selectedhot', 'focused')

def deepened(styles):
    """The dark-mode variant of a set of styles: neutral faces sink towards
    black, the amber accents stay."""
    deep = dict(styles)
    for state in NEUTRAL_STATES:
        if state in deep:
            deep[state] = tuple(mix(colour, (16, 16, 16), 0.5) for colour in deep[state])
    return deep

def tinted(styles, hue):
    """The faces of a context tab: the neutral faces take the tab's hue."""
    tint = dict(styles)
    for state in NEUTRAL_STATES:
        if state in tint:
            tint[state] = tuple(mix(colour, hue, 0.4) for colour in tint[state])
    return tint

CONTEXT_HUES = {
    'Blue': (80, 130, 210), 'Yellow': (230, 200, 60), 'Green': (100, 180, 80), 'Red': (210, 80, 70),
    'Purple': (150, 100, 200), 'Cyan': (70, 190, 200), 'Orange': (240, 140, 50),
}

# --- a cell to paint -------------------------------------------------------

class Cell:
    def __init__(self, width, height, ground):
        self.width, self.height = width, height
        self.ground = ground
        self.rows = [[ground] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = opaque(colour) if len(colour) == 3 else colour

    def fill(self, left, top, right, bottom, colour):
        for y in range(top, bottom):
            for x in range(left, right):
                self.set(x, y, colour)

def glass(top, bottom, t):
    """A face's vertical gradient with the step of a glass button below
    its upper part; t from 0 at the top row to 1 at the bottom row."""
    split = 0.42
    if t < split:
        return mix(top, mix(top, bottom, 0.35), t / split)
    return mix(mix(top, bottom, 0.6), bottom, (t - split) / (1 - split))

def fraction(index, count):
    return index / (count - 1) if count > 1 else 0.0

def vertical_gradient(cell, top, bottom, left=0, upper=0, right=None, lower=None, shape=glass):
    right = cell.width if right is None else right
    lower = cell.height if lower is None else lower
    for y in range(upper, lower):
        colour = shape(top, bottom, fraction(y - upper, lower - upper))
        for x in range(left, right):
            cell.set(x, y, colour)

def linear(top, bottom, t):
    return mix(top, bottom, t)

def frame(cell, colour, left=0, top=0, right=None, bottom=None, sides='ltrb'):
    right = cell.width if right is None else right
    bottom = cell.height if bottom is None else bottom
    for x in range(left, right):
        if 't' in sides:
            cell.set(x, top, colour)
        if 'b' in sides:
            cell.set(x, bottom - 1, colour)
    for y in range(top, bottom):
        if 'l' in sides:
            cell.set(left, y, colour)
        if 'r' in sides:
            cell.set(right - 1, y, colour)

def round_corners(cell, corners, border, corner_ground, left=0, top=0, right=None, bottom=None):
    """Cuts the named corners (tl, tr, bl, br) of a 1-pixel border: the corner
    pixel takes the ground and the pixel inside it the border."""
    right = cell.width if right is None else right
    bottom = cell.height if bottom is None else bottom
    spots = {'tl': (left, top, 1, 1), 'tr': (right - 1, top, -1, 1),
             'bl': (left, bottom - 1, 1, -1), 'br': (right - 1, bottom - 1, -1, -1)}
    for corner in corners:
        x, y, dx, dy = spots[corner]
        cell.set(x, y, corner_ground)
        cell.set(x + dx, y + dy, mix(border, cell.rows[y + dy][x + dx], 0.5))

def face(cell, style, corner_ground, corners=('tl', 'tr', 'bl', 'br'), left=0, right=None):
    """A button face: the gradient, a lighter line under the top border and
    the 1-pixel rounded border."""
    top, bottom, border = style
    right = cell.width if right is None else right
    vertical_gradient(cell, top, bottom, left, 0, right)
    if cell.height > 4:
        for x in range(left + 1, right - 1):
            cell.set(x, 1, mix(top, WHITE, 0.35))
    frame(cell, border, left, 0, right, cell.height)
    round_corners(cell, corners, border, corner_ground, left, 0, right, cell.height)

# --- glyph shapes ----------------------------------------------------------

def triangle(cell, ink, direction):
    """A filled arrow head centred in the cell: 'up', 'down', 'left', 'right'."""
    horizontal = direction in ('left', 'right')
    span = cell.height if horizontal else cell.width   # across the arrow
    room = cell.width if horizontal else cell.height   # along it
    base = span if span <= 5 else span - 2
    base -= 1 - base % 2  # odd, so the tip is one pixel
    depth = min((base + 1) // 2, room)
    start = (room - depth) // 2
    centre = (span - 1) // 2
    tip_first = direction in ('up', 'left')
    for step in range(depth):
        half = step if tip_first else depth - 1 - step
        for offset in range(-half, half + 1):
            if horizontal:
                cell.set(start + step, centre + offset, ink)
            else:
                cell.set(centre + offset, start + step, ink)

def line(cell, ink, x0, y0, x1, y1, thickness=1):
    steps = max(abs(x1 - x0), abs(y1 - y0))
    for i in range(steps + 1):
        x = x0 + (x1 - x0) * i // steps if steps else x0
        y = y0 + (y1 - y0) * i // steps if steps else y0
        for t in range(thickness):
            cell.set(x + t, y, ink)

def glyph_box(cell):
    """The square a caption glyph fills: about half the cell, centred."""
    side = max(5, (cell.width * 5) // 9)
    left = (cell.width - side) // 2
    top = (cell.height - side) // 2
    return left, top, side

def close_mark(cell, ink):
    left, top, side = glyph_box(cell)
    thickness = 2 if side >= 8 else 1
    line(cell, ink, left, top, left + side - thickness, top + side - 1, thickness)
    line(cell, ink, left + side - thickness, top, left, top + side - 1, thickness)

def minimise_mark(cell, ink):
    left, top, side = glyph_box(cell)
    cell.fill(left, top + side - 2, left + side, top + side, ink)

def maximise_mark(cell, ink):
    left, top, side = glyph_box(cell)
    frame(cell, ink, left, top, left + side, top + side)
    cell.fill(left, top + 1, left + side, top + 2, ink)

def restore_mark(cell, ink):
    left, top, side = glyph_box(cell)
    small = side - 2
    frame(cell, ink, left + 2, top, left + side, top + small, 'ltr')
    frame(cell, ink, left + side - 1, top, left + side, top + small)
    cell.fill(left + small, top + small - 1, left + side, top + small, ink)
    frame(cell, ink, left, top + 2, left + small, top + side)
    cell.fill(left, top + 3, left + small, top + 4, ink)

def check_mark(cell, ink):
    w, h = cell.width, cell.height
    x0, y0 = w // 4, h // 2
    x1, y1 = w * 5 // 12, h * 2 // 3
    x2, y2 = w * 3 // 4, h // 4
    line(cell, ink, x0, y0, x1, y1, 2)
    line(cell, ink, x1, y1, x2, y2, 2)

def disc(cell, ink, radius, ground=None):
    """A round dot; with a ground its edge is blended, without one the
    pixels are either ink or left alone."""
    cx, cy = (cell.width - 1) / 2, (cell.height - 1) / 2
    for y in range(cell.height):
        for x in range(cell.width):
            inside = 0
            for sy in range(4):
                for sx in range(4):
                    dx = x - 0.375 + sx * 0.25 - cx
                    dy = y - 0.375 + sy * 0.25 - cy
                    inside += dx * dx + dy * dy <= radius * radius
            if ground is None:
                if inside >= 8:
                    cell.set(x, y, ink)
            elif inside:
                cell.set(x, y, mix(cell.rows[y][x], ink, inside / 16))

def gripper_dots(cell, ink, pattern):
    """2 x 2 dots with a lighter shadow below and right of each."""
    shadow = mix(ink, WHITE, 0.6)
    for x, y in pattern:
        cell.fill(x + 1, y + 1, x + 3, y + 3, shadow)
    for x, y in pattern:
        cell.fill(x, y, x + 2, y + 2, ink)

# --- painters by family ------------------------------------------------------

def transparent_ground(alpha):
    return CLEAR if alpha else MAGENTA

def blended_corner(style):
    return opaque(mix(style[2], DARK_GROUND, 0.6))

def paint_faces(states, styles=FACE_STYLES, corners=('tl', 'tr', 'bl', 'br'), transparent=False):
    def paint(cell, index, alpha):
        style = styles[states[index % len(states)]]
        corner = transparent_ground(alpha) if transparent or alpha else blended_corner(style)
        face(cell, style, corner, corners)
    return paint

def paint_spin_faces(states):
    """Spin buttons: the first half of the cells is the up (or left) button,
    rounded on its outer side; the second half the down (or right) one."""
    def paint(cell, index, alpha):
        half = len(states)
        style = FACE_STYLES[states[index % half]]
        corners = ('tl', 'tr') if index < half else ('bl', 'br')
        face(cell, style, blended_corner(style), corners)
    return paint

def paint_segments(states, segments):
    """Status-bar switches: side by side segments, the outer ones rounded."""
    def paint(cell, index, alpha):
        style = FACE_STYLES[states[index]]
        width = cell.width // segments
        for segment in range(segments):
            corners = (('tl', 'bl') if segment == 0 else ()) + (('tr', 'br') if segment == segments - 1 else ())
            left = segment * width
            face(cell, style, MAGENTA, corners, left=left, right=left + width)
    return paint

def paint_tabs(states, styles=FACE_STYLES, transparent=True):
    """Ribbon tabs: rounded at the top, open at the bottom where the tab
    meets its groups."""
    def paint(cell, index, alpha):
        style = styles[states[index]]
        corner = transparent_ground(alpha) if transparent or alpha else blended_corner(style)
        vertical_gradient(cell, style[0], style[1], shape=linear)
        frame(cell, style[2], sides='ltr')
        round_corners(cell, ('tl', 'tr'), style[2], corner)
        cell.set(1, 1, corner)
        cell.set(cell.width - 2, 1, corner)
    return paint

def paint_panel(top, bottom, border, corners=('tl', 'tr', 'bl', 'br'), transparent=False, shape=glass):
    """A panel (bar, group, frame part) with a gradient and a rounded border."""
    def paint(cell, index, alpha):
        vertical_gradient(cell, top, bottom, shape=shape)
        if border is not None:
            frame(cell, border)
            corner = transparent_ground(alpha) if transparent or alpha else opaque(mix(border, DARK_GROUND, 0.6))
            round_corners(cell, corners, border, corner)
    return paint

def paint_panels(panels):
    """One panel per cell."""
    def paint(cell, index, alpha):
        panels[index](cell, index, alpha)
    return paint

def paint_caption_panel(top, bottom, border, caption_top, caption_bottom, caption_rows):
    """A group panel with its caption band along the bottom."""
    def paint(cell, index, alpha):
        paint_panel(top, bottom, border)(cell, index, alpha)
        upper = cell.height - caption_rows
        vertical_gradient(cell, caption_top, caption_bottom, 1, upper, cell.width - 1, cell.height - 1, linear)
    return paint

def paint_track(light, dark, border, horizontal):
    """A scroll track: darker along its sides, a shade lighter when the
    track is pressed (second cell)."""
    def paint(cell, index, alpha):
        base_light = mix(light, WHITE, 0.15) if index else light
        for y in range(cell.height):
            for x in range(cell.width):
                across = fraction(y, cell.height) if horizontal else fraction(x, cell.width)
                along = fraction(x, cell.width) if horizontal else fraction(y, cell.height)
                edge = abs(across - 0.5) * 2
                colour = mix(mix(base_light, dark, edge * 0.7), dark, along * 0.25)
                cell.set(x, y, colour)
        frame(cell, border, sides='tb' if horizontal else 'lr')
    return paint

def paint_check_boxes():
    """Check boxes, 4 states (normal, hot, pressed, disabled) unchecked,
    checked and indeterminate; opaque, as dialogs draw them."""
    boxes = [((255, 255, 255), (222, 224, 228), (90, 96, 104)),
             ((255, 250, 226), (255, 226, 150), (206, 160, 84)),
             ((254, 210, 150), (248, 160, 80), (160, 92, 36)),
             ((236, 236, 236), (226, 226, 226), (170, 170, 170))]
    inks = [(30, 30, 30), (30, 30, 30), (20, 20, 20), (160, 160, 160)]
    def paint(cell, index, alpha):
        state, mark = index % 4, index // 4
        top, bottom, border = boxes[state]
        vertical_gradient(cell, top, bottom, shape=linear)
        frame(cell, border)
        frame(cell, mix(border, WHITE, 0.7), 1, 1, cell.width - 1, cell.height - 1)
        if mark == 1:
            check_mark(cell, inks[state])
        elif mark == 2:
            cell.fill(4, 4, cell.width - 4, cell.height - 4, inks[state])
    return paint

def paint_radio_buttons():
    """Radio buttons, 4 states unchecked and checked: a shaded disc with a
    ring on the dialog's ground, the dot for the checked ones."""
    rings = [(90, 96, 104), (206, 160, 84), (160, 92, 36), (170, 170, 170)]
    fills = [(246, 247, 248), (255, 236, 180), (250, 184, 110), (232, 232, 232)]
    inks = [(30, 30, 30), (30, 30, 30), (20, 20, 20), (160, 160, 160)]
    def paint(cell, index, alpha):
        state, checked = index % 4, index // 4
        radius = (cell.width - 1) / 2 + 0.25
        disc(cell, rings[state], radius, DIALOG_GROUND)
        disc(cell, fills[state], radius - 1.1, DIALOG_GROUND)
        # A light upper half: the disc is lit from above.
        for y in range(2, cell.height // 2):
            for x in range(3, cell.width - 3):
                if cell.rows[y][x][:3] == fills[state]:
                    cell.set(x, y, mix(fills[state], WHITE, 0.5))
        if checked:
            disc(cell, inks[state], 2.2, DIALOG_GROUND)
    return paint

def paint_caption_glyph(mark):
    """Frame caption glyphs: normal, hot, pressed, inactive, unused."""
    inks = [(220, 220, 220), (255, 255, 255), (40, 40, 40), (140, 140, 140), (100, 100, 100)]
    def paint(cell, index, alpha):
        mark(cell, inks[index])
    return paint

def paint_arrow_glyphs(states_per_direction, inks):
    """Arrow heads: up, down, left, right, each in its states."""
    directions = ('up', 'down', 'left', 'right')
    def paint(cell, index, alpha):
        direction = directions[(index // states_per_direction) % 4]
        triangle(cell, inks[index % states_per_direction], direction)
    return paint

def paint_arrow(direction, inks):
    def paint(cell, index, alpha):
        triangle(cell, inks[index % len(inks)], direction)
    return paint

def paint_menu_marks():
    """Menu marks: check enabled and disabled, radio dot enabled and disabled."""
    inks = [(30, 30, 30), (150, 150, 150)]
    def paint(cell, index, alpha):
        if index < 2:
            check_mark(cell, inks[index])
        else:
            disc(cell, inks[index - 2], 2.6)
    return paint

def paint_gripper(pattern, ink=(40, 40, 40)):
    def paint(cell, index, alpha):
        gripper_dots(cell, ink, pattern)
    return paint

def paint_thumb_gripper(states):
    """The dots on a scroll thumb: opaque on the thumb's own middle."""
    def paint(cell, index, alpha):
        top, bottom, _ = FACE_STYLES[states[index]]
        cell.fill(0, 0, cell.width, cell.height, glass(top, bottom, 0.5))
        gripper_dots(cell, mix(bottom, BLACK, 0.55), [(0, 0), (4, 0), (0, 4), (4, 4)])
    return paint

def paint_columns(colours):
    """A thin separator: one colour per column."""
    def paint(cell, index, alpha):
        for x in range(cell.width):
            for y in range(cell.height):
                cell.set(x, y, colours[x % len(colours)])
    return paint

def paint_rows(colours):
    def paint(cell, index, alpha):
        for y in range(cell.height):
            for x in range(cell.width):
                cell.set(x, y, colours[y % len(colours)])
    return paint

def paint_frame_top(corner, active, inactive):
    """The frame's caption band: active and inactive, rounded at the outer
    corner of the left and right pieces."""
    def paint(cell, index, alpha):
        top, bottom, border = active if index == 0 else inactive
        vertical_gradient(cell, top, bottom, shape=linear)
        frame(cell, border, sides='t' + ('l' if corner == 'tl' else 'r' if corner == 'tr' else ''))
        for x in range(cell.width):
            cell.set(x, 1, mix(top, WHITE, 0.2))
        if corner:
            x0 = 0 if corner == 'tl' else cell.width - 1
            step = 1 if corner == 'tl' else -1
            for depth, reach in enumerate((4, 2, 1, 1)):
                for i in range(reach):
                    cell.set(x0 + step * i, depth, CLEAR)
            cell.set(x0 + step * 4, 0, border)
            cell.set(x0 + step * 2, 1, border)
            cell.set(x0 + step, 2, border)
            cell.set(x0 + step, 3, border)
            cell.set(x0, 4, border)
    return paint

def paint_frame_bottom(corner, active, inactive):
    def paint(cell, index, alpha):
        fill, border = active if index == 0 else inactive
        cell.fill(0, 0, cell.width, cell.height, fill)
        frame(cell, border, sides='b' + ('l' if corner == 'bl' else 'r'))
        x0 = 0 if corner == 'bl' else cell.width - 1
        step = 1 if corner == 'bl' else -1
        y0 = cell.height - 1
        cell.set(x0, y0, MAGENTA)
        cell.set(x0 + step, y0, MAGENTA)
        cell.set(x0, y0 - 1, MAGENTA)
        cell.set(x0 + step, y0 - 1, border)
    return paint

def paint_progress_chunk(cell, index, alpha):
    vertical_gradient(cell, (170, 232, 120), (60, 150, 40), shape=glass)
    frame(cell, (40, 100, 30))
    round_corners(cell, ('tl', 'tr', 'bl', 'br'), (40, 100, 30), MAGENTA)

def paint_slider_button(sign):
    """The zoom slider's round minus and plus buttons."""
    styles = ['normal', 'hot', 'pressed']
    def paint(cell, index, alpha):
        top, bottom, border = FACE_STYLES[styles[index]]
        cell.fill(0, 0, cell.width, cell.height, (57, 62, 70))
        disc(cell, border, 5.3, (57, 62, 70))
        for y in range(cell.height):
            shade = glass(top, bottom, fraction(y, cell.height))
            for x in range(cell.width):
                dx, dy = x - 5, y - 5
                if dx * dx + dy * dy <= 16:
                    cell.set(x, y, shade)
        ink = (20, 20, 20) if index else (230, 230, 230)
        cell.fill(3, 5, 8, 6, ink)
        if sign == '+':
            cell.fill(5, 3, 6, 8, ink)
    return paint

# --- which painter draws which picture ----------------------------------------

TOOLBAR_STATES = ['hot', 'pressed', 'checked', 'hotchecked']
SPLIT_STATES = ['hot', 'pressed', 'checked', 'hotchecked', 'popped', 'disabled']
GALLERY_STATES = ['normal', 'other', 'hot', 'pressed', 'disabled']
THREE_STATES = ['normal', 'hot', 'pressed']
SPECIAL_STATES = ['normal', 'hot', 'pressed', 'checked', 'disabled']
SPECIAL_SPLIT_STATES = ['normal', 'hot', 'pressed', 'checked', 'hotchecked', 'popped', 'disabled']
SPECIAL_DROP_STATES = ['normal', 'hot', 'pressed', 'checked', 'popped', 'disabled']
RIBBON_TAB_STATES = ['tabnormal', 'tabhot', 'tabpressed', 'selected', 'selectedhot', 'focused']
CONTEXT_TAB_STATES = ['tabnormal', 'tabhot', 'tabpressed', 'selected', 'selectedhot']

FACE, GRADIENT, GLYPH, PLAIN = 'Face', 'Gradient', 'Glyph', 'Plain'

GLYPH_INKS_ON_SILVER = [(30, 30, 30), (0, 0, 0), (60, 60, 60), (150, 150, 150)]
GLYPH_INKS_ON_DARK = [(225, 225, 225), (255, 255, 255), (30, 30, 30), (110, 110, 110)]

def side_corners(name):
    if name.endswith('Left'):
        return ('tl', 'bl')
    if name.endswith('Right'):
        return ('tr', 'br')
    if name.endswith('Center'):
        return ()
    return ('tl', 'tr', 'bl', 'br')

def special_buttons():
    painters = {}
    for part in ('Single', 'Left', 'Center', 'Right'):
        name = 'ToolbarButtonsSpecial' + part
        painters[name] = (FACE, paint_faces(SPECIAL_STATES, corners=side_corners(name)))
    for part in ('Left', 'Center', 'Right'):
        split = 'ToolbarButtonsSpecialSplit' + part
        drop = 'ToolbarButtonsSpecialSplitDropDown' + part
        # The split half keeps its outer side's rounding, the drop-down half
        # the other.
        painters[split] = (FACE, paint_faces(SPECIAL_SPLIT_STATES, corners=tuple(
            c for c in side_corners(split) if c in ('tl', 'bl'))))
        painters[drop] = (FACE, paint_faces(SPECIAL_DROP_STATES, corners=tuple(
            c for c in side_corners(drop) if c in ('tr', 'br'))))
    return painters

def caption_glyphs():
    marks = {'Close': close_mark, 'Minimize': minimise_mark, 'Maximize': maximise_mark, 'Restore': restore_mark}
    return {'FrameCaption%s%d' % (glyph, size): (GLYPH, paint_caption_glyph(mark))
            for glyph, mark in marks.items() for size in (13, 17, 23)}

def context_tab_pictures():
    painters = {}
    for colour, hue in CONTEXT_HUES.items():
        styles = tinted(FACE_STYLES, hue)
        groups = tinted(GROUP_STYLES, hue)
        painters['ContextTab%s' % colour] = (FACE, paint_tabs(CONTEXT_TAB_STATES, styles, transparent=False))
        painters['ContextTab%sGroupButton' % colour] = (FACE, paint_faces(THREE_STATES, groups))
        client_top, client_bottom, border = tinted(GROUP_STYLES, hue)['normal']
        painters['ContextTab%sClient' % colour] = (GRADIENT, paint_panel(
            mix(client_top, hue, 0.25), client_bottom, border))
        painters['ContextTab%sHeader' % colour] = (GRADIENT, paint_panel(
            mix(hue, WHITE, 0.3), mix(hue, BLACK, 0.3), mix(hue, BLACK, 0.5), corners=('tl', 'tr')))
    return painters

def ribbon_pictures(suffix, styles, groups):
    """The ribbon's tabs, groups and quick-access parts; with suffix 'Dark'
    the dark-mode variants."""
    group_top, group_bottom, group_border = groups['normal']
    back_top, back_bottom, _ = styles['normal']
    caption_top, caption_bottom = mix(back_top, BLACK, 0.2), mix(back_bottom, BLACK, 0.35)
    return {
        'RibbonTab' + suffix: (FACE, paint_tabs(RIBBON_TAB_STATES, styles)),
        'RibbonGroups' + suffix: (GRADIENT, paint_panel(mix(back_top, WHITE, 0.1), back_bottom, (40, 40, 40))),
        'RibbonGroupClient' + suffix: (GRADIENT, paint_panels([
            paint_panel(group_top, group_bottom, group_border),
            paint_panel(mix(group_top, WHITE, 0.4), mix(group_bottom, WHITE, 0.2), group_border)])),
        'RibbonGroupCaption' + suffix: (GRADIENT, paint_panels([
            paint_panel(caption_top, caption_bottom, group_border, ('bl', 'br'), shape=linear),
            paint_panel(mix(caption_top, WHITE, 0.2), mix(caption_bottom, WHITE, 0.15), group_border,
                        ('bl', 'br'), shape=linear)])),
        'RibbonSystemMenu' + suffix: (GRADIENT, paint_caption_panel(
            back_top, back_bottom, (30, 30, 30), caption_top, caption_bottom, 29)),
        'RibbonSystemMenuButton' + suffix: (FACE, paint_faces(['normal', 'hot'], styles)),
        'RibbonQuickAccessFrame' + suffix: (GRADIENT, paint_panel(
            mix(back_top, WHITE, 0.15), back_bottom, (36, 36, 36))),
    }

def painters():
    deep = deepened(FACE_STYLES)
    table = {
        'PushButton': (FACE, paint_faces(['normal', 'hot', 'pressed', 'disabled', 'default'], PUSH_STYLES,
                                         transparent=True)),
        'FrameSystemButton': (FACE, paint_faces(THREE_STATES)),
        'FrameSystemButton52': (FACE, paint_faces(THREE_STATES)),
        'ToolbarFaceHorizontal': (GRADIENT, paint_panel((100, 100, 100), (58, 58, 58), (36, 36, 36))),
        'ToolbarFaceVertical': (GRADIENT, paint_panel((100, 100, 100), (58, 58, 58), (36, 36, 36))),
        'ToolbarExpandButtonHorizontal': (FACE, paint_faces(THREE_STATES, corners=('tr', 'br'))),
        'ToolbarExpandButtonVertical': (FACE, paint_faces(THREE_STATES, corners=('bl', 'br'))),
        'ToolbarButtons50': (FACE, paint_faces(TOOLBAR_STATES)),
        'ToolbarButtons22': (FACE, paint_faces(TOOLBAR_STATES)),
        'ToolbarButtonsSplit50': (FACE, paint_faces(SPLIT_STATES, corners=('tl', 'tr'))),
        'ToolbarButtonsSplitDropDown50': (FACE, paint_faces(SPLIT_STATES[:5], corners=('bl', 'br'))),
        'ToolbarButtonsSplit22': (FACE, paint_faces(SPLIT_STATES, corners=('tl', 'bl'))),
        'ToolbarButtonsSplitDropDown22': (FACE, paint_faces(SPLIT_STATES[:5], corners=('tr', 'br'))),
        'ToolbarButtonsComboDropDown': (FACE, paint_faces(['normal', 'hot', 'pressed', 'disabled', 'popped'])),
        'ToolbarButtonsComboDropDownDark': (FACE, paint_faces(['normal', 'hot', 'pressed', 'disabled', 'popped'],
                                                              deep)),
        'ToolbarButtonCheckBox': (FACE, paint_check_boxes()),
        'ToolbarButtonRadioButton': (FACE, paint_radio_buttons()),
        'ToolbarButtonSpinArrowsVertical': (FACE, paint_spin_faces(['normal', 'hot', 'pressed', 'disabled', 'other'])),
        'ToolbarButtonSpinArrowsHorizontal': (FACE, paint_spin_faces(['normal', 'hot', 'pressed', 'disabled',
                                                                      'other'])),
        'ToolbarButtonSpinArrowGlyphs': (GLYPH, paint_arrow_glyphs(4, GLYPH_INKS_ON_SILVER)),
        'ToolbarButtonDropDownGlyph': (GLYPH, paint_arrow('down', GLYPH_INKS_ON_SILVER)),
        'AccessTab': (FACE, paint_tabs(['tabnormal', 'tabhot', 'selected', 'selectedhot'])),
        'RibbonTabSeparator': (PLAIN, paint_columns([(60, 60, 60)])),
        'ContextTabSeparator': (PLAIN, paint_columns([(120, 120, 120)])),
        'ContextTabGroupClient': (GRADIENT, paint_panel((210, 212, 216), (170, 174, 180), (90, 90, 90))),
        'ContextTabGroupCaption': (GRADIENT, paint_panels([
            paint_panel((96, 96, 96), (66, 66, 66), (90, 90, 90), ('bl', 'br'), shape=linear),
            paint_panel((120, 120, 120), (84, 84, 84), (90, 90, 90), ('bl', 'br'), shape=linear)])),
        'RibbonGroupButton': (FACE, paint_faces(THREE_STATES, GROUP_STYLES)),
        'RibbonGroupButtonIcon': (GRADIENT, paint_panel((230, 232, 236), (170, 176, 184), (90, 96, 104))),
        'RibbonOptionButton': (FACE, paint_faces(['normal', 'hot', 'pressed', 'disabled'])),
        'RibbonGroupQuickAccess': (FACE, paint_faces(THREE_STATES)),
        'RibbonGroupsScrollLeft': (FACE, paint_faces(THREE_STATES, corners=('tr', 'br'))),
        'RibbonGroupsScrollRight': (FACE, paint_faces(THREE_STATES, corners=('tl', 'bl'))),
        'RibbonGroupsScrollLeftGlyph': (GLYPH, paint_arrow('left', GLYPH_INKS_ON_DARK)),
        'RibbonGroupsScrollRightGlyph': (GLYPH, paint_arrow('right', GLYPH_INKS_ON_DARK)),
        'RibbonQuickAccessButton': (FACE, paint_faces(TOOLBAR_STATES)),
        'RibbonQuickAccessMore': (FACE, paint_faces(TOOLBAR_STATES)),
        'RibbonQuickAccessArea': (GRADIENT, paint_panel((74, 74, 74), (40, 40, 40), (24, 24, 24))),
        'RibbonQuickAccessAreaDwm': (GRADIENT, paint_panel((96, 96, 96), (60, 60, 60), (36, 36, 36))),
        'MenuSelectedItem54': (GRADIENT, paint_panel(*FACE_STYLES['hot'])),
        'MenuSelectedItem22': (GRADIENT, paint_panel(*FACE_STYLES['hot'])),
        'MenuSelectedDisabledItem54': (GRADIENT, paint_panel((236, 236, 236), (212, 212, 212), (170, 170, 170))),
        'MenuSelectedDisabledItem22': (GRADIENT, paint_panel((236, 236, 236), (212, 212, 212), (170, 170, 170))),
        'MenuCheckedItem': (FACE, paint_faces(['checked', 'disabled'])),
        'MenuCheckedItemMark': (GLYPH, paint_menu_marks()),
        'MenuSplitItem': (FACE, paint_faces(['hot', 'pressed', 'popped'], corners=('tl', 'bl'))),
        'MenuSplitDropDown': (FACE, paint_faces(['hot', 'pressed', 'popped'], corners=('tr', 'br'))),
        'MenuPopupGlyph': (GLYPH, paint_arrow('right', [(20, 20, 20), (150, 150, 150)])),
        'MenuPopupGlyphDark': (GLYPH, paint_arrow('right', [(230, 230, 230), (110, 110, 110)])),
        'PopupBarFrame': (GRADIENT, paint_panel((252, 252, 252), (236, 237, 240), (96, 96, 96))),
        'PopupBarFrameDark': (GRADIENT, paint_panel((58, 58, 58), (40, 40, 40), (110, 110, 110))),
        'MorePopupBarFrame': (GRADIENT, paint_panel((232, 234, 238), (204, 208, 214), (96, 96, 96))),
        'PopupBarResizeGripperFace': (GRADIENT, paint_panel((236, 237, 240), (204, 208, 214), None,
                                                            shape=linear)),
        'PopupBarResizeGripperFaceDark': (GRADIENT, paint_panel((74, 74, 74), (52, 52, 52), None, shape=linear)),
        'PopupBarResizeGripperWidth': (GLYPH, paint_gripper([(4, 0), (0, 4), (4, 4)])),
        'PopupBarResizeGripperHeight': (GLYPH, paint_gripper([(0, 0), (4, 0), (8, 0)])),
        'ControlGalleryUp': (FACE, paint_faces(GALLERY_STATES, corners=('tr',), transparent=True)),
        'ControlGalleryDown': (FACE, paint_faces(GALLERY_STATES, corners=(), transparent=True)),
        'ControlGalleryPopup': (FACE, paint_faces(GALLERY_STATES, corners=('br',), transparent=True)),
        'ControlGalleryScrollArrowGlyphs': (GLYPH, paint_arrow_glyphs(4, GLYPH_INKS_ON_DARK)),
        'ControlGalleryScrollThumbVertical': (FACE, paint_faces(THREE_STATES)),
        'ControlGalleryScrollThumbVerticalDark': (FACE, paint_faces(THREE_STATES, deep)),
        'ControlGalleryScrollThumbHorizontal': (FACE, paint_faces(THREE_STATES)),
        'ControlGalleryScrollThumbGripperVertical': (PLAIN, paint_thumb_gripper(THREE_STATES)),
        'ControlGalleryScrollThumbGripperHorizontal': (PLAIN, paint_thumb_gripper(THREE_STATES)),
        'FrameTopLeft': (GRADIENT, paint_frame_top('tl', ((86, 86, 86), (28, 28, 28), (47, 47, 47)),
                                                   ((128, 128, 128), (92, 92, 92), (146, 146, 146)))),
        'FrameTopRight': (GRADIENT, paint_frame_top('tr', ((86, 86, 86), (28, 28, 28), (47, 47, 47)),
                                                    ((128, 128, 128), (92, 92, 92), (146, 146, 146)))),
        'FrameTopCenter': (GRADIENT, paint_frame_top('', ((86, 86, 86), (28, 28, 28), (47, 47, 47)),
                                                     ((128, 128, 128), (92, 92, 92), (146, 146, 146)))),
        'FrameBottomLeft': (PLAIN, paint_frame_bottom('bl', ((64, 64, 64), (47, 47, 47)),
                                                      ((153, 153, 153), (146, 146, 146)))),
        'FrameBottomRight': (PLAIN, paint_frame_bottom('br', ((64, 64, 64), (47, 47, 47)),
                                                       ((153, 153, 153), (146, 146, 146)))),
        'FrameCaptionButton': (FACE, paint_faces(['hot', 'pressed'], transparent=True)),
        'StatusBarLight': (GRADIENT, paint_panel((76, 83, 92), (35, 38, 42), None, shape=linear)),
        'StatusBarDark': (GRADIENT, paint_panel((57, 62, 70), (53, 58, 65), None, shape=linear)),
        'StatusBarDevider': (PLAIN, paint_columns([(97, 106, 118), (35, 38, 42), (35, 38, 42), (97, 106, 118)])),
        'StatusBarSeparator': (PLAIN, paint_columns([(35, 38, 42), (97, 106, 118)])),
        'StatusBarGripper': (GLYPH, paint_gripper([(8, 0), (4, 4), (8, 4), (0, 8), (4, 8), (8, 8)],
                                                  (20, 20, 20))),
        'StatusBarSwitches': (FACE, paint_segments(['normal', 'hot', 'pressed', 'checked', 'hotchecked',
                                                    'disabled'], 4)),
        'SliderTrack': (GRADIENT, paint_rows([(30, 30, 30), (52, 52, 52), (74, 74, 74), (110, 110, 110)])),
        'SliderTick': (PLAIN, paint_columns([(160, 160, 160)])),
        'SliderUp': (FACE, paint_slider_button('+')),
        'SliderDown': (FACE, paint_slider_button('-')),
        'SliderThumb': (FACE, paint_faces(THREE_STATES, corners=('tl', 'tr'))),
        'ProgressTrack': (GRADIENT, paint_panel((40, 40, 40), (96, 96, 96), (24, 24, 24), transparent=True,
                                                shape=linear)),
        'ProgressChunk': (GRADIENT, paint_progress_chunk),
        'ListBox': (FACE, paint_faces(['hot', 'checked', 'hotchecked', 'pressed'])),
        'TooltipFrame': (GRADIENT, paint_panel((255, 255, 255), (201, 217, 239), (118, 118, 118), shape=linear)),
        'WorkspaceTopLeft': (GRADIENT, paint_panel((71, 71, 71), (56, 56, 56), None, shape=linear)),
        'ShortcutBarItems': (GRADIENT, paint_panel((104, 104, 104), (62, 62, 62), (30, 30, 30))),
        'ShortcutBarGlyphs': (GLYPH, paint_arrow('up', GLYPH_INKS_ON_DARK)),
        'ShortcutBarGripper': (GLYPH, paint_gripper([(2, 7), (6, 7), (10, 7)], (200, 200, 200))),
        'CalendarHeader': (GRADIENT, paint_panel((110, 110, 110), (70, 70, 70), (40, 40, 40), shape=linear)),
        'CalendarHeaderDVGroup': (GRADIENT, paint_panel((110, 110, 110), (70, 70, 70), (40, 40, 40), shape=linear)),
        'CalendarHeaderMVDay': (GRADIENT, paint_panel((96, 96, 96), (64, 64, 64), (40, 40, 40), shape=linear)),
        'CalendarHeaderMVWeek': (GRADIENT, paint_panel((96, 96, 96), (64, 64, 64), (40, 40, 40), shape=linear)),
        'CalendarHeaderWVDay': (GRADIENT, paint_panel((96, 96, 96), (64, 64, 64), (40, 40, 40), shape=linear)),
        'CalendarCaptionBarSwitchViewButton': (FACE, paint_faces(['normal'])),
        'CalendarCaptionBarPrevDateButton': (FACE, paint_faces(['normal'])),
        'CalendarCaptionBarNextDateButton': (FACE, paint_faces(['normal'])),
        'CalendarPrevNextEventButton': (FACE, paint_faces(['normal'])),
        'CalendarPrevNextEventButtonArr': (GLYPH, paint_arrow('right', GLYPH_INKS_ON_DARK)),
    }
    for direction in ('Vertical', 'Horizontal'):
        horizontal = direction == 'Horizontal'
        for tone, light, dark, deepen in (('Light', (150, 150, 150), (96, 96, 96), False),
                                          ('Dark', (110, 110, 110), (62, 62, 62), False),
                                          ('LightDark', (150, 150, 150), (96, 96, 96), True),
                                          ('DarkDark', (110, 110, 110), (62, 62, 62), True)):
            if deepen and horizontal:
                continue
            if deepen:
                light, dark = mix(light, (16, 16, 16), 0.5), mix(dark, (16, 16, 16), 0.5)
            table['ControlGalleryScroll%s%s' % (direction, tone)] = (
                GRADIENT, paint_track(light, dark, mix(dark, BLACK, 0.4), horizontal))
            arrow_styles = deep if deepen else FACE_STYLES
            if tone == 'Light' or tone == 'LightDark':
                arrow_styles = dict(arrow_styles)
                for state in ('normal', 'other'):
                    arrow_styles[state] = tuple(mix(c, WHITE, 0.15) for c in arrow_styles[state])
            table['ControlGalleryScrollArrows%s%s' % (direction, tone)] = (
                FACE, paint_faces(['normal', 'other', 'hot', 'pressed'], arrow_styles))
    table.update(special_buttons())
    table.update(caption_glyphs())
    table.update(context_tab_pictures())
    table.update(ribbon_pictures('', FACE_STYLES, GROUP_STYLES))
    table.update(ribbon_pictures('Dark', deep, deepened(GROUP_STYLES)))
    return table

PAINTERS = painters()

def look_of(name):
    return PAINTERS[name][0]

def picture_rows(name, g):
    """The picture's rows of RGBA pixels, its cells stacked from the top."""
    paint = PAINTERS[name][1]
    ground = transparent_ground(g['alpha'])
    rows = []
    for index in range(g['cells']):
        cell = Cell(g['width'], g['height'], ground)
        paint(cell, index, g['alpha'])
        rows.extend(cell.rows)
    return rows
