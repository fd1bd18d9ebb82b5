#pragma once

#include <cstdint>

#include "editing/model/pixel_point.h"

namespace tessaly {

// Walks the pixels of a straight line from one point to another, the start
// and the end included, numbering them from 0. Every line of the editor
// (strokes, the line tool and its preview, the undo steps) uses this walk, so
// a line drawn, previewed, saved and restored always covers the same pixels.
//
// The walk steps one pixel along the longer axis each time and takes a step
// on the shorter axis only when the error goes strictly below zero: at an
// exact half the point stays on the start's row (or column). Points outside
// the image are walked and numbered like the others.
//
//     for (LineStepper s(from, to); !s.done(); s.advance())
//         visit(s.step(), s.point());
class LineStepper {
public:
    LineStepper(PixelPoint from, PixelPoint to);

    // The number of points a walk from `from` to `to` visits:
    // max(|drow|, |dcolumn|) + 1.
    static std::int64_t pointCount(PixelPoint from, PixelPoint to);

    bool done() const { return m_reached && !(m_x == m_endX && m_y == m_endY); }
    PixelPoint point() const { return {static_cast<std::int32_t>(m_y), static_cast<std::int32_t>(m_x)}; }
    std::int64_t step() const { return m_step; }
    void advance();

private:
    // x is the column and y the row. The arithmetic is 64-bit so that no pair
    // of 32-bit points can overflow it.
    std::int64_t m_x;
    std::int64_t m_y;
    std::int64_t m_endX;
    std::int64_t m_endY;
    std::int64_t m_stepX;
    std::int64_t m_stepY;
    std::int64_t m_error;
    std::int64_t m_decrement;
    std::int64_t m_increment;
    std::int64_t m_step = 0;
    bool m_xMajor;
    // Latched once the major coordinate arrives at the end: the point after
    // the end is the first one with it set that is not the end, which stops
    // the walk.
    bool m_reached;
};

} // namespace tessaly
