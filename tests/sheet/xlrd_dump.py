# Independent check of written workbooks: opens a file with Debian's xlrd (formatting_info=True)
# and prints what it found as key=value lines for the C++ tests. Anything xlrd logs while opening
# is printed under "log" and fails the tests.
import io
import struct
import sys

import xlrd
from xlrd import compdoc


def esc(text):
    return text.replace("\\", "\\\\").replace("\n", "\\n").replace("\r", "\\r")


def rgb(book, index):
    colour = book.colour_map.get(index)
    if colour is None:
        return "auto"
    return "%02x%02x%02x" % colour


def page_settings(path, log, put):
    """xlrd skips the print settings; walk the records of its own "Book" stream for them."""
    with open(path, "rb") as f:
        stream = compdoc.CompDoc(f.read(), logfile=log).get_named_stream("Book")
    at, sheet = 0, 0
    while at + 4 <= len(stream):
        rc, length = struct.unpack("<HH", stream[at:at + 4])
        body = stream[at + 4:at + 4 + length]
        at += 4 + length
        key = "sheet.%d." % sheet
        if rc == 0x0809 and struct.unpack("<H", body[2:4])[0] == 0x0010:
            sheet += 1
        elif rc in (0x0014, 0x0015) and sheet:
            text = body[1:1 + body[0]].decode("cp1252") if body else ""
            put(key + ("header" if rc == 0x0014 else "footer"), esc(text))
        elif rc in (0x0026, 0x0027, 0x0028, 0x0029) and sheet:
            side = {0x0026: "left", 0x0027: "right", 0x0028: "top", 0x0029: "bottom"}[rc]
            put(key + side + "margin", repr(struct.unpack("<d", body)[0]))
        elif rc == 0x002B and sheet:
            put(key + "printgrid", struct.unpack("<H", body)[0])
        elif rc == 0x00A1 and sheet:
            flags = struct.unpack("<H", body[10:12])[0]
            put(key + "lefttoright", flags & 1)
            put(key + "nocolor", (flags >> 3) & 1)


def main(path, every_row):
    log = io.StringIO()
    book = xlrd.open_workbook(path, formatting_info=True, logfile=log, verbosity=0)
    out = []
    put = lambda key, value: out.append("%s=%s" % (key, value))
    put("biff", book.biff_version)
    put("codepage", book.codepage)
    put("datemode", book.datemode)
    put("sheets", book.nsheets)
    for fx, font in enumerate(book.font_list):
        key = "font.%d." % fx
        put(key + "name", esc(font.name))
        put(key + "height", font.height)
        put(key + "bold", int(font.bold))
        put(key + "italic", int(font.italic))
        put(key + "underline", int(font.underlined))
        put(key + "strikeout", int(font.struck_out))
        put(key + "colour", rgb(book, font.colour_index))
    for xx, xf in enumerate(book.xf_list):
        key = "xf.%d." % xx
        put(key + "font", xf.font_index)
        put(key + "format", esc(book.format_map[xf.format_key].format_str))
        a = xf.alignment
        put(key + "hor", a.hor_align)
        put(key + "vert", a.vert_align)
        put(key + "wrap", a.text_wrapped)
        put(key + "rotation", a.rotation)
        b = xf.border
        for side in ("left", "right", "top", "bottom"):
            put(key + side, getattr(b, side + "_line_style"))
            put(key + side + "colour", rgb(book, getattr(b, side + "_colour_index")))
        bg = xf.background
        put(key + "pattern", bg.fill_pattern)
        put(key + "patternfore", rgb(book, bg.pattern_colour_index))
        put(key + "patternback", rgb(book, bg.background_colour_index))
    for sx in range(book.nsheets):
        sh = book.sheet_by_index(sx)
        key = "sheet.%d." % (sx + 1)
        put(key + "name", esc(sh.name))
        put(key + "nrows", sh.nrows)
        put(key + "ncols", sh.ncols)
        put(key + "gridlines", int(sh.show_grid_lines))
        put(key + "headings", int(sh.show_sheet_headers))
        for cx, info in sh.colinfo_map.items():
            put(key + "colwidth.%d" % (cx + 1), info.width)
        for rx, info in sh.rowinfo_map.items():
            if not info.has_default_height:
                put(key + "rowheight.%d" % (rx + 1), info.height)
        total, texts, textbytes, filled = 0.0, 0, 0, 0
        for rx in range(sh.nrows):
            shown = every_row or rx < 40 or rx >= sh.nrows - 3
            for cx in range(sh.ncols):
                cell = sh.cell(rx, cx)
                if cell.ctype == xlrd.XL_CELL_NUMBER:
                    total += cell.value
                    filled += 1
                    value = "n:" + repr(cell.value)
                elif cell.ctype == xlrd.XL_CELL_TEXT:
                    texts += 1
                    textbytes += len(cell.value)
                    filled += 1
                    value = "t:" + esc(cell.value)
                elif cell.ctype == xlrd.XL_CELL_DATE:
                    when = xlrd.xldate.xldate_as_datetime(cell.value, book.datemode)
                    value = "d:" + when.strftime("%d/%m/%Y %H:%M:%S")
                elif cell.ctype == xlrd.XL_CELL_BLANK:
                    value = "b:"
                elif cell.ctype == xlrd.XL_CELL_ERROR:
                    value = "e:" + xlrd.error_text_from_code.get(cell.value, "?")
                else:
                    continue
                if shown:
                    put("cell.%d.%d.%d" % (sx + 1, rx + 1, cx + 1), value)
                    put("cellxf.%d.%d.%d" % (sx + 1, rx + 1, cx + 1), cell.xf_index)
        put(key + "numbersum", repr(total))
        put(key + "texts", texts)
        put(key + "textchars", textbytes)
        put(key + "filled", filled)
    page_settings(path, log, put)
    put("log", esc(log.getvalue()))
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    try:
        main(sys.argv[1], "--every-row" in sys.argv[2:])
    except Exception as error:  # xlrd refused the file
        sys.stdout.write("error=%s\n" % esc(str(error)))
