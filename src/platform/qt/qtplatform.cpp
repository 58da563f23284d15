// SPDX-License-Identifier: MIT
#include "platform/qt/qtplatform.h"

#include "gui/textcodec.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

namespace quorvel::gui {

namespace {

QString pathText(std::string_view path)
{
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string pathBytes(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QStringList nameFilters(const SaveDialogRequest& request)
{
    QStringList filters;
    for (const SaveDialogRequest::Filter& filter : request.filters)
        filters << decodeLine(filter.description) + QStringLiteral(" (") + decodeLine(filter.pattern) +
                       QLatin1Char(')');
    return filters;
}

} // namespace

std::optional<std::string> QtPlatform::browseForFolder(std::string_view title)
{
    const QString start = browseStart_ ? pathText(browseStart_()) : QString();
    const QString folder = QFileDialog::getExistingDirectory(
        owner_, decodeLine(title), !start.isEmpty() && QDir(start).exists() ? start : QDir::homePath(),
        QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return std::nullopt;
    return pathBytes(folder);
}

bool QtPlatform::askOkCancel(std::string_view text, std::string_view title)
{
    QMessageBox box(QMessageBox::NoIcon, decodeLine(title), decodeText(text).text,
                    QMessageBox::Ok | QMessageBox::Cancel, owner_);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

// Overwriting an existing file is confirmed by the dialog itself (QFileDialog asks by default).
std::optional<std::string> QtPlatform::askSaveFileName(const SaveDialogRequest& request)
{
    QFileDialog dialog(owner_, decodeLine(request.title), pathText(request.initialFolder));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = nameFilters(request);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters.first());
    dialog.setDefaultSuffix(decodeLine(request.defaultSuffix));
    dialog.selectFile(pathText(request.proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return pathBytes(dialog.selectedFiles().first());
}

void QtPlatform::showError(std::string_view title, std::string_view message)
{
    QMessageBox::critical(owner_, decodeLine(title), decodeText(message).text);
}

} // namespace quorvel::gui
