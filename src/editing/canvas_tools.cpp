#include "editing/canvas_tools.h"

#include <algorithm>
#include <cstddef>

#include "document/fill_entry.h"

namespace tessaly {

CanvasToolContext::CanvasToolContext(EditImage& editImage, ToolState& tools, UndoHistory& undoHistory,
                                     Selection& currentSelection, SelectionCommands& selectionCommands)
    : image(editImage)
    , toolState(tools)
    , history(undoHistory)
    , selection(currentSelection)
    , commands(selectionCommands)
    , lineDrag(editImage, undoHistory)
    , rectDrag(editImage, undoHistory)
{
}

CanvasToolContext::~CanvasToolContext() = default;

void CanvasToolContext::setView(CanvasGeometry* newGeometry, CanvasHost* newHost)
{
    geometry = newGeometry;
    host = newHost;
}

std::uint32_t CanvasToolContext::inkValue(Ink ink) const
{
    switch (ink) {
    case Ink::Drawing:
    case Ink::Picked:
        return toolState.drawingValue();
    case Ink::Background:
        return toolState.backgroundValue();
    case Ink::MaskSet:
    case Ink::MaskClear:
        break;
    }
    return 0;
}

std::uint8_t CanvasToolContext::inkMask(Ink ink) const
{
    switch (ink) {
    case Ink::Picked:
        return toolState.drawingMaskFlag();
    case Ink::Background:
    case Ink::MaskSet:
        return 1;
    case Ink::Drawing:
    case Ink::MaskClear:
        break;
    }
    return 0;
}

void CanvasToolContext::beginStroke(StrokeKind kind, Ink ink, PixelPoint pixel)
{
    closeStroke();
    m_stroke = std::make_unique<StrokeEntry>(image, kind, inkValue(ink), inkMask(ink));
    m_stroke->begin(pixel);
}

void CanvasToolContext::continueStroke(PixelPoint pixel)
{
    if (m_stroke != nullptr)
        m_stroke->continueTo(pixel);
}

void CanvasToolContext::closeStroke()
{
    if (m_stroke != nullptr && !m_stroke->isEmpty())
        history.push(std::move(m_stroke));
    m_stroke.reset();
}

void CanvasToolContext::pick(PixelPoint pixel)
{
    if (!image.contains(pixel.row, pixel.column))
        return;
    const Cell& cell = image.cellAt(pixel.row, pixel.column);
    toolState.setDrawingValue(cell.value);
    toolState.setDrawingMaskFlag(cell.mask);
}

void CanvasToolContext::pickAlpha(PixelPoint pixel)
{
    if (image.contains(pixel.row, pixel.column))
        toolState.setDrawingAlpha(image.valueAt(pixel.row, pixel.column));
}

void CanvasToolContext::floodFill(PixelPoint pixel, Ink ink)
{
    auto entry = std::make_unique<FillEntry>(image);
    if (entry->fill(pixel.row, pixel.column, inkValue(ink), inkMask(ink)))
        history.push(std::move(entry));
}

void CanvasToolContext::beginNudge(AlphaDirection direction)
{
    closeNudge();
    m_nudge = std::make_unique<AlphaNudgeEntry>(image, direction);
    host->startTimer(CanvasHost::kFineAdjustTimerId, CanvasHost::kFineAdjustPeriodMs);
}

void CanvasToolContext::closeNudge()
{
    if (m_nudge == nullptr)
        return;
    host->killTimer(CanvasHost::kFineAdjustTimerId);
    if (!m_nudge->isEmpty())
        history.push(std::move(m_nudge));
    m_nudge.reset();
}

void CanvasToolContext::tickNudge()
{
    if (m_nudge == nullptr || geometry == nullptr || host == nullptr)
        return;
    const PixelPoint pixel = geometry->windowToPixel(host->pointerPosition());
    if (!image.contains(pixel.row, pixel.column))
        return;
    m_nudge->nudge(pixel);
    host->canvasReadout(pixel);
}

StrokeTool::StrokeTool(CanvasToolContext& context, StrokeKind kind, Ink ink)
    : m_context(context)
    , m_kind(kind)
    , m_ink(ink)
{
}

bool StrokeTool::press(PixelPoint pixel, ClientPoint)
{
    m_context.beginStroke(m_kind, m_ink, pixel);
    return true;
}

void StrokeTool::move(PixelPoint pixel, ClientPoint, ClientPoint)
{
    m_context.continueStroke(pixel);
}

FillTool::FillTool(CanvasToolContext& context, Ink ink)
    : m_context(context)
    , m_ink(ink)
{
}

bool FillTool::press(PixelPoint pixel, ClientPoint)
{
    m_context.floodFill(pixel, m_ink);
    return true;
}

PickTool::PickTool(CanvasToolContext& context, What what)
    : m_context(context)
    , m_what(what)
{
}

bool PickTool::press(PixelPoint pixel, ClientPoint)
{
    pickAt(pixel);
    return true;
}

void PickTool::move(PixelPoint pixel, ClientPoint, ClientPoint)
{
    pickAt(pixel);
}

void PickTool::pickAt(PixelPoint pixel)
{
    if (m_what == What::Alpha)
        m_context.pickAlpha(pixel);
    else
        m_context.pick(pixel);
}

NudgeTool::NudgeTool(CanvasToolContext& context, AlphaDirection direction)
    : m_context(context)
    , m_direction(direction)
{
}

bool NudgeTool::press(PixelPoint, ClientPoint)
{
    m_context.beginNudge(m_direction);
    return true;
}

void NudgeTool::close()
{
    m_context.closeNudge();
}

SelectTool::SelectTool(CanvasToolContext& context)
    : m_context(context)
{
}

bool SelectTool::press(PixelPoint pixel, ClientPoint point)
{
    Selection& selection = m_context.selection;
    const SelectionHit hit = selection.hitTest(point);
    const PixelRect& rect = selection.rect();
    m_movingSelection = false;
    m_resizeKind = SelectionHit::None;
    switch (hit) {
    case SelectionHit::None:
        if (selection.hasContent()) {
            // The click only ends the floating content; it marks nothing.
            m_context.commands.commit();
            return false;
        }
        selection.setRect(PixelRect{pixel.row, pixel.column, pixel.row, pixel.column});
        m_anchor = pixel;
        break;
    case SelectionHit::Inside:
        m_movingSelection = true;
        m_anchor = PixelPoint{rect.top, rect.left};
        break;
    default:
        m_resizeKind = hit;
        m_anchor.row = (hit == SelectionHit::Top || hit == SelectionHit::TopLeft || hit == SelectionHit::TopRight)
                           ? rect.top
                           : rect.bottom;
        m_anchor.column = (hit == SelectionHit::Left || hit == SelectionHit::TopLeft || hit == SelectionHit::BottomLeft)
                              ? rect.left
                              : rect.right;
        break;
    }
    m_context.host->setAutoScroll(true);
    return true;
}

void SelectTool::move(PixelPoint pixel, ClientPoint point, ClientPoint pressPoint)
{
    const PixelPoint delta =
        m_context.geometry->deltaToPixels(ClientPoint{point.x - pressPoint.x, point.y - pressPoint.y});
    const PixelPoint moved{m_anchor.row + delta.row, m_anchor.column + delta.column};
    if (m_movingSelection) {
        m_context.selection.moveTo(moved);
        return;
    }
    if (m_resizeKind == SelectionHit::None) {
        m_context.selection.setRect(
            PixelRect{std::min(pixel.row, m_anchor.row), std::min(pixel.column, m_anchor.column),
                      std::max(pixel.row, m_anchor.row), std::max(pixel.column, m_anchor.column)});
        return;
    }
    resizeTo(moved);
}

void SelectTool::resizeTo(PixelPoint moved)
{
    PixelRect r = m_context.selection.rect();
    const SelectionHit k = m_resizeKind;
    if (k == SelectionHit::Top || k == SelectionHit::TopLeft || k == SelectionHit::TopRight)
        r.top = std::min(moved.row, r.bottom);
    if (k == SelectionHit::Bottom || k == SelectionHit::BottomLeft || k == SelectionHit::BottomRight)
        r.bottom = std::max(moved.row, r.top);
    if (k == SelectionHit::Left || k == SelectionHit::TopLeft || k == SelectionHit::BottomLeft)
        r.left = std::min(moved.column, r.right);
    if (k == SelectionHit::Right || k == SelectionHit::TopRight || k == SelectionHit::BottomRight)
        r.right = std::max(moved.column, r.left);
    m_context.selection.scaleTo(r);
}

void SelectTool::close()
{
    m_movingSelection = false;
    m_resizeKind = SelectionHit::None;
    m_anchor = PixelPoint{};
    if (m_context.host != nullptr)
        m_context.host->setAutoScroll(false);
}

void SelectTool::doubleClick()
{
    m_context.commands.commit();
}

CanvasCursor SelectTool::cursor(ClientPoint point, bool leftHeld) const
{
    if (!m_context.selection.hasRect())
        return CanvasCursor::Arrow;
    SelectionHit hit = m_resizeKind;
    if (m_movingSelection)
        hit = SelectionHit::Inside;
    else if (!leftHeld)
        hit = m_context.selection.hitTest(point);
    switch (hit) {
    case SelectionHit::Inside:
        return CanvasCursor::SizeAll;
    case SelectionHit::Top:
    case SelectionHit::Bottom:
        return CanvasCursor::SizeNS;
    case SelectionHit::Left:
    case SelectionHit::Right:
        return CanvasCursor::SizeWE;
    case SelectionHit::TopLeft:
    case SelectionHit::BottomRight:
        return CanvasCursor::SizeNWSE;
    case SelectionHit::BottomLeft:
    case SelectionHit::TopRight:
        return CanvasCursor::SizeNESW;
    case SelectionHit::None:
        break;
    }
    return CanvasCursor::Arrow;
}

SelectionMenuTool::SelectionMenuTool(CanvasToolContext& context, SelectTool& select)
    : m_context(context)
    , m_select(select)
{
}

void SelectionMenuTool::close()
{
    m_select.close();
}

void SelectionMenuTool::released(ClientPoint point)
{
    m_context.host->showSelectionMenu(point, m_context.selection.hitTest(point) == SelectionHit::Inside);
}

ViewDragTool::ViewDragTool(CanvasToolContext& context)
    : m_context(context)
{
}

bool ViewDragTool::press(PixelPoint pixel, ClientPoint)
{
    if (!m_context.image.contains(pixel.row, pixel.column))
        return false;
    m_scrollAtPress = m_context.geometry->scrollPosition();
    return true;
}

void ViewDragTool::move(PixelPoint, ClientPoint point, ClientPoint pressPoint)
{
    m_context.geometry->scrollTo(
        ClientPoint{m_scrollAtPress.x + pressPoint.x - point.x, m_scrollAtPress.y + pressPoint.y - point.y});
}

CanvasToolTable::CanvasToolTable(CanvasToolContext& context)
    : m_pencil(context, StrokeKind::ValueAndMask, Ink::Drawing)
    , m_eraser(context, StrokeKind::ValueAndMask, Ink::Background)
    , m_pickedPencil(context, StrokeKind::ValueAndMask, Ink::Picked)
    , m_alphaBrush(context, StrokeKind::AlphaOnly, Ink::Drawing)
    , m_maskSet(context, StrokeKind::MaskOnly, Ink::MaskSet)
    , m_maskClear(context, StrokeKind::MaskOnly, Ink::MaskClear)
    , m_fill(context, Ink::Drawing)
    , m_strip(context, Ink::Background)
    , m_pickedFill(context, Ink::Picked)
    , m_pick(context, PickTool::What::ValueAndMask)
    , m_pickAlpha(context, PickTool::What::Alpha)
    , m_nudgeLower(context, AlphaDirection::Lower)
    , m_nudgeRaise(context, AlphaDirection::Raise)
    , m_line(context, context.lineDrag, Ink::Drawing, LineTool::Scroll::Off)
    , m_backgroundLine(context, context.lineDrag, Ink::Background, LineTool::Scroll::Off)
    , m_rectangle(context, context.rectDrag, Ink::Drawing, RectangleTool::Scroll::WhileDragging)
    , m_backgroundRectangle(context, context.rectDrag, Ink::Background, RectangleTool::Scroll::WhileDragging)
    , m_select(context)
    , m_selectionMenu(context, m_select)
    , m_viewDrag(context)
{
    // A tool left out of the list below does nothing with either button.
    m_buttons.fill(Buttons{&m_idle, &m_idle});
    set(ToolId::Pencil, m_pencil, m_idle);
    set(ToolId::Eraser, m_eraser, m_idle);
    set(ToolId::Fill, m_fill, m_idle);
    set(ToolId::Strip, m_strip, m_idle);
    set(ToolId::Eyedropper, m_pick, m_idle);
    set(ToolId::PencilEraser, m_pencil, m_eraser);
    set(ToolId::PencilEyedropper, m_pickedPencil, m_pick);
    set(ToolId::FillStrip, m_fill, m_strip);
    set(ToolId::FillEyedropper, m_pickedFill, m_pick);
    set(ToolId::AlphaSet, m_alphaBrush, m_pickAlpha);
    set(ToolId::AlphaNudge, m_nudgeLower, m_nudgeRaise);
    set(ToolId::Line, m_line, m_backgroundLine);
    set(ToolId::RectFill, m_rectangle, m_backgroundRectangle);
    set(ToolId::MaskAdjust, m_maskSet, m_maskClear);
    set(ToolId::Select, m_select, m_selectionMenu);
    set(ToolId::Move, m_viewDrag, m_idle);
}

void CanvasToolTable::set(ToolId tool, ToolBehaviour& left, ToolBehaviour& right)
{
    m_buttons[static_cast<std::size_t>(tool)] = Buttons{&left, &right};
}

ToolBehaviour& CanvasToolTable::of(ToolId tool, MouseButton button) const
{
    const Buttons& buttons = m_buttons[static_cast<std::size_t>(tool)];
    return button == MouseButton::Left ? *buttons.left : *buttons.right;
}

} // namespace tessaly
