// SPDX-License-Identifier: MIT
#include "app/textcodec.h"

#include <QHash>
#include <QStringDecoder>

#include <vector>

namespace quorvel::gui {

namespace {

// Decodes UTF-8 strictly: a sequence cut off at the end is an error, and a byte order mark is
// kept as a character so that it survives the way back. Returns false when the bytes are not
// valid UTF-8.
bool decodeUtf8(std::string_view bytes, QString& out)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
    out = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return !decoder.hasError();
}

QString fromLatin1(std::string_view bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The lines of a text cut at CR LF, lone CR and lone LF; a text ending in a line break has an
// empty last line.
std::vector<std::string_view> splitLines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines.push_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    lines.push_back(bytes.substr(start));
    return lines;
}

void unifyLineBreaks(QString& text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

bool fitsLatin1(const QString& line)
{
    for (const QChar c : line)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

std::string toBytes(const QByteArray& bytes)
{
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// The original lines by the text they show.
QHash<QString, std::string_view> originalLines(std::string_view original)
{
    QHash<QString, std::string_view> lines;
    for (const std::string_view line : splitLines(original))
        lines.insert(decodeLine(line), line);
    return lines;
}

} // namespace

QString decodeLine(std::string_view bytes)
{
    QString text;
    return decodeUtf8(bytes, text) ? text : fromLatin1(bytes);
}

DecodedText decodeText(std::string_view bytes)
{
    DecodedText result;
    if (!decodeUtf8(bytes, result.text)) {
        result.allUtf8 = false;
        result.text.clear();
        const std::vector<std::string_view> lines = splitLines(bytes);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i > 0)
                result.text += QLatin1Char('\n');
            result.text += decodeLine(lines[i]);
        }
    }
    unifyLineBreaks(result.text);
    return result;
}

std::string encodeEditedText(const QString& text, std::string_view original, bool originalAllUtf8)
{
    const QHash<QString, std::string_view> known =
        originalAllUtf8 ? QHash<QString, std::string_view>() : originalLines(original);
    std::string out;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            out += "\r\n";
        const QString& line = lines[i];
        if (const auto it = known.constFind(line); it != known.constEnd())
            out += *it;
        else if (!originalAllUtf8 && fitsLatin1(line))
            out += toBytes(line.toLatin1());
        else
            out += toBytes(line.toUtf8());
    }
    return out;
}

} // namespace quorvel::gui
