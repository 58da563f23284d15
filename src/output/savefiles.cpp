// SPDX-License-Identifier: MIT
#include "output/savefiles.h"

#include "output/filereplace.h"

namespace quorvel {

SaveDialogRequest saveDialogRequest(const State& s)
{
    return SaveDialogRequest{
        .title = std::string(saveDialogTitle),
        .proposedName = "log results.txt",
        .initialFolder = s.serverfolder,
        .filters = {{"Text Files", "*.txt"}, {"All Files", "*.*"}},
        .defaultSuffix = "txt",
    };
}

bool savefiles(Analyzer& a, const std::string& path)
{
    const std::string text = a.window.outputText();
    const auto failure = replaceFile(path, {text, "\r\n"});
    if (failure)
        a.platform.showError(saveDialogTitle, "Cannot save '" + path + "': " + *failure);
    return !failure;
}

void mnusaveas_Click(Analyzer& a)
{
    const auto chosen = a.platform.askSaveFileName(saveDialogRequest(a.state));
    if (chosen && !chosen->empty() && savefiles(a, *chosen))
        a.state.savefilename = *chosen;
}

void mnusave_Click(Analyzer& a)
{
    if (a.state.savefilename.empty())
        mnusaveas_Click(a);
    else
        savefiles(a, a.state.savefilename);
}

} // namespace quorvel
