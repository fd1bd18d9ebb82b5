#include "app/status_texts.h"

#include <array>
#include <initializer_list>

#include "app/status_hints.h"
#include "image/color_value.h"

namespace tessaly {
namespace {

// The layouts of the status bar's parts that the texts use.
enum Layout : std::int32_t {
    kHintLayout = 1,
    kToolLayout = 2,
    kListLayout = 5,
    kEditListLayout = 6,
    kPositionLayout = 8,
    kPixelLayout = 9,
    kLineLayout = 10,
    kRectLayout = 11,
    kNoRectLayout = 12,
    kViewportLayout = 13,
    kFreeOutsideLayout = 15,
    kLinkedLayout = 16,
    kLinkedOutsideLayout = 17,
    kFreeLayout = 18,
    kRangeLayout = 19,
};

void appendNumber(std::u16string& out, std::int32_t value, std::size_t width)
{
    std::array<char16_t, 12> digits{};
    std::size_t count = 0;
    const bool negative = value < 0;
    // Counted in the unsigned domain, where the most negative value has a magnitude too.
    std::uint32_t magnitude = negative ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    do {
        digits[count++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative)
        digits[count++] = u'-';
    for (std::size_t pad = count; pad < width; ++pad)
        out += u' ';
    while (count > 0)
        out += digits[--count];
}

// The texts' printf-style formats: each %d (or %3d, padded with spaces to
// three characters) takes the next value; a missing value leaves nothing.
std::u16string format(std::u16string_view pattern, std::initializer_list<std::int32_t> values)
{
    std::u16string out;
    const std::int32_t* next = values.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != u'%') {
            out += pattern[i];
            continue;
        }
        std::size_t width = 0;
        std::size_t j = i + 1;
        while (j < pattern.size() && pattern[j] >= u'0' && pattern[j] <= u'9')
            width = width * 10 + static_cast<std::size_t>(pattern[j++] - u'0');
        if (j < pattern.size() && pattern[j] == u'd') {
            if (next != values.end())
                appendNumber(out, *next++, width);
            i = j;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

constexpr std::u16string_view kOutsideImage = u" 位置  範囲外";
constexpr std::u16string_view kPosition = u" 位置  ( %d, %d )";
constexpr std::u16string_view kLine = u" 直線  ( %d, %d ) から ( %d, %d )";
constexpr std::u16string_view kRect = u" 選択範囲  ( %d, %d ) から ( %d, %d )";
constexpr std::u16string_view kRectSize = u" サイズ  ( %d × %d )";
constexpr std::u16string_view kNoRect = u" 選択なし";
constexpr std::u16string_view kViewport = u" ビューポート  ( %d, %d )";
constexpr std::u16string_view kVisible = u" 可視範囲  ( %d, %d ) から ( %d, %d )";
constexpr std::u16string_view kIndexedColour = u" %d番    RGB ( %3d, %3d, %3d )";
constexpr std::u16string_view kAlphaColour = u" RGB ( %3d, %3d, %3d )   透明度 %d";
constexpr std::u16string_view kColour = u" RGB ( %3d, %3d, %3d )";
constexpr std::u16string_view kMasked = u" マスクあり";
constexpr std::u16string_view kUnmasked = u" マスクなし";

constexpr std::u16string_view kPaletteOutside = u" インデックス  範囲外";
constexpr std::u16string_view kPaletteIndex = u" インデックス  %d";
constexpr std::u16string_view kPaletteRange = u" 範囲選択中  %d番 から %d番";
constexpr std::u16string_view kPaletteColour = u" RGB  ( %d, %d, %d )";
constexpr std::u16string_view kBackgroundWarning =
    u" インデックス  %d が背景色に使用されています。(変更すると背景に影響します)";

constexpr std::u16string_view kNoListItem = u" インデックス  なし";
constexpr std::u16string_view kListIndex = u" インデックス  %d";
constexpr std::u16string_view kIconCount = u" %d個のアイコン";
constexpr std::u16string_view kEditing = u" %d番目のアイコンを編集中";

constexpr std::u16string_view kRealSize = u" 実寸サイズで表示中";
constexpr std::u16string_view kEnlarged = u" %d倍で拡大表示中";
constexpr std::u16string_view kReduced = u" 1/%d倍で縮小表示中";
constexpr std::u16string_view kSelectedState = u" (選択状態)";

std::u16string rectText(std::u16string_view pattern, const PixelRect& r)
{
    return format(pattern, {r.left, r.top, r.right, r.bottom});
}

} // namespace

StatusTexts::StatusTexts(StatusLine& line, const ToolState& toolState, const EditImage& image, const Palette& palette)
    : m_line(line)
    , m_toolState(toolState)
    , m_image(image)
    , m_palette(palette)
{
}

void StatusTexts::setCanvas(const CanvasController* controller, const Selection* selection,
                            const CanvasGeometry* geometry)
{
    m_controller = controller;
    m_selection = selection;
    m_geometry = geometry;
}

void StatusTexts::menuHint(std::int32_t commandId)
{
    hint(Kind::Menu, commandId, status_hints::menuHint(commandId));
}

void StatusTexts::listPopupHint(std::int32_t commandId)
{
    hint(Kind::ListPopup, commandId, status_hints::listPopupHint(commandId));
}

void StatusTexts::selectionPopupHint(std::int32_t commandId)
{
    hint(Kind::SelectionPopup, commandId, status_hints::selectionPopupHint(commandId));
}

void StatusTexts::palettePopupHint(std::int32_t commandId)
{
    hint(Kind::PalettePopup, commandId, status_hints::palettePopupHint(commandId));
}

void StatusTexts::hint(Kind kind, std::int32_t id, std::u16string_view text)
{
    const Key key{kind, id};
    if (key == m_last)
        return;
    show(key, kHintLayout, std::u16string(text));
}

void StatusTexts::toolHint(std::int32_t tool)
{
    const Key key{Kind::Tool, tool};
    if (key == m_last)
        return;
    show(key, kToolLayout, std::u16string(status_hints::toolName(tool)), std::u16string(status_hints::toolUse(tool)));
}

void StatusTexts::canvasReadout(PixelPoint pixel)
{
    if (!m_image.hasImage())
        return;
    const Key key{Kind::Canvas, pixel.row, pixel.column};
    const ToolId tool = m_toolState.tool();
    // These two change what they show while the pointer rests: the view
    // scrolls under it, the alpha changes under it.
    if (key == m_last && tool != ToolId::Move && tool != ToolId::AlphaNudge)
        return;
    const bool inside = m_image.contains(pixel.row, pixel.column);
    showCanvas(key, pixel, inside ? format(kPosition, {pixel.column, pixel.row}) : std::u16string(kOutsideImage));
}

void StatusTexts::showCanvas(const Key& key, PixelPoint pixel, std::u16string position)
{
    const ToolId tool = m_toolState.tool();
    // A rubber rectangle that covers no part of the image has no corners to
    // show; it reads as no rectangle.
    const PixelRect* rect = nullptr;
    if (tool == ToolId::RectFill && m_controller && m_controller->rectDrag().isActive())
        rect = &m_controller->rectDrag().rect();
    else if (tool == ToolId::Select && m_selection)
        rect = &m_selection->rect();

    if (tool == ToolId::Line) {
        if (m_controller && m_controller->lineDrag().isActive()) {
            const PixelPoint from = m_controller->lineDrag().startPoint();
            const PixelPoint to = m_controller->lineDrag().endPoint();
            show(key, kLineLayout, std::move(position), format(kLine, {from.column, from.row, to.column, to.row}));
        } else {
            show(key, kPositionLayout, std::move(position));
        }
    } else if (tool == ToolId::RectFill || tool == ToolId::Select) {
        if (rect && !rect->isEmpty())
            show(key, kRectLayout, std::move(position), rectText(kRect, *rect),
                 format(kRectSize, {rect->columns(), rect->rows()}));
        else
            show(key, kNoRectLayout, std::move(position), std::u16string(kNoRect));
    } else if (tool == ToolId::Move && m_geometry) {
        const ClientPoint scroll = m_geometry->scrollPosition();
        show(key, kViewportLayout, format(kViewport, {scroll.x, scroll.y}),
             rectText(kVisible, m_geometry->visiblePixels()));
    } else if (!m_image.contains(pixel.row, pixel.column)) {
        show(key, kPositionLayout, std::move(position));
    } else {
        const bool masked = m_image.maskAt(pixel.row, pixel.column) != 0;
        show(key, kPixelLayout, std::move(position), colourText(pixel), std::u16string(masked ? kMasked : kUnmasked));
    }
}

std::u16string StatusTexts::colourText(PixelPoint pixel) const
{
    const std::uint32_t value = m_image.valueAt(pixel.row, pixel.column);
    if (m_image.bitCount() <= 8) {
        const auto index = static_cast<std::int32_t>(value);
        // A file may hold pixels past its colour table; they read as black,
        // as the canvas draws them.
        const ColorValue entry = index < m_palette.length() ? m_palette.entry(index) : ColorValue{0};
        return format(kIndexedColour, {index, redOf(entry), greenOf(entry), blueOf(entry)});
    }
    if (m_image.bitCount() == 32)
        return format(kAlphaColour, {redOf(value), greenOf(value), blueOf(value), alphaOf(value)});
    return format(kColour, {redOf(value), greenOf(value), blueOf(value)});
}

void StatusTexts::paletteReadout(std::int32_t index, std::int32_t rangeFirst, std::int32_t rangeLast)
{
    const Key key{Kind::Palette, index, rangeFirst, rangeLast};
    if (key == m_last)
        return;
    const bool outside = index < 0 || index >= m_palette.length();
    std::u16string indexText = outside ? std::u16string(kPaletteOutside) : format(kPaletteIndex, {index});
    if (rangeLast >= rangeFirst) {
        show(key, kRangeLayout, std::move(indexText), format(kPaletteRange, {rangeFirst, rangeLast}));
        return;
    }
    const ColorValue entry = outside ? ColorValue{0} : m_palette.entry(index);
    std::u16string colour = format(kPaletteColour, {redOf(entry), greenOf(entry), blueOf(entry)});
    if (m_palette.isLinked()) {
        std::u16string warning = format(kBackgroundWarning, {static_cast<std::int32_t>(m_toolState.backgroundValue())});
        if (outside)
            show(key, kLinkedOutsideLayout, std::move(indexText), std::move(warning));
        else
            show(key, kLinkedLayout, std::move(indexText), std::move(colour), std::move(warning));
    } else if (outside) {
        show(key, kFreeOutsideLayout, std::move(indexText));
    } else {
        show(key, kFreeLayout, std::move(indexText), std::move(colour));
    }
}

void StatusTexts::listReadout(const ListReadout& readout)
{
    const bool editing = readout.tab == 0 && readout.editedIndex >= 0;
    const Key key{Kind::IconList, readout.index, readout.tab, editing ? readout.editedIndex : -1};
    if (key == m_last)
        return;
    std::u16string counted = format(kIconCount, {readout.count});
    std::u16string item = readout.index < 0 ? std::u16string(kNoListItem) : format(kListIndex, {readout.index + 1});
    if (editing)
        show(key, kEditListLayout, std::move(counted), std::move(item), format(kEditing, {readout.editedIndex + 1}));
    else
        show(key, kListLayout, std::move(counted), std::move(item));
}

void StatusTexts::previewReadout(const PreviewReadout& readout)
{
    if (readout.factor == 0)
        return;
    // Reductions are counted negative, as the texts tell them apart.
    const std::int32_t factor = readout.magnifies ? readout.factor : -readout.factor;
    const bool selected = readout.selected;
    const Key key{Kind::Preview, factor, selected ? 1 : 0};
    if (key == m_last)
        return;
    std::u16string text;
    if (factor == 1 || factor == -1)
        text = kRealSize;
    else if (factor > 1)
        text = format(kEnlarged, {factor});
    else
        text = format(kReduced, {-factor});
    if (selected)
        text += kSelectedState;
    show(key, kHintLayout, std::move(text));
}

template <typename... Texts> void StatusTexts::show(const Key& key, std::int32_t layout, Texts&&... parts)
{
    const std::array<std::u16string, sizeof...(parts)> texts{std::forward<Texts>(parts)...};
    send(key, layout, texts);
}

void StatusTexts::send(const Key& key, std::int32_t layout, std::span<const std::u16string> parts)
{
    m_line.show(layout, parts);
    m_last = key;
}

} // namespace tessaly
