// SPDX-License-Identifier: MIT
#include "gui/textcodec.h"

#include "core/bytetext.h"

#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace quorvel::gui {

namespace {

// Decodes valid UTF-8, keeping a byte order mark as a character so that it survives the way
// back.
QString fromUtf8(std::string_view bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
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

std::string toBytes(const QByteArray& bytes)
{
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// A new line in a report that was not all UTF-8: Windows-1252 when every character fits, so
// an edited 8-bit report stays 8-bit; UTF-8 otherwise.
std::string eightBitOrUtf8(std::string utf8)
{
    std::optional<std::string> eightBit = windows1252Bytes(utf8);
    return eightBit ? std::move(*eightBit) : std::move(utf8);
}

// The lines of the text the engine set, to give edited text back its bytes. The lines before
// and after the region the user changed are matched by place, so two lines that read alike
// but were written differently (one 8-bit, one UTF-8) each keep their own bytes; a line
// inside the region that reads exactly like an original line gets that line's bytes.
class OriginalLines {
public:
    OriginalLines(std::string_view original, const QStringList& edited) : edited_(edited.size())
    {
        for (const std::string_view line : splitLines(original)) {
            bytes_.push_back(line);
            shown_ << decodeLine(line);
            byText_.insert(shown_.back(), line);
        }
        const qsizetype common = std::min(edited.size(), shown_.size());
        while (head_ < common && edited[head_] == shown_[head_])
            ++head_;
        while (tail_ < common - head_ && edited[edited_ - 1 - tail_] == shown_[shown_.size() - 1 - tail_])
            ++tail_;
    }

    // The original bytes of edited line i, or nullptr when it is new text.
    const std::string_view* bytesFor(qsizetype i, const QString& line) const
    {
        if (i < head_)
            return &bytes_[static_cast<std::size_t>(i)];
        if (i >= edited_ - tail_)
            return &bytes_[static_cast<std::size_t>(i - edited_ + shown_.size())];
        const auto it = byText_.constFind(line);
        return it == byText_.constEnd() ? nullptr : &*it;
    }

private:
    std::vector<std::string_view> bytes_;
    QStringList shown_;
    QHash<QString, std::string_view> byText_;
    qsizetype edited_;
    qsizetype head_ = 0;
    qsizetype tail_ = 0;
};

} // namespace

QString decodeLine(std::string_view bytes)
{
    return fromUtf8(utf8Text(bytes));
}

DecodedText decodeText(std::string_view bytes)
{
    DecodedText result;
    if (isValidUtf8(bytes)) {
        result.text = fromUtf8(bytes);
    } else {
        result.allUtf8 = false;
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

TextOffsets::TextOffsets(std::string_view bytes) : bytes_(bytes)
{
    qsizetype character = 0;
    for (const std::string_view line : splitLines(bytes)) {
        const bool utf8 = isValidUtf8(line);
        lines_.push_back({static_cast<std::size_t>(line.data() - bytes.data()), character, utf8});
        if (!utf8)
            character += static_cast<qsizetype>(line.size());
        else
            // One UTF-16 unit for each sequence, two for a sequence of four bytes.
            for (const char c : line) {
                const auto byte = static_cast<unsigned char>(c);
                character += ((byte & 0xC0) != 0x80 ? 1 : 0) + (byte >= 0xF0 ? 1 : 0);
            }
        ++character; // the line break
    }
}

std::size_t TextOffsets::byteAt(qsizetype position) const
{
    const auto line = std::prev(std::upper_bound(lines_.begin(), lines_.end(), position,
                                                 [](qsizetype at, const Line& l) { return at < l.character; }));
    std::size_t byte = line->byte;
    qsizetype character = line->character;
    if (!line->utf8)
        return std::min(byte + static_cast<std::size_t>(position - character), bytes_.size());
    while (byte < bytes_.size() && character < position && bytes_[byte] != '\r' && bytes_[byte] != '\n') {
        const std::size_t length = std::max<std::size_t>(utf8SequenceAt(bytes_, byte), 1);
        character += length == 4 ? 2 : 1;
        if (character > position)
            break; // the second half of a pair: the character starts at byte
        byte += length;
    }
    return byte;
}

std::string encodeEditedText(const QString& text, std::string_view original, bool originalAllUtf8)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    const OriginalLines known(originalAllUtf8 ? std::string_view() : original, lines);
    std::string out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            out += "\r\n";
        const QString& line = lines[i];
        if (originalAllUtf8)
            out += toBytes(line.toUtf8());
        else if (const std::string_view* bytes = known.bytesFor(i, line))
            out += *bytes;
        else
            out += eightBitOrUtf8(toBytes(line.toUtf8()));
    }
    return out;
}

} // namespace quorvel::gui
