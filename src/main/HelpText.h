#pragma once

// The help screen's text, in the program's 8-bit character set.
extern const char* const kHelpText;
