#include "ui/core/Cursors.h"
#include "ui/classes/Object.h"

#include <iterator>

namespace {

struct CursorEntry {
    TCursor cursor;
    const char* name;
    LPCSTR system; // the system cursor shown for it (IDC_* are narrow here)
};

// Drag and split cursors have no system twin: they show the nearest system look.
const CursorEntry kCursors[] = {
    {crDefault, "crDefault", IDC_ARROW},     {crNone, "crNone", nullptr},
    {crArrow, "crArrow", IDC_ARROW},         {crCross, "crCross", IDC_CROSS},
    {crIBeam, "crIBeam", IDC_IBEAM},         {crSizeNESW, "crSizeNESW", IDC_SIZENESW},
    {crSizeNS, "crSizeNS", IDC_SIZENS},      {crSizeNWSE, "crSizeNWSE", IDC_SIZENWSE},
    {crSizeWE, "crSizeWE", IDC_SIZEWE},      {crUpArrow, "crUpArrow", IDC_UPARROW},
    {crHourGlass, "crHourGlass", IDC_WAIT},  {crDrag, "crDrag", IDC_ARROW},
    {crNoDrop, "crNoDrop", IDC_NO},          {crHSplit, "crHSplit", IDC_SIZEWE},
    {crVSplit, "crVSplit", IDC_SIZENS},      {crMultiDrag, "crMultiDrag", IDC_ARROW},
    {crSQLWait, "crSQLWait", IDC_WAIT},      {crNo, "crNo", IDC_NO},
    {crAppStart, "crAppStart", IDC_APPSTARTING}, {crHelp, "crHelp", IDC_HELP},
    {crHandPoint, "crHandPoint", IDC_HAND},  {crSizeAll, "crSizeAll", IDC_SIZEALL},
};

const CursorEntry* FindCursor(TCursor cursor) {
    for (const CursorEntry& entry : kCursors)
        if (entry.cursor == cursor) return &entry;
    return nullptr;
}

} // namespace

HCURSOR CursorHandle(TCursor cursor) {
    const CursorEntry* entry = FindCursor(cursor);
    if (entry && !entry->system) return nullptr;
    return LoadCursorA(nullptr, entry ? entry->system : IDC_ARROW);
}

bool IdentToCursor(std::string_view ident, TCursor& cursor) {
    for (const CursorEntry& entry : kCursors) {
        if (SameText(entry.name, ident)) {
            cursor = entry.cursor;
            return true;
        }
    }
    return false;
}

bool CursorIdentToInt(std::string_view ident, int64_t& value) {
    TCursor cursor;
    if (!IdentToCursor(ident, cursor)) return false;
    value = cursor;
    return true;
}

std::string CursorToIdent(TCursor cursor) {
    const CursorEntry* entry = FindCursor(cursor);
    return entry ? entry->name : "";
}
