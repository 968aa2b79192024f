#include "modes/dialogs/TNavtexForm.h"

#include "modes/Navtex.h"
#include "modes/dialogs/CallDialogParts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* button(const char* name, const char* caption, QWidget* parent)
{
    auto* button = new QPushButton(QLatin1String(caption), parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(QLatin1String(caption));
    return button;
}

QCheckBox* checkBox(const char* name, const char* caption, QWidget* parent)
{
    auto* box = new QCheckBox(QLatin1String(caption), parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(QLatin1String(caption));
    return box;
}

} // namespace

TypeSelectionDialog::TypeSelectionDialog(const char* name, const char* caption, const char* okName,
                                         const char* cancelName, const std::vector<Box>& boxes,
                                         bool* states, bool& all, QWidget* parent)
    : QDialog(parent), states_(states), all_(all)
{
    setUpCallDialog(this, QLatin1String(name));
    setWindowTitle(QLatin1String(caption));
    setAccessibleName(QLatin1String(caption));

    allBox_ = checkBox("All", "All", this);
    connect(allBox_, &QCheckBox::clicked, this, [this](bool checked) {
        allClick(checked);
        showStates();
    });
    auto* grid = new QGridLayout;
    const int rows = int(boxes.size() + 1) / 2;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        QCheckBox* box = checkBox(boxes[i].name, boxes[i].caption, this);
        connect(box, &QCheckBox::toggled, this, [this, i](bool checked) { states_[i] = checked; });
        grid->addWidget(box, int(i) % rows, int(i) / rows);
        boxes_.push_back(box);
    }

    QPushButton* ok = button(okName, "Ok", this);
    ok->setDefault(true);
    QPushButton* cancel = button(cancelName, "Cancel", this);
    connect(ok, &QPushButton::clicked, this, [this] {
        okClick();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // Tab walks "All", the types in letter order, then Ok and Cancel.
    QWidget* previous = allBox_;
    for (QCheckBox* box : boxes_) {
        setTabOrder(previous, box);
        previous = box;
    }
    setTabOrder(previous, ok);
    setTabOrder(ok, cancel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(allBox_);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void TypeSelectionDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    activate();
    showStates();
    allBox_->setFocus();
    centreOnScreen(this);
}

void TypeSelectionDialog::showStates()
{
    allBox_->setChecked(all_);
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const QSignalBlocker quiet(boxes_[i]);
        boxes_[i]->setChecked(states_[i]);
    }
}

TNavtexForm::TNavtexForm(Navtex& navtex, QWidget* parent)
    : TypeSelectionDialog("NavtexForm", "Navtex", "NavtexOkKnop", "BitBtn2",
                          {{"A", "A: Navigational warning"},
                           {"B", "B: Meteo warning"},
                           {"C", "C: Ice Report"},
                           {"D", "D: Search and Rescue Info"},
                           {"E", "E: Meteo forcast"},
                           {"F", "F: Piliot message"},
                           {"G", "G: DECCA message"},
                           {"H", "H: LORAN-C message"},
                           {"I", "I: OMEGA message"},
                           {"J", "J: SATNAV message"},
                           {"K", "K: Other Nav aid system msg"},
                           {"L", "L: Navigational warning (2)"}},
                          navtex.navtexBoxes.data(), navtex.navtexAll, parent)
{
    activate = [&navtex] { navtex.NavtexFormActivate(); };
    allClick = [&navtex](bool checked) { navtex.NavtexAllClick(checked); };
    okClick = [&navtex] { navtex.NavtexOkKnopClick(); };
}

TAmtexForm::TAmtexForm(Navtex& navtex, QWidget* parent)
    : TypeSelectionDialog("AmtexForm", "Orvanti", "AmtexOkKnop", "AmtexCancelKnop",
                          {{"E", "E: Dx bulletin"},
                           {"G", "G: General news"},
                           {"K", "K: Keplerian data"},
                           {"P1", "P: propagation news"},
                           {"S", "S: Space bulletin"},
                           {"X1", "X: Special bulletin"}},
                          navtex.amtexBoxes.data(), navtex.amtexAll, parent)
{
    activate = [] {}; // the boxes keep their last state
    allClick = [&navtex](bool checked) { navtex.AmtexAllClick(checked); };
    okClick = [&navtex] { navtex.AmtexOkKnopClick(); };
}
