#include "app/icon_document.h"

#include <algorithm>
#include <optional>

#include "convert/image_converter.h"

namespace tessaly {

IconDocument::IconDocument(const IconDocumentParts& parts)
    : m_editList(parts.editList)
    , m_trash(parts.trash)
    , m_imports(parts.imports)
    , m_image(parts.image)
    , m_history(parts.history)
    , m_palette(parts.palette)
    , m_toolState(parts.toolState)
    , m_selection(parts.selection)
    , m_commands(parts.commands)
{
}

bool IconDocument::newIcon()
{
    IconFormat format;
    if (!m_host || !m_host->askNewIcon(format))
        return false;
    IconImage blank;
    if (!blank.create(format.width, format.height, format.bitCount))
        return false;
    blank.setStandardPalette();
    return editIcons().addCopy(blank);
}

bool IconDocument::duplicateIcon()
{
    const std::int32_t s = m_editList.selectedIcon();
    return s >= 0 && editIcons().addCopy(*editIcons().get(s));
}

template <typename Before> bool IconDocument::appendConverted(const IconImage& source, Before before)
{
    IconFormat format{source.width(), source.height(), source.bitCount()};
    ConversionType type = ConversionType::None;
    if (!m_host || !m_host->askConvert(format, type))
        return false;
    before();
    ImageConverter converter;
    const std::optional<IconImage> result =
        converter.convertImage(source, format.width, format.height, format.bitCount, type);
    return result && editIcons().addCopy(*result);
}

bool IconDocument::createIconFrom()
{
    const std::int32_t s = m_editList.selectedIcon();
    return s >= 0 && appendConverted(*editIcons().get(s), [] {});
}

bool IconDocument::moveIconToTrash()
{
    const std::int32_t s = m_editList.selectedIcon();
    if (s < 0)
        return false;
    if (s == m_editList.editedIcon() && !closeEditedIcon())
        return false;
    // The copy comes first: an icon the trash could not take stays listed.
    if (!m_trash.collection().addCopy(*editIcons().get(s)))
        return false;
    const std::int32_t edited = m_editList.editedIndex();
    editIcons().removeAt(s);
    if (edited > s)
        m_editList.setEditedIndex(edited - 1);
    m_editList.selectItem(-1);
    return true;
}

bool IconDocument::openIconForEditing()
{
    const std::int32_t chosen = m_editList.selectedIcon();
    if (chosen == m_editList.editedIcon())
        return false;
    if (!closeEditedIcon())
        return false;
    if (chosen < 0)
        return true;
    const IconImage& icon = *editIcons().get(chosen);
    if (!m_palette.isLinked())
        m_palette.copyTo(m_userPalette);
    // An image that cannot be loaded leaves nothing open, so that the edited
    // index never names an icon the edit image does not hold.
    if (!m_image.load(icon))
        return false;
    m_editList.setEditedIndex(chosen);
    m_toolState.setColourMode(icon.bitCount());
    m_palette.takeFromIcon(icon);
    return true;
}

bool IconDocument::saveEditedIcon()
{
    const std::int32_t m = m_editList.editedIcon();
    if (m < 0)
        return false;
    closeOpenStep();
    IconImage& icon = *editIcons().get(m);
    // What is stored is what the canvas shows, floating content included.
    // Should the icon no longer fit the edit, nothing counts as saved, so
    // that closing still asks.
    if (!m_commands.storeEditedImage(icon))
        return false;
    if (m_palette.isLinked())
        m_palette.writeToIcon(icon);
    icon.markChanged();
    m_history.markSaved();
    editIcons().markModified();
    m_editList.repaintItem(m);
    return true;
}

bool IconDocument::hasUnsavedEdit() const
{
    return m_editList.editedIcon() >= 0 && (!m_history.isAtSavedPoint() || m_selection.hasContent());
}

bool IconDocument::undo()
{
    closeOpenStep();
    m_commands.commit();
    return m_history.undo();
}

bool IconDocument::redo()
{
    closeOpenStep();
    m_commands.commit();
    return m_history.redo();
}

void IconDocument::closeOpenStep()
{
    if (m_openSteps)
        m_openSteps->closeOpenStep();
}

bool IconDocument::closeEditedIcon()
{
    if (!m_image.hasImage() && m_editList.editedIndex() < 0)
        return true;
    closeOpenStep();
    if (hasUnsavedEdit()) {
        const PromptAnswer answer = m_host ? m_host->askSaveEditedIcon() : PromptAnswer::Cancel;
        if (answer == PromptAnswer::Cancel)
            return false;
        // A store that fails keeps the edit open rather than lose it.
        if (answer == PromptAnswer::Yes && !saveEditedIcon())
            return false;
    }
    m_editList.setEditedIndex(-1);
    m_selection.reset();
    m_image.clear();
    if (m_palette.isLinked())
        m_palette.replace(m_userPalette);
    m_toolState.setColourMode(24);
    m_history.clear();
    return true;
}

bool IconDocument::moveIconTo(std::int32_t position)
{
    return m_editList.moveItem(m_editList.selectedIcon(), position);
}

bool IconDocument::copyIconTo(std::int32_t position)
{
    const std::int32_t s = m_editList.selectedIcon();
    if (s < 0)
        return false;
    const std::int32_t edited = m_editList.editedIndex();
    const std::int32_t at = std::clamp(position, 0, editIcons().count());
    if (!editIcons().insertCopy(at, *editIcons().get(s)))
        return false;
    m_editList.selectItem(s >= at ? s + 1 : s);
    if (edited >= at)
        m_editList.setEditedIndex(edited + 1);
    return true;
}

bool IconDocument::addFromTrash()
{
    const std::int32_t t = m_trash.selectedIcon();
    if (t < 0)
        return false;
    ensureFile();
    if (!editIcons().addCopy(*m_trash.collection().get(t)))
        return false;
    m_trash.collection().removeAt(t);
    m_trash.selectItem(-1);
    return true;
}

bool IconDocument::deleteFromTrash()
{
    const std::int32_t t = m_trash.selectedIcon();
    if (t < 0 || !m_trash.collection().removeAt(t))
        return false;
    // The highlight would otherwise pass to the next icon, which one more
    // delete would then remove unseen.
    m_trash.selectItem(-1);
    return true;
}

bool IconDocument::clearTrash()
{
    m_trash.collection().clear();
    return true;
}

bool IconDocument::addFromImport()
{
    const std::int32_t i = m_imports.selectedIcon();
    if (i < 0)
        return false;
    ensureFile();
    return editIcons().addCopy(*m_imports.collection().get(i));
}

bool IconDocument::createFromImport()
{
    const std::int32_t i = m_imports.selectedIcon();
    return i >= 0 && appendConverted(*m_imports.collection().get(i), [this] { ensureFile(); });
}

void IconDocument::ensureFile()
{
    if (isFileOpen())
        return;
    editIcons().newFile();
    if (m_host)
        m_host->untitledFileStarted();
}

} // namespace tessaly
