#pragma once

// The two message-type dialogs of NAVTEX and AMTEX reception: one check box per type,
// "All", "Ok" and "Cancel". The boxes' states are Navtex's; the dialog shows them and
// writes each click back, so Ok sends what the core holds.

#include <QDialog>

#include <functional>
#include <vector>

class Navtex;
class QCheckBox;

class TypeSelectionDialog : public QDialog {
    Q_OBJECT
public:
    struct Box {
        const char* name;
        const char* caption;
    };

protected:
    TypeSelectionDialog(const char* name, const char* caption, const char* okName,
                        const char* cancelName, const std::vector<Box>& boxes, bool* states,
                        bool& all, QWidget* parent);

    void showEvent(QShowEvent* event) override;

    std::function<void()> activate;
    std::function<void(bool)> allClick;
    std::function<void()> okClick;

private:
    void showStates();

    bool* states_;
    bool& all_;
    QCheckBox* allBox_;
    std::vector<QCheckBox*> boxes_;
};

class TNavtexForm final : public TypeSelectionDialog {
    Q_OBJECT
public:
    TNavtexForm(Navtex& navtex, QWidget* parent = nullptr);
};

class TAmtexForm final : public TypeSelectionDialog {
    Q_OBJECT
public:
    TAmtexForm(Navtex& navtex, QWidget* parent = nullptr);
};
