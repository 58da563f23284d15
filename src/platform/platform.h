// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// What the save dialog is asked to offer.
struct SaveDialogRequest {
    std::string title;          // "Save Log Information"
    std::string proposedName;   // "log results.txt"
    std::string initialFolder;  // empty: the dialog's own default
    struct Filter {
        std::string description;
        std::string pattern;
    };
    std::vector<Filter> filters; // the first is selected
    std::string defaultSuffix;   // added to a name typed without an extension
};

// A day of the calendar as the period dialog shows it.
struct CalendarDay {
    int year = 1970;
    int month = 1;
    int day = 1;
};

// The period dialog's From and To dates, each of which can be switched off (that end is open).
struct PeriodDialogDates {
    CalendarDay from;
    CalendarDay to;
    bool fromOn = false;
    bool toOn = false;
};

// Modal interactions. The GUI shows real dialogs; the command-line tool and the tests answer
// from a script.
class Platform {
public:
    virtual ~Platform() = default;

    // Directories-only folder picker. Returns the chosen folder, or nothing when cancelled.
    virtual std::optional<std::string> browseForFolder(std::string_view title) = 0;
    // Modal OK/Cancel question, no icon, OK the default. True when answered with OK.
    virtual bool askOkCancel(std::string_view text, std::string_view title) = 0;
    // Save dialog with an overwrite question. Returns the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> askSaveFileName(const SaveDialogRequest& request) = 0;
    // A message box reporting a failure.
    virtual void showError(std::string_view title, std::string_view message) = 0;
    // The "Period..." dialog, opened on shown: OK gives its dates, "All Time" gives both ends
    // off, Cancel gives nothing. OK cannot be chosen while From is after To.
    virtual std::optional<PeriodDialogDates> askPeriod(const PeriodDialogDates& shown) = 0;
};

} // namespace quorvel
