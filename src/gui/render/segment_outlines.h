// The outlines of the seven segments of a digit, large set then small set,
// segments A (top), B, C, D (bottom), E, F, G (middle); the digits lean right.
#pragma once

#include <QPoint>

#include <array>

namespace kelto::gui {

using TSegmentOutline = std::array<QPoint, 6>;

inline constexpr int kLargeSegments = 0;
inline constexpr int kSmallSegments = 7;

inline constexpr std::array<TSegmentOutline, 14> SegmentOutlines{{
    {QPoint(8, 3), QPoint(11, 0), QPoint(47, 0), QPoint(50, 3), QPoint(47, 6), QPoint(11, 6)},
    {QPoint(48, 7), QPoint(46, 39), QPoint(49, 42), QPoint(52, 39), QPoint(54, 7), QPoint(51, 4)},
    {QPoint(46, 47), QPoint(44, 79), QPoint(47, 82), QPoint(50, 79), QPoint(52, 47), QPoint(49, 44)},
    {QPoint(4, 83), QPoint(7, 80), QPoint(43, 80), QPoint(46, 83), QPoint(43, 86), QPoint(7, 86)},
    {QPoint(2, 47), QPoint(0, 79), QPoint(3, 82), QPoint(6, 79), QPoint(8, 47), QPoint(5, 44)},
    {QPoint(4, 7), QPoint(2, 39), QPoint(5, 42), QPoint(8, 39), QPoint(10, 7), QPoint(7, 4)},
    {QPoint(6, 43), QPoint(9, 40), QPoint(45, 40), QPoint(48, 43), QPoint(45, 46), QPoint(9, 46)},
    {QPoint(6, 3), QPoint(9, 0), QPoint(35, 0), QPoint(38, 3), QPoint(35, 6), QPoint(9, 6)},
    {QPoint(36, 7), QPoint(35, 30), QPoint(38, 33), QPoint(41, 30), QPoint(42, 7), QPoint(39, 4)},
    {QPoint(35, 38), QPoint(34, 62), QPoint(37, 65), QPoint(40, 62), QPoint(41, 38), QPoint(38, 35)},
    {QPoint(4, 66), QPoint(7, 63), QPoint(33, 63), QPoint(36, 66), QPoint(33, 69), QPoint(7, 69)},
    {QPoint(1, 38), QPoint(0, 62), QPoint(3, 65), QPoint(6, 62), QPoint(7, 38), QPoint(4, 35)},
    {QPoint(2, 7), QPoint(1, 30), QPoint(4, 33), QPoint(7, 30), QPoint(8, 7), QPoint(5, 4)},
    {QPoint(5, 34), QPoint(8, 31), QPoint(34, 31), QPoint(37, 34), QPoint(34, 37), QPoint(8, 37)},
}};

} // namespace kelto::gui
