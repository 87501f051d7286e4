#include "ScoreWindow.h"

#include "Controls.h"
#include "Services.h"
#include "SharedState.h"
#include "TextRules.h"

#include <cmath>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

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

const QString kPass = QStringLiteral("  (PASS)    ");
const QString kFail = QStringLiteral("  (FAIL)    ");

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption = {}) {
    return ui::label(parent, name, caption);
}

QFrame* makeLine(QWidget* parent, const QString& name, const QString& spokenName, int x) {
    auto* line = new QFrame(parent);
    ui::name(line, name);
    ui::readAs(line, spokenName);
    line->setGeometry(ui::px(x), ui::px(360), 1, ui::px(1920 - 360));
    ui::setBackColor(line, ui::qbColor(kBlack));
    return line;
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
    const double p = rules::leadingNumber(passingScoreField);
    return p == 0 ? 75 : p;
}

} // namespace scoring

ScoreWindow::ScoreWindow() {
    ui::name(this, QStringLiteral("frmScore"));
    setEscapeCloses(true);
    setWindowTitle(QStringLiteral("Test Score"));
    setFont(ui::defaultFont());
    setFixedSize(ui::px(5790), ui::px(3600));

    Label1 = makeLabel(this, QStringLiteral("Label1"));
    Label1->setGeometry(ui::twips(240, 120, 2535, 375));
    Label1->setFont(ui::font(QStringLiteral("MS Sans Serif"), 9.75, true));
    Label2 = makeLabel(this, QStringLiteral("Label2"));
    Label2->setGeometry(ui::twips(240, 360, 2535, 375));
    Label3 = makeLabel(this, QStringLiteral("Label3"));
    Label3->setGeometry(ui::twips(3960, 120, 1575, 255));
    Label3->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label4 = makeLabel(this, QStringLiteral("Label4"));
    Label4->setGeometry(ui::twips(3960, 360, 1575, 255));
    Label4->setAlignment(Qt::AlignRight | Qt::AlignTop);

    Frame1 = new QGroupBox(this);
    ui::name(Frame1, QStringLiteral("Frame1"));
    ui::readAs(Frame1, QStringLiteral("Score chart"));
    Frame1->setGeometry(ui::twips(240, 840, 5295, 2175));
    Line3 = makeLine(Frame1, QStringLiteral("Line3"), QStringLiteral("0 percent"), 240);
    Line1 = makeLine(Frame1, QStringLiteral("Line1"), QStringLiteral("50 percent"), 2640);
    Line2 = makeLine(Frame1, QStringLiteral("Line2"), QStringLiteral("100 percent"), 5040);

    barRequired =
        makeLabel(Frame1, QStringLiteral("barRequired"), QStringLiteral("Passing Grade = "));
    barRequired->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ui::setBackColor(barRequired, ui::rgb(255, 255, 0));
    setBarWidth(barRequired, kDesignedBarWidth);
    barMyScore = makeLabel(Frame1, QStringLiteral("barMyScore"), QStringLiteral("Your score = "));
    barMyScore->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ui::setBackColor(barMyScore, ui::rgb(128, 128, 0));
    setBarWidth(barMyScore, kDesignedBarWidth);

    Command2 = new QPushButton(QStringLiteral("Print"), this);
    ui::name(Command2, QStringLiteral("Command2"));
    Command2->setGeometry(ui::twips(2880, 3120, 1335, 375));
    Command1 = new QPushButton(QStringLiteral("&Ok"), this);
    ui::name(Command1, QStringLiteral("Command1"));
    Command1->setGeometry(ui::twips(4320, 3120, 1215, 375));
    Command1->setDefault(true);
    // Enter closes the window, as its default button says; printing is one Tab away.
    QWidget::setTabOrder(Command1, Command2);
    Command1->setFocus();
    connect(Command2, &QPushButton::clicked, this, &ScoreWindow::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &ScoreWindow::Command1_Click);
}

void ScoreWindow::setBarWidth(QLabel* bar, int twips) {
    (bar == barRequired ? m_requiredTwips : m_myScoreTwips) = twips;
    const int top = bar == barRequired ? 600 : 1200;
    bar->setGeometry(ui::px(kBarLeft), ui::px(top), ui::px(twips), ui::px(kBarHeight));
}

void ScoreWindow::onActivated() {
    centerOnScreen();
    Label1->setText(rules::testNameFromPath(shared::testPath));
    Label2->setText(QStringLiteral("Name: ") + shared::candidateName);
    Label3->setText(platform::dateText());
    Label4->setText(platform::timeText());

    // A test file gone since the run began leaves the usual passing score.
    double p = 75;
    if (const IoResult<TestRecord> header = shared::readTestRecord(shared::testPath, 1))
        p = scoring::passingScore(header->text(TestRecord::PassingScore));

    // Every activation draws the chart from the designed bars, so a second
    // activation cannot stretch them further.
    const int passingPoints = barPoints(p);
    setBarWidth(barRequired, kDesignedBarWidth + kTwipsPerPoint * passingPoints);
    barRequired->setAccessibleDescription(QStringLiteral("Passing score ") +
                                          rules::numberText(p).trimmed() + QLatin1Char('%'));
    barRequired->setText(passingPoints > 0 ? QStringLiteral("Passing Score = ") +
                                                 rules::numberText(p) + QStringLiteral("%   ")
                                           : QStringLiteral("Passing Grade = "));

    const int score = shared::finalScore;
    const int scorePoints = barPoints(score);
    setBarWidth(barMyScore, kDesignedBarWidth + kTwipsPerPoint * scorePoints);
    QString caption = scorePoints > 0 ? QStringLiteral("Your Score = ") +
                                            rules::numberText(static_cast<long long>(score)) +
                                            QStringLiteral("%   ")
                                      : QStringLiteral("Your score = ");
    const bool passed = !(score < p);
    ui::setBackColor(barMyScore, ui::qbColor(passed ? kGreen : kRed));
    ui::setForeColor(barMyScore, ui::qbColor(passed ? kBlack : kBrightWhite));
    caption += passed ? kPass : kFail;
    barMyScore->setText(caption);
    barMyScore->setAccessibleDescription(
        QStringLiteral("Your score %1%, %2")
            .arg(score)
            .arg(passed ? QStringLiteral("pass") : QStringLiteral("fail")));
}

void ScoreWindow::Command1_Click() {
    unload();
}

void ScoreWindow::Command2_Click() {
    QPointer<QWidget> focused = focusWidget(); // hiding the buttons takes it away
    Command2->hide();
    Command1->hide();
    const QPalette windowPalette = palette();
    const bool windowFilled = autoFillBackground();
    const QPalette framePalette = Frame1->palette();
    const bool frameFilled = Frame1->autoFillBackground();
    ui::setBackColor(Frame1, ui::qbColor(kBrightWhite));
    ui::setBackColor(this, ui::qbColor(kBrightWhite));

    platform::printWindow(this);

    setPalette(windowPalette);
    setAutoFillBackground(windowFilled);
    Frame1->setPalette(framePalette);
    Frame1->setAutoFillBackground(frameFilled);
    Command2->show();
    Command1->show();
    if (focused)
        focused->setFocus();
}
