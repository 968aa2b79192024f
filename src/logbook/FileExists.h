#pragma once

// The question TFileBestaatForm asks when a chosen file is already there: what the
// dialog shows, and the operator's answer. The capture file, the buffer save and the
// mailbox backup share one.

#include <QString>

struct FileExistsQuestion {
    enum Answer { Delete = 1, Append = 2, Cancel = 3 };

    QString caption; // the file's name without its folder
    QString label1;  // the two explanation lines
    QString label2;
    bool appendEnabled = true;
    // Set by the dialog's buttons; closing the window without one leaves Cancel, which
    // the asker puts here before showing it.
    Answer answer = Cancel;
};
