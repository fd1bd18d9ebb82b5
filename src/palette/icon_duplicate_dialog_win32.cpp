#include "palette/icon_duplicate_dialog_win32.h"

#include "palette/color_mode_radios_win32.h"
#include "palette/dialog_controls_win32.h"
#include "resources/palette_dialog_ids.h"

namespace tessaly {

namespace {

bool keepsPalette(HWND dialog)
{
    return IsDlgButtonChecked(dialog, IDC_KEEP_PALETTE) == BST_CHECKED;
}

} // namespace

bool IconDuplicateDialog::ask(const Window* owner, std::uint32_t& width, std::uint32_t& height, std::int32_t& bitCount,
                              ConversionType& type)
{
    const std::optional<ColorMode> sourceMode = colorModeForBitCount(bitCount);
    if (!sourceMode)
        return false;
    m_rules.emplace(*sourceMode);
    m_width = width;
    m_height = height;
    m_choice = {*sourceMode, ConversionType::None};
    if (runModal(IDD_ICON_DUPLICATE, owner) != IDOK)
        return false;
    width = m_width;
    height = m_height;
    bitCount = bitCountOf(m_choice.mode);
    type = m_choice.type;
    return true;
}

INT_PTR IconDuplicateDialog::handleDialogMessage(UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        start();
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    const WORD id = LOWORD(wParam);
    if (id == IDOK) {
        confirm();
        return TRUE;
    }
    if (id == IDCANCEL) {
        endModal(IDCANCEL);
        return TRUE;
    }
    const bool handled = m_size.handleCommand(id, HIWORD(wParam));
    if (HIWORD(wParam) == BN_CLICKED) {
        updateChoices();
        return TRUE;
    }
    return handled ? TRUE : FALSE;
}

void IconDuplicateDialog::start()
{
    m_size.attach(handle(), m_width, m_height);
    ColorModeRadios::check(handle(), m_choice.mode);
    CheckRadioButton(handle(), IDC_CONVERT_NONE, IDC_CONVERT_GREYSCALE, IDC_CONVERT_NONE);
    CheckDlgButton(handle(), IDC_KEEP_PALETTE, BST_UNCHECKED);
    updateChoices();
}

void IconDuplicateDialog::updateChoices()
{
    const auto controls = m_rules->controlsFor(keepsPalette(handle()), ColorModeRadios::checked(handle()));
    ColorModeRadios::check(handle(), controls.mode);
    ColorModeRadios::enable(handle(), controls.modesEnabled);
    for (int id = IDC_CONVERT_NONE; id <= IDC_CONVERT_GREYSCALE; ++id)
        enableControl(handle(), id, controls.conversionsEnabled);
}

ConversionType IconDuplicateDialog::checkedConversion() const
{
    if (IsDlgButtonChecked(handle(), IDC_CONVERT_WEB_SAFE) == BST_CHECKED)
        return ConversionType::WebSafe;
    if (IsDlgButtonChecked(handle(), IDC_CONVERT_GREYSCALE) == BST_CHECKED)
        return ConversionType::Greyscale;
    return ConversionType::None;
}

void IconDuplicateDialog::confirm()
{
    if (!m_size.confirm())
        return;
    m_width = m_size.width();
    m_height = m_size.height();
    m_choice = m_rules->choiceFor(keepsPalette(handle()), ColorModeRadios::checked(handle()), checkedConversion());
    endModal(IDOK);
}

} // namespace tessaly
