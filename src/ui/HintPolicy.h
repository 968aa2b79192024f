#pragma once

// Application-wide hints: yellow, shown after 500 ms for 5 s, at most 200 pixels wide
// (longer ones wrap), and switched off altogether by the "Show Hints" setting.

#include <QObject>

class QFontMetrics;

// Breaks `text` into lines no wider than `width` pixels, at spaces where it can.
QString wrapHint(const QString& text, const QFontMetrics& metrics, int width);

class HintPolicy : public QObject {
    Q_OBJECT
public:
    explicit HintPolicy(QObject* parent = nullptr);
    // Installs the timing and colour on the running application.
    void install();
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool enabled() const { return enabled_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool enabled_ = true;
};
