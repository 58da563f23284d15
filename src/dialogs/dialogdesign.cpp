// SPDX-License-Identifier: MIT
#include "dialogs/dialogdesign.h"

namespace quorvel::gui {

namespace {

constexpr ControlDesign namesList{0, 120, 2895, 2205, 2};
constexpr ControlDesign namesSearch{3240, 480, 1215, 495, 1};
constexpr ControlDesign namesCancel{3240, 1560, 1215, 495, 0};

constexpr ControlDesign filesList{120, 120, 4935, 2205, 0};
constexpr ControlDesign filesSearch{5280, 360, 1215, 495, 1};
constexpr ControlDesign filesCancel{5280, 1440, 1215, 495, 2};

// In the order of the Dialog enumeration.
constexpr DialogDesign designs[] = {
    {"frmdownnames", "Download Names", "lstnames", 4650, 2460, namesList, namesSearch, namesCancel},
    {"frmdownfiles", "Downloaded Files", "lstfiles", 6630, 2445, filesList, filesSearch, filesCancel},
    {"frmupnames", "Upload Names", "lstnames", 4650, 2460, namesList, namesSearch, namesCancel},
    {"frmupfiles", "Uploaded Files", "lstfiles", 6630, 2445, filesList, filesSearch, filesCancel},
    {"Form4",
     "Search Accounts",
     "lstusers",
     4935,
     2385,
     {120, 240, 3375, 2010, 0},
     {3600, 480, 1215, 495, 2},
     {3600, 1560, 1215, 495, 1}},
};

} // namespace

const DialogDesign& dialogDesign(Dialog dialog)
{
    return designs[static_cast<int>(dialog)];
}

} // namespace quorvel::gui
