// SPDX-License-Identifier: MIT
#include "commands/saving.h"

#include "commands/answersize.h"
#include "core/filereplace.h"
#include "present/exports.h"
#include "core/textwriter.h"

#include <filesystem>

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

Outcome mnuexportcsv_Click(Analyzer& a)
{
    if (!a.lastAnswer) {
        a.window.setStatus("Nothing to export yet...");
        return Outcome::refused();
    }
    const Answer& answer = *a.lastAnswer;
    const auto chosen = a.platform.askSaveFileName(SaveDialogRequest{
        .title = std::string(exportDialogTitle),
        .proposedName = std::string(answer.verb) + ".csv",
        .initialFolder = a.lastExportFolder.empty() ? a.state.serverfolder : a.lastExportFolder,
        .filters = {{"CSV Files", "*.csv"}, {"All Files", "*.*"}},
        .defaultSuffix = "csv",
    });
    if (!chosen || chosen->empty())
        return Outcome::cancelled();
    if (Outcome fits = affordAnswer(a, csvSize(answer)); !fits.isDone())
        return fits;
    if (const auto failure = replaceFile(*chosen, {csvText(answer, CsvCells::Guarded)})) {
        a.platform.showError(exportDialogTitle, "Cannot export '" + *chosen + "': " + *failure);
        return Outcome::refused();
    }
    a.lastExportFolder = std::filesystem::path(*chosen).parent_path().string();
    return Outcome::done();
}

} // namespace quorvel
