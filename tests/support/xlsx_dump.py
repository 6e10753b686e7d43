#!/usr/bin/env python3
"""Dumps an .xlsx as JSON for the tests: the sheet names, every cell of the first sheet as
[value, type, number format] and the column widths that were set."""
import datetime
import json
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1])
sheet = book.worksheets[0]


def cell(c):
    value = c.value
    if isinstance(value, datetime.datetime):
        value = value.date().isoformat()
    return [value, c.data_type, c.number_format]


json.dump({
    "sheets": book.sheetnames,
    "rows": [[cell(c) for c in row] for row in sheet.iter_rows()],
    "widths": {k: d.width for k, d in sheet.column_dimensions.items() if d.customWidth},
}, sys.stdout)
