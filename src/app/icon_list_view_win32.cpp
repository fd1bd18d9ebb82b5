#include "app/icon_list_view_win32.h"

#include <windowsx.h>

#include <algorithm>
#include <cwchar>

#include "app/thumbnail_pixels.h"
#include "ui/window_class_win32.h"
#include "ui/view_class_win32.h"

namespace tessaly {
namespace {

constexpr std::int32_t kThumb = ThumbnailCache::kSize;

ClientPoint pointOf(LPARAM lParam)
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// A ColorValue (red low) as the 32-bit section stores it (blue low).
constexpr std::uint32_t toDib(ColorValue c)
{
    return static_cast<std::uint32_t>(redOf(c)) << 16 | static_cast<std::uint32_t>(greenOf(c)) << 8 | blueOf(c);
}

constexpr ColorValue fromDib(std::uint32_t d)
{
    return makeColor(static_cast<std::uint8_t>(d >> 16), static_cast<std::uint8_t>(d >> 8),
                     static_cast<std::uint8_t>(d));
}

// Row y (from the top) of a bottom-up 32-bit section.
std::uint32_t* rowOf(const DibSection& section, int y)
{
    return reinterpret_cast<std::uint32_t*>(section.bits() + static_cast<std::ptrdiff_t>(section.bytesPerRow()) *
                                                                 (section.height() - 1 - y));
}

void fill(const DibSection& section, const RECT& rect, ColorValue colour)
{
    const int left = std::max<int>(rect.left, 0);
    const int right = std::min<int>(rect.right, section.width());
    const int top = std::max<int>(rect.top, 0);
    const int bottom = std::min<int>(rect.bottom, section.height());
    if (left >= right)
        return;
    for (int y = top; y < bottom; ++y)
        std::fill_n(rowOf(section, y) + left, right - left, toDib(colour));
}

// A one-pixel square outline, inset from rect.
void outline(const DibSection& section, const RECT& rect, int inset, ColorValue colour)
{
    const RECT r{rect.left + inset, rect.top + inset, rect.right - inset, rect.bottom - inset};
    fill(section, RECT{r.left, r.top, r.right, r.top + 1}, colour);
    fill(section, RECT{r.left, r.bottom - 1, r.right, r.bottom}, colour);
    fill(section, RECT{r.left, r.top, r.left + 1, r.bottom}, colour);
    fill(section, RECT{r.right - 1, r.top, r.right, r.bottom}, colour);
}

bool overlaps(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

IconListView::IconListView(IconListState& state, IconListController& controller, ListPopupMenus& menus)
    : m_state(state)
    , m_controller(controller)
    , m_menus(menus)
{
}

IconListView::~IconListView()
{
    m_controller.setHost(nullptr);
    m_state.setSurface(nullptr);
    destroy();
}

bool IconListView::create(const Window& parent, const RECT& rect, int id, bool visible)
{
    // Painting covers every update rectangle in one blit.
    const DWORD style = WS_CHILD | WS_VSCROLL | WS_HSCROLL | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0);
    if (!createViewWindow(*this, parent, rect, style, id))
        return false;
    setAutoScroll(true);
    m_state.setSurface(this);
    m_controller.setHost(this);
    return true;
}

RECT IconListView::toClient(const ClientRect& content) const
{
    const ClientPoint scroll = scrollPosition();
    return RECT{content.left - scroll.x, content.top - scroll.y, content.right - scroll.x, content.bottom - scroll.y};
}

RECT IconListView::thumbnailClientRect(std::int32_t i) const
{
    return toClient(m_state.layout().thumbnailRect(i));
}

RECT IconListView::labelClientRect(std::int32_t i) const
{
    return toClient(m_state.layout().labelRect(i));
}

void IconListView::invalidate(const ClientRect& content)
{
    if (!handle())
        return;
    const RECT area = toClient(content);
    InvalidateRect(handle(), &area, FALSE);
}

// IconListSurface

std::int32_t IconListView::clientWidth() const
{
    RECT client{};
    clientRect(client);
    return client.right;
}

ClientPoint IconListView::scrollPosition() const
{
    const POINT position = ScrollView::scrollPosition();
    return {position.x, position.y};
}

void IconListView::listRelaidOut(std::int32_t contentHeight)
{
    if (!handle())
        return;
    setContentSize(0, contentHeight);
    InvalidateRect(handle(), nullptr, TRUE);
}

void IconListView::thumbnailChanged(std::int32_t index)
{
    invalidate(m_state.layout().thumbnailRect(index));
}

void IconListView::editingFrameMoved(std::int32_t oldIndex, std::int32_t newIndex)
{
    if (oldIndex >= 0)
        invalidate(m_state.layout().editingFrameRect(oldIndex));
    if (newIndex >= 0)
        invalidate(m_state.layout().editingFrameRect(newIndex));
    if (handle())
        UpdateWindow(handle());
}

void IconListView::appearanceChanged()
{
    if (handle())
        InvalidateRect(handle(), nullptr, FALSE);
}

// IconListHost

void IconListView::captureMouse()
{
    setCapture(true);
}

void IconListView::releaseMouse()
{
    m_releasing = true;
    setCapture(false);
    m_releasing = false;
}

void IconListView::showDragImage(std::int32_t index, ClientPoint corner)
{
    const ClientPoint scroll = scrollPosition();
    if (m_dragIndex >= 0)
        invalidate(ClientRect::sized(m_dragCorner.x, m_dragCorner.y, kThumb, kThumb));
    m_dragIndex = index;
    m_dragCorner = {corner.x + scroll.x, corner.y + scroll.y};
    invalidate(ClientRect::sized(m_dragCorner.x, m_dragCorner.y, kThumb, kThumb));
    if (handle())
        UpdateWindow(handle());
}

void IconListView::hideDragImage()
{
    if (m_dragIndex < 0)
        return;
    invalidate(ClientRect::sized(m_dragCorner.x, m_dragCorner.y, kThumb, kThumb));
    m_dragIndex = -1;
    if (handle())
        UpdateWindow(handle());
}

void IconListView::showMenu(const ListMenuChoice& menu, ClientPoint point)
{
    HMENU native = m_menus.prepared(menu);
    if (!native || !handle())
        return;
    POINT screen{point.x, point.y};
    ClientToScreen(handle(), &screen);
    TrackPopupMenu(native, TPM_LEFTALIGN | TPM_LEFTBUTTON, screen.x, screen.y, 0, handle(), nullptr);
}

// Painting

bool IconListView::ensureBuffer(int width, int height)
{
    if (!m_buffer.empty() && m_buffer.width() >= width && m_buffer.height() >= height)
        return true;
    const int newWidth = std::max(width, m_buffer.empty() ? 0 : m_buffer.width());
    const int newHeight = std::max(height, m_buffer.empty() ? 0 : m_buffer.height());
    m_buffer.release();
    return m_buffer.create32(newWidth, newHeight);
}

void IconListView::paintInto(HDC dc, const RECT& update)
{
    const int width = update.right - update.left;
    const int height = update.bottom - update.top;
    if (width <= 0 || height <= 0 || !ensureBuffer(width, height))
        return;
    fill(m_buffer, RECT{0, 0, width, height}, m_state.background());
    composeItems(update);
    composeDragImage(update);
    m_buffer.copyBitsTo(dc, update, POINT{0, 0});
}

// Every item whose parts meet the update rectangle, drawn at its place in the
// buffer (whose origin is the update rectangle's corner).
void IconListView::composeItems(const RECT& update)
{
    const IconListLayout& layout = m_state.layout();
    if (layout.count() == 0)
        return;
    const ClientPoint scroll = scrollPosition();
    const std::int32_t pitch = IconListLayout::kPitch;
    // Rows whose cells (editing frame at the top to the label at the
    // bottom) reach into the update rectangle.
    const std::int32_t firstRow = std::max(0, (static_cast<std::int32_t>(update.top) + scroll.y) / pitch);
    const std::int32_t lastRow =
        std::min(layout.rows() - 1, (static_cast<std::int32_t>(update.bottom) + scroll.y) / pitch);
    const std::int32_t first = firstRow * layout.columns();
    const std::int32_t end = std::min(layout.count(), (lastRow + 1) * layout.columns());
    const std::int32_t edited = m_state.editedIcon();
    const auto inBuffer = [&](const ClientRect& content) {
        const RECT r = toClient(content);
        return RECT{r.left - update.left, r.top - update.top, r.right - update.left, r.bottom - update.top};
    };
    const RECT whole{0, 0, update.right - update.left, update.bottom - update.top};
    for (std::int32_t i = first; i < end; ++i) {
        const RECT thumbnail = inBuffer(layout.thumbnailRect(i));
        if (overlaps(thumbnail, whole))
            composeThumbnail(i, thumbnail);
        const RECT frame = inBuffer(layout.editingFrameRect(i));
        if (i == edited && overlaps(frame, whole))
            composeEditingFrame(frame);
        const RECT label = inBuffer(layout.labelRect(i));
        if (overlaps(label, whole))
            composeLabels(i, label);
    }
}

void IconListView::composeThumbnail(std::int32_t index, const RECT& at)
{
    const ThumbnailCache::Thumbnail& thumbnail = m_state.thumbnail(index);
    const bool selected = index == m_state.selectedIcon();
    const ColorValue bg = m_state.background();
    const ColorValue highlight = GetSysColor(COLOR_HIGHLIGHT);
    const int left = std::max<int>(0, -at.left);
    const int right = std::min<int>(kThumb, m_buffer.width() - at.left);
    for (int y = std::max<int>(0, -at.top); y < kThumb && at.top + y < m_buffer.height(); ++y) {
        std::uint32_t* row = rowOf(m_buffer, at.top + y) + at.left;
        const std::size_t base = static_cast<std::size_t>(y) * kThumb;
        for (int x = left; x < right; ++x) {
            const std::size_t k = base + static_cast<std::size_t>(x);
            row[x] = toDib(thumbnailPixel(thumbnail.colours[k], thumbnail.masked[k] != 0, thumbnail.sourceBits, bg,
                                          selected, highlight));
        }
    }
}

void IconListView::composeEditingFrame(const RECT& at)
{
    outline(m_buffer, at, 0, 0x000000);
    outline(m_buffer, at, 1, 0xFFFFFF);
    outline(m_buffer, at, 2, 0x000000);
}

// The two label lines of an item as the section stores them, row by row.
const std::vector<std::uint32_t>& IconListView::renderedLabels(std::int32_t index)
{
    constexpr int kWidth = IconListLayout::kItemWidth;
    constexpr int kHeight = IconListLayout::kLabelHeight;
    const IconImage& image = *m_state.collection().get(index);
    const bool duplicate = m_state.showsAsDuplicate(index);
    const ColorValue bg = m_state.background();
    // Sides of at most 16384 (15 bits), a bit count below 64, a flag and a
    // 24-bit colour: 61 bits.
    const std::uint64_t key = static_cast<std::uint64_t>(image.width()) << 46 |
                              static_cast<std::uint64_t>(image.height()) << 31 |
                              static_cast<std::uint64_t>(image.bitCount()) << 25 |
                              static_cast<std::uint64_t>(duplicate) << 24 | (bg & 0xFFFFFFu);
    const auto found = m_labels.find(key);
    if (found != m_labels.end())
        return found->second;
    // Bounded by the formats a list holds; this only keeps a hostile list
    // of many sizes from growing it without end.
    if (m_labels.size() >= 1024)
        m_labels.clear();
    std::vector<std::uint32_t>& pixels = m_labels[key];
    pixels.assign(static_cast<std::size_t>(kWidth) * kHeight, toDib(bg));
    if (m_labelScratch.empty() && !m_labelScratch.create32(kWidth, kHeight))
        return pixels;
    fill(m_labelScratch, RECT{0, 0, kWidth, kHeight}, bg);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldBitmap = SelectObject(dc, m_labelScratch.handle());
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_CENTER | TA_TOP | TA_NOUPDATECP);
    SetTextColor(dc, duplicate ? kDuplicateText : 0x000000);
    wchar_t size[64];
    wchar_t bits[32];
    const int sizeLength = std::swprintf(size, 64, L"%d \u00D7 %d", image.width(), image.height());
    const int bitsLength = std::swprintf(bits, 32, L"%d ビット", image.bitCount());
    const RECT clip{0, 0, kWidth, kHeight};
    ExtTextOutW(dc, kWidth / 2, 0, ETO_CLIPPED, &clip, size, static_cast<UINT>(std::max(sizeLength, 0)), nullptr);
    ExtTextOutW(dc, kWidth / 2, 12, ETO_CLIPPED, &clip, bits, static_cast<UINT>(std::max(bitsLength, 0)), nullptr);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    GdiFlush();
    for (int y = 0; y < kHeight; ++y)
        std::copy_n(rowOf(m_labelScratch, y), kWidth, pixels.begin() + static_cast<std::ptrdiff_t>(y) * kWidth);
    return pixels;
}

void IconListView::composeLabels(std::int32_t index, const RECT& at)
{
    constexpr int kWidth = IconListLayout::kItemWidth;
    const std::vector<std::uint32_t>& pixels = renderedLabels(index);
    const int left = std::max<int>(0, -at.left);
    const int right = std::min<int>(kWidth, m_buffer.width() - at.left);
    if (left >= right)
        return;
    for (int y = std::max<int>(0, -at.top); y < IconListLayout::kLabelHeight && at.top + y < m_buffer.height(); ++y)
        std::copy(pixels.begin() + y * kWidth + left, pixels.begin() + y * kWidth + right,
                  rowOf(m_buffer, at.top + y) + at.left + left);
}

void IconListView::composeDragImage(const RECT& update)
{
    if (m_dragIndex < 0 || m_dragIndex >= m_state.count())
        return;
    const ClientPoint scroll = scrollPosition();
    const int left = m_dragCorner.x - scroll.x - update.left;
    const int top = m_dragCorner.y - scroll.y - update.top;
    const ThumbnailCache::Thumbnail& image = m_state.thumbnail(m_dragIndex);
    const int width = update.right - update.left;
    const int height = update.bottom - update.top;
    for (int y = std::max(0, -top); y < kThumb && top + y < height; ++y) {
        std::uint32_t* row = rowOf(m_buffer, top + y);
        for (int x = std::max(0, -left); x < kThumb && left + x < width; ++x) {
            const std::size_t k = static_cast<std::size_t>(y) * kThumb + static_cast<std::size_t>(x);
            std::uint32_t& pixel = row[left + x];
            pixel = toDib(dragImagePixel(image.colours[k], image.masked[k] != 0, image.sourceBits, fromDib(pixel)));
        }
    }
}

void IconListView::onPaint()
{
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(handle(), &paint);
    paintInto(dc, paint.rcPaint);
    EndPaint(handle(), &paint);
}

// Messages

LRESULT IconListView::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        ScrollView::handleMessage(message, wParam, lParam);
        m_state.relayout();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_COMMAND:
        m_controller.command(LOWORD(wParam));
        return 0;
    case WM_MENUSELECT:
        // Also the closing menu (id 0), which empties the hint.
        m_controller.menuSelect(LOWORD(wParam));
        return 0;
    case WM_CAPTURECHANGED:
        ScrollView::handleMessage(message, wParam, lParam);
        if (!m_releasing && reinterpret_cast<HWND>(lParam) != handle())
            m_controller.captureLost();
        return 0;
    default:
        if (mouseMessage(message, wParam, lParam))
            return 0;
        return ScrollView::handleMessage(message, wParam, lParam);
    }
}

// The scroll view takes the capture and runs the drag auto-scroll first;
// then the controller acts. A button that the controller ignores while the
// other one drags does not reach the scroll view either, which would let go
// of the capture on its release.
bool IconListView::mouseMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const ClientPoint point = pointOf(lParam);
    switch (message) {
    case WM_MOUSEMOVE:
        ScrollView::handleMessage(message, wParam, lParam);
        m_controller.mouseMove(point);
        return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        const MouseButton button = message == WM_LBUTTONDOWN ? MouseButton::Left : MouseButton::Right;
        if (m_controller.ignores(button))
            return true;
        SetFocus(handle());
        ScrollView::handleMessage(message, wParam, lParam);
        m_controller.buttonDown(button, point);
        return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
        const MouseButton button = message == WM_LBUTTONUP ? MouseButton::Left : MouseButton::Right;
        if (m_controller.ignores(button))
            return true;
        m_releasing = true;
        ScrollView::handleMessage(message, wParam, lParam);
        m_releasing = false;
        m_controller.buttonUp(button, point);
        return true;
    }
    case WM_LBUTTONDBLCLK:
        m_controller.doubleClick(point);
        return true;
    default:
        return false;
    }
}

} // namespace tessaly
