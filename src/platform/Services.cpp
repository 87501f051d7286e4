#include "Services.h"

#include "Files.h"
#include "Window.h"

#include <algorithm>
#include <ctime>
#include <QCoreApplication>
#include <QFocusFrame>

#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSoundEffect>
#include <QUrl>
#include <QWidget>

namespace platform {
namespace {

class RealMessageBox : public MessageBoxBackend {
public:
    Answer show(const QString& text, bool yesNo) override {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quizdex"),
                        QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                        yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok);
        // No has the focus and is the default: one Enter too many answers No.
        if (yesNo)
            box.setDefaultButton(QMessageBox::No);
        const int r = box.exec();
        if (!yesNo)
            return Answer::Ok;
        return r == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
};

class RealSound : public SoundBackend {
public:
    bool isPlaying() const override {
        return m_effect && (m_effect->isPlaying() || m_effect->status() == QSoundEffect::Loading);
    }
    void start(const QString& existingFile) override {
        if (!m_effect)
            m_effect = std::make_unique<QSoundEffect>();
        m_effect->setSource(QUrl::fromLocalFile(existingFile));
        m_effect->play();
    }

private:
    std::unique_ptr<QSoundEffect> m_effect;
};

class RealPrinter : public PrinterBackend {
public:
    bool print(const QImage& image) override {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return false;
        QPrinter printer(info, QPrinter::HighResolution);
        QPainter painter;
        if (!painter.begin(&printer))
            return false;
        const QRect page = painter.viewport();
        QSize size = image.size();
        size.scale(page.size(), Qt::KeepAspectRatio);
        painter.drawImage(QRect(page.topLeft(), size), image);
        return painter.end();
    }
};

class RealClock : public ClockBackend {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }

    // The run reads the time of day before every random draw, hundreds of
    // thousands of times in a long test. The toolkit's local time looks at
    // the zone file on every call; localtime_r reads it once.
    QTime timeOfDay() const override {
        timespec ts{};
        tm local{};
        if (::clock_gettime(CLOCK_REALTIME, &ts) != 0 || !::localtime_r(&ts.tv_sec, &local))
            return now().time();
        return QTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59));
    }
};

template <class Base, class Real> std::unique_ptr<Base>& slot() {
    static std::unique_ptr<Base> backend = std::make_unique<Real>();
    return backend;
}

template <class Base, class Real> std::unique_ptr<Base> replace(std::unique_ptr<Base> b) {
    std::unique_ptr<Base>& s = slot<Base, Real>();
    std::unique_ptr<Base> old = std::move(s);
    s = b ? std::move(b) : std::make_unique<Real>();
    return old;
}

MessageBoxBackend& messageBoxes() {
    return *slot<MessageBoxBackend, RealMessageBox>();
}
SoundBackend& sound() {
    return *slot<SoundBackend, RealSound>();
}
PrinterBackend& printer() {
    return *slot<PrinterBackend, RealPrinter>();
}
ClockBackend& clock() {
    return *slot<ClockBackend, RealClock>();
}
RandomBackend& random() {
    return *slot<RandomBackend, DefaultRandom>();
}

} // namespace

void msgBox(const QString& text) {
    messageBoxes().show(text, false);
}

bool askYesNo(const QString& text) {
    return messageBoxes().show(text, true) == Answer::Yes;
}

QString lines(std::initializer_list<QString> parts) {
    QStringList list(parts);
    return list.join(QStringLiteral("\r\n"));
}

bool playSound(const QString& path) {
    const QString file = resolveCaseInsensitive(path);
    if (file.isEmpty())
        return false;
    SoundBackend& player = sound();
    if (player.isPlaying())
        return false;
    player.start(file);
    return true;
}

bool printWindow(QWidget* window) {
    if (!window)
        return false;
    // A focus frame marks the screen, not the page.
    QList<QPointer<QFocusFrame>> frames;
    for (QFocusFrame* frame : window->findChildren<QFocusFrame*>()) {
        if (frame->isVisible()) {
            frame->hide();
            frames.append(frame);
        }
    }
    // A window that scrolls prints its whole design, not what the screen shows of it.
    auto* ours = qobject_cast<Window*>(window);
    const QImage image = ours ? ours->wholeImage() : window->grab().toImage();
    for (const QPointer<QFocusFrame>& frame : frames) {
        if (frame)
            frame->show();
    }
    if (printer().print(image))
        return true;
    msgBox(QCoreApplication::translate("Services", "No printer is available."));
    return false;
}

// The system's formats (LC_TIME), never the language of the windows: the
// date and time also go into score logs.
QString dateText() {
    return QLocale::system().toString(clock().now().date(), QLocale::ShortFormat);
}

QString timeText() {
    // The locale's long time format names the time zone; the program shows the
    // time with seconds and without the zone.
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return QLocale::system().toString(clock().now().time(), format.trimmed());
}

QString timeOfDayText() {
    // Built by hand: the run asks for it before every random draw, and the
    // general formatter costs more than the draw itself.
    const QTime t = clock().timeOfDay();
    const int parts[3] = {t.hour(), t.minute(), t.second()};
    QString text(8, QLatin1Char(':'));
    for (int i = 0; i < 3; ++i) {
        text[3 * i] = QLatin1Char(static_cast<char>('0' + parts[i] / 10));
        text[3 * i + 1] = QLatin1Char(static_cast<char>('0' + parts[i] % 10));
    }
    return text;
}

double randomFraction() {
    return random().next();
}

double DefaultRandom::next() {
    // splitmix64: small, fast and evenly spread; 53 bits make the double.
    unsigned long long z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-53;
}

void resetBackends() {
    setMessageBoxBackend(nullptr);
    setSoundBackend(nullptr);
    setPrinterBackend(nullptr);
    setClockBackend(nullptr);
    setRandomBackend(nullptr);
}

std::unique_ptr<MessageBoxBackend> setMessageBoxBackend(std::unique_ptr<MessageBoxBackend> b) {
    return replace<MessageBoxBackend, RealMessageBox>(std::move(b));
}
std::unique_ptr<SoundBackend> setSoundBackend(std::unique_ptr<SoundBackend> b) {
    return replace<SoundBackend, RealSound>(std::move(b));
}
std::unique_ptr<PrinterBackend> setPrinterBackend(std::unique_ptr<PrinterBackend> b) {
    return replace<PrinterBackend, RealPrinter>(std::move(b));
}
std::unique_ptr<ClockBackend> setClockBackend(std::unique_ptr<ClockBackend> b) {
    return replace<ClockBackend, RealClock>(std::move(b));
}
std::unique_ptr<RandomBackend> setRandomBackend(std::unique_ptr<RandomBackend> b) {
    return replace<RandomBackend, DefaultRandom>(std::move(b));
}

} // namespace platform
