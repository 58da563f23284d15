// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace quorvel {

// The two logs. Every download/upload twin is one implementation taking the side; what the
// twins differ in is the data of this table.
enum class Side { Download, Upload };

struct SideInfo {
    std::string_view logFileName;       // "Download Log.txt": loaddownloadlog / loaduploadlog
    std::string_view logCaption;        // "(Download Log) "
    std::string_view loadQuestion;      // askloaddownload / askloadupload
    std::string_view loadQuestionTitle;
    std::string_view numberCaption;     // "Looking at Download Number ": listfiles / listupfiles
    std::string_view possessive;        // "'s Downloads"
    std::string_view transfers;         // " downloads"
    std::string_view byDateHeading;     // mnusortbydate / mnuupdate
    std::string_view byNumberHeading;   // mnudownloadnumber / mnuupnum
    std::string_view byAccountHeading;  // accountdownloads / accountuploads
    std::string_view topUserHeading;    // numonedown / numoneup
    std::string_view topAccountHeading; // numoneaccountdown / numoneaccountup
    std::string_view inactiveHeading;   // mnuwhonotdownloading / mnuwhosnotuploading
    std::string_view nameSearchHeading; // namesearch / upnamesearch: NAME + this
    std::string_view fileSearchCaption; // filesearch / upfilesearch: this + FILE
    std::string_view fileSearchHeading; // this + FILE + "..."
    std::string_view userSearchVerb;    // usersearch / upusersearch: " has downloaded"
    std::string_view byDayHeading;      // "Downloads By Day..."
    std::string_view byMonthHeading;
    std::string_view byHourHeading;
    std::string_view byAddressHeading;
    std::string_view lastTransferHeading; // "Last Download By Account..."
};

const SideInfo& sideInfo(Side side);

} // namespace quorvel
