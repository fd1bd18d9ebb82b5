#pragma once

namespace tessaly {

// The selected-colour window as the Palette sees it.
class ColorWindowObserver {
public:
    virtual ~ColorWindowObserver() = default;

    // Palette entries changed: show the current colour again.
    virtual void refresh() = 0;
    // The entries were replaced (a file, an image's colour table, the free
    // palette back): an edit still open on the old entries must not go on.
    virtual void entriesReplaced() {}
};

} // namespace tessaly
