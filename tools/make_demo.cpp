// Prepares a folder to run the program in: tests/Sample.tst with questions of
// all three kinds, tests/default.bmp and the five sound files. Everything is
// written by the program's own record code or drawn and synthesised here.
#include "Pictures.h"
#include "Question.h"
#include "SharedState.h"
#include "TestHeader.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QtEndian>

namespace {

struct Tone {
    double hz;
    double seconds;
};

// 16-bit mono PCM at 22,050 Hz; each tone fades in and out to avoid clicks.
QByteArray wav(std::initializer_list<Tone> tones) {
    constexpr int rate = 22050;
    QByteArray pcm;
    for (const Tone& t : tones) {
        const int n = static_cast<int>(t.seconds * rate);
        for (int i = 0; i < n; ++i) {
            const double env = std::min({1.0, i / 400.0, (n - i) / 400.0});
            const double v = t.hz > 0 ? std::sin(2 * std::numbers::pi * t.hz * i / rate) : 0.0;
            const auto s = static_cast<qint16>(v * env * 12000);
            char b[2];
            qToLittleEndian(s, b);
            pcm.append(b, 2);
        }
    }
    QByteArray out;
    auto u32 = [&out](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        out.append(b, 4);
    };
    auto u16 = [&out](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        out.append(b, 2);
    };
    out.append("RIFF");
    u32(static_cast<quint32>(36 + pcm.size()));
    out.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out.append("data");
    u32(static_cast<quint32>(pcm.size()));
    out.append(pcm);
    return out;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

struct DemoQuestion {
    storage::QuestionKind kind;
    const char* text;
    std::initializer_list<const char*> choices;
    int correct; // 1-based
    const char* explanation;
};

// The sample test: a header and one question of each kind, some twice.
bool writeSampleTest(const QString& testPath) {
    using storage::QuestionKind;
    // One record throughout, as the editor writes: the header's fields it
    // does not set go along into the questions.
    storage::TestRecord rec;
    storage::fillNewHeader(rec, QStringLiteral("Demo Author"), QStringLiteral("demo"));
    rec.setText(storage::TestRecord::PassingScore, storage::passingScoreText(75));
    if (!storage::shared::writeTestRecord(testPath, 1, rec))
        return false;
    const DemoQuestion questions[] = {
        {QuestionKind::Multiple,
         "Which planet is closest to the sun?",
         {"Venus", "Mercury", "Mars", "Earth", "Jupiter"},
         2,
         "Mercury orbits the sun at about 58 million kilometres."},
        {QuestionKind::TrueFalse,
         "Water boils at 100 degrees Celsius at sea level.",
         {"TRUE", "FALSE"},
         1,
         "At standard pressure water boils at 100 degrees Celsius."},
        {QuestionKind::Typed,
         "What is the capital of France?",
         {"Paris"},
         1,
         "Paris has been the capital since 987."},
        {QuestionKind::Multiple,
         "How many sides has a hexagon?",
         {"Five", "Six", "Seven", "Eight", ""},
         2,
         "Hexa means six."},
        {QuestionKind::TrueFalse,
         "The Pacific is the smallest ocean.",
         {"TRUE", "FALSE"},
         2,
         "The Pacific is the largest ocean; the Arctic is the smallest."},
    };
    int k = 0;
    for (const DemoQuestion& d : questions) {
        storage::Question q;
        q.kind = d.kind;
        q.text = QString::fromUtf8(d.text);
        std::size_t i = 0;
        for (const char* choice : d.choices)
            q.choices[i++] = QString::fromUtf8(choice);
        q.correct = d.correct;
        q.explanation = QString::fromUtf8(d.explanation);
        storage::storeQuestion(rec, ++k, q);
        if (!storage::shared::writeTestRecord(testPath, k + 1, rec))
            return false;
    }
    return true;
}

bool writeSounds(const QDir& tests) {
    return writeFile(tests.filePath(QStringLiteral("StartSound.wav")),
                     wav({{523.25, 0.12}, {659.25, 0.12}, {783.99, 0.25}})) &&
           writeFile(tests.filePath(QStringLiteral("TabClick.wav")), wav({{1200, 0.03}})) &&
           writeFile(tests.filePath(QStringLiteral("Correct.wav")),
                     wav({{880, 0.1}, {1318.5, 0.2}})) &&
           writeFile(tests.filePath(QStringLiteral("wrong.wav")),
                     wav({{220, 0.18}, {0, 0.04}, {196, 0.3}})) &&
           writeFile(tests.filePath(QStringLiteral("NewQuestion.wav")), wav({{660, 0.08}}));
}

} // namespace

int main(int argc, char* argv[]) {
    // Drawing the pictures needs no screen; this runs before the desktop does.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quizdex_make_demo FOLDER\n");
        return 2;
    }
    const QString tests = QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("tests"));
    if (!QDir().mkpath(tests)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(tests));
        return 1;
    }
    const QString testPath = QDir(tests).filePath(QStringLiteral("Sample.tst"));
    if (!QFile::exists(testPath) && !writeSampleTest(testPath))
        return 1;
    platform::pictures::penOnPage().save(QDir(tests).filePath(QStringLiteral("default.bmp")),
                                         "BMP");
    return writeSounds(QDir(tests)) ? 0 : 1;
}
