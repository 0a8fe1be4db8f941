// The record table's painters: the column header (with the window background
// around the list and the BMI panel) and one row of the list. They draw what
// they are given and read no state of their own.
#ifndef PELMO_CHARTS_PAINTERS_RECORD_TABLE_H
#define PELMO_CHARTS_PAINTERS_RECORD_TABLE_H

#include <windows.h>

#include "charts/record_row.h"

// What the header is drawn against.
struct RecordHeaderPlace {
    int windowWidth;           // the diary window's client area
    int windowHeight;
    bool hasList;              // the record list exists: its frame is drawn around listRect
    RECT listRect;             // the list's window rectangle, relative to the diary window's
    int tableWidth;            // W: widened while the rows overflow the list
    int baseTableWidth;        // W0
    const int* columnStarts;   // c0..c6
    int ascent;                // a: the text ascent of the diary window's font
    bool bodyFatShown;         // else the body-fat title is drawn in the window's colour
};

// Paints on the diary window's own device context. The titles and units are
// centred over their columns.
void drawRecordHeader(HDC dc, const RecordHeaderPlace& place);
// The row of the rule the header draws below the record list, across the
// window; the line graph lies below it.
int RecordTableRuleRow(const RecordHeaderPlace& place);

// The width each column needs, with the table's font as it really is on dc,
// to hold its title and unit (centred, drawn bold) and the widest text its
// cells can show (widest: WidestRecordRow and every class name) with a gap
// on either side.
void measureRecordColumns(HDC dc, int ascent, const RecordRowTexts& widest, int (&needed)[kRecordTableColumns]);

// Where a row is drawn: from x 0 to right, between top and bottom.
struct RecordRowPlace {
    int top;
    int bottom;
    int right;
    const int* columnStarts;  // c0..c6
    int ascent;
};

// Paints one row: the background in the context's background colour, the
// column separators and, for a record, its texts (null: an empty row), all
// on one baseline; the last cell ends inside the row. The caller has set the
// background and text colours.
void drawRecordRow(HDC dc, const RecordRowPlace& place, const RecordRowTexts* texts);

#endif
