#pragma once

namespace tessaly {

// The control ids of the main frame's own children and of the views in its
// tool frames. The canvas and the status bar, both children of the main
// frame, share one number; nothing looks either up by it.
inline constexpr int kCanvasChildId = 10000;
inline constexpr int kStatusBarChildId = 10000;
inline constexpr int kIconListChildId = 10001;
inline constexpr int kSelectedColorChildId = 10002;
inline constexpr int kPaletteChildId = 10003;
inline constexpr int kToolsChildId = 10004;
inline constexpr int kPreviewChildId = 10006;

} // namespace tessaly
