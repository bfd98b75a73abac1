// The common controls of the framework: toolbar, status bar, progress and track bars, up-down,
// page and tab controls, header, list view, date-time picker and rich edit.
#pragma once

#include "ui/controls/ComCtrlsBars.h"
#include "ui/controls/ComCtrlsEdits.h"
#include "ui/controls/ComCtrlsListView.h"
#include "ui/controls/ComCtrlsTabs.h"
#include "ui/controls/ComCtrlsToolBar.h"

// Makes every kind above (and its items) known to the layout reader.
void RegisterCommonControls();
