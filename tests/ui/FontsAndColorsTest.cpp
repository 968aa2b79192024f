// Fonts and colours on the real window (offscreen): the buttons' three caption colours
// as painted, fonts from another station's settings file, the settings' round trip
// through start and exit, and the default colours on a dark desktop theme.

#include "WindowOnFakes.h"
#include "base/ProfileFile.h"
#include "ui/QtColor.h"
#include "ui/THoofdForm.h"
#include "ui/TQvSpeedButton.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// How many pixels of the button, as painted now, have exactly this colour.
int pixelsOf(QWidget* widget, const QColor& color)
{
    const QImage image = widget->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y).rgb() == color.rgb();
    return count;
}

void hover(QWidget* widget)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QEnterEvent enter(at, widget->mapTo(widget->window(), at), widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &enter);
}

void leave(QWidget* widget)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

// WCAG's contrast ratio: 1 for equal colours, 21 for black on white.
double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a) + 0.05;
    const double lb = luminance(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}

class ShownWindow : public WindowOnFakes {
public:
    explicit ShownWindow(const QList<QByteArray>& edits = {}) : WindowOnFakes(edits)
    {
        window->show();
    }
};

} // namespace

TEST(FontsAndColors, AButtonCaptionTakesItsColourOnHoverPressAndLeave)
{
    ShownWindow w;
    auto* button = w.named<TQvSpeedButton>(Name::PactorConnect);
    // Large enough for whole pixels of the caption's colour.
    w.window->view().setButtonFonts(QString(), 20, 3, Colors::Black, Colors::Red, Colors::Blue);
    const QColor black(Qt::black), red(Qt::red), blue(Qt::blue);
    const auto shows = [&](const QColor& color) {
        EXPECT_EQ(button->captionColor(), color);
        for (const QColor& other : {black, red, blue})
            if (other == color)
                EXPECT_GT(pixelsOf(button, other), 10) << other.name().toStdString();
            else
                EXPECT_EQ(pixelsOf(button, other), 0) << other.name().toStdString();
    };
    shows(black);
    hover(button);
    shows(red);
    QTest::mousePress(button, Qt::LeftButton);
    EXPECT_EQ(button->paintState(), TQvSpeedButton::Pressed);
    shows(blue);
    QTest::mouseRelease(button, Qt::LeftButton);
    shows(red);
    leave(button);
    shows(black);

    // A new mouse-on colour from the menu shows at once, on other pages' buttons too.
    w.modal.queueColor(0x00ABCDEF);
    w.named<QAction>(Name::Sub_SubMenuMouseOnColor)->trigger();
    EXPECT_EQ(w.core().settings.ButtonFlareColor, 0x00ABCDEF);
    for (QLatin1StringView name : {Name::PactorStandby, Name::SpeedCho, Name::NavtexArea}) {
        auto* other = w.named<TQvSpeedButton>(name);
        hover(other);
        EXPECT_EQ(other->captionColor(), QColor(0xEF, 0xCD, 0xAB)) << name.data();
        leave(other);
    }
}

// A settings file from another station: fonts this machine lacks fall back to the
// platform's fixed-pitch font in the text windows and its general font elsewhere, at
// the size asked for, held to 6..72 points.
TEST(FontsAndColors, MissingFontsFallBackQuietlyAndSizesStayReadable)
{
    ShownWindow w({"ReceiveScreen/Fontname=No Such Font 4711", "ReceiveScreen/FontSize=0",
                   "TransmitScreen/Fontname=Another Missing Face", "TransmitScreen/FontSize=14",
                   "StatusBar/Fontname=No Status Font", "StatusBar/FontSize=255",
                   "PageControl/Fontname=No Tab Font", "PageControl/Fontsize=9"});
    const QString fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    const QString general = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    const struct {
        QLatin1StringView component;
        QString family;
        int points;
    } cases[] = {
        {Name::ReceiveWindow, fixed, 6},   {Name::TransmitWindow, fixed, 14},
        {Name::Statusbalk, general, 72},   {Name::PageControl, general, 9},
        {Name::PactorStandby, general, 9},
    };
    EXPECT_TRUE(w.modal.shown.isEmpty()) << "nothing is said about it";
    for (const auto& c : cases) {
        const QFont font = w.named(c.component)->font();
        EXPECT_EQ(font.family(), c.family) << c.component.data();
        EXPECT_EQ(font.pointSize(), c.points) << c.component.data();
    }
    // The rule itself at its edges, through the view.
    WidgetView& view = w.window->view();
    for (const auto& [points, shown] : {std::pair{0, 6}, {400, 72}, {-5, 6}, {72, 72}}) {
        view.setFontSize(Name::TransmitWindow, points);
        EXPECT_EQ(w.named(Name::TransmitWindow)->font().pointSize(), shown) << points;
    }
    view.setFontName(Name::TransmitWindow, fixed);
    EXPECT_EQ(w.named(Name::TransmitWindow)->font().family(), fixed);
    // The settings keep what the file said, for the station it came from.
    EXPECT_EQ(w.core().settings.RxFontName, QStringLiteral("No Such Font 4711"));
}

TEST(FontsAndColors, EveryFontAndColourKeyRoundTripsThroughStartAndExit)
{
    // Unusual values: names with inner blanks, sizes at the edges of their widths,
    // style codes in and out of range, colours at both ends and in between.
    const QList<QByteArray> edits = {"ReceiveScreen/Fontname=No  Such Font 4711",
                                     "ReceiveScreen/FontSize=0",
                                     "ReceiveScreen/Color=11259375",
                                     "ReceiveScreen/FontStyle=7",
                                     "ReceiveScreen/SystemTextColor=0",
                                     "ReceiveScreen/ReceiveTextColor=16777215",
                                     "ReceiveScreen/DelayTextColor=-1",
                                     "ReceiveScreen/PromptColor=1",
                                     "TransmitScreen/Fontname=Odd  Sans Serif",
                                     "TransmitScreen/FontSize=255",
                                     "TransmitScreen/Color=0",
                                     "TransmitScreen/FontStyle=0",
                                     "TransmitScreen/FontColor=11259375",
                                     "PageControl/Fontname=Mono Spaced  X",
                                     "PageControl/Fontsize=1",
                                     "PageControl/FontStyle=4",
                                     "Buttons/Fontname=Button  Face",
                                     "Buttons/FontSize=72",
                                     "Buttons/FontStyle=4",
                                     "Button Colors/BaseColor=0",
                                     "Button Colors/FlareColor=16777215",
                                     "Button Colors/ClickColor=11259375",
                                     "StatusBar/Fontname=Status Line  Font",
                                     "StatusBar/FontSize=6",
                                     "StatusBar/FontStyle=3",
                                     "Logbook/Fontname=Log  Mono",
                                     "Logbook/FontSize=400",
                                     "Logbook/FontStyle=2",
                                     "Recv. and Transm. Bar Color/ReceiveBar.Color=2147483647"};
    ShownWindow w(edits);
    w.modal.queueConfirm(true);
    ASSERT_TRUE(w.window->close());

    ProfileFile saved;
    saved.load(w.dir.read(QStringLiteral("Orvanti.ini")));
    for (const QByteArray& edit : edits) {
        const QByteArray path = edit.left(edit.indexOf('='));
        const QByteArray section = path.left(path.indexOf('/'));
        const QByteArray key = path.mid(path.indexOf('/') + 1);
        EXPECT_EQ(saved.value(section.constData(), key.constData()).value_or(QStringLiteral("?")),
                  QString::fromUtf8(edit.mid(edit.indexOf('=') + 1)))
            << edit.constData();
    }
}

// The window's own colours are the settings', whatever the desktop's theme: with the
// shipped defaults on Fusion's dark palette every caption and text stays readable.
TEST(FontsAndColors, TheDefaultsAreReadableOnADarkTheme)
{
    const QPalette before = QApplication::palette();
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(53, 53, 53));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, QColor(53, 53, 53));
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(127, 127, 127));
    QApplication::setPalette(dark);
    {
        ShownWindow w;
        const Settings& s = w.core().settings;
        constexpr double Readable = 3.0; // large or bold text; red on white is 4.0
        const auto readable = [&](const char* what, const QColor& text, const QColor& face) {
            EXPECT_GE(contrast(text, face), Readable)
                << what << ": " << text.name().toStdString() << " on " << face.name().toStdString();
        };

        const QColor receiveFace = w.named(Name::ReceiveWindow)->palette().color(QPalette::Base);
        for (const Color c :
             {s.SystemTextColor, s.ReceiveTextColor, s.DelayTextColor, s.PromptColor})
            readable("receive text", toQColor(c), receiveFace);
        const QPalette transmit = w.named(Name::TransmitWindow)->palette();
        readable("transmit text", transmit.color(QPalette::Text), transmit.color(QPalette::Base));

        for (QLatin1StringView label : {Name::PtcTekst, Name::Versie})
            readable(label.data(), w.named(label)->palette().color(QPalette::WindowText),
                     w.named(Name::Receivebar)->palette().color(QPalette::Window));
        const QPalette bar = w.named(Name::Transmitbalk)->palette();
        readable("Transmitbalk", bar.color(QPalette::WindowText), bar.color(QPalette::Window));
        for (QLabel* pane : w.named(Name::Statusbalk)->findChildren<QLabel*>())
            readable(pane->objectName().toUtf8().constData(),
                     pane->palette().color(QPalette::WindowText),
                     pane->palette().color(QPalette::Window));

        // Each button's caption in each state, on the face it is painted on.
        for (TQvSpeedButton* button : w.window->findChildren<TQvSpeedButton*>()) {
            if (!button->isVisibleTo(w.window.get()))
                continue;
            const QByteArray name = button->objectName().toUtf8();
            const QColor face = button->palette().color(QPalette::Button);
            readable(name.constData(), button->captionColor(), face);
            hover(button);
            readable(name.constData(), button->captionColor(), face);
            leave(button);
            if (!button->isEnabled())
                readable(name.constData(),
                         button->palette().color(QPalette::Disabled, QPalette::ButtonText), face);
        }
        // The face really is what is painted around the caption.
        auto* standby = w.named<TQvSpeedButton>(Name::PactorStandby);
        const QImage image = standby->grab().toImage();
        EXPECT_EQ(image.pixelColor(1, 1).rgb(), standby->palette().color(QPalette::Button).rgb());
    }
    QApplication::setPalette(before);
}
