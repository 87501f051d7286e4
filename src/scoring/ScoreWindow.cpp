#include "ScoreWindow.h"

#include "Controls.h"
#include "Layout.h"
#include "Services.h"
#include "SharedState.h"
#include "Spoken.h"
#include "TextRules.h"

#include <cmath>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyle>

namespace {

constexpr int kBarLeft = 240;
constexpr int kBarHeight = 495;
constexpr int kDesignedBarWidth = 15;
constexpr int kTwipsPerPoint = 48;
// Far past the window's right edge; keeps a wild stored score from
// overflowing the width.
constexpr int kMaxBarPoints = 1000;

constexpr int kBlack = 0;
constexpr int kGreen = 2;
constexpr int kRed = 4;
constexpr int kBrightWhite = 15;

const char* const kPass = QT_TRANSLATE_NOOP("ScoreWindow", "  (PASS)    ");
const char* const kFail = QT_TRANSLATE_NOOP("ScoreWindow", "  (FAIL)    ");

QLabel* makeLabel(QWidget* parent, const QString& name, const QRect& where) {
    return platform::ui::label(parent, name, {}, where);
}

// A grid line of the chart, at `x` twips.
void makeLine(QWidget* parent, const QString& name, const QString& spokenName, int x) {
    auto* line = new QFrame(parent);
    platform::ui::name(line, name);
    platform::ui::readAs(line, spokenName);
    platform::ui::place(
        line, QRect(platform::ui::px(x), platform::ui::px(360), 1, platform::ui::px(1920 - 360)));
    platform::ui::setBackColor(line, platform::ui::standardColor(kBlack));
}

// A bar of the chart with its caption: inside the bar, at its end, where the
// bar is long enough; else just after it; else as far right as the chart
// goes, the part over the bar in the bar's text colour. Each part of the
// caption is drawn in black or white, whichever reads better on what lies
// behind it.
class ChartBar : public QLabel {
public:
    explicit ChartBar(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

    void setLength(int pixels) {
        m_length = pixels;
        update();
    }
    void setColour(const QColor& colour) {
        QPalette p = palette();
        p.setColor(QPalette::Window, colour);
        p.setColor(QPalette::WindowText, platform::ui::readableOn(colour));
        setPalette(p);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const int end = std::min(m_length, width());
        painter.fillRect(0, 0, end, height(), palette().color(QPalette::Window));
        const QFontMetrics fm(font());
        const int textWidth = fm.horizontalAdvance(text());
        int left = std::max(0, width() - textWidth);
        if (textWidth <= end)
            left = end - textWidth;
        else if (end + fm.horizontalAdvance(QLatin1Char(' ')) + textWidth <= width())
            left = end + fm.horizontalAdvance(QLatin1Char(' '));
        const QRect where(left, 0, textWidth, height());
        const QColor behind = parentWidget()->palette().color(QPalette::Window);
        const std::pair<QRect, QColor> parts[] = {
            {QRect(0, 0, end, height()), palette().color(QPalette::WindowText)},
            {QRect(end, 0, width() - end, height()), platform::ui::readableOn(behind)}};
        for (const auto& [clip, colour] : parts) {
            painter.setClipRect(clip);
            painter.setPen(colour);
            painter.drawText(where, Qt::AlignLeft | Qt::AlignVCenter, text());
        }
    }

private:
    int m_length = 0;
};

QLabel* makeBar(QWidget* parent, const QString& name, const QString& caption,
                const QColor& colour) {
    auto* bar = new ChartBar(parent);
    platform::ui::name(bar, name);
    bar->setText(caption);
    bar->setColour(colour);
    return bar;
}

// Whole points of a bar: one step of 48 twips per point, none below 1.
int barPoints(double points) {
    if (!(points >= 1))
        return 0;
    return static_cast<int>(std::min<double>(std::floor(points), kMaxBarPoints));
}

} // namespace

namespace scoring {

double passingScore(const QString& passingScoreField) {
    return storage::rules::passingScore(passingScoreField);
}

double passingScoreOfTest(const QString& testPath) {
    if (const storage::IoResult<storage::TestRecord> header =
            storage::shared::readTestRecord(testPath, 1))
        return passingScore(header->text(storage::TestRecord::PassingScore));
    return 75;
}

RunResult runResult(const QString& testPath, const QString& candidateName, int score) {
    RunResult result;
    result.testName = storage::rules::testNameFromPath(testPath);
    result.candidateName = candidateName;
    result.date = platform::dateText();
    result.time = platform::timeText();
    result.score = score;
    result.passingScore = passingScoreOfTest(testPath);
    return result;
}

} // namespace scoring

ScoreWindow::ScoreWindow() {
    platform::ui::name(this, QStringLiteral("frmScore"));
    setEscapeCloses(true);
    setWindowTitle(tr("Test Score"));
    setFont(platform::ui::defaultFont());
    setGivenSize(platform::ui::px(5790), platform::ui::px(3600));

    m_testNameLabel =
        makeLabel(this, QStringLiteral("Label1"), platform::ui::twips(240, 120, 2535, 375));
    m_testNameLabel->setFont(platform::ui::font(QStringLiteral("MS Sans Serif"), 9.75, true));
    m_candidateLabel =
        makeLabel(this, QStringLiteral("Label2"), platform::ui::twips(240, 360, 2535, 375));
    m_dateLabel =
        makeLabel(this, QStringLiteral("Label3"), platform::ui::twips(3960, 120, 1575, 255));
    m_dateLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    m_timeLabel =
        makeLabel(this, QStringLiteral("Label4"), platform::ui::twips(3960, 360, 1575, 255));
    m_timeLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);

    m_chart = new QGroupBox(this);
    platform::ui::name(m_chart, QStringLiteral("Frame1"));
    platform::ui::readAs(m_chart, tr("Score chart"));
    platform::ui::place(m_chart, platform::ui::twips(240, 840, 5295, 2175));
    makeLine(m_chart, QStringLiteral("Line3"), tr("0 percent"), 240);
    makeLine(m_chart, QStringLiteral("Line1"), tr("50 percent"), 2640);
    makeLine(m_chart, QStringLiteral("Line2"), tr("100 percent"), 5040);
    m_passingBar = makeBar(m_chart, QStringLiteral("barRequired"), tr("Passing Grade = "),
                           platform::ui::rgb(255, 255, 0));
    setBarWidth(m_passingBar, kDesignedBarWidth);
    m_scoreBar = makeBar(m_chart, QStringLiteral("barMyScore"), tr("Your score = "),
                         platform::ui::rgb(128, 128, 0));
    setBarWidth(m_scoreBar, kDesignedBarWidth);

    m_printButton = platform::ui::button(this, QStringLiteral("Command2"), tr("Print"),
                                         platform::ui::twips(2880, 3120, 1335, 375));
    m_okButton = platform::ui::button(this, QStringLiteral("Command1"), tr("&Ok"),
                                      platform::ui::twips(4320, 3120, 1215, 375));
    m_okButton->setDefault(true);
    // Enter closes the window, as its default button says; printing is one Tab away.
    QWidget::setTabOrder(m_okButton, m_printButton);
    m_okButton->setFocus();
    connect(m_printButton, &QPushButton::clicked, this, &ScoreWindow::onPrint);
    connect(m_okButton, &QPushButton::clicked, this, &ScoreWindow::unload);
}

void ScoreWindow::setBarWidth(QLabel* bar, int twips) {
    (bar == m_passingBar ? m_passingTwips : m_scoreTwips) = twips;
    const int top = bar == m_passingBar ? 600 : 1200;
    // The bar's control reaches to the chart's frame, for a caption beside a short bar.
    const int left = platform::ui::px(kBarLeft);
    const int frame = m_chart->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_chart);
    platform::ui::place(bar, QRect(left, platform::ui::px(top),
                                   platform::ui::givenPlace(m_chart).width() - left - 2 * frame,
                                   platform::ui::px(kBarHeight)));
    static_cast<ChartBar*>(bar)->setLength(platform::ui::px(twips));
}

void ScoreWindow::showResult(const scoring::RunResult& result) {
    setResult(result);
    showModal();
}

void ScoreWindow::onActivated() {
    centerOnScreen();
    showHeading();

    // Every activation draws the chart from the designed bars, so a second
    // activation cannot stretch them further.
    const double p = m_result.passingScore;
    showPassingBar(p);
    const int score = m_result.score;
    showScoreBar(score, storage::rules::passes(score, p));
    // Read as it opens, in the order it is seen: left to itself a screen
    // reader picks a few of the loose labels and skips the test and the name.
    platform::spoken::describeWindow(this, {m_testNameLabel, m_candidateLabel, m_dateLabel,
                                            m_timeLabel, m_passingBar, m_scoreBar});
}

void ScoreWindow::showHeading() {
    m_testNameLabel->setText(m_result.testName);
    m_candidateLabel->setText(tr("Name: ") + m_result.candidateName);
    m_dateLabel->setText(m_result.date);
    m_timeLabel->setText(m_result.time);
}

void ScoreWindow::showPassingBar(double p) {
    const int points = barPoints(p);
    setBarWidth(m_passingBar, kDesignedBarWidth + kTwipsPerPoint * points);
    m_passingBar->setAccessibleDescription(
        tr("Passing score ") + storage::rules::numberText(p).trimmed() + QLatin1Char('%'));
    m_passingBar->setText(points > 0 ? tr("Passing Score = ") + storage::rules::numberText(p) +
                                           QStringLiteral("%   ")
                                     : tr("Passing Grade = "));
}

void ScoreWindow::showScoreBar(int score, bool passed) {
    const int points = barPoints(score);
    setBarWidth(m_scoreBar, kDesignedBarWidth + kTwipsPerPoint * points);
    QString caption = points > 0 ? tr("Your Score = ") +
                                       storage::rules::numberText(static_cast<long long>(score)) +
                                       QStringLiteral("%   ")
                                 : tr("Your score = ");
    static_cast<ChartBar*>(m_scoreBar)
        ->setColour(platform::ui::standardColor(passed ? kGreen : kRed));
    caption += tr(passed ? kPass : kFail);
    m_scoreBar->setText(caption);
    m_scoreBar->setAccessibleDescription(
        tr("Your score %1%, %2").arg(score).arg(passed ? tr("pass") : tr("fail")));
}

// The page shows the chart on white, without the buttons; the screen is put
// back as it was.
void ScoreWindow::onPrint() {
    QPointer<QWidget> focused = focusWidget(); // hiding the buttons takes it away
    m_printButton->hide();
    m_okButton->hide();
    const QPalette windowPalette = palette();
    const bool windowFilled = autoFillBackground();
    const QPalette chartPalette = m_chart->palette();
    const bool chartFilled = m_chart->autoFillBackground();
    platform::ui::setBackColor(m_chart, platform::ui::standardColor(kBrightWhite));
    platform::ui::setBackColor(this, platform::ui::standardColor(kBrightWhite));

    platform::printWindow(this);

    setPalette(windowPalette);
    setAutoFillBackground(windowFilled);
    m_chart->setPalette(chartPalette);
    m_chart->setAutoFillBackground(chartFilled);
    m_printButton->show();
    m_okButton->show();
    if (focused)
        focused->setFocus();
}
