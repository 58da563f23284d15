// SPDX-License-Identifier: MIT
#include "vocabulary.h"

#include <array>
#include <cctype>
#include <string_view>
#include <unordered_set>

namespace loggen {

namespace {

constexpr std::array<std::string_view, 32> syllables{
    "ka",  "ro", "mi",  "tan", "bel", "dor",  "vin", "sa", "lu",  "pre", "mac", "zo", "fen", "gri", "ol",  "ber",
    "chi", "ta", "nor", "wes", "ly",  "quin", "dra", "po", "sel", "ha",  "rik", "mo", "jen", "ux",  "ter", "al"};

constexpr std::array<std::string_view, 24> words{
    "Photoshop", "Demo",   "Utilities", "Sounds",       "Icons",    "Game",    "Patch",     "Update",
    "Fonts",     "Movie",  "Music",     "Kaleidoscope", "Scheme",   "Stuffit", "Eudora",    "Netscape",
    "Hotline",   "Player", "Tools",     "Doom",         "Marathon", "Quake",   "Installer", "Read Me"};

constexpr std::array<std::string_view, 10> extensions{".sit", ".sit.hqx", ".sea", ".zip", ".mp3",
                                                      ".jpg", ".mov",     ".txt", ".bin", ".img"};

constexpr std::array<std::string_view, 12> folders{"Applications", "Games",   "Music",    "Utilities",
                                                   "Graphics",     "Fonts",   "Sounds",   "Movies",
                                                   "Documents",    "Uploads", "Internet", "System"};

// "é" in the three encodings clients send, and "ü" in two of them.
constexpr std::array<std::string_view, 5> accents{"\xE9", "\x8E", "\xC3\xA9", "\xFC", "\xC3\xBC"};

std::string syllableWord(Random& random, std::size_t least, std::size_t extra)
{
    std::string word;
    const std::size_t count = least + random.below(extra + 1);
    for (std::size_t i = 0; i < count; ++i)
        word += syllables[random.below(syllables.size())];
    return word;
}

std::string capitalized(std::string word)
{
    if (!word.empty())
        word[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
    return word;
}

// Adds name to the list, with a number appended when it is taken already.
void addDistinct(std::vector<std::string>& names, std::unordered_set<std::string>& seen, std::string name)
{
    std::string candidate = name;
    for (int n = 2; !seen.insert(candidate).second; ++n)
        candidate = name + std::to_string(n);
    names.push_back(std::move(candidate));
}

// Every period-th name, from the offset-th on, carries an accent, the encodings taking turns,
// so that even a small sample has some and popular names are among them.
std::string_view accentFor(std::size_t index, std::size_t period, std::size_t offset)
{
    return index % period == offset ? accents[index / period % accents.size()] : std::string_view();
}

std::string nickname(Random& random, std::string_view accent)
{
    std::string name = capitalized(syllableWord(random, 1, 2));
    name += accent;
    if (random.chance(0.25))
        name.append(" ").append(capitalized(syllableWord(random, 1, 1)));
    if (random.chance(0.1))
        name += std::to_string(random.below(100));
    if (random.chance(0.04))
        name = std::string(1, '[').append(name).append(1, ']');
    return name;
}

std::string fileName(Random& random, std::string_view accent)
{
    std::string name(words[random.below(words.size())]);
    name.append(" ").append(capitalized(syllableWord(random, 1, 2))).append(accent);
    if (random.chance(0.4))
        name.append(" ")
            .append(std::to_string(1 + random.below(9)))
            .append(".")
            .append(std::to_string(random.below(10)));
    return name.append(extensions[random.below(extensions.size())]);
}

// A path from the server's file root: "Folder/Sub/three words 1.2.ext".
std::string pathName(Random& random, std::string_view accent)
{
    std::string name(folders[random.below(folders.size())]);
    name.append("/").append(capitalized(syllableWord(random, 1, 1)));
    name.append("/").append(words[random.below(words.size())]);
    name.append(" ").append(capitalized(syllableWord(random, 1, 1))).append(accent);
    name.append(" ").append(words[random.below(words.size())]);
    name.append(" ").append(std::to_string(1 + random.below(9))).append(".").append(std::to_string(random.below(10)));
    return name.append(extensions[random.below(extensions.size())]);
}

// Makes count distinct names with make(random, accent), the accents as accentFor(index, period, offset).
std::vector<std::string> distinctNames(std::size_t count, Random& random, std::size_t period, std::size_t offset,
                                       std::string (*make)(Random&, std::string_view))
{
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    while (names.size() < count)
        addDistinct(names, seen, make(random, accentFor(names.size(), period, offset)));
    return names;
}

} // namespace

std::vector<std::string> makeLogins(std::size_t count, Random& random)
{
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    if (count > 0)
        addDistinct(names, seen, "guest");
    while (names.size() < count)
        addDistinct(names, seen,
                    syllableWord(random, 2, 1) + (random.chance(0.2) ? std::to_string(random.below(100)) : ""));
    return names;
}

std::vector<std::string> makeNicknames(std::size_t count, Random& random)
{
    return distinctNames(count, random, 30, 4, nickname);
}

std::vector<std::string> makeFileNames(std::size_t count, Random& random)
{
    return distinctNames(count, random, 40, 2, fileName);
}

std::vector<std::string> makePathNames(std::size_t count, Random& random)
{
    return distinctNames(count, random, 40, 2, pathName);
}

} // namespace loggen
