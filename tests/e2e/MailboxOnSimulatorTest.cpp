// The controller's mailbox through the whole program: a backup holds exactly the
// simulator's dump, and reloading it gives the simulator exactly the file's lines.

#include "WindowOnSimulator.h"

#include <gtest/gtest.h>

TEST(MailboxOnSimulator, ABackupAndItsReloadAreByteForByte)
{
    WindowOnSimulator w;
    w.dir.writeSettings({});
    w.startSimulator(ptcsim::Options{});
    OrvantiCore& core = w.window->core();
    const QByteArray dump = QByteArray::fromStdString(
        w.fromEngine([](const ptcsim::SimEngine& e) { return e.mailboxDump(); }));
    const QString path = w.dir.file(QStringLiteral("Mailbox.bac"));

    w.modal.queueFileName(path);
    core.actions.run(Name::MenuBackupMailbox);
    ASSERT_TRUE(waitFor([&] { return !core.station.MailboxBackupRequested; }, 20000));
    EXPECT_EQ(w.dir.read(QStringLiteral("Mailbox.bac")), dump);
    EXPECT_EQ(core.station.ModeId, Mode::Pactor);

    w.modal.queueFileName(path);
    core.actions.run(Name::MenuReloadMailbox);
    ASSERT_TRUE(waitFor([&] { return !core.station.MailboxReloadActive; }, 20000));
    std::vector<std::string> lines;
    for (const QByteArray& line : dump.chopped(1).split('\r'))
        lines.push_back(line.toStdString());
    EXPECT_EQ(w.fromEngine([](const ptcsim::SimEngine& e) { return e.reloadedLines(); }), lines);
    EXPECT_EQ(core.station.ModeId, Mode::Pactor);
    EXPECT_TRUE(w.modal.shown.isEmpty()) << w.modal.shown.value(0).text.toStdString();
}
