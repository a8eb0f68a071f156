// Lets the main window be built in tests before the keystroke engine's own definitions are
// linked in. Weak, so the real constructor takes its place as soon as it is there; delete this
// file once src/keys/ defines CKeySender.
#include "keys/key_sender.h"

namespace tandrel {

[[gnu::weak]] CKeySender::CKeySender(IKeyboard& keyboard, IWindowSystem& windows, IClock& clock)
    : keyboard_(keyboard), windows_(windows), clock_(clock) {}

}  // namespace tandrel
