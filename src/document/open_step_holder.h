#pragma once

namespace tessaly {

// A part of the editor that keeps an undo step open across several events,
// as the colour window does while a value is typed. Whoever is about to
// read or move the history has it closed first, so that the step counts.
class OpenStepHolder {
public:
    virtual ~OpenStepHolder() = default;

    // Ends the open step: it goes onto the history, or is dropped when it
    // has no place there.
    virtual void closeOpenStep() = 0;
};

} // namespace tessaly
