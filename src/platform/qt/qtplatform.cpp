// SPDX-License-Identifier: MIT
#include "platform/qt/qtplatform.h"

#include "gui/textcodec.h"
#include "platform/qt/perioddialog.h"

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

// Messages may name paths and files, which anyone may name: shown as they are, never as markup.
int QtPlatform::showMessage(QMessageBox::Icon icon, std::string_view title, std::string_view text,
                            QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, decodeLine(title), decodeText(text).text, buttons, owner_);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec();
}

bool QtPlatform::askOkCancel(std::string_view text, std::string_view title)
{
    return showMessage(QMessageBox::NoIcon, title, text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
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
    showMessage(QMessageBox::Critical, title, message, QMessageBox::Ok);
}

std::optional<PeriodDialogDates> QtPlatform::askPeriod(const PeriodDialogDates& shown)
{
    PeriodDialog dialog(shown, owner_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.dates();
}

} // namespace quorvel::gui
