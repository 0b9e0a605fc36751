// The outlines of the seven segments of a digit, large set then small set,
// segments A (top), B, C, D (bottom), E, F, G (middle); the digits lean right.
#pragma once

#include "core/canvas/geometry.h"

#include <array>

namespace kelto::look {

using TSegmentOutline = std::array<TPoint, 6>;

inline constexpr int kLargeSegments = 0;
inline constexpr int kSmallSegments = 7;

inline constexpr std::array<TSegmentOutline, 14> SegmentOutlines{{
    {TPoint{8, 3}, TPoint{11, 0}, TPoint{47, 0}, TPoint{50, 3}, TPoint{47, 6}, TPoint{11, 6}},
    {TPoint{48, 7}, TPoint{46, 39}, TPoint{49, 42}, TPoint{52, 39}, TPoint{54, 7}, TPoint{51, 4}},
    {TPoint{46, 47}, TPoint{44, 79}, TPoint{47, 82}, TPoint{50, 79}, TPoint{52, 47}, TPoint{49, 44}},
    {TPoint{4, 83}, TPoint{7, 80}, TPoint{43, 80}, TPoint{46, 83}, TPoint{43, 86}, TPoint{7, 86}},
    {TPoint{2, 47}, TPoint{0, 79}, TPoint{3, 82}, TPoint{6, 79}, TPoint{8, 47}, TPoint{5, 44}},
    {TPoint{4, 7}, TPoint{2, 39}, TPoint{5, 42}, TPoint{8, 39}, TPoint{10, 7}, TPoint{7, 4}},
    {TPoint{6, 43}, TPoint{9, 40}, TPoint{45, 40}, TPoint{48, 43}, TPoint{45, 46}, TPoint{9, 46}},
    {TPoint{6, 3}, TPoint{9, 0}, TPoint{35, 0}, TPoint{38, 3}, TPoint{35, 6}, TPoint{9, 6}},
    {TPoint{36, 7}, TPoint{35, 30}, TPoint{38, 33}, TPoint{41, 30}, TPoint{42, 7}, TPoint{39, 4}},
    {TPoint{35, 38}, TPoint{34, 62}, TPoint{37, 65}, TPoint{40, 62}, TPoint{41, 38}, TPoint{38, 35}},
    {TPoint{4, 66}, TPoint{7, 63}, TPoint{33, 63}, TPoint{36, 66}, TPoint{33, 69}, TPoint{7, 69}},
    {TPoint{1, 38}, TPoint{0, 62}, TPoint{3, 65}, TPoint{6, 62}, TPoint{7, 38}, TPoint{4, 35}},
    {TPoint{2, 7}, TPoint{1, 30}, TPoint{4, 33}, TPoint{7, 30}, TPoint{8, 7}, TPoint{5, 4}},
    {TPoint{5, 34}, TPoint{8, 31}, TPoint{34, 31}, TPoint{37, 34}, TPoint{34, 37}, TPoint{8, 37}},
}};

} // namespace kelto::look
