#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "convert/conversion_type.h"
#include "palette/icon_duplicate_rules.h"
#include "palette/icon_size_block_win32.h"
#include "ui/dialog_win32.h"

namespace tessaly {

// "アイコンの複製": asks how to make a new icon from an existing one: its
// size, colour mode and palette treatment, starting from the source's size
// and mode.
class IconDuplicateDialog final : public Dialog {
public:
    // The variables come in as the source's size and bit count; true on OK
    // with the choice written into them; false (Cancel, Escape, the close
    // box, no dialog, or a bit count no icon has) leaves them untouched.
    bool ask(const Window* owner, std::uint32_t& width, std::uint32_t& height, std::int32_t& bitCount,
             ConversionType& type);

protected:
    INT_PTR handleDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void start();
    // Brings the colour and conversion choices in line after a click.
    void updateChoices();
    void confirm();
    ConversionType checkedConversion() const;

    std::optional<IconDuplicateRules> m_rules;
    IconSizeBlock m_size;
    std::uint32_t m_width = 0;
    std::uint32_t m_height = 0;
    IconDuplicateRules::Choice m_choice{ColorMode::Color256, ConversionType::None};
};

} // namespace tessaly
