#pragma once

namespace platform {

// What every window relies on for its keyboard and screen-reader users,
// installed once as the program starts, after the application object: the
// focus ring, the filter of accessibility notices (see Spoken.h), and the
// accessible interfaces of the program's windows and of text boxes. Later
// calls do nothing.
void installAccessibility();

} // namespace platform
