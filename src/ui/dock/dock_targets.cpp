#include "ui/dock/dock_targets.h"

#include <algorithm>

#include "ui/dock/dock_bar_model.h"

namespace tessaly {

int dockingThickness(DockSide side, int frameAcross)
{
    // A horizontal bar keeps a pixel free above and below its frames.
    return frameAcross + (isHorizontal(side) ? 2 : 0) + DockBarModel::kSplitterWidth;
}

std::optional<std::size_t> DockTargets::findBarAt(const DockRect& rect) const
{
    const DockPoint centre = rect.centre();
    for (const DockSide side : kDockSides) {
        for (std::size_t i = 0; i < bars.size(); ++i) {
            const DockBarTarget& bar = bars[i];
            if (bar.side == side && bar.visible && bar.rect.containsWithEdges(centre))
                return i;
        }
    }
    return std::nullopt;
}

std::optional<DockSide> DockTargets::findSideAt(const DockRect& r) const
{
    const DockRect& c = clientWindow;
    if (!r.overlaps(c) || c.containsRect(r))
        return std::nullopt;
    const long long left = static_cast<long long>(c.left) - r.left;
    const long long right = static_cast<long long>(r.right) - c.right;
    const long long top = static_cast<long long>(c.top) - r.top;
    const long long bottom = static_cast<long long>(r.bottom) - c.bottom;
    const long long most = std::max(std::max(left, right), std::max(top, bottom));
    // Ties go to the bottom before the top, to the top and bottom before the
    // sides, and to the right before the left.
    if (bottom == most)
        return DockSide::Bottom;
    if (top == most)
        return DockSide::Top;
    if (right == most)
        return DockSide::Right;
    return DockSide::Left;
}

DockDropPlan DockTargets::planDrop(const DockRect& rect, bool frameDocked, const DockFrameSizes& sizes) const
{
    DockDropPlan plan;
    if (const std::optional<std::size_t> bar = findBarAt(rect)) {
        plan.bar = *bar;
        const DockBarTarget& target = bars[*bar];
        if (target.holdsFrame) {
            plan.action = frameDocked ? DockDropPlan::Action::MoveWithinBar : DockDropPlan::Action::DockIntoBar;
            return plan;
        }
        plan.action = DockDropPlan::Action::DockIntoBar;
        plan.thickness = dockingThickness(target.side, sizes.dockedAcross(target.side));
        return plan;
    }
    if (const std::optional<DockSide> side = findSideAt(rect)) {
        plan.action = DockDropPlan::Action::DockIntoNewBar;
        plan.side = *side;
        plan.thickness = dockingThickness(*side, sizes.dockedAcross(*side));
        return plan;
    }
    plan.action = DockDropPlan::Action::Float;
    plan.rect = rect.top < 0 ? rect.offsetBy(0, -rect.top) : rect;
    return plan;
}

} // namespace tessaly
