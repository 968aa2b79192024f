#pragma once

// The whole program against the simulated controller: the simulator on a
// pseudo-terminal, the real main window (offscreen) on its device with the real serial
// driver, in a station folder of its own, and real time.

#include "EventWait.h"
#include "PtySimulator.h"
#include "QueuedModal.h"
#include "StationDir.h"
#include "app/OrvantiCore.h"
#include "base/ComponentNames.h"
#include "ui/THoofdForm.h"
#include "ui/TTransmitMemo.h"

#include <QHash>
#include <QLabel>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <type_traits>
#include <utility>

// What the receive window shows for text the simulated station sent: backspaces take
// back a letter, CR ends the line, the controller's umlaut codes are German letters.
inline QString textAsShown(const std::string& sent)
{
    static const QHash<quint8, QChar> germanLetters = {
        {14, u'ä'}, {15, u'ö'}, {16, u'ü'}, {20, u'Ä'}, {21, u'Ö'}, {22, u'Ü'}, {23, u'ß'}};
    QString shown;
    for (char c : sent) {
        const auto b = static_cast<quint8>(c);
        if (b == '\b')
            shown.chop(1);
        else if (b == '\r')
            shown += QLatin1Char('\n');
        else if (germanLetters.contains(b))
            shown += germanLetters.value(b);
        else if (b >= 32 && b < 128)
            shown += QLatin1Char(static_cast<char>(b));
    }
    return shown;
}

struct WindowOnSimulator {
    // Starts the simulator, then the program on its device as far as the first
    // activation. The settings file must be written first.
    void startSimulator(const ptcsim::Options& options)
    {
        startSimulatorOnly(options);
        openWindow(devicePath());
    }

    void startSimulatorOnly(const ptcsim::Options& options)
    {
        simulator = std::make_unique<ptcsim::PtySimulator>(options);
        std::string error;
        ASSERT_TRUE(simulator->open(&error)) << error;
        simulator->start();
    }
    QString devicePath() const { return QString::fromStdString(simulator->devicePath()); }

    // Something read from the simulated controller's state, under its lock.
    template <typename Read> auto fromEngine(Read read)
    {
        std::decay_t<decltype(read(std::declval<const ptcsim::SimEngine&>()))> result{};
        simulator->withEngine(
            [&](ptcsim::SimEngine& engine, std::int64_t) { result = read(engine); });
        return result;
    }
    std::string lastRemoteText()
    {
        return fromEngine([](const ptcsim::SimEngine& e) { return e.lastRemoteText(); });
    }

    // A status bar pane's text.
    QString pane(int number) const
    {
        return window->findChild<QLabel*>(QStringLiteral("Pane%1").arg(number))->text();
    }

    // A line typed in the transmit window, Enter at its end.
    void type(const QString& text)
    {
        QTest::keyClicks(window->transmitWindow(), text);
        QTest::keyClick(window->transmitWindow(), Qt::Key_Return);
    }

    // What the simulator received, without the status requests and flow control.
    QByteArray receivedText() const
    {
        QByteArray text;
        for (char c : simulator->received())
            if (c != 30 && c != 17 && c != 19)
                text.append(c);
        return text;
    }

    void openWindow(const QString& port)
    {
        createWindow(port);
        window->show();
        // Activated or not, the window sends the start-up commands once events run.
        ASSERT_TRUE(waitFor([this] { return window->firstActivationHandled(); }));
    }

    void createWindow(const QString& port)
    {
        MainWindowOptions options;
        options.stationFolder = dir.path();
        options.portOverride = port;
        options.modal = &modal;
        window = std::make_unique<THoofdForm>(options);
        window->createDialogs();
    }

    StationDir dir;
    QueuedModal modal;
    std::unique_ptr<ptcsim::PtySimulator> simulator;
    std::unique_ptr<THoofdForm> window;
};
