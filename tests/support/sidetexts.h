// SPDX-License-Identifier: MIT
#pragma once
// The texts in which the download and upload twins differ, written out for each side as the
// program shows them, for tests to compare with.

#include "model/side.h"

#include <string_view>

namespace quorvel::test {

struct SideTexts {
    std::string_view logFileName;
    std::string_view logCaption;
    std::string_view loadQuestion;
    std::string_view loadQuestionTitle;
    std::string_view numberCaption;
    std::string_view possessive;
    std::string_view transfers;
    std::string_view byDateHeading;
    std::string_view byNumberHeading;
    std::string_view byAccountHeading;
    std::string_view topUserHeading;
    std::string_view topAccountHeading;
    std::string_view inactiveHeading;
    std::string_view nameSearchHeading;
    std::string_view fileSearchCaption;
    std::string_view fileSearchHeading;
    std::string_view userSearchVerb;
    std::string_view byDayHeading;
    std::string_view byMonthHeading;
    std::string_view byHourHeading;
    std::string_view byAddressHeading;
    std::string_view lastTransferHeading;
};

inline const SideTexts& sideTexts(Side side)
{
    static constexpr SideTexts download{
        "Download Log.txt",
        "(Download Log) ",
        "You must load the download log first, do you want to load the download log?",
        "Load download log",
        "Looking at Download Number ",
        "'s Downloads",
        " downloads",
        "Downloads By Date...",
        "Downloads By Number...",
        "Downloads By Account...",
        "The number one downloader is...",
        "The mumber one account downloader is...",
        "Accounts that have not downloaded in the current log...",
        " had downloaded these files...",
        "Searching to see who's downloaded ",
        "Users who have downloaded ",
        " has downloaded",
        "Downloads By Day...",
        "Downloads By Month...",
        "Downloads By Hour...",
        "Downloads By Address...",
        "Last Download By Account...",
    };

    static constexpr SideTexts upload{
        "Upload Log.txt",
        "(Upload Log) ",
        "You must load the upload log first, do you want to load the upload log?",
        "Load upload log",
        "Looking at Upload Number ",
        "'s Uploads",
        " uploads",
        "Uploads By Date...",
        "Uploads By Number...",
        "Uploads by Acount...",
        "The number one uploader is...",
        "The mumber one account uploader is...",
        "Accounts that have not uploaded in the current log...",
        " had uploaded these files...",
        "Searching to see who's uploaded ",
        "Users who have uploaded ",
        " has uploaded",
        "Uploads By Day...",
        "Uploads By Month...",
        "Uploads By Hour...",
        "Uploads By Address...",
        "Last Upload By Account...",
    };

    return side == Side::Download ? download : upload;
}

} // namespace quorvel::test
