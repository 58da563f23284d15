// SPDX-License-Identifier: MIT
#pragma once

#include "platform/platform.h"

#include <deque>
#include <string>
#include <vector>

namespace quorvel::test {

// Modal interactions answered from a script; every question asked is recorded. An empty
// script cancels the folder browser and the save dialog and answers questions with OK.
class FakePlatform : public Platform {
public:
    std::optional<std::string> browseForFolder(std::string_view title) override
    {
        browseTitles.emplace_back(title);
        return next(folderAnswers);
    }
    bool askOkCancel(std::string_view text, std::string_view title) override
    {
        questions.push_back({std::string(text), std::string(title)});
        if (okAnswers.empty())
            return true;
        const bool answer = okAnswers.front();
        okAnswers.pop_front();
        return answer;
    }
    std::optional<std::string> askSaveFileName(const SaveDialogRequest& request) override
    {
        saveRequests.push_back(request);
        return next(saveAnswers);
    }
    void showError(std::string_view title, std::string_view message) override
    {
        errors.push_back({std::string(message), std::string(title)});
    }
    std::optional<PeriodDialogDates> askPeriod(const PeriodDialogDates& shown) override
    {
        periodRequests.push_back(shown);
        if (periodAnswers.empty())
            return std::nullopt;
        const auto answer = periodAnswers.front();
        periodAnswers.pop_front();
        return answer;
    }

    struct Message {
        std::string text;
        std::string title;
    };
    std::deque<std::optional<std::string>> folderAnswers;
    std::deque<bool> okAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::deque<std::optional<PeriodDialogDates>> periodAnswers;
    std::vector<PeriodDialogDates> periodRequests;
    std::vector<std::string> browseTitles;
    std::vector<Message> questions;
    std::vector<SaveDialogRequest> saveRequests;
    std::vector<Message> errors;

private:
    static std::optional<std::string> next(std::deque<std::optional<std::string>>& answers)
    {
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace quorvel::test
