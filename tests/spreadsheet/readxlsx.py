#!/usr/bin/python3
"""Prints an .xlsx workbook as JSON, read by openpyxl: what the spreadsheet tests check.

{"sheets": [names], "widths": {"A": width as stored}, "merged": ["B1:C1"],
 "cells": {"A1": {"value": ..., "type": "s"|"n", "bold": bool, "color": "RRGGBB"|null,
                  "size": points, "horizontal": ..., "vertical": ...,
                  "border": "TBLR" letters of the thin edges}}}
"""
import json
import sys

import openpyxl
from openpyxl.cell.cell import MergedCell
from openpyxl.worksheet.merge import MergedCellRange
from openpyxl.worksheet.worksheet import Worksheet


def keep_merged_styles(self, merged_range):
    """openpyxl gives the cells of a merged range the edges of its first cell; the tests
    check what the file holds for each cell, so each keeps its own format."""
    cells = merged_range.cells
    next(cells)
    for row, col in cells:
        own = self._cells.get((row, col))
        merged = MergedCell(self, row, col)
        if own is not None:
            merged._style = own._style
        self._cells[row, col] = merged


def first_cell_alone(self):
    """openpyxl also gives a merged range's first cell the right and bottom edges of its
    last cell; here it keeps its own."""
    self.start_cell = self.ws._cells.get((self.min_row, self.min_col))
    if self.start_cell is None:
        self.start_cell = self.ws.cell(row=self.min_row, column=self.min_col)


Worksheet._clean_merge_range = keep_merged_styles
MergedCellRange._get_borders = first_cell_alone


def edges(border):
    out = ""
    for letter, side in (("T", border.top), ("B", border.bottom), ("L", border.left), ("R", border.right)):
        if side is not None and side.style is not None:
            if side.style != "thin":
                out += letter.lower()  # another line than the thin one
            else:
                out += letter
    return out


def colour(font):
    if font.color is None or font.color.type != "rgb":
        return None
    return font.color.rgb[-6:]


def main(path):
    book = openpyxl.load_workbook(path)
    sheet = book.worksheets[0]
    cells = {}
    for row in sheet.iter_rows():
        for cell in row:
            cells[cell.coordinate] = {
                "value": cell.value,
                "type": cell.data_type,
                "bold": bool(cell.font.b),
                "color": colour(cell.font),
                "size": cell.font.sz,
                "horizontal": cell.alignment.horizontal,
                "vertical": cell.alignment.vertical,
                "border": edges(cell.border),
                "merged": isinstance(cell, MergedCell),
            }
    widths = {letter: dim.width for letter, dim in sheet.column_dimensions.items() if dim.width}
    print(json.dumps({
        "sheets": book.sheetnames,
        "widths": widths,
        "merged": sorted(str(r) for r in sheet.merged_cells.ranges),
        "cells": cells,
    }))


if __name__ == "__main__":
    main(sys.argv[1])
