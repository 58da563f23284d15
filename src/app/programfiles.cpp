// SPDX-License-Identifier: MIT
#include "app/programfiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>

namespace quorvel::gui {

namespace {

std::filesystem::path localPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

} // namespace

FolderFile programFolderFile()
{
    return FolderFile(localPath(QCoreApplication::applicationDirPath()),
                      localPath(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)));
}

} // namespace quorvel::gui
