#pragma once

#include "WindowRegistry.h"

// The help screen: a fixed, read-only text and "&Ok".
class HelpWindow : public Window {
    Q_OBJECT
public:
    HelpWindow();

    // Centres the window over `owner`.
    void placeOver(QWidget* owner);
};
