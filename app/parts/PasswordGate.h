#pragma once
// The password screen in front of the main screen: whether a password is
// asked, the check of an entry, and the unlock animation (nine frames, twice
// over) that plays after the right one. The part owns that state and paints
// the screen into the back buffer; the window owns the edit, the buttons and
// the animation's timer.
//
// GUI thread only.

#include "PasswordCheck.h"

#include <string>

namespace kyvo::app {

class SkinCanvas;

class PasswordGate {
public:
    void configure(bool asked, const StoredPassword& stored) {
        asked_ = asked;
        stored_ = stored;
    }
    bool asked() const { return asked_; }
    // The entry padded to four digits equals the stored password.
    bool accepts(const std::string& entry) const { return passwordAccepted(entry, stored_); }

    void startUnlock() { frame_ = 0; }
    // The next frame; false once the animation has played out.
    bool advanceUnlock();
    bool unlocking() const { return frame_ >= 0; }

    // The screen's background, caption, edit frame and the animation's frame.
    void paint(SkinCanvas& canvas, double displayScale) const;

private:
    bool asked_ = false;
    StoredPassword stored_{};
    int frame_ = -1; // frame of the running unlock animation, -1 when idle
};

} // namespace kyvo::app
