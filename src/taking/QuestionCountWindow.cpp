#include "QuestionCountWindow.h"

#include "Controls.h"
#include "Layout.h"
#include "OptionWalk.h"
#include "Spoken.h"
#include "UpDownBar.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

namespace {
// A white box with a border, drawn behind a count.
void whiteBox(QWidget* parent, const QString& controlName, const QRect& where) {
    QLabel* box = platform::ui::label(parent, controlName, QString(), where);
    box->setFrameShape(QFrame::Box);
    box->setLineWidth(1);
    platform::ui::setBackColor(box, platform::ui::standardColor(15));
}

QLabel* countLabel(QWidget* parent, const QString& controlName, const QRect& where) {
    QLabel* label = platform::ui::label(parent, controlName, QString(), where);
    label->setFont(platform::ui::font(QStringLiteral("Arial"), 9, true));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// One line of the etched separator above "&Ok".
void separatorLine(QWidget* parent, const QString& controlName, int top, const QColor& color) {
    auto* line = new QFrame(parent);
    platform::ui::name(line, controlName);
    platform::ui::readAs(line, QuestionCountWindow::tr("Separator"));
    platform::ui::place(
        line, QRect(platform::ui::px(120), top, platform::ui::px(5280) - platform::ui::px(120), 1));
    platform::ui::setBackColor(line, color);
}
} // namespace

QuestionCountWindow::QuestionCountWindow() {
    platform::ui::name(this, QStringLiteral("frmNumOfQ"));
    setEscapeCloses(true);
    setWindowTitle(tr("Select number or questions"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setFont(platform::ui::defaultFont());
    setGivenSize(platform::ui::px(5430), platform::ui::px(2370));

    m_availableCaption =
        platform::ui::label(this, QStringLiteral("Label1"),
                            tr("This test has the following number of questions available"),
                            platform::ui::twips(240, 225, 4155, 255));
    whiteBox(this, QStringLiteral("Label3"), platform::ui::twips(4440, 165, 735, 345));
    m_availableCount =
        countLabel(this, QStringLiteral("lblAvailQ"), platform::ui::twips(4485, 210, 645, 255));
    // The caption names the count, and the heading the options (below): a
    // screen reader then reads the window's description, which holds the count
    // (see prepare()), rather than the captions without it.
    m_availableCaption->setBuddy(m_availableCount);
    buildChoices();

    // An etched separator: a dark line with a white one just below it.
    separatorLine(this, QStringLiteral("Line2"), platform::ui::px(1800),
                  platform::ui::standardColor(8));
    separatorLine(this, QStringLiteral("Line1"), platform::ui::px(1800) + 1,
                  platform::ui::standardColor(15));

    QPushButton* ok = platform::ui::button(this, QStringLiteral("Command1"), tr("&Ok"),
                                           platform::ui::twips(2040, 1920, 1335, 375));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QuestionCountWindow::hideWindow);
}

void QuestionCountWindow::buildChoices() {
    m_choicesHeading = platform::ui::label(this, QStringLiteral("Label4"),
                                           tr("Select number of questions to take"),
                                           platform::ui::twips(240, 720, 4000, 255));
    m_choicesHeading->setFont(platform::ui::font(QStringLiteral("Arial"), 8.25, true));

    const auto option = [this](const QString& controlName, const QString& caption,
                               const QRect& where) {
        auto* button = new QRadioButton(caption, this);
        platform::ui::name(button, controlName);
        platform::ui::place(button, where);
        // The custom count can be set exactly while its option is selected.
        connect(button, &QRadioButton::toggled, this,
                [this] { enableCustomCount(m_custom->isChecked()); });
        return button;
    };
    m_all = option(QStringLiteral("optAll"), tr("All Questions"),
                   platform::ui::twips(405, 975, 2175, 255));
    m_half = option(QStringLiteral("optHalf"), tr("Half of the Questions"),
                    platform::ui::twips(405, 1230, 2175, 255));
    m_custom = option(QStringLiteral("optCustom"), tr("Custom # of Questions"),
                      platform::ui::twips(2790, 960, 2415, 255));
    // The custom option sits beside the other two: Qt's own arrow keys would
    // never reach it from "Half of the Questions".
    platform::ui::OptionWalk::install({m_all, m_half, m_custom});
    m_choicesHeading->setBuddy(m_all);

    whiteBox(this, QStringLiteral("Label6"), platform::ui::twips(3075, 1230, 1095, 375));
    m_customCount =
        countLabel(this, QStringLiteral("lblQtoTake"), platform::ui::twips(3120, 1290, 705, 255));
    m_customCount->setText(QStringLiteral("1"));
    m_customCounter = new UpDownBar(this);
    platform::ui::name(m_customCounter, QStringLiteral("scrQtoTake"));
    platform::ui::readAs(m_customCounter, tr("Custom number of questions"));

    platform::ui::place(m_customCounter, platform::ui::twips(3870, 1260, 270, 315));
    connect(m_customCounter, &UpDownBar::countChanged, this,
            [this](int count) { m_customCount->setText(QString::number(count)); });

    m_all->setChecked(true);
    enableCustomCount(false);
}

std::optional<int> QuestionCountWindow::chooseCount(int available) {
    prepare(available);
    const QPointer<QuestionCountWindow> self(this);
    showModal();
    if (!self || self->isUnloading())
        return std::nullopt;
    return chosenCount();
}

void QuestionCountWindow::prepare(int available) {
    m_available = available;
    m_availableCount->setText(QString::number(available));
    platform::spoken::describeWindow(this, {m_availableCaption, m_availableCount});
    m_customCount->setText(m_availableCount->text());
    m_customCounter->setCountRange(1, available);
    m_customCounter->setCount(available);
    m_all->setChecked(true);
    enableCustomCount(false);
}

void QuestionCountWindow::onActivated() {
    m_customCounter->setCount(1);
    m_customCount->setText(QStringLiteral("1"));
}

void QuestionCountWindow::enableCustomCount(bool on) {
    m_customCount->setEnabled(on);
    m_customCounter->setEnabled(on);
}

taking::CountChoice QuestionCountWindow::choice() const {
    if (m_half->isChecked())
        return taking::CountChoice::Half;
    if (m_custom->isChecked())
        return taking::CountChoice::Custom;
    return taking::CountChoice::All;
}

int QuestionCountWindow::chosenCount() const {
    return taking::questionsToTake(choice(), m_available, m_customCounter->count());
}
