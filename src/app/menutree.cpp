// SPDX-License-Identifier: MIT
#include "app/menutree.h"

#include <array>

namespace quorvel::gui {

namespace {

constexpr std::array<MenuItemDesign, 6> fileItems{{
    {"mnuselectserverdirectory", "Select Server Directory"},
    {"mnufilesep1", "-"},
    {"mnusave", "Save"},
    {"mnusaveas", "Save as..."},
    {"mnufilesep2", "-"},
    {"mnuQuit", "Quit"},
}};

constexpr std::array<MenuItemDesign, 5> loadItems{{
    {"mnuloadall", "Load All"},
    {"mnuloadsep", "-"},
    {"mnuLoaddownloadlog", "Load Download Log"},
    {"mnuLoaduploadlog", "Load Upload Log"},
    {"mnuLoadUserAccounts", "Load User Accounts"},
}};

constexpr std::array<MenuItemDesign, 3> downloadItems{{
    {"mnusortbydate", "Sort By Date"},
    {"mnudownloadnumber", "Sort By Download Number"},
    {"mnusortbyaccount", "Sort By Account"},
}};

constexpr std::array<MenuItemDesign, 3> uploadItems{{
    {"mnuupdate", "Sort By Date"},
    {"mnuupnum", "Sort By Upload Number"},
    {"mnuupaccount", "Sort By Account"},
}};

constexpr std::array<MenuItemDesign, 6> searchItems{{
    {"mnuUserDownloads", "User Downloads"},
    {"mnuFileDownloads", "File Downloads"},
    {"mnuUserUploads", "User Uploads"},
    {"mnuFileUploads", "File Upoads"},
    {"mnusearchsep1", "-"},
    {"mnusearchaccounts", "Accounts"},
}};

constexpr std::array<MenuItemDesign, 8> findItems{{
    {"mnunumberdown", "User Number 1 Downloader"},
    {"mnunumup", "User Number 1 Uploader"},
    {"mnublahsep1", "-"},
    {"mnunumberaccountdown", "Account Number 1 Downloader"},
    {"mnunumberaccountup", "Account Number 1 Uploader"},
    {"mnublahsep2", "-"},
    {"mnuwhonotdownloading", "Account that aren't downloading"},
    {"mnuwhosnotuploading", "Account that aren't uploading"},
}};

constexpr std::array<MenuItemDesign, 1> helpItems{{
    {"mnuAbout", "About"},
}};

constexpr std::array<TopMenuDesign, 7> tree{{
    {{"mnufile", "File"}, fileItems},
    {{"blah3", "Load"}, loadItems},
    {{"mnublah", "Download Info"}, downloadItems},
    {{"mnublah5", "Upload Info"}, uploadItems},
    {{"mnublah2", "Search"}, searchItems},
    {{"blah4", "Find"}, findItems},
    {{"mnuHelp", "Help"}, helpItems},
}};

} // namespace

std::span<const TopMenuDesign> menuTree()
{
    return tree;
}

} // namespace quorvel::gui
