#pragma once

// The language's texts for a dialog, given to its components (found by objectName) as
// the dialog opens; the core holds them, the dialog need not exist when they load.

struct WindowTexts;
class QWidget;

void applyDialogTexts(QWidget* dialog, const WindowTexts& texts);
