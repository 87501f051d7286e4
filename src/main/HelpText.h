#pragma once

#include <QByteArray>
#include <QString>

// The help screen's text, in the program's 8-bit character set: the line that
// names the version, then the body.
extern const char* const kHelpVersionLine;
extern const char* const kHelpBody;
// The English text's bytes, as the screen shows them without a catalogue.
QByteArray helpTextBytes();
// The text in the user's language.
QString helpText();
