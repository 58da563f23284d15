// SPDX-License-Identifier: MIT
#include "model/side.h"

namespace quorvel {

namespace {

constexpr SideInfo download{
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

constexpr SideInfo upload{
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

} // namespace

const SideInfo& sideInfo(Side side)
{
    return side == Side::Download ? download : upload;
}

} // namespace quorvel
