#include "palette/icon_size_block_win32.h"

#include <string>

#include "palette/dialog_controls_win32.h"
#include "palette/icon_size_rules.h"
#include "resources/palette_dialog_ids.h"

namespace tessaly {

namespace {

int radioOf(IconSizeRules::Preset preset)
{
    return IDC_SIZE_16 + static_cast<int>(preset);
}

IconSizeRules::Preset presetOfRadio(WORD id)
{
    return static_cast<IconSizeRules::Preset>(id - IDC_SIZE_16);
}

} // namespace

void IconSizeBlock::attach(HWND dialog, std::uint32_t width, std::uint32_t height)
{
    m_dialog = dialog;
    setControlNumber(m_dialog, IDC_WIDTH, width);
    setControlNumber(m_dialog, IDC_HEIGHT, height);
    // The boxes report their change themselves, but not every system sends
    // it for text set before the dialog shows.
    boxChanged();
}

bool IconSizeBlock::handleCommand(WORD id, WORD code)
{
    if ((id == IDC_WIDTH || id == IDC_HEIGHT) && code == EN_CHANGE) {
        boxChanged();
        return true;
    }
    if (id >= IDC_SIZE_16 && id <= IDC_SIZE_OTHER && code == BN_CLICKED) {
        if (const auto side = IconSizeRules::sideOf(presetOfRadio(id))) {
            setControlNumber(m_dialog, IDC_WIDTH, *side);
            setControlNumber(m_dialog, IDC_HEIGHT, *side);
        }
        return true;
    }
    return false;
}

std::uint32_t IconSizeBlock::width() const
{
    return controlNumber(m_dialog, IDC_WIDTH);
}

std::uint32_t IconSizeBlock::height() const
{
    return controlNumber(m_dialog, IDC_HEIGHT);
}

bool IconSizeBlock::confirm() const
{
    const std::uint32_t w = width();
    const std::uint32_t h = height();
    if (!IconSizeRules::canConfirm(w, h))
        return false;
    if (IconSizeRules::withinBounds(w, h))
        return true;
    refuseValue(m_dialog, w > IconSizeRules::kMaxSide ? IDC_WIDTH : IDC_HEIGHT,
                L"幅と高さは 1 から " + std::to_wstring(IconSizeRules::kMaxSide) + L" までにしてください。");
    return false;
}

void IconSizeBlock::boxChanged()
{
    const std::uint32_t w = width();
    const std::uint32_t h = height();
    enableControl(m_dialog, IDOK, IconSizeRules::canConfirm(w, h));
    CheckRadioButton(m_dialog, IDC_SIZE_16, IDC_SIZE_OTHER, radioOf(IconSizeRules::presetFor(w, h)));
}

} // namespace tessaly
