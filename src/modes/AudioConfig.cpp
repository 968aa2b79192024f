#include "modes/AudioConfig.h"

#include "base/Clock.h"
#include "base/Cp437.h"
#include "base/Modal.h"
#include "base/Settings.h"
#include "base/Station.h"
#include "link/PortLink.h"
#include "modes/ModeCommands.h"

namespace {
constexpr int AudioEntryPauseMs = 500;
constexpr char Xon = 17;
} // namespace

AudioConfig::AudioConfig(Station& station, Settings& settings, PortLink& link, Modal& modal,
                         Clock& clock)
    : station_(station), settings_(settings), link_(link), modal_(modal), clock_(clock)
{
}

void AudioConfig::loadWorkingCopies()
{
    centreQrg = settings_.AudioCenterQrg;
    bandwidth = settings_.AudioBandwidth;
}

void AudioConfig::MenuAudioCWClick()
{
    link_.StopTimers();
    modal_.runDialog(Dialog::AudioConfig);
    if (centreQrg != 0)
        settings_.AudioCenterQrg = centreQrg;
    if (bandwidth != 0)
        settings_.AudioBandwidth = bandwidth;
}

bool AudioConfig::sendChange(bool& changed, const QString& text, const char* command, quint16& copy)
{
    const bool outsideAudio = station_.AudioModeTag == 0;
    if (outsideAudio)
        link_.ZendNaarPtc("\x1b"
                          "Aud\r");
    clock_.sleep(AudioEntryPauseMs);
    changed = false;
    if (!parseWord(text, &copy)) {
        modal_.message(QStringLiteral("Orvanti"), notAValidNumberMessage(text));
        return false;
    }
    link_.ZendNaarPtc(QByteArray(command + Cp437::encode(text.trimmed()) + '\r'));
    if (outsideAudio)
        link_.ZendNaarPtc("Q\r");
    link_.StartTimers();
    return true;
}

bool AudioConfig::OkKnopClick(const QString& centreText, const QString& bandwidthText)
{
    bool close = false;
    if (QrgChanged) {
        if (!sendChange(QrgChanged, centreText, "C ", centreQrg))
            return false;
        close = true;
    }
    if (BandwidthChanged) {
        if (!sendChange(BandwidthChanged, bandwidthText, "B ", bandwidth))
            return false;
        close = true;
    }
    link_.ZendNaarPtc(QByteArray(1, Xon));
    return close;
}

void AudioConfig::CancelKnopClick()
{
    link_.StartTimers();
    link_.ZendNaarPtc(QByteArray(1, Xon));
}
