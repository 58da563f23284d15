// SPDX-License-Identifier: MIT
#include "cli/completion.h"

#include "cli/options.h"
#include "commands/commandtable.h"

#include <string_view>
#include <vector>

namespace quorvel {

namespace {

// Words for compgen -W, wrapped onto lines of about 100 columns, each indented by eight spaces.
std::string wordList(const std::vector<std::string_view>& words)
{
    std::string list, line;
    for (const std::string_view word : words) {
        if (!line.empty() && line.size() + 1 + word.size() > 100) {
            list += line + "\n        ";
            line.clear();
        }
        if (!line.empty())
            line += ' ';
        line += word;
    }
    return list + line;
}

// The case arm that completes the value of an option: a folder for DIR, the choices of
// "a|b|c", nothing for anything else (a date).
std::string valueArm(const OptionRow& option)
{
    std::string action;
    if (option.value == "DIR") {
        action = "_filedir -d";
    } else if (option.value.find('|') != std::string_view::npos) {
        std::string choices(option.value);
        for (char& c : choices)
            if (c == '|')
                c = ' ';
        action = "COMPREPLY=($(compgen -W '" + choices + "' -- \"$cur\"))";
    }
    return "        " + std::string(option.name) + ")\n" + (action.empty() ? "" : "            " + action + "\n") +
           "            return\n            ;;\n";
}

} // namespace

std::string bashCompletion()
{
    std::vector<std::string_view> verbs, names, valued;
    std::string arms;
    for (const CommandRow& row : commandTable())
        if (!row.verb.empty())
            verbs.push_back(row.verb);
    for (const OptionRow& option : reportOptions()) {
        names.push_back(option.name);
        if (!option.value.empty()) {
            valued.push_back(option.name);
            arms += valueArm(option);
        }
    }
    std::string valuedPattern;
    for (const std::string_view name : valued)
        valuedPattern.append(valuedPattern.empty() ? "" : " | ").append(name);

    return "# bash completion for quorvel-report: its options, and its verbs until one is given.\n"
           "# Made from the program's command table when it is built.\n"
           "\n"
           "_quorvel_report()\n"
           "{\n"
           "    local cur prev words cword split\n"
           "    _init_completion -s || return\n"
           "\n"
           "    case $prev in\n" +
           arms +
           "    esac\n"
           "    $split && return\n"
           "\n"
           "    # The verb is the first word that is neither an option nor an option's value; after\n"
           "    # \"--\" every word is a verb or its value.\n"
           "    local i verb= ended=\n"
           "    for ((i = 1; i < cword; i++)); do\n"
           "        if [[ $ended || ${words[i]} == - || ${words[i]} != -* ]]; then\n"
           "            verb=${words[i]}\n"
           "            break\n"
           "        fi\n"
           "        case ${words[i]} in\n"
           "            --) ended=1 ;;\n"
           "            " +
           valuedPattern +
           ") ((i++)) ;;\n"
           "        esac\n"
           "    done\n"
           "    if [[ ! $ended && $cur == -* ]]; then\n"
           "        COMPREPLY=($(compgen -W '" +
           wordList(names) +
           "' -- \"$cur\"))\n"
           "    elif [[ ! $verb ]]; then\n"
           "        COMPREPLY=($(compgen -W '" +
           wordList(verbs) +
           "' -- \"$cur\"))\n"
           "    fi\n"
           "} &&\n"
           "    complete -F _quorvel_report quorvel-report\n";
}

} // namespace quorvel
