#pragma once

// The COM port dialog: the port and bit rate the next start will use. Besides COM1 to
// COM6 it lists the serial devices present, so a USB adapter can be picked by its path.

#include <QDialog>

class ConfigurationMenu;
class QButtonGroup;
class QListWidget;
struct Settings;

class TComBaudConfig : public QDialog {
    Q_OBJECT
public:
    TComBaudConfig(ConfigurationMenu& config, const Settings& settings, QWidget* parent = nullptr);

    void PoortOkKnopClick();     // the port OK button
    void PoortCancelknopClick(); // the port Cancel button
    void reject() override;

    // Lists the serial devices present now.
    void refreshDevices();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void selectFromSettings();
    static void clearGroup(QButtonGroup* group);

    ConfigurationMenu& config_;
    const Settings& settings_;
    QButtonGroup* ports_;
    QButtonGroup* baudRates_;
    QListWidget* devices_;
};
