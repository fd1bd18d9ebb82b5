#include "document/saved_line.h"

#include <new>
#include <stdexcept>

#include "editing/model/line_stepper.h"

namespace tessaly {

bool SavedLine::save(const EditImage& image)
{
    try {
        m_saved.assign(static_cast<std::size_t>(LineStepper::pointCount(m_from, m_to)), Cell{});
    } catch (const std::bad_alloc&) {
        m_saved.clear();
        return false;
    } catch (const std::length_error&) {
        m_saved.clear();
        return false;
    }
    if (image.saveLine(m_from, m_to, m_saved))
        return true;
    std::vector<Cell>().swap(m_saved);
    return false;
}

} // namespace tessaly
