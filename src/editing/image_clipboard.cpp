#include "editing/image_clipboard.h"

#include <utility>

namespace tessaly {

void ImageClipboard::storeCopy(CellGrid&& content)
{
    m_content = std::move(content);
    if (m_observer != nullptr && !m_content.isEmpty())
        m_observer->imageCopied(m_content);
}

void ImageClipboard::mirror(CellGrid&& content)
{
    m_content = std::move(content);
}

} // namespace tessaly
