#!/usr/bin/python3
"""The baseline of bench_print: pages of prnrep.txt drawn into a PDF with
reportlab, the usual way a script makes a PDF report, in the font and the
layout the program prints with (10 points, condensed to 131 columns).

Usage: reportlab_report.py PRNREP FONT.ttf PAGES LAST_PAGE OUT.pdf
Prints the milliseconds spent drawing and writing (start-up left out).
"""
import sys
import time

from reportlab.lib.pagesizes import A4
from reportlab.pdfbase import pdfmetrics
from reportlab.pdfbase.ttfonts import TTFont
from reportlab.pdfgen import canvas

PAGE_BYTES = 7980
LINE_WIDTH = 131
LINES_READ = 57
BODY_LINES = 52
POINTS = 10
MARGIN = 36
UNIT = 72 / 300  # the program's layout is in 300 dpi device units
TITLE = "ระบบงาน Download Bill Payment" + " " * 65 + "ORQ"


def page_lines(path, page):
    lines = []
    with open(path, "rb") as f:
        f.seek((page - 1) * PAGE_BYTES)
        for k in range(LINES_READ):
            line = f.readline(LINE_WIDTH + 2)
            if not line:
                break
            if k < BODY_LINES:
                lines.append(line[:LINE_WIDTH].rstrip(b"\r\n").decode("tis_620", "replace"))
    return lines


def main():
    prnrep, font_file, pages, last_page, out = sys.argv[1:6]
    pages, last_page = int(pages), int(last_page)
    start = time.perf_counter()
    pdfmetrics.registerFont(TTFont("Report", font_file))
    width, height = A4
    inner = width - 2 * MARGIN
    scale = min(100.0, 100.0 * inner / pdfmetrics.stringWidth("M" * LINE_WIDTH, "Report", POINTS))
    leading = POINTS * 1.2
    c = canvas.Canvas(out, pagesize=A4)
    top, bottom = height - MARGIN, MARGIN
    for page in range(1, pages + 1):
        c.setLineWidth(0.5)
        c.line(MARGIN, top - 130 * UNIT, width - MARGIN, top - 130 * UNIT)
        c.line(MARGIN, bottom + 150 * UNIT, width - MARGIN, bottom + 150 * UNIT)
        text = c.beginText(MARGIN, top - POINTS)
        text.setFont("Report", POINTS, leading)
        text.setHorizScale(scale)
        text.textLine(TITLE)
        text.moveCursor(0, 2 * leading)
        for line in page_lines(prnrep, page):
            text.textLine(line)
        c.drawText(text)
        footer = c.beginText(MARGIN, bottom + 125 * UNIT - POINTS)
        footer.setFont("Report", POINTS, leading)
        footer.setHorizScale(scale)
        footer.textLine("File Name is kordex.001 %85sPage %d of %d" % (" ", page, last_page))
        c.drawText(footer)
        c.showPage()
    c.save()
    print("%.3f" % ((time.perf_counter() - start) * 1e3))


if __name__ == "__main__":
    main()
