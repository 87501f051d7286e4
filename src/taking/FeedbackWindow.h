#pragma once

#include "WindowRegistry.h"

// What the two feedback windows after an answer share: the title "Your
// Answer", centred when shown, Escape or "&Ok" closes it, and "&Print
// Question" asks for the question to be printed (the run prints its own
// window, so that the printout shows the question rather than the feedback).
class FeedbackWindow : public Window {
    Q_OBJECT
public:
    void onActivated() override { centerOnScreen(); }

signals:
    // "&Print Question" was pressed.
    void printRequested();

protected:
    // A window named `controlName` with a client area of `size`, in twips.
    FeedbackWindow(const QString& controlName, const QSize& size);
    // "&Ok" and "&Print Question", placed in twips; the last controls made.
    void addButtons(const QRect& ok, const QRect& print);
};
