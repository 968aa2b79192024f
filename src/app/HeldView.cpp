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

HeldView::Key HeldView::keyOf(Property property, const QString& name, int value)
{
    // A button's checking and unchecking are kept apart: see noteChecked.
    if (property == Property::Checked)
        return {static_cast<quint8>(value != 0 ? CheckedOn : CheckedOff), name};
    return {static_cast<quint8>(property), name};
}

void HeldView::drop(const Key& key)
{
    if (const auto it = latest_.constFind(key); it != latest_.cend()) {
        changes_[*it].live = false;
        ++dead_;
        latest_.erase(it);
    }
}

void HeldView::append(Property property, const QString& name, const QString& text, int value)
{
    latest_.insert(keyOf(property, name, value), changes_.size());
    changes_.append({property, name, text, value, true});
    if (changes_.size() >= MaxNoted)
        compact();
}

bool HeldView::note(Property property, const QString& name, const QString& text, int value)
{
    if (holds_ == 0)
        return false;
    if (property == Property::Checked)
        return noteChecked(name, value != 0);
    const Key key = keyOf(property, name, value);
    if (const auto it = latest_.constFind(key); it != latest_.cend()) {
        const Change& last = changes_[*it];
        if (last.value == value && last.text == text)
            return true;
    }
    drop(key);
    append(property, name, text, value);
    return true;
}

bool HeldView::noteChecked(const QString& name, bool checked)
{
    // In a group whose buttons uncheck each other, the last button checked wins and
    // unchecking does nothing; elsewhere each button keeps its last state. Kept in
    // order: each button's last check and, when later, its last uncheck.
    const Key on = keyOf(Property::Checked, name, 1);
    const Key off = keyOf(Property::Checked, name, 0);
    const qsizetype lastOn = latest_.value(on, -1);
    const qsizetype lastOff = latest_.value(off, -1);
    if (checked) {
        if (lastOn > lastOff && lastOn == lastChecked_)
            return true;
        drop(on);
        drop(off);
        lastChecked_ = changes_.size();
    } else {
        if (lastOff > lastOn)
            return true;
        drop(off);
    }
    append(Property::Checked, name, {}, checked);
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
        if (change.property == Property::Checked && change.value != 0)
            lastChecked_ = live.size();
        latest_.insert(keyOf(change.property, change.name, change.value), live.size());
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
        it != latest_.cend())
        return changes_[*it].text;
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
