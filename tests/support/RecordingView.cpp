#include "RecordingView.h"

#include "Misuse.h"
#include "base/ComponentNames.h"

#include <QSet>
#include <QTextStream>

namespace {

QString asLines(const QString& text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

// A line of its own: after a line break if the text does not end in one.
void appendAsLine(QString& text, const QString& line, QString* added)
{
    QString piece;
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
        piece += QLatin1Char('\n');
    piece += asLines(line) + QLatin1Char('\n');
    text += piece;
    if (added)
        *added = piece;
}

} // namespace

RecordingView::~RecordingView()
{
    if (!unknownNames_.isEmpty())
        reportMisuse("component names the main window lacks: " +
                     unknownNames_.join(QStringLiteral(", ")).toStdString());
}

void RecordingView::noteName(const QString& name) const
{
    static const QSet<QString> known = [] {
        const QStringList names = Name::all();
        return QSet<QString>(names.cbegin(), names.cend());
    }();
    if (!known.contains(name) && !unknownNames_.contains(name))
        unknownNames_.append(name);
}

void RecordingView::setCaption(const QString& name, const QString& caption)
{
    state(name).caption = caption;
}

QString RecordingView::caption(const QString& name) const
{
    return component(name).caption;
}

void RecordingView::setHint(const QString& name, const QString& hint)
{
    state(name).hint = hint;
}

void RecordingView::setEnabled(const QString& name, bool enabled)
{
    state(name).enabled = enabled;
}

void RecordingView::setVisible(const QString& name, bool visible)
{
    state(name).visible = visible;
}

void RecordingView::setChecked(const QString& name, bool checked)
{
    state(name).checked = checked;
}

bool RecordingView::isChecked(const QString& name) const
{
    return component(name).checked;
}

void RecordingView::setFillColor(const QString& name, Color fill)
{
    state(name).fill = fill;
}

void RecordingView::setTextColor(const QString& name, Color text)
{
    state(name).text = text;
}

void RecordingView::setFontName(const QString& name, const QString& family)
{
    state(name).fontName = family;
}

void RecordingView::setFontSize(const QString& name, int points)
{
    state(name).fontSize = points;
}

void RecordingView::setFontStyle(const QString& name, int styleCode)
{
    if (styleCode >= 1 && styleCode <= 4)
        state(name).fontStyle = styleCode;
}

void RecordingView::setButtonFonts(const QString& family, int points, int styleCode, Color base,
                                   Color flare, Color click)
{
    buttonFonts_ = {family, points, styleCode, base, flare, click, buttonFonts_.changes + 1};
}

void RecordingView::setCursor(const QString& name, CursorShape shape)
{
    state(name).cursor = shape;
}

void RecordingView::redraw(const QString& name)
{
    ++state(name).redraws;
}

void RecordingView::setCurrentPage(const QString& name, int index)
{
    state(name).page = index;
}

void RecordingView::insertText(const QString& text, Color color)
{
    // The decoder turns line ends into '\n' and drops every other control byte.
    for (QChar c : text) {
        if (c != u'\n' && c.unicode() < 32)
            reportMisuse("control character " + std::to_string(c.unicode()) +
                         " inserted into the receive window");
    }
    receiveText_ += text;
    colors_.insert(colors_.end(), static_cast<std::size_t>(text.size()), color);
}

void RecordingView::appendLine(const QString& line)
{
    QString added;
    appendAsLine(receiveText_, line, &added);
    colors_.insert(colors_.end(), static_cast<std::size_t>(added.size()), fontColor_);
    scrollToEnd();
}

void RecordingView::clear()
{
    receiveText_.clear();
    colors_.clear();
}

QChar RecordingView::lastCharacter() const
{
    return receiveText_.isEmpty() ? QChar() : receiveText_.back();
}

void RecordingView::removeLastCharacter()
{
    if (receiveText_.isEmpty())
        return;
    receiveText_.chop(1);
    colors_.pop_back();
}

void RecordingView::trimFront(int count)
{
    if (count < 0)
        reportMisuse("trimmed a negative count from the receive window");
    receiveText_.remove(0, count);
    colors_.erase(colors_.begin(), colors_.begin() + qMin<qsizetype>(count, colors_.size()));
}

void RecordingView::scrollToEnd()
{
    ++scrollsToEnd_;
    scrollPosition_ = receiveLines();
}

std::vector<TextRun> RecordingView::receiveRuns() const
{
    std::vector<TextRun> runs;
    for (qsizetype i = 0; i < receiveText_.size(); ++i) {
        const Color color = colors_[static_cast<std::size_t>(i)];
        if (runs.empty() || runs.back().color != color)
            runs.push_back({QString(), color});
        runs.back().text += receiveText_[i];
    }
    return runs;
}

const ComponentState& RecordingView::component(const QString& name) const
{
    noteName(name);
    static const ComponentState untouched;
    const auto it = components_.find(name);
    return it == components_.end() ? untouched : *it;
}

void RecordingView::TransmitRecorder::appendLine(const QString& line)
{
    appendAsLine(content, line, nullptr);
}

QString RecordingView::describe() const
{
    QString text;
    QTextStream out(&text);
    for (auto it = components_.cbegin(); it != components_.cend(); ++it) {
        const ComponentState& c = it.value();
        out << it.key() << ": '" << c.caption << "' '" << c.hint << "' " << c.enabled << c.visible
            << c.checked << ' ' << c.fill << ' ' << c.text << ' ' << c.fontName << ' ' << c.fontSize
            << ' ' << c.fontStyle << ' ' << int(c.cursor) << ' ' << int(c.frame) << ' ' << c.redraws
            << ' ' << c.page << '\n';
    }
    out << "receive: " << receiveText_ << " at " << scrollPosition_ << " ends " << scrollsToEnd_
        << " font " << fontColor_ << " frozen " << frozenCopy_ << ' ' << frozenInFront_ << '\n';
    out << "transmit: " << transmitView_.content << '\n';
    out << "focus " << focus_ << " clipboard " << clipboard_ << " title " << title_ << ' '
        << maximized_ << hintsEnabled_ << " splashes " << splashes_ << " closes " << closeRequests_
        << '\n';
    out << "buttons " << buttonFonts_.family << ' ' << buttonFonts_.points << ' '
        << buttonFonts_.styleCode << ' ' << buttonFonts_.base << ' ' << buttonFonts_.flare << ' '
        << buttonFonts_.click << '\n';
    return text;
}
