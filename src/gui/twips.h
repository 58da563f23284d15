// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <QSize>

namespace quorvel::gui {

// Window layouts are designed in twips: 15 twips to a pixel at 96 dots per inch.
constexpr int px(int twips)
{
    return (twips + 7) / 15;
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return {px(left), px(top), px(width), px(height)};
}

inline QSize twipsSize(int width, int height)
{
    return {px(width), px(height)};
}

} // namespace quorvel::gui
