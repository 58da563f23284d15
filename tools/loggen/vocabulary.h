// SPDX-License-Identifier: MIT
#pragma once

#include "random.h"

#include <string>
#include <vector>

namespace loggen {

// Distinct logins: lower-case letters and digits, "guest" first (the most used account).
std::vector<std::string> makeLogins(std::size_t count, Random& random);

// Distinct nicknames as clients send them: mixed case, blanks, punctuation, and in a few of
// them accented letters as Latin-1 / Windows-1252, Mac Roman or UTF-8 bytes.
std::vector<std::string> makeNicknames(std::size_t count, Random& random);

// Distinct file leaf names with the extensions common on such servers, a few with accented
// letters in one of the three encodings.
std::vector<std::string> makeFileNames(std::size_t count, Random& random);

// Distinct file names as paths from the server's file root, "Folder/Sub/three words 1.2.ext"
// (about 40 bytes), a few with accented letters as above.
std::vector<std::string> makePathNames(std::size_t count, Random& random);

} // namespace loggen
