#include "editing/model/line_stepper.h"

#include <algorithm>

namespace tessaly {

namespace {

std::int64_t distance(std::int32_t a, std::int32_t b)
{
    const std::int64_t d = static_cast<std::int64_t>(b) - a;
    return d < 0 ? -d : d;
}

} // namespace

LineStepper::LineStepper(PixelPoint from, PixelPoint to)
    : m_x(from.column)
    , m_y(from.row)
    , m_endX(to.column)
    , m_endY(to.row)
    , m_stepX(to.column < from.column ? -1 : 1)
    , m_stepY(to.row < from.row ? -1 : 1)
{
    const std::int64_t dx = distance(from.column, to.column);
    const std::int64_t dy = distance(from.row, to.row);
    m_xMajor = dx >= dy;
    if (m_xMajor) {
        m_error = dx;
        m_decrement = 2 * dy;
        m_increment = 2 * dx;
    } else {
        m_error = dy;
        m_decrement = 2 * dx;
        m_increment = 2 * dy;
    }
    m_reached = from == to;
}

std::int64_t LineStepper::pointCount(PixelPoint from, PixelPoint to)
{
    return std::max(distance(from.column, to.column), distance(from.row, to.row)) + 1;
}

void LineStepper::advance()
{
    m_error -= m_decrement;
    if (m_xMajor) {
        m_x += m_stepX;
        if (m_error < 0) {
            m_error += m_increment;
            m_y += m_stepY;
        }
        m_reached = m_reached || m_x == m_endX;
    } else {
        m_y += m_stepY;
        if (m_error < 0) {
            m_error += m_increment;
            m_x += m_stepX;
        }
        m_reached = m_reached || m_y == m_endY;
    }
    ++m_step;
}

} // namespace tessaly
