#!/usr/bin/env python3
"""Writes the bolt-group child sheet as workbooks: Childs/BoltGroupXlsx.kvs
(an .xlsx workbook) and Childs/BoltGroupOds.kvs (an .ods workbook), twins of
the CSV sheet Childs/BoltGroup.kvs that a standards author could have saved
from a desktop spreadsheet program. They compute the same results.

The .xlsx comes from the product's own exporter (`ss-host calc --export`, so
build first); the .ods is written here: a stored zip with the cells of the
CSV file in content.xml.

    write_workbooks.py [SS-HOST]           rewrite both
    write_workbooks.py [SS-HOST] --check   exit 1 when a committed file differs
"""
import csv
import io
import pathlib
import subprocess
import sys
import tempfile
import zipfile
from xml.sax.saxutils import escape, quoteattr

ROOT = pathlib.Path(__file__).resolve().parent.parent.parent
CHILDS = ROOT / "examples" / "library" / "Connection Standards" / "Childs"
SOURCE = CHILDS / "BoltGroup.kvs"
HOST = ROOT / "build" / "bin" / "ss-host"

MIMETYPE = "application/vnd.oasis.opendocument.spreadsheet"
MANIFEST = """<?xml version="1.0" encoding="UTF-8"?>
<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.2">
 <manifest:file-entry manifest:full-path="/" manifest:media-type="application/vnd.oasis.opendocument.spreadsheet"/>
 <manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>
</manifest:manifest>
"""


def rows_of(path):
    with open(path, newline="", encoding="utf-8") as f:
        return list(csv.reader(f))


def ods_cell(text):
    if text == "":
        return "<table:table-cell/>"
    try:
        float(text)
        return ('<table:table-cell office:value-type="float" office:value=%s>'
                "<text:p>%s</text:p></table:table-cell>" % (quoteattr(text), escape(text)))
    except ValueError:
        return ('<table:table-cell office:value-type="string"><text:p>%s</text:p>'
                "</table:table-cell>" % escape(text))


def ods_bytes(rows):
    body = "".join("<table:table-row>%s</table:table-row>" % "".join(ods_cell(c) for c in row)
                   for row in rows)
    content = (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        '<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
        'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
        'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.2">'
        '<office:body><office:spreadsheet><table:table table:name="BoltGroup">'
        '<table:table-column table:number-columns-repeated="2"/>'
        + body + "</table:table></office:spreadsheet></office:body></office:document-content>\n")
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w") as z:
        # Fixed dates, so the bytes depend on the contents only.
        for name, data, method in (("mimetype", MIMETYPE, zipfile.ZIP_STORED),
                                   ("META-INF/manifest.xml", MANIFEST, zipfile.ZIP_DEFLATED),
                                   ("content.xml", content, zipfile.ZIP_DEFLATED)):
            info = zipfile.ZipInfo(name, date_time=(2024, 1, 1, 0, 0, 0))
            info.compress_type = method
            z.writestr(info, data.encode("utf-8"))
    return out.getvalue()


def xlsx_bytes(host):
    with tempfile.TemporaryDirectory() as tmp:
        sheet = pathlib.Path(tmp) / "BoltGroup.csv"
        sheet.write_bytes(SOURCE.read_bytes())
        out = pathlib.Path(tmp) / "BoltGroup.xlsx"
        subprocess.run([str(host), "calc", str(sheet), "--export", str(out)], check=True,
                       stdout=subprocess.DEVNULL)
        return out.read_bytes()


def main(argv):
    check = "--check" in argv
    args = [a for a in argv[1:] if a != "--check"]
    host = pathlib.Path(args[0]) if args else HOST
    files = {CHILDS / "BoltGroupOds.kvs": ods_bytes(rows_of(SOURCE))}
    if not check:
        files[CHILDS / "BoltGroupXlsx.kvs"] = xlsx_bytes(host)
    stale = False
    for path, data in files.items():
        if check:
            if not path.exists() or path.read_bytes() != data:
                print("stale:", path.relative_to(ROOT))
                stale = True
        else:
            path.write_bytes(data)
            print("wrote", path.relative_to(ROOT))
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
