// SPDX-License-Identifier: MIT
#include "commands/saving.h"

#include "core/filereplace.h"
#include "present/reporttext.h"

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

Outcome savefiles(Analyzer& a, const std::string& path)
{
    const std::string text = a.window.outputText();
    const auto failure = replaceFile(path, {text, crlf});
    if (!failure)
        return Outcome::done();
    // The message box explains the refusal; the status line is left as it is.
    a.platform.showError(saveDialogTitle, "Cannot save '" + path + "': " + *failure);
    return Outcome::refused();
}

Outcome mnusaveas_Click(Analyzer& a)
{
    const auto chosen = a.platform.askSaveFileName(saveDialogRequest(a.state));
    if (!chosen || chosen->empty())
        return Outcome::cancelled();
    Outcome saved = savefiles(a, *chosen);
    if (saved.isDone())
        a.state.savefilename = *chosen;
    return saved;
}

Outcome mnusave_Click(Analyzer& a)
{
    if (a.state.savefilename.empty())
        return mnusaveas_Click(a);
    return savefiles(a, a.state.savefilename);
}

} // namespace quorvel
