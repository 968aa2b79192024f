#include "app/HeldView.h"

namespace {
// Superseded changes are dropped when this many are noted; only when most are still
// live (a caller holding for ever) is everything passed on early.
constexpr qsizetype MaxNoted = 1024;
} // namespace

void HeldView::release()
{
    if (holds_ > 0 && --holds_ == 0)
        passOn();
}

void HeldView::kill(qsizetype at)
{
    if (at >= 0) {
        changes_[at].live = false;
        ++dead_;
    }
}

bool HeldView::note(Property property, const QString& name, const QString& text, int value)
{
    if (holds_ == 0)
        return false;
    Slot& slot = latest_[{static_cast<quint8>(property), name}];
    if (property == Property::Checked) {
        if (!noteChecked(slot, value != 0))
            return true;
    } else {
        if (slot.at >= 0) {
            const Change& last = changes_[slot.at];
            if (last.value == value && last.text == text)
                return true;
            kill(slot.at);
        }
        slot.at = changes_.size();
    }
    changes_.append({property, name, text, value, true});
    if (changes_.size() >= MaxNoted)
        compact();
    return true;
}

bool HeldView::noteChecked(Slot& slot, bool checked)
{
    // In a group whose buttons uncheck each other, the last button checked wins and
    // unchecking does nothing; elsewhere each button keeps its last state. Kept in
    // order: each button's last check and, when later, its last uncheck.
    if (checked) {
        if (slot.at > slot.off && slot.at == lastChecked_)
            return false;
        kill(slot.at);
        kill(slot.off);
        slot.off = -1;
        slot.at = lastChecked_ = changes_.size();
    } else {
        if (slot.off > slot.at)
            return false;
        kill(slot.off);
        slot.off = changes_.size();
    }
    return true;
}

void HeldView::compact()
{
    if (dead_ * 2 < changes_.size()) {
        passOn();
        return;
    }
    QList<Change> live;
    live.reserve(changes_.size() - dead_);
    latest_.clear();
    for (Change& change : changes_) {
        if (!change.live)
            continue;
        Slot& slot = latest_[{static_cast<quint8>(change.property), change.name}];
        if (change.property == Property::Checked && change.value == 0) {
            slot.off = live.size();
        } else {
            slot.at = live.size();
            if (change.property == Property::Checked)
                lastChecked_ = live.size();
        }
        live.append(std::move(change));
    }
    changes_ = std::move(live);
    dead_ = 0;
}

void HeldView::apply(const Change& change) const
{
    const QString& name = change.name;
    switch (change.property) {
    case Property::Caption:
        target_.setCaption(name, change.text);
        break;
    case Property::Hint:
        target_.setHint(name, change.text);
        break;
    case Property::Enabled:
        target_.setEnabled(name, change.value != 0);
        break;
    case Property::Checked:
        target_.setChecked(name, change.value != 0);
        break;
    case Property::Fill:
        target_.setFillColor(name, change.value);
        break;
    case Property::TextColor:
        target_.setTextColor(name, change.value);
        break;
    case Property::FontName:
        target_.setFontName(name, change.text);
        break;
    case Property::FontSize:
        target_.setFontSize(name, change.value);
        break;
    case Property::FontStyle:
        target_.setFontStyle(name, change.value);
        break;
    case Property::Cursor:
        target_.setCursor(name, static_cast<CursorShape>(change.value));
        break;
    case Property::Frame:
        target_.setFrameLook(name, static_cast<FrameLook>(change.value));
        break;
    }
}

void HeldView::passOn() const
{
    // Taken out first: what the window does on a change must not see a half-done list.
    const QList<Change> changes = std::exchange(changes_, {});
    const QList<QString> redraws = std::exchange(redraws_, {});
    latest_.clear();
    redrawNoted_.clear();
    dead_ = 0;
    lastChecked_ = -1;
    for (const Change& change : changes) {
        if (change.live)
            apply(change);
    }
    for (const QString& name : redraws)
        target_.redraw(name);
}

void HeldView::setCaption(const QString& name, const QString& caption)
{
    if (!note(Property::Caption, name, caption))
        target_.setCaption(name, caption);
}

QString HeldView::caption(const QString& name) const
{
    // A caption is set as given, so the last noted one is what the window will show.
    if (const auto it = latest_.constFind({static_cast<quint8>(Property::Caption), name});
        it != latest_.cend() && it->at >= 0)
        return changes_[it->at].text;
    return target_.caption(name);
}

void HeldView::setHint(const QString& name, const QString& hint)
{
    if (!note(Property::Hint, name, hint))
        target_.setHint(name, hint);
}

void HeldView::setEnabled(const QString& name, bool enabled)
{
    if (!note(Property::Enabled, name, {}, enabled))
        target_.setEnabled(name, enabled);
}

void HeldView::setVisible(const QString& name, bool visible)
{
    // Not held back: hiding tab pages in another order can leave another page shown.
    passOn();
    target_.setVisible(name, visible);
}

void HeldView::setChecked(const QString& name, bool checked)
{
    if (!note(Property::Checked, name, {}, checked))
        target_.setChecked(name, checked);
}

bool HeldView::isChecked(const QString& name) const
{
    // Buttons of a group uncheck each other: only the window knows the outcome.
    passOn();
    return target_.isChecked(name);
}

void HeldView::setFillColor(const QString& name, Color fill)
{
    if (!note(Property::Fill, name, {}, fill))
        target_.setFillColor(name, fill);
}

void HeldView::setTextColor(const QString& name, Color text)
{
    if (!note(Property::TextColor, name, {}, text))
        target_.setTextColor(name, text);
}

void HeldView::setFontName(const QString& name, const QString& family)
{
    if (!note(Property::FontName, name, family))
        target_.setFontName(name, family);
}

void HeldView::setFontSize(const QString& name, int points)
{
    if (!note(Property::FontSize, name, {}, points))
        target_.setFontSize(name, points);
}

void HeldView::setFontStyle(const QString& name, int styleCode)
{
    if (!note(Property::FontStyle, name, {}, styleCode))
        target_.setFontStyle(name, styleCode);
}

void HeldView::setButtonFonts(const QString& family, int points, int styleCode, Color base,
                              Color flare, Color click)
{
    passOn();
    target_.setButtonFonts(family, points, styleCode, base, flare, click);
}

void HeldView::setCursor(const QString& name, CursorShape shape)
{
    if (!note(Property::Cursor, name, {}, static_cast<int>(shape)))
        target_.setCursor(name, shape);
}

void HeldView::setFrameLook(const QString& name, FrameLook look)
{
    if (!note(Property::Frame, name, {}, static_cast<int>(look)))
        target_.setFrameLook(name, look);
}

void HeldView::redraw(const QString& name)
{
    if (holds_ == 0) {
        target_.redraw(name);
        return;
    }
    if (!redrawNoted_.contains(name)) {
        redrawNoted_.insert(name);
        redraws_.append(name);
    }
}

void HeldView::setCurrentPage(const QString& name, int index)
{
    passOn();
    target_.setCurrentPage(name, index);
}

void HeldView::setFocus(const QString& name)
{
    passOn();
    target_.setFocus(name);
}

void HeldView::setClipboardText(const QString& text)
{
    passOn();
    target_.setClipboardText(text);
}

void HeldView::setWindowTitle(const QString& title)
{
    passOn();
    target_.setWindowTitle(title);
}

void HeldView::setWindowMaximized(bool maximized)
{
    passOn();
    target_.setWindowMaximized(maximized);
}

void HeldView::setHintsEnabled(bool enabled)
{
    passOn();
    target_.setHintsEnabled(enabled);
}

void HeldView::showSplash()
{
    passOn();
    target_.showSplash();
}

void HeldView::closeWindow()
{
    passOn();
    target_.closeWindow();
}
