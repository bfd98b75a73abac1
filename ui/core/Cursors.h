// Cursor numbers of the framework and the system cursors they stand for.
//
// Contract:
//  - A TCursor is crDefault (0: the window class decides), crNone (no cursor) or one of the
//    negative numbers below. Layouts name them ("Cursor = crHandPoint"); names compare without
//    regard to case and an unknown name is not a cursor.
//  - CursorHandle gives the shared system cursor (never destroyed by anyone); crDefault and
//    unknown numbers give the arrow, crNone gives nullptr (SetCursor(nullptr) hides it).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

using TCursor = int;

enum : TCursor {
    crDefault = 0,
    crNone = -1,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crSizeNESW = -6,
    crSizeNS = -7,
    crSizeNWSE = -8,
    crSizeWE = -9,
    crUpArrow = -10,
    crHourGlass = -11,
    crDrag = -12,
    crNoDrop = -13,
    crHSplit = -14,
    crVSplit = -15,
    crMultiDrag = -16,
    crSQLWait = -17,
    crNo = -18,
    crAppStart = -19,
    crHelp = -20,
    crHandPoint = -21,
    crSizeAll = -22,
};

HCURSOR CursorHandle(TCursor cursor);

bool IdentToCursor(std::string_view ident, TCursor& cursor);
// Shaped for a published integer property's name reader.
bool CursorIdentToInt(std::string_view ident, int64_t& value);
std::string CursorToIdent(TCursor cursor);
