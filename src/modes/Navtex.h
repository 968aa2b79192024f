#pragma once

// NAVTEX and AMTEX reception: the controller stores the messages it hears in its own
// files. The NAVTEX toolbar switches reception on and off and sets the message types,
// the coverage area and the latency time. The two type dialogs' boxes live here, so
// their Ok is a call and what it sends can be checked without a window.

#include <QString>
#include <array>
#include <optional>

class Modal;
class ModeSwitch;
class PortLink;
struct MessageTexts;
struct Settings;
struct Station;

// The type letters, one per check box, in the order a selection is built.
inline constexpr char NavtexLetters[] = "ABCDEFGHIJKL";
inline constexpr char AmtexLetters[] = "EGKPSX";
inline constexpr int NavtexTypeCount = 12;
inline constexpr int AmtexTypeCount = 6;
// The most files the controller keeps; "Nav" with more is refused.
inline constexpr int MaxNavtexFiles = 255;

class Navtex {
public:
    Navtex(Station& station, Settings& settings, const MessageTexts& texts, PortLink& link,
           ModeSwitch& modes, Modal& modal);

    // The NAVTEX toolbar.
    void NavtexOnClick();
    void AmtexOnClick();
    // Also run after the automatic CQ dialog: reception off, back to PACTOR.
    void NavtexOffClick();
    void NavtexMsgTypeClick();
    void NavtexAreaClick();
    void NavtexTimeClick();

    // TNavtexForm: one box per letter of NavtexLetters, and "All".
    std::array<bool, NavtexTypeCount> navtexBoxes{};
    bool navtexAll = false;
    void NavtexFormActivate(); // a checked "All" checks every box
    void NavtexAllClick(bool checked);
    void NavtexOkKnopClick();

    // TAmtexForm: one box per letter of AmtexLetters, and "All". Boxes keep their state.
    std::array<bool, AmtexTypeCount> amtexBoxes{};
    bool amtexAll = false;
    void AmtexAllClick(bool checked);
    void AmtexOkKnopClick();

private:
    // The switch-on shared by both kinds; `amtex` picks the kind.
    void switchOn(bool amtex);
    // The number-of-files question. None when the answer is empty or no count from 0 to
    // MaxNavtexFiles; the operator is told which.
    std::optional<int> askFileCount();
    // "Nav " and the letters of the checked boxes, timers held while it is built.
    template <std::size_t N>
    void sendSelection(const char* letters, const std::array<bool, N>& boxes);

    Station& station_;
    Settings& settings_;
    const MessageTexts& texts_;
    PortLink& link_;
    ModeSwitch& modes_;
    Modal& modal_;
};
