// SPDX-License-Identifier: MIT
#pragma once

#include "platform/window.h"

namespace quorvel::gui {

// A control's place in twips, relative to the client area, and its tab index.
struct ControlDesign {
    int left, top, width, height;
    int tabIndex;
};

// The layout of a list dialog: one list box and the two buttons Command1 "Search" and
// Command2 "Cancel".
struct DialogDesign {
    const char* objectName; // "frmdownnames"
    const char* caption;    // "Download Names"
    const char* listName;   // "lstnames"
    int clientWidth, clientHeight;
    ControlDesign list, command1, command2;
};

const DialogDesign& dialogDesign(Dialog dialog);

} // namespace quorvel::gui
