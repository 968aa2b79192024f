#pragma once

// The tests that need the real X platform run on a private X server (Xvfb) without a
// window manager: a clipboard that no program owns, windows that nothing activates.
// The test main starts it and the application on it.

#include <QString>

// Why these tests cannot run (no Xvfb, or it did not come up); empty when they can.
const QString& xDisplayUnavailable();
