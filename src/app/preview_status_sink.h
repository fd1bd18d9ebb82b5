#pragma once

#include <cstdint>

namespace tessaly {

// The scale the preview shows the image at, for the status bar: real size
// (factor 1), enlarged by factor, or reduced to 1 / factor.
struct PreviewReadout {
    std::int32_t factor = 0;
    bool magnifies = true;
    bool selected = false;

    // All three name the text: an enlargement and a reduction by the same
    // factor read differently.
    friend bool operator==(const PreviewReadout&, const PreviewReadout&) = default;
};

// Where the preview sends what the status bar shows about it while the
// pointer moves over it. The status bar implements it.
class PreviewStatusSink {
public:
    virtual ~PreviewStatusSink() = default;

    // Only while the preview shows an image.
    virtual void previewReadout(const PreviewReadout& readout) = 0;
};

} // namespace tessaly
