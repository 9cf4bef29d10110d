#!/usr/bin/python3
"""Reads the resources back out of the built launcher and checks them.

    test_resource_catalogue.py VelmoraLauncher.exe [unittest options]

The executable may also be named by VELMORA_EXE. Needs pefile and Pillow
(Debian: python3-pefile, python3-pil); no Wine.
"""

import io
import os
import re
import struct
import sys
import unittest
import xml.etree.ElementTree as ET

import pefile
from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCE_H = os.path.join(HERE, "..", "..", "res", "resource.h")

RT_ICON, RT_BITMAP, RT_DIALOG, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST, RT_DLGINIT = 3, 2, 5, 14, 16, 24, 240
ZH_CN, EN_US = 0x0804, 0x0409

IDENTIFIERS = {
    "IDR_MAINFRAME": 128, "IDD_LOGIN_DIALOG": 102, "IDD_GAME_DIALOG": 131, "IDD_LOGIN_ACTIVE_DIALOG": 132,
    "IDD_CONFIRM_DIALOG": 172, "IDD_CLEAN_CACHE_DIALOG": 173,
    "IDB_LOGIN_BG": 155, "IDB_LOGIN_CLOSE": 160, "IDB_LOGIN_MIN": 162, "IDB_GAME_BOSS": 164, "IDB_GAME_CLOSE": 166,
    "IDB_GAME_FULLSCREEN": 167, "IDB_GAME_MAX": 168, "IDB_GAME_MIN": 169, "IDB_GAME_REFRESH": 170,
    "IDB_GAME_SERVER": 171, "IDB_CONFIRM_OK": 175, "IDB_CONFIRM_CANCEL": 176, "IDB_GAME_RESTORE": 189,
    "IDB_GAME_CLEAN": 1000, "IDB_GAME_TITLE_BG": 136, "IDB_GAME_LOGO": 141, "IDB_CONFIRM_BG": 177,
    "IDB_CLEAN_BG": 187, "IDR_CLEAN_ANIMATION": 185, "IDC_EXPLORER": 1000,
    "IDC_GAME_CLOSE": 1001, "IDC_GAME_TITLE": 1002, "IDC_GAME_MIN": 1003, "IDC_GAME_FULLSCREEN": 1004,
    "IDC_GAME_BOSS": 1005, "IDC_GAME_CLEAN": 1006, "IDC_GAME_REFRESH": 1007, "IDC_GAME_SERVER": 1008,
    "IDC_GAME_MAX": 1009, "IDC_GAME_RESTORE": 1011, "IDC_LOGIN_CLOSE": 1005, "IDC_LOGIN_MIN": 1006,
    "IDC_CONFIRM_TITLE": 1002, "IDC_CONFIRM_TEXT": 1003, "IDC_CONFIRM_OK": 1008, "IDC_CONFIRM_CANCEL": 1009,
    "IDC_CLEAN_TEXT": 1002, "IDC_CLEAN_ANIMATION": 1009,
}

# ---------------------------------------------------------------------------
# Expected contents

BUTTON, STATIC = 0x0080, 0x0082  # predefined window class ordinals
WEBBROWSER = "{8856F961-340A-11D0-A96B-00C04FD705A2}"

# id: (style, ex style, (cx, cy), (points, weight, italic, charset, face), items)
# item: (id, class, text, style, ex style, (x, y, cx, cy)). The WebBrowser
# controls lack WS_VISIBLE: the dialogs place them before showing them.
DIALOGS = {
    102: (0x9000004C, 0x00040000, (561, 386), (9, 0, 0, 1, "MS Shell Dlg"), []),
    131: (0x8008004C, 0x00040080, (256, 110), (8, 400, 0, 1, "MS Shell Dlg"), [
        (1000, WEBBROWSER, "", 0x40010000, 0, (7, 71, 441, 192)),
        (1002, STATIC, "Static", 0x50020200, 0, (7, 7, 96, 13)),
        (1001, BUTTON, "X", 0x50010000, 0, (428, 7, 20, 14)),
        (1009, BUTTON, "max", 0x50010000, 0, (407, 7, 20, 14)),
        (1003, BUTTON, "-", 0x50010000, 0, (388, 7, 20, 14)),
        (1004, BUTTON, "full", 0x50010000, 0, (349, 7, 36, 14)),
        (1005, BUTTON, "boss", 0x50010000, 0, (311, 7, 36, 14)),
        (1007, BUTTON, "refresh", 0x50010000, 0, (239, 7, 36, 14)),
        (1008, BUTTON, "server", 0x50010000, 0, (203, 7, 36, 14)),
        (1006, BUTTON, "clean", 0x50010000, 0, (277, 7, 36, 14)),
        (1011, BUTTON, "normal", 0x50010000, 0, (183, 7, 20, 14)),
    ]),
    132: (0x9000004C, 0, (387, 333), (9, 0, 0, 1, "MS Shell Dlg"), [
        (1005, BUTTON, "", 0x5001018B, 0x20, (366, 0, 14, 16)),
        (1006, BUTTON, "", 0x5001008B, 0x20, (347, 0, 13, 14)),
        (1000, WEBBROWSER, "", 0x40000000, 0, (0, 17, 372, 265)),
    ]),
    172: (0x90080044, 0, (256, 110), (10, 400, 0, 134, "宋体"), [
        (1002, STATIC, "Static", 0x50020001, 0x20, (35, 7, 76, 9)),
        (1008, BUTTON, "Button1", 0x50010000, 0, (18, 35, 50, 14)),
        (1009, BUTTON, "Button2", 0x50010000, 0, (80, 35, 50, 14)),
        (1003, STATIC, "确定要退出游戏吗\uff1f", 0x50020001, 0x20, (16, 17, 110, 24)),
    ]),
    173: (0x90000044, 0, (256, 111), (10, 400, 0, 134, "宋体"), [
        (1002, STATIC, "缓存清理中,请稍后(按ESC取消)...", 0x50020000, 0x20, (64, 65, 123, 9)),
        (1009, STATIC, "", 0x50000007, 0, (105, 29, 35, 28)),
    ]),
}

# PNG id: (width, height, RGBA?, interlaced, pressed frame, spare frame); relations to frame 0 unless noted
SAME, DARKER, PRESSED, NEAR_PRESSED = "same", "darker", "= pressed", "~ pressed"
PNGS = {
    155: (1334, 725, True, False, None, None),
    160: (54, 216, True, True, DARKER, NEAR_PRESSED),
    162: (39, 156, True, True, DARKER, PRESSED),
    164: (106, 120, False, True, SAME, SAME),
    166: (30, 120, False, True, SAME, SAME),
    167: (64, 120, False, True, SAME, SAME),
    168: (29, 120, False, True, DARKER, SAME),
    169: (29, 120, False, True, SAME, SAME),
    170: (82, 120, False, True, SAME, SAME),
    171: (61, 120, False, True, SAME, SAME),
    175: (74, 104, False, True, DARKER, SAME),
    176: (74, 104, False, True, DARKER, SAME),
    189: (29, 120, False, True, SAME, SAME),
    1000: (87, 120, False, True, SAME, SAME),
}

# bitmap id: (width, height, bits per pixel)
BITMAPS = {136: (66, 30, 24), 141: (83, 30, 24), 177: (256, 110, 24), 187: (57, 40, 8)}

# Login background geometry the browser panel relies on.
PAGE_RECT = (560, 177, 1190, 622)
BUTTON_CIRCLES = [(1173, 137, 39), (1208, 115, 54)]  # minimise, close: left, top, diameter


def webbrowser_stream(cx, cy, flag72):
    """The WebBrowser control's 160-byte persisted state, as the dialogs carry it."""
    def guid(d1, d2, d3, d4):
        return struct.pack("<IHH", d1, d2, d3) + bytes(d4)
    s = bytearray(160)
    struct.pack_into("<III", s, 4, 76, cx, cy)
    struct.pack_into("<I", s, 40, 76)
    struct.pack_into("<I", s, 52, 1)
    s[56:72] = guid(0x0057D0E0, 0x3573, 0x11CF, [0xAE, 0x69, 0x08, 0x00, 0x2B, 0x2E, 0x12, 0x62])
    struct.pack_into("<I", s, 72, flag72)
    link = bytearray(76)  # empty shell link header
    struct.pack_into("<I", link, 0, 76)
    link[4:20] = guid(0x00021401, 0, 0, [0xC0, 0, 0, 0, 0, 0, 0, 0x46])
    struct.pack_into("<I", link, 20, 0x80)  # LinkFlags
    struct.pack_into("<I", link, 60, 1)     # ShowCommand
    s[80:156] = link
    return bytes(s)


DLGINIT = {131: webbrowser_stream(17515, 8255, 10), 132: webbrowser_stream(17224, 12277, 0)}

# ---------------------------------------------------------------------------
# Reading the executable


class Resources:
    """Every resource of a PE file: {(type, name): {language: bytes}}."""

    def __init__(self, pe):
        self.items = {}
        for t in pe.DIRECTORY_ENTRY_RESOURCE.entries:
            tkey = str(t.name) if t.name is not None else t.id
            for n in t.directory.entries:
                nkey = str(n.name) if n.name is not None else n.id
                for lang in n.directory.entries:
                    e = lang.data.struct
                    self.items.setdefault((tkey, nkey), {})[lang.id] = pe.get_data(e.OffsetToData, e.Size)

    def get(self, rtype, name):
        langs = self.items[(rtype, name)]
        assert len(langs) == 1, f"{rtype}/{name} exists in several languages: {sorted(langs)}"
        return next(iter(langs.values()))


class Reader:
    def __init__(self, data, pos=0):
        self.data, self.pos = data, pos

    def unpack(self, fmt):
        vals = struct.unpack_from("<" + fmt, self.data, self.pos)
        self.pos += struct.calcsize("<" + fmt)
        return vals if len(vals) > 1 else vals[0]

    def sz(self):
        end = self.pos
        while self.data[end:end + 2] != b"\0\0":
            end += 2
        s = self.data[self.pos:end].decode("utf-16-le")
        self.pos = end + 2
        return s

    def sz_or_ord(self):
        if self.data[self.pos:self.pos + 2] == b"\xff\xff":
            self.pos += 2
            return self.unpack("H")
        return self.sz()

    def align(self, n=4):
        self.pos += -self.pos % n


def parse_dialog(data):
    r = Reader(data)
    d = {}
    d["version"], d["signature"], d["help"], d["exstyle"], d["style"], count = r.unpack("HHIIIH")
    d["rect"] = r.unpack("hhhh")
    d["menu"], d["class"], d["title"] = r.sz_or_ord(), r.sz_or_ord(), r.sz()
    d["font"] = None
    if d["style"] & 0x40:  # DS_SETFONT
        points, weight, italic, charset = r.unpack("HHBB")
        d["font"] = (points, weight, italic, charset, r.sz())
    d["items"] = []
    for _ in range(count):
        r.align()
        help_id, exstyle, style = r.unpack("III")
        rect = r.unpack("hhhh")
        cid = r.unpack("I")
        cls, text = r.sz_or_ord(), r.sz_or_ord()
        extra = r.unpack("H")
        r.pos += extra
        d["items"].append({"help": help_id, "exstyle": exstyle, "style": style, "rect": rect, "id": cid,
                           "class": cls, "text": text, "extra": extra})
    d["unparsed"] = data[r.pos:].rstrip(b"\0")
    return d


def class_name(cls):
    """Readable form of a template's class field: predefined ordinals by name, strings quoted."""
    return {BUTTON: "ordinal BUTTON", STATIC: "ordinal STATIC"}.get(cls, f"{cls!r}")


def parse_version_node(data, pos=0):
    """One node of a VS_VERSIONINFO tree: (key, value, children, end)."""
    length, value_len, vtype = struct.unpack_from("<HHH", data, pos)
    r = Reader(data, pos + 6)
    key = r.sz()
    r.align()
    if vtype == 1:  # text: value_len counts UTF-16 characters including the terminator
        value = data[r.pos:r.pos + value_len * 2].decode("utf-16-le").rstrip("\0")
        r.pos += value_len * 2
    else:
        value = data[r.pos:r.pos + value_len]
        r.pos += value_len
    children = []
    end = pos + length
    r.align()
    while r.pos < end:
        child = parse_version_node(data, r.pos)
        children.append(child)
        r.pos = child[3]
        r.align()
    return key, value, children, end


def png_header(data):
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    length, tag = struct.unpack_from(">I4s", data, 8)
    assert tag == b"IHDR"
    w, h, depth, colour, _, _, interlace = struct.unpack_from(">IIBBBBB", data, 16)
    return w, h, depth, colour, interlace


def gif_structure(data):
    """Header, global palette and per-frame (delay, transparent index, local palette?) of a GIF."""
    assert data[:6] == b"GIF89a", data[:6]
    w, h, flags = struct.unpack_from("<HHB", data, 6)
    pos = 13
    palette = []
    if flags & 0x80:
        n = 2 << (flags & 7)
        palette = [tuple(data[pos + 3 * i:pos + 3 * i + 3]) for i in range(n)]
        pos += 3 * n
    frames, loop, gce = [], None, None

    def skip_subblocks(p):
        while data[p]:
            p += data[p] + 1
        return p + 1
    while data[pos] != 0x3B:
        if data[pos] == 0x21:
            label = data[pos + 1]
            if label == 0xF9:
                packed, delay, transparent = struct.unpack_from("<BHB", data, pos + 3)
                gce = (delay, transparent if packed & 1 else None)
            elif label == 0xFF and data[pos + 3:pos + 14] == b"NETSCAPE2.0":
                loop = struct.unpack_from("<H", data, pos + 16)[0]
            pos = skip_subblocks(pos + 2)
        elif data[pos] == 0x2C:
            fflags = data[pos + 9]
            pos += 10
            local = bool(fflags & 0x80)
            if local:
                pos += 3 * (2 << (fflags & 7))
            pos = skip_subblocks(pos + 1)  # LZW minimum code size, then the data
            frames.append((gce, local))
            gce = None
        else:
            raise AssertionError(f"unexpected GIF block 0x{data[pos]:02x} at {pos}")
    return (w, h), palette, frames, loop


def frames_of(img):
    h = img.height // 4
    return [img.crop((0, i * h, img.width, (i + 1) * h)) for i in range(4)]


def visible_rgb(img):
    """Colour samples of the pixels that are not fully transparent."""
    if img.mode == "RGBA":
        return [p[:3] for p in img.getdata() if p[3] > 0]
    return list(img.getdata())


def relation(a, b):
    """How frame b relates to frame a: same, brighter, darker, near or other."""
    if a.mode == "RGBA" and list(a.getchannel("A").getdata()) != list(b.getchannel("A").getdata()):
        return "other"
    pa, pb = visible_rgb(a), visible_rgb(b)
    if pa == pb:
        return SAME
    diffs = [cb - ca for p, q in zip(pa, pb) for ca, cb in zip(p, q)]
    mean = sum(diffs) / len(diffs)
    if max(abs(x) for x in diffs) <= 8:
        return "near"
    if min(diffs) >= 0 and mean >= 8:
        return "brighter"
    if max(diffs) <= 0 and mean <= -5:
        return DARKER
    return "other"


PE = None
RES = None


def setUpModule():
    global PE, RES
    PE = pefile.PE(os.environ["VELMORA_EXE"])
    RES = Resources(PE)


# ---------------------------------------------------------------------------
# Tests


class ImageFileTest(unittest.TestCase):
    SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "gdiplus.dll", "ole32.dll", "oleaut32.dll",
                   "comctl32.dll", "shell32.dll", "shlwapi.dll", "wininet.dll", "msvcrt.dll", "advapi32.dll",
                   "version.dll", "uxtheme.dll", "comdlg32.dll", "winmm.dll", "imm32.dll"}

    def test_is_a_32_bit_gui_executable(self):
        self.assertEqual(PE.FILE_HEADER.Machine, 0x14C)  # i386
        self.assertEqual(PE.OPTIONAL_HEADER.Magic, 0x10B)  # PE32
        self.assertEqual(PE.OPTIONAL_HEADER.Subsystem, 2)  # Windows GUI
        self.assertTrue(PE.FILE_HEADER.Characteristics & 0x0002)  # executable image
        self.assertFalse(PE.FILE_HEADER.Characteristics & 0x2000)  # not a DLL

    def test_imports_only_system_dlls(self):
        imported = {e.dll.decode().lower() for e in getattr(PE, "DIRECTORY_ENTRY_IMPORT", [])}
        imported |= {e.dll.decode().lower() for e in getattr(PE, "DIRECTORY_ENTRY_DELAY_IMPORT", [])}
        self.assertIn("kernel32.dll", imported)
        self.assertEqual(imported - self.SYSTEM_DLLS, set(), "runtime DLLs must be linked in statically")


class CatalogueTest(unittest.TestCase):
    def test_header_defines_every_identifier(self):
        with open(RESOURCE_H, encoding="utf-8") as f:
            defined = {m[0]: int(m[1], 0) for m in re.findall(r"^#define\s+(I\w+)\s+(\w+)", f.read(), re.M)}
        self.assertEqual(defined, IDENTIFIERS)

    def test_exactly_the_listed_resources(self):
        expected = {(RT_DIALOG, i) for i in DIALOGS} | {(RT_DLGINIT, i) for i in DLGINIT}
        expected |= {("AFX_DIALOG_LAYOUT", i) for i in (102, 131, 132, 133, 172, 173)}
        expected |= {("PNG", i) for i in PNGS} | {(RT_BITMAP, i) for i in BITMAPS}
        expected |= {("GIF", 185), (RT_GROUP_ICON, 128), (RT_VERSION, 1), (RT_MANIFEST, 1)}
        expected |= {(RT_ICON, i) for i in self.icon_ids()}
        self.assertEqual(set(RES.items), expected)

    def test_languages(self):
        for key, langs in RES.items.items():
            with self.subTest(resource=key):
                self.assertEqual(list(langs), [EN_US if key == (RT_MANIFEST, 1) else ZH_CN])

    def test_dynamic_layouts_are_empty(self):
        for i in (102, 131, 132, 133, 172, 173):
            with self.subTest(dialog=i):
                self.assertEqual(RES.get("AFX_DIALOG_LAYOUT", i), b"\0\0")

    @staticmethod
    def icon_ids():
        group = RES.get(RT_GROUP_ICON, 128)
        count = struct.unpack_from("<H", group, 4)[0]
        return [struct.unpack_from("<H", group, 6 + 14 * i + 12)[0] for i in range(count)]


class DialogTemplateTest(unittest.TestCase):
    def test_templates(self):
        for did, (style, exstyle, size, font, items) in DIALOGS.items():
            with self.subTest(dialog=did):
                d = parse_dialog(RES.get(RT_DIALOG, did))
                self.assertEqual((d["version"], d["signature"], d["help"]), (1, 0xFFFF, 0))
                self.assertEqual((hex(d["style"]), hex(d["exstyle"])), (hex(style), hex(exstyle)))
                self.assertEqual(d["rect"], (0, 0) + size)
                self.assertEqual((d["menu"], d["class"], d["title"]), ("", "", ""))
                self.assertEqual(d["font"], font)
                self.assertEqual(d["unparsed"], b"")
                got = [(i["id"], class_name(i["class"]), i["text"], hex(i["style"]), hex(i["exstyle"]), i["rect"])
                       for i in d["items"]]
                want = [(i, class_name(c), t, hex(s), hex(x), r) for i, c, t, s, x, r in items]
                self.assertEqual(got, want)
                for item in d["items"]:
                    self.assertEqual((item["help"], item["extra"]), (0, 0))


class ControlStateTest(unittest.TestCase):
    def test_dlginit_records(self):
        for did, stream in DLGINIT.items():
            with self.subTest(dialog=did):
                data = RES.get(RT_DLGINIT, did)
                self.assertEqual(len(data), 170)
                self.assertEqual(data[:8], struct.pack("<HHI", 1000, 0x0376, 160))
                self.assertEqual(data[8:168].hex(" "), stream.hex(" "))
                self.assertEqual(data[168:], b"\0\0")


class PngTest(unittest.TestCase):
    def decoded(self, rid):
        img = Image.open(io.BytesIO(RES.get("PNG", rid)))
        img.load()
        return img

    def test_formats(self):
        for rid, (w, h, rgba, interlaced, _, _) in PNGS.items():
            with self.subTest(png=rid):
                self.assertEqual(png_header(RES.get("PNG", rid)), (w, h, 8, 6 if rgba else 2, int(interlaced)))

    def test_sprite_frames(self):
        for rid, (_, _, _, _, pressed, spare) in PNGS.items():
            if pressed is None:
                continue
            with self.subTest(png=rid):
                f = frames_of(self.decoded(rid))
                self.assertEqual(relation(f[0], f[1]), "brighter", "hover")
                self.assertEqual(relation(f[0], f[2]), pressed, "pressed")
                want_spare = {SAME: (f[0], SAME), PRESSED: (f[2], SAME), NEAR_PRESSED: (f[2], "near")}[spare]
                self.assertEqual(relation(want_spare[0], f[3]), want_spare[1], "spare")

    def test_round_buttons_are_cut_out(self):
        for rid in (160, 162):
            with self.subTest(png=rid):
                img = self.decoded(rid)
                size = img.width
                for frame in frames_of(img):
                    alpha = frame.getchannel("A")
                    self.assertEqual(alpha.getpixel((0, 0)), 0)
                    self.assertEqual(alpha.getpixel((size - 1, size - 1)), 0)
                    self.assertEqual(alpha.getpixel((size // 2, size // 2)), 255)
                    self.assertEqual(alpha.getpixel((size // 2, 1)), 255)  # the rim reaches the frame's edge

    def test_login_background_shape(self):
        img = self.decoded(155)
        alpha = img.getchannel("A")
        hist = alpha.histogram()
        total = img.width * img.height
        self.assertTrue(0.18 <= hist[0] / total <= 0.32, hist[0] / total)
        self.assertGreater(sum(hist[1:255]) / total, 0.01, "edges should be soft")
        # the page rectangle lies on the dark, opaque interior
        page = img.crop(PAGE_RECT)
        self.assertEqual(page.getchannel("A").getextrema(), (255, 255))
        grey = page.convert("L").histogram()
        self.assertGreater(sum(grey[:40]) / sum(grey), 0.99)
        # the minimise and close buttons sit on the frame
        for left, top, d in BUTTON_CIRCLES:
            with self.subTest(button=(left, top)):
                self.assertEqual(alpha.getpixel((left + d // 2, top + d // 2)), 255)


class BitmapTest(unittest.TestCase):
    @staticmethod
    def dib(rid):
        data = RES.get(RT_BITMAP, rid)
        size, w, h, planes, bpp, compression, _, _, _, used = struct.unpack_from("<IiiHHIIiiI", data)
        return data, size, w, h, bpp, compression, used

    def test_formats(self):
        for rid, (w, h, bpp) in BITMAPS.items():
            with self.subTest(bitmap=rid):
                _, size, bw, bh, bbp, compression, _ = self.dib(rid)
                self.assertEqual((size, bw, bh, bbp, compression), (40, w, h, bpp, 0))

    def test_cleaning_background_is_black_index_zero(self):
        data, size, w, h, _, _, used = self.dib(187)
        colours = used or 256
        self.assertEqual(data[size:size + 3], b"\0\0\0")
        stride = (w + 3) & ~3
        bits = data[size + 4 * colours:]
        self.assertEqual(len(bits), stride * h)
        self.assertEqual({bits[y * stride + x] for y in range(h) for x in range(w)}, {0})

    def test_title_strip_tiles_sideways(self):
        data, size, w, h, _, _, _ = self.dib(136)
        stride = (w * 3 + 3) & ~3
        rows = [data[size + y * stride:size + y * stride + w * 3] for y in range(h)]  # bottom-up
        for row in rows:
            self.assertEqual(row, row[:3] * w)
        self.assertLess(sum(rows[0][:3]), sum(rows[-1][:3]), "darker at the bottom")


class AnimationTest(unittest.TestCase):
    def test_spinner(self):
        size, palette, frames, loop = gif_structure(RES.get("GIF", 185))
        self.assertEqual(size, (120, 120))
        self.assertEqual(palette, [(0x00, 0x75, 0xA9), (0xFF, 0xFF, 0xFF)])
        self.assertEqual(loop, 0)
        self.assertEqual([g for g, _ in frames], [(d, 1) for d in (3, 20, 23, 23, 23, 23, 23, 23)])
        self.assertEqual([local for _, local in frames], [False] * 8)


class IconTest(unittest.TestCase):
    def test_main_icon(self):
        group = RES.get(RT_GROUP_ICON, 128)
        reserved, rtype, count = struct.unpack_from("<HHH", group)
        self.assertEqual((reserved, rtype, count), (0, 1, 1))
        w, h, colours, _, planes, bpp, nbytes, rid = struct.unpack_from("<BBBBHHIH", group, 6)
        self.assertEqual((w, h, colours, bpp), (64, 64, 0, 24))
        image = RES.get(RT_ICON, rid)
        self.assertEqual(len(image), nbytes)
        size, iw, ih, _, ibpp = struct.unpack_from("<IiiHH", image)
        self.assertEqual((size, iw, ih, ibpp), (40, 64, 128, 24))
        mask = image[size + 64 * 64 * 3:]
        self.assertEqual(mask, b"\0" * (8 * 64), "the AND mask leaves every pixel opaque")


class VersionTest(unittest.TestCase):
    def test_version_block(self):
        key, fixed, children, _ = parse_version_node(RES.get(RT_VERSION, 1))
        self.assertEqual(key, "VS_VERSION_INFO")
        f = struct.unpack("<13I", fixed)
        self.assertEqual(f[0], 0xFEEF04BD)
        self.assertEqual(f[2:], (0x00010000, 1, 0x00010000, 1, 0x3F, 0, 0x00040004, 1, 0, 0, 0))
        blocks = {c[0]: c for c in children}
        self.assertEqual(set(blocks), {"StringFileInfo", "VarFileInfo"})
        tables = blocks["StringFileInfo"][2]
        self.assertEqual([t[0] for t in tables], ["080404B0"])
        strings = {k: v for k, v, _, _ in tables[0][2]}
        self.assertEqual(set(strings), {"CompanyName", "FileVersion", "InternalName", "LegalCopyright",
                                        "ProductName", "ProductVersion"})
        self.assertEqual(strings["FileVersion"], "1.0.0.1")
        self.assertEqual(strings["ProductVersion"], "1.0.0.1")
        self.assertEqual(strings["InternalName"], "Velmora微端登陆器")
        self.assertEqual(strings["ProductName"], "Velmora微端登陆器")
        self.assertTrue(strings["CompanyName"] and strings["LegalCopyright"])
        var = blocks["VarFileInfo"][2]
        self.assertEqual([(k, v) for k, v, _, _ in var], [("Translation", struct.pack("<HH", 0x0804, 0x04B0))])


class ManifestTest(unittest.TestCase):
    ASM = "{urn:schemas-microsoft-com:asm.v1}"
    ASM3 = "{urn:schemas-microsoft-com:asm.v3}"
    WS2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"

    def test_manifest(self):
        data = RES.get(RT_MANIFEST, 1)
        self.assertTrue(data.startswith(b"\xef\xbb\xbf"), "UTF-8 with a byte-order mark")
        root = ET.fromstring(data[3:])
        self.assertEqual((root.tag, root.get("manifestVersion")), (self.ASM + "assembly", "1.0"))
        deps = root.findall(f"{self.ASM}dependency/{self.ASM}dependentAssembly/{self.ASM}assemblyIdentity")
        self.assertEqual([d.attrib for d in deps], [{
            "type": "win32", "name": "Microsoft.Windows.Common-Controls", "version": "6.0.0.0",
            "processorArchitecture": "x86", "publicKeyToken": "6595b64144ccf1df", "language": "*"}])
        levels = root.findall(f".//{self.ASM3}requestedExecutionLevel")
        self.assertEqual([lv.attrib for lv in levels], [{"level": "asInvoker", "uiAccess": "false"}])
        settings = root.findall(f"{self.ASM3}application/{self.ASM3}windowsSettings/*")
        self.assertEqual([(s.tag, s.text) for s in settings], [(self.WS2005 + "dpiAware", "true")])


if __name__ == "__main__":
    if len(sys.argv) > 1 and not sys.argv[1].startswith("-"):
        os.environ["VELMORA_EXE"] = sys.argv.pop(1)
    if not os.environ.get("VELMORA_EXE"):
        sys.exit(__doc__)
    unittest.main()
