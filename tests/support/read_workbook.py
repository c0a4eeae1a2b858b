#!/usr/bin/python3
"""Prints a workbook as the tests read it back: one line per sheet, then one per filled cell.

    sheet <TAB> name
    <TAB> A1 <TAB> n|s|d <TAB> value    (n: stored as a number, s: as text, d: as a date)
    a number or date with a format of its own is followed by a blank and the format in brackets
    <TAB> rows <TAB> the number of the last row
    <TAB> freeze <TAB> the top-left cell of the scrolling pane (or "none")
    <TAB> widths <TAB> the width of each column from A to the last one written, blank-separated
    <TAB> chart <TAB> kind <TAB> title      (after a sheet's cells, one per chart of the sheet;
    <TAB><TAB> series <TAB> categories <TAB> values     kind: line, column or bar)
    active <TAB> index of the active sheet

Exit status 3 when openpyxl is not installed, so the caller can skip.
"""
import sys

try:
    import openpyxl
    from openpyxl.utils import get_column_letter
except ImportError:
    sys.exit(3)


def chart_title(chart):
    try:
        return "".join(run.t for p in chart.title.tx.rich.p for run in (p.r or []))
    except AttributeError:
        return ""


def reference(data):
    if data is None:
        return ""
    for ref in (getattr(data, "numRef", None), getattr(data, "strRef", None)):
        if ref is not None:
            return ref.f
    return ""


def chart_lines(sheet):
    out = []
    for chart in sheet._charts:
        kind = chart.tagname.replace("Chart", "")
        if kind == "bar":
            kind = "column" if chart.barDir == "col" else "bar"
        out.append("\tchart\t%s\t%s" % (kind, chart_title(chart)))
        for series in chart.series:
            out.append("\t\tseries\t%s\t%s" % (reference(series.cat), reference(series.val)))
    return out


def main(path):
    workbook = openpyxl.load_workbook(path)
    out = []
    for sheet in workbook.worksheets:
        out.append("sheet\t" + sheet.title)
        for row in sheet.iter_rows():
            for cell in row:
                if cell.value is None:
                    continue
                if cell.is_date:
                    kind = "d"
                else:
                    kind = "n" if cell.data_type == "n" else "s"
                value = str(cell.value)
                if kind in ("n", "d") and cell.number_format != "General":
                    value += " [%s]" % cell.number_format
                out.append("\t%s\t%s\t%s" % (cell.coordinate, kind, value))
        out.append("\trows\t%d" % sheet.max_row)
        out.append("\tfreeze\t%s" % (sheet.freeze_panes or "none"))
        widths = []
        for index in range(1, sheet.max_column + 1):
            width = sheet.column_dimensions[get_column_letter(index)].width
            widths.append("%d" % int(width) if width else "-")
        out.append("\twidths\t" + " ".join(widths))
        out.extend(chart_lines(sheet))
    out.append("active\t%d" % workbook.worksheets.index(workbook.active))
    sys.stdout.buffer.write(("\n".join(out) + "\n").encode("utf-8"))


if __name__ == "__main__":
    main(sys.argv[1])
