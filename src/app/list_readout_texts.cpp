#include "app/list_readout_texts.h"

#include <string_view>

namespace tessaly {
namespace {

// before, the number, after.
std::u16string withNumber(std::u16string_view before, std::int32_t value, std::u16string_view after)
{
    const std::string digits = std::to_string(value);
    std::u16string text(before);
    text.append(digits.begin(), digits.end());
    text.append(after);
    return text;
}

} // namespace

std::optional<ListReadoutTexts::Texts> ListReadoutTexts::update(const ListReadout& readout)
{
    if (m_last && m_last->index == readout.index && m_last->tab == readout.tab &&
        m_last->editedIndex == readout.editedIndex)
        return std::nullopt;
    m_last = readout;
    return textsOf(readout);
}

ListReadoutTexts::Texts ListReadoutTexts::textsOf(const ListReadout& readout)
{
    Texts texts;
    texts.parts.push_back(withNumber(u" ", readout.count, u"個のアイコン"));
    texts.parts.push_back(readout.index < 0 ? std::u16string(u" インデックス  なし")
                                            : withNumber(u" インデックス  ", readout.index + 1, u""));
    if (readout.tab == 0 && readout.editedIndex >= 0) {
        texts.parts.push_back(withNumber(u" ", readout.editedIndex + 1, u"番目のアイコンを編集中"));
        texts.layout = 6;
    } else {
        texts.layout = 5;
    }
    return texts;
}

} // namespace tessaly
