#pragma once

#include <functional>
#include <memory>
#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>

class QWidget;

// The program's few contacts with the world outside its windows: message
// boxes, sound, printing, the clock and the random generator. Each has a real
// backend and can be replaced, for tests, by one that records and answers.
namespace platform {

// ---- Message boxes: title "Quizdex", no icon, lines joined with CR LF.
enum class Answer { Ok, Yes, No };
class MessageBoxBackend {
public:
    virtual ~MessageBoxBackend() = default;
    virtual Answer show(const QString& text, bool yesNo) = 0;
};
void msgBox(const QString& text);                    // OK only
bool askYesNo(const QString& text);                  // Yes and No (the default); true on Yes
QString lines(std::initializer_list<QString> parts); // joined with CR LF

// ---- Sound: asynchronous, silent for a missing file, and a sound still
// playing is never interrupted: the new one is dropped.
class SoundBackend {
public:
    virtual ~SoundBackend() = default;
    virtual bool isPlaying() const = 0;
    virtual void start(const QString& existingFile) = 0;
};
// Plays `path` under those three rules; true when it was started.
bool playSound(const QString& path);

// ---- Printing an image of a window on the default printer, without a dialog.
class PrinterBackend {
public:
    virtual ~PrinterBackend() = default;
    // false when no printer is available
    virtual bool print(const QImage& image) = 0;
};
// Prints the window's image; tells the user when no printer is available.
bool printWindow(QWidget* window);

// ---- Clock: date and time texts in the system's formats.
class ClockBackend {
public:
    virtual ~ClockBackend() = default;
    virtual QDateTime now() const = 0;
    virtual QTime timeOfDay() const { return now().time(); }
};
QString dateText();      // the system's short date format
QString timeText();      // the system's time format, with seconds
QString timeOfDayText(); // "hh:mm:ss"

// ---- Random generator: uniform in [0, 1), with a fixed start state.
class RandomBackend {
public:
    virtual ~RandomBackend() = default;
    virtual double next() = 0;
};
double randomFraction();

// Installs a backend; returns the one it replaces. Passing nullptr puts the
// real one back.
std::unique_ptr<MessageBoxBackend> setMessageBoxBackend(std::unique_ptr<MessageBoxBackend> b);
std::unique_ptr<SoundBackend> setSoundBackend(std::unique_ptr<SoundBackend> b);
std::unique_ptr<PrinterBackend> setPrinterBackend(std::unique_ptr<PrinterBackend> b);
std::unique_ptr<ClockBackend> setClockBackend(std::unique_ptr<ClockBackend> b);
std::unique_ptr<RandomBackend> setRandomBackend(std::unique_ptr<RandomBackend> b);

// Puts fresh real backends in place of the current ones. The program calls it
// before the application object goes, so that no backend holding toolkit
// objects (the sound player) outlives it.
void resetBackends();

// The real generator: a fixed start state, the same sequence in every run.
class DefaultRandom : public RandomBackend {
public:
    double next() override;

private:
    unsigned long long m_state = 0x853C49E6748FEA9BULL;
};

} // namespace platform
