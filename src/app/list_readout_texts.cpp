#include "app/list_readout_texts.h"

namespace tessaly {
namespace {

std::u16string number(std::int32_t value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
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
    texts.parts.push_back(u" " + number(readout.count) + u"個のアイコン");
    texts.parts.push_back(readout.index < 0 ? std::u16string(u" インデックス  なし")
                                            : u" インデックス  " + number(readout.index + 1));
    if (readout.tab == 0 && readout.editedIndex >= 0) {
        texts.parts.push_back(u" " + number(readout.editedIndex + 1) + u"番目のアイコンを編集中");
        texts.layout = 6;
    } else {
        texts.layout = 5;
    }
    return texts;
}

} // namespace tessaly
