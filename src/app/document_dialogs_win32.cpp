#include "app/document_dialogs_win32.h"

#include <utility>

namespace tessaly {

DocumentDialogs::DocumentDialogs(const Window& owner, std::function<void()> onUntitled)
    : m_owner(owner)
    , m_onUntitled(std::move(onUntitled))
{
}

bool DocumentDialogs::askNewIcon(IconFormat& format)
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::int32_t bitCount = 0;
    if (!m_create.ask(&m_owner, width, height, bitCount))
        return false;
    format = {static_cast<std::int32_t>(width), static_cast<std::int32_t>(height), bitCount};
    return true;
}

bool DocumentDialogs::askConvert(IconFormat& format, ConversionType& type)
{
    auto width = static_cast<std::uint32_t>(format.width);
    auto height = static_cast<std::uint32_t>(format.height);
    std::int32_t bitCount = format.bitCount;
    if (!m_duplicate.ask(&m_owner, width, height, bitCount, type))
        return false;
    format = {static_cast<std::int32_t>(width), static_cast<std::int32_t>(height), bitCount};
    return true;
}

PromptAnswer askYesNoCancel(HWND owner, const wchar_t* text, const wchar_t* title)
{
    switch (MessageBoxW(owner, text, title, MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES:
        return PromptAnswer::Yes;
    case IDNO:
        return PromptAnswer::No;
    default:
        return PromptAnswer::Cancel;
    }
}

PromptAnswer DocumentDialogs::askSaveEditedIcon()
{
    return askYesNoCancel(m_owner.handle(), kSaveEditedText, kSaveEditedTitle);
}

void DocumentDialogs::untitledFileStarted()
{
    if (m_onUntitled)
        m_onUntitled();
}

} // namespace tessaly
