# Writes the workbooks of the worksheet tests with openpyxl. The few things
# openpyxl does not write (shared strings, rich text, cached formula results)
# are put in afterwards the way spreadsheet programs store them.
import datetime, re, sys, zipfile, zlib, os
import openpyxl
from openpyxl.chart import BarChart, Reference
from openpyxl.styles import Alignment, Color, Font, PatternFill
from openpyxl.utils.datetime import CALENDAR_MAC_1904

out = sys.argv[1]
def p(name):
    return os.path.join(out, name)

def rewrite(src, dst, changes, drop=()):
    """Copies a zip, replacing entries by name (a function of the old bytes, or bytes)."""
    with zipfile.ZipFile(src) as zin, zipfile.ZipFile(dst, "w", zipfile.ZIP_DEFLATED) as zout:
        for item in zin.infolist():
            if item.filename in drop:
                continue
            data = zin.read(item.filename)
            change = changes.get(item.filename)
            if change is not None:
                data = change(data) if callable(change) else change
            zout.writestr(item.filename, data)
        for name, change in changes.items():
            if name not in zin.namelist() and not callable(change):
                zout.writestr(name, change)

def to_shared_strings(path, special):
    """Moves inline strings into a shared string table, as spreadsheet programs store them.
    Texts in `special` get the given <si> body; texts starting with 'inline' stay inline."""
    with zipfile.ZipFile(path) as z:
        sheets = [n for n in z.namelist() if n.startswith("xl/worksheets/sheet")]
        rels = z.read("xl/_rels/workbook.xml.rels").decode()
        types = z.read("[Content_Types].xml").decode()
        contents = {n: z.read(n).decode() for n in sheets}
    table = []
    def shared(m):
        attrs, text = m.group(1), m.group(2)
        if text.startswith("inline"):
            return m.group(0)
        if text not in table:
            table.append(text)
        return "<c %st=\"s\"><v>%d</v></c>" % (attrs, table.index(text))
    pattern = re.compile(r'<c ([^>]*?)t="inlineStr"><is><t[^>]*>(.*?)</t></is></c>')
    changes = {n: pattern.sub(shared, c).encode() for n, c in contents.items()}
    items = "".join("<si>%s</si>" % special.get(t, "<t>%s</t>" % t) for t in table)
    changes["xl/sharedStrings.xml"] = ('<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" '
                                       'count="%d" uniqueCount="%d">%s</sst>' % (len(table), len(table), items)).encode()
    changes["xl/_rels/workbook.xml.rels"] = rels.replace("</Relationships>",
        '<Relationship Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" '
        'Target="sharedStrings.xml" Id="rIdSst"/></Relationships>').encode()
    changes["[Content_Types].xml"] = types.replace("</Types>",
        '<Override PartName="/xl/sharedStrings.xml" ContentType="application/'
        'vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/></Types>').encode()
    rewrite(path, path + ".tmp", changes)
    os.replace(path + ".tmp", path)

def patch(path, name, pairs):
    def change(data):
        text = data.decode()
        for old, new in pairs:
            assert old in text, old
            text = text.replace(old, new)
        return text.encode()
    rewrite(path, path + ".tmp", {name: change})
    os.replace(path + ".tmp", path)

SHEET1 = "xl/worksheets/sheet1.xml"

# Used range C3:D5.
wb = openpyxl.Workbook()
ws = wb.active
ws.title = "Data"
ws["C3"] = "top"
ws["D5"] = 42
wb.save(p("used.xlsx"))

# Every kind of value.
wb = openpyxl.Workbook()
ws = wb.active
ws.title = "Values"
ws["A1"] = "hello"
ws["B1"] = "hello"
ws["A2"] = 3.5
ws["A3"] = True
ws["B3"] = False
ws["A4"] = datetime.datetime(2024, 3, 15, 10, 30)
ws["A5"] = datetime.date(2024, 3, 15)
ws["A6"] = datetime.time(13, 45)
ws["A7"] = "=A2*2"
ws["A8"] = "#DIV/0!"
ws["A9"] = 45366
ws["A9"].number_format = "dd.mm.yyyy"
ws["A10"] = "RICH"
ws["A11"] = "=A2+1"
ws["A12"] = "inline text"
ws["A13"] = "=UPPER(A1)"
ws["A14"] = 1234.5
ws["A14"].number_format = "0.00"
ws["A15"] = "ESCAPED"
ws["A16"] = 45366.75
ws["A16"].number_format = "[$-409]mmmm d, yyyy h:mm AM/PM"
ws["A17"] = 0.25
ws["A17"].number_format = "[h]:mm:ss"
wb.save(p("values.xlsx"))
patch(p("values.xlsx"), SHEET1, [
    ("<f>A2*2</f><v></v>", "<f>A2*2</f><v>7</v>"),
    ('<c r="A13"><f>UPPER(A1)</f><v></v></c>', '<c r="A13" t="str"><f>UPPER(A1)</f><v>HELLO</v></c>'),
])
to_shared_strings(p("values.xlsx"), {
    "RICH": '<r><rPr><b/></rPr><t xml:space="preserve">rich </t></r><r><t>text</t></r>'
            '<rPh sb="0" eb="4"><t>ruby</t></rPh>',
    "ESCAPED": "<t>one_x000D_two_x005F_x0041_</t>",
})

# The 1904 date system.
wb = openpyxl.Workbook()
wb.epoch = CALENDAR_MAC_1904
ws = wb.active
ws.title = "Mac"
ws["A1"] = datetime.date(2024, 3, 15)
ws["A2"] = datetime.datetime(1904, 1, 1, 6, 0)
wb.save(p("date1904.xlsx"))

# A worksheet and a chart sheet.
wb = openpyxl.Workbook()
ws = wb.active
ws.title = "Data"
for row in range(1, 4):
    ws.cell(row=row, column=1, value=row * 10)
chart = BarChart()
chart.add_data(Reference(ws, min_col=1, min_row=1, max_row=3))
cs = wb.create_chartsheet("Chart")
cs.add_chart(chart)
wb.save(p("chart.xlsx"))

# Formats.
wb = openpyxl.Workbook()
ws = wb.active
ws.title = "Styled"
ws["A1"] = "Total"
ws["A1"].font = Font(bold=True, color="FF0000")
ws["A1"].fill = PatternFill("solid", fgColor="FFFF00")
ws["A1"].alignment = Alignment(horizontal="center", vertical="center")
ws["B1"] = "plain"
ws["A2"] = "theme"
ws["A2"].font = Font(name="Liberation Sans", size=14, italic=True, underline="single",
                     color=Color(theme=4))
ws["A2"].fill = PatternFill("solid", fgColor=Color(indexed=10))
ws["A2"].alignment = Alignment(horizontal="right", vertical="top")
ws["A3"] = "justified"
ws["A3"].alignment = Alignment(horizontal="justify", vertical="bottom")
ws["A4"] = "filled"
ws["A4"].alignment = Alignment(horizontal="fill", vertical="justify")
ws["A5"] = "pattern"
ws["A5"].fill = PatternFill("darkGrid", fgColor="000000", bgColor="00FF00")
wb.save(p("styles.xlsx"))

# Damaged workbooks, all made from one sound one.
wb = openpyxl.Workbook()
ws = wb.active
ws.title = "Data"
for row in range(1, 201):
    ws.cell(row=row, column=1, value="name %d" % row)
    ws.cell(row=row, column=2, value=row)
wb.save(p("base.xlsx"))
to_shared_strings(p("base.xlsx"), {})
with zipfile.ZipFile(p("base.xlsx")) as z:
    sheet = z.read(SHEET1).decode()
    workbook = z.read("xl/workbook.xml").decode()

with open(p("not-a-zip.xlsx"), "wb") as f:
    f.write(b"name,code\nthis is no workbook\n" * 100)
open(p("empty.xlsx"), "wb").close()
with zipfile.ZipFile(p("no-workbook.xlsx"), "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("[Content_Types].xml", "<Types/>")
    z.writestr("readme.txt", "nothing here")

rewrite(p("base.xlsx"), p("broken-workbook.xlsx"),
        {"xl/workbook.xml": workbook[:workbook.index("<sheets>") + 30].encode()})
rewrite(p("base.xlsx"), p("broken-sheet.xlsx"),
        {SHEET1: sheet[:sheet.index('<row r="101"')] .encode() + b"<row r=\"101\"><c r=\"A1"})
rewrite(p("base.xlsx"), p("broken-styles.xlsx"), {"xl/styles.xml": b"<styleSheet><fonts><font><b"})
rewrite(p("base.xlsx"), p("doctype.xlsx"), {"xl/workbook.xml": (
    '<?xml version="1.0"?><!DOCTYPE workbook [<!ENTITY a "aaaaaaaaaa">'
    '<!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;"><!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;">]>'
    + workbook.replace('name="Data"', 'name="&c;"')).encode()})

big = ('<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
       '<dimension ref="A1:XFD1048576"/><sheetData>'
       '<row r="1"><c r="A1" t="n"><v>1</v></c><c r="XFE1" t="n"><v>2</v></c>'
       '<c r="ZZZZZZZZZZZZ1" t="n"><v>3</v></c></row>'
       '<row r="2"><c r="B2" t="n"><v>4</v></c><c r="A1048577" t="n"><v>5</v></c></row>'
       '<row r="99999999999"><c t="n"><v>6</v></c></row>'
       '<row r="-3"><c t="n"><v>7</v></c></row>'
       '</sheetData></worksheet>')
rewrite(p("base.xlsx"), p("big-dimension.xlsx"), {SHEET1: big.encode()})

bad = ('<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>'
       '<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>999999</v></c>'
       '<c r="C1" t="s"><v>-1</v></c><c r="D1" t="s"><v>x</v></c><c r="E1" t="s"/>'
       '<c r="F1" s="99999" t="n"><v>8</v></c></row></sheetData></worksheet>')
rewrite(p("base.xlsx"), p("bad-string-index.xlsx"), {SHEET1: bad.encode()})

# Entries that inflate to gigabytes, written in pieces; about 3 GB of zero bytes first.
def bomb(path, name, head, filler, total):
    rewrite(p("base.xlsx"), path, {}, drop=(name,))
    with zipfile.ZipFile(path, "a", zipfile.ZIP_DEFLATED, compresslevel=1) as z:
        with z.open(name, "w", force_zip64=True) as f:
            f.write(head)
            piece = filler * ((1 << 20) // len(filler))
            for _ in range(total // len(piece)):
                f.write(piece)

bomb(p("zero-bomb.xlsx"), SHEET1, b"", b"\0", 3 << 30)
# A shared string table whose only text never ends: valid XML for as long as it lasts.
bomb(p("text-bomb.xlsx"), "xl/sharedStrings.xml",
     b'<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><si><t>', b" ", 512 << 20)
# A sheet that goes on and on with empty rows: sound XML far past any sane size.
bomb(p("row-bomb.xlsx"), SHEET1,
     b'<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>'
     b'<row r="1"><c r="A1" t="n"><v>5</v></c></row>', b"<row/>" + b" " * 4090, 512 << 20)
