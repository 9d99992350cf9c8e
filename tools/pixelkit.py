"""Small drawing kit shared by the art generators.

Shapes are drawn four times larger than the frame and boxed down, which gives
clean edges at 32 pixels; textures are set pixel by pixel at frame size.
Everything is deterministic: random choices come from seeded generators.
"""

import math

from PIL import Image, ImageDraw

S = 4  # supersampling factor of a Layer


class Layer:
    """A transparent drawing surface in frame coordinates (floats), stored S times larger."""

    def __init__(self, w=32, h=32):
        self.w, self.h = w, h
        self.img = Image.new("RGBA", (w * S, h * S), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.img)

    def _p(self, pts):
        return [(x * S, y * S) for x, y in pts]

    def ellipse(self, cx, cy, rx, ry, fill):
        self.d.ellipse([(cx - rx) * S, (cy - ry) * S, (cx + rx) * S - 1, (cy + ry) * S - 1], fill=fill)

    def circle(self, cx, cy, r, fill):
        self.ellipse(cx, cy, r, r, fill)

    def poly(self, pts, fill):
        self.d.polygon(self._p(pts), fill=fill)

    def line(self, pts, fill, width=1.0):
        self.d.line(self._p(pts), fill=fill, width=max(1, int(round(width * S))), joint="curve")

    def rect(self, x0, y0, x1, y1, fill):
        self.d.rectangle([x0 * S, y0 * S, x1 * S - 1, y1 * S - 1], fill=fill)

    def pieslice(self, cx, cy, r, start, end, fill):
        self.d.pieslice([(cx - r) * S, (cy - r) * S, (cx + r) * S - 1, (cy + r) * S - 1], start, end, fill=fill)

    def sphere(self, cx, cy, r, colour, light=(-0.55, -0.65, 0.52), gloss=0.35, ry=None):
        """A shaded ball (or an upright ellipsoid with ry), lit from the top left."""
        ry = ry or r
        px = self.img.load()
        lx, ly, lz = light
        n = math.sqrt(lx * lx + ly * ly + lz * lz)
        lx, ly, lz = lx / n, ly / n, lz / n
        x0, x1 = int((cx - r) * S), int(math.ceil((cx + r) * S))
        y0, y1 = int((cy - ry) * S), int(math.ceil((cy + ry) * S))
        for y in range(max(0, y0), min(self.h * S, y1)):
            for x in range(max(0, x0), min(self.w * S, x1)):
                dx = ((x + 0.5) / S - cx) / r
                dy = ((y + 0.5) / S - cy) / ry
                q = dx * dx + dy * dy
                if q > 1.0:
                    continue
                dz = math.sqrt(1.0 - q)
                diffuse = max(0.0, dx * lx + dy * ly + dz * lz)
                shine = max(0.0, 2 * diffuse * dz - lz) ** 12 * gloss
                k = 0.38 + 0.72 * diffuse
                px[x, y] = tuple(min(255, int(c * k + 255 * shine)) for c in colour[:3]) + (255,)

    def over(self, other):
        """Other layer composited on top of this one."""
        self.img.alpha_composite(other.img)
        return self

    def down(self):
        """The frame at its real size."""
        return self.img.convert("RGBa").resize((self.w, self.h), Image.BOX).convert("RGBA")


def rotate(pts, angle, cx=16.0, cy=16.0):
    """Points turned by ANGLE degrees about (cx, cy); positive turns clockwise on screen."""
    a = math.radians(angle)
    c, s = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c) for x, y in pts]


def blank(w=32, h=32):
    return Image.new("RGBA", (w, h), (0, 0, 0, 0))


def stack(*frames):
    """Frames composited in order, bottom first."""
    out = frames[0].copy()
    for f in frames[1:]:
        out.alpha_composite(f)
    return out


def outline(frame, colour=(14, 16, 12), inner=150, alpha=235):
    """A one-pixel dark rim around the opaque parts, the way pixel art keeps shapes crisp."""
    src = frame.load()
    out = frame.copy()
    dst = out.load()
    w, h = frame.size
    for y in range(h):
        for x in range(w):
            if src[x, y][3] >= 90:
                continue
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                nx, ny = x + dx, y + dy
                if 0 <= nx < w and 0 <= ny < h and src[nx, ny][3] >= inner:
                    dst[x, y] = colour + (alpha,)
                    break
    return out


def shifted(frame, dx, dy):
    """Frame moved by whole pixels; what leaves the frame is cut off."""
    w, h = frame.size
    dx, dy = int(dx), int(dy)
    out = blank(w, h)
    box = (max(0, -dx), max(0, -dy), min(w, w - dx), min(h, h - dy))
    if box[0] < box[2] and box[1] < box[3]:
        out.alpha_composite(frame.crop(box), (max(0, dx), max(0, dy)))
    return out


def scaled(frame, k, cx=16, cy=16):
    """Frame shrunk (or grown) by K about (cx, cy)."""
    w, h = frame.size
    nw, nh = max(1, int(round(w * k))), max(1, int(round(h * k)))
    small = frame.convert("RGBa").resize((nw, nh), Image.BOX).convert("RGBA")
    out = blank(w, h)
    out.alpha_composite(small, (int(round(cx - cx * k)), int(round(cy - cy * k))))
    return out


def faded(frame, k):
    """Frame with its alpha multiplied by K."""
    r, g, b, a = frame.split()
    a = a.point(lambda v: int(v * k))
    return Image.merge("RGBA", (r, g, b, a))


def mix(c1, c2, t):
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c1, c2))


def glow(cx, cy, r, colour, strength=1.0, w=32, h=32):
    """A soft round halo."""
    img = blank(w, h)
    px = img.load()
    for y in range(h):
        for x in range(w):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy) / r
            if d < 1.0:
                a = int(255 * strength * (1.0 - d) ** 2)
                if a > 0:
                    px[x, y] = tuple(colour[:3]) + (min(255, a),)
    return img
