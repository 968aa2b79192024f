#pragma once

// The buttons of every mode toolbar and of the general button bar, by name, caption,
// hint and radio group, as the main window lays them out.

class QWidget;

// Fills `toolbar` (a mode page's toolbar or GeneralToolbar, found by its objectName)
// with its buttons; spares are created hidden.
void buildToolbarButtons(QWidget* toolbar);

// Gives `toolbar` (and the buttons on it) a light face of its own. The captions' colours
// come from the settings, black, red and blue at first, not from the desktop's theme, so
// the face behind them must not either: a dark theme would put black on dark grey.
void paintToolbarFace(QWidget* toolbar);

// A spare button carries this property, true: it has no work and never shows.
inline constexpr char SpareButtonProperty[] = "spare";
