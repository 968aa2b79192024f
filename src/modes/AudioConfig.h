#pragma once

// The audio filter's centre frequency and bandwidth: the working copies the dialog
// edits, and what its Ok and Cancel send. Outside its audio mode the controller is
// taken into it for the change and back out after.

#include <QString>

class Clock;
class Modal;
class PortLink;
struct Settings;
struct Station;

class AudioConfig {
public:
    AudioConfig(Station& station, Settings& settings, PortLink& link, Modal& modal, Clock& clock);

    // Takes the working copies from the settings (when the dialog is created).
    void loadWorkingCopies();
    // Configuration > "Audio" and the AUDIO toolbar's "Config": the dialog, modally,
    // with the receive display held; afterwards the settings take the working copies.
    void MenuAudioCWClick();

    // The dialog's Ok with its two fields' texts; true when the dialog may close.
    bool OkKnopClick(const QString& centreText, const QString& bandwidthText);
    void CancelKnopClick();

    quint16 centreQrg = 0;
    quint16 bandwidth = 0;
    bool QrgChanged = false;
    bool BandwidthChanged = false;

private:
    // Sends one changed value; false (after saying why) when its text is no number.
    bool sendChange(bool& changed, const QString& text, const char* command, quint16& copy);

    Station& station_;
    Settings& settings_;
    PortLink& link_;
    Modal& modal_;
    Clock& clock_;
};
