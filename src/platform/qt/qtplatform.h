// SPDX-License-Identifier: MIT
#pragma once

#include "platform/platform.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>
#include <utility>

namespace quorvel::gui {

// The modal interactions of the program, as Qt dialogs modal to the main window.
class QtPlatform : public Platform {
public:
    // The window the dialogs are modal to; none until the main window exists.
    void setOwner(QWidget* owner) { owner_ = owner; }
    // Where the folder picker opens: the folder this gives when it exists (the current server
    // folder), else the home folder.
    void setBrowseStart(std::function<std::string()> start) { browseStart_ = std::move(start); }

    std::optional<std::string> browseForFolder(std::string_view title) override;
    bool askOkCancel(std::string_view text, std::string_view title) override;
    std::optional<std::string> askSaveFileName(const SaveDialogRequest& request) override;
    void showError(std::string_view title, std::string_view message) override;
    std::optional<PeriodDialogDates> askPeriod(const PeriodDialogDates& shown) override;

private:
    int showMessage(QMessageBox::Icon icon, std::string_view title, std::string_view text,
                    QMessageBox::StandardButtons buttons);

    QPointer<QWidget> owner_;
    std::function<std::string()> browseStart_;
};

} // namespace quorvel::gui
