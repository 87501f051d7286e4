#include "PropertiesWindow.h"

#include "Controls.h"
#include "HeaderRecord.h"
#include "Layout.h"
#include "OptionWalk.h"
#include "Services.h"
#include "SharedState.h"
#include "TextRules.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace {

// A frame of four feedback boxes, top to bottom: the verdict, the
// explanation, the correct answer and the grade so far, ticked as in a new test.
struct FeedbackFrame {
    const char* name;
    const char* title;
    QRect where;
    std::array<const char*, 4> boxNames;
    const char* verdict;
    std::array<bool, 4> ticked;
};

const FeedbackFrame kCorrectFrame = {
    "Frame1",
    QT_TRANSLATE_NOOP("PropertiesWindow", "When question is answered correctly..."),
    platform::ui::twips(240, 840, 3000, 1455),
    {"chkCorrect1", "ChkCorrect2", "chkCorrect3", "chkCorrect4"},
    QT_TRANSLATE_NOOP("PropertiesWindow", "Correct!"),
    {true, false, false, false}};
const FeedbackFrame kIncorrectFrame = {
    "Frame2",
    QT_TRANSLATE_NOOP("PropertiesWindow", "When question is answered incorrectly..."),
    platform::ui::twips(3360, 840, 3135, 1455),
    {"chkIncorrect1", "chkIncorrect2", "chkIncorrect3", "chkIncorrect4"},
    QT_TRANSLATE_NOOP("PropertiesWindow", "Incorrect!"),
    {true, true, true, false}};

std::array<QCheckBox*, 4> makeFeedbackFrame(QWidget* parent, const FeedbackFrame& f) {
    auto* frame = new QGroupBox(PropertiesWindow::tr(f.title), parent);
    platform::ui::name(frame, QLatin1String(f.name));
    platform::ui::place(frame, f.where);
    const std::array<QString, 4> captions = {
        PropertiesWindow::tr("Display \"%1\"").arg(PropertiesWindow::tr(f.verdict)),
        PropertiesWindow::tr("Display the Explanation"),
        PropertiesWindow::tr("Display the correct answer"),
        PropertiesWindow::tr("Display current grade so far")};
    std::array<QCheckBox*, 4> boxes{};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        boxes[i] = platform::ui::checkBox(
            frame, QLatin1String(f.boxNames[i]), captions[i],
            platform::ui::twips(120, 300 + 270 * static_cast<int>(i), 2775, 255));
        boxes[i]->setChecked(f.ticked[i]);
    }
    return boxes;
}

std::array<bool, 4> tickedBoxes(const std::array<QCheckBox*, 4>& boxes) {
    std::array<bool, 4> on{};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        on[i] = boxes[i]->isChecked();
    return on;
}

} // namespace

PropertiesWindow::PropertiesWindow() {
    platform::ui::name(this, QStringLiteral("frmProperties"));
    setEscapeCloses(true);
    setWindowTitle(tr("Properties"));
    setFont(platform::ui::defaultFont());
    setGivenSize(platform::ui::px(6615), platform::ui::px(4680));

    makeOwnerAndPassword();
    m_correctFeedback = makeFeedbackFrame(this, kCorrectFrame);
    m_incorrectFeedback = makeFeedbackFrame(this, kIncorrectFrame);
    makeAnswerOrder();
    m_cancelButton = platform::ui::button(this, QStringLiteral("Command2"), tr("Cancel"),
                                          platform::ui::twips(3960, 4080, 1095, 375));
    m_saveButton = platform::ui::button(this, QStringLiteral("Command1"), tr("Save/Done"),
                                        platform::ui::twips(5280, 4080, 1095, 375));
    m_saveButton->setDefault(true);
    makePassingScore();
    m_readMeButton = platform::ui::button(this, QStringLiteral("Command3"), tr("Read Me"),
                                          platform::ui::twips(2640, 4080, 1095, 375));
    orderTabStops();

    connect(m_passingScoreBar, &QScrollBar::valueChanged, this,
            &PropertiesWindow::onPassingScoreChanged);
    connect(m_saveButton, &QPushButton::clicked, this, &PropertiesWindow::onSave);
    connect(m_cancelButton, &QPushButton::clicked, this, &PropertiesWindow::onCancel);
    connect(m_readMeButton, &QPushButton::clicked, this, &PropertiesWindow::showReadMe);
}

void PropertiesWindow::makeOwnerAndPassword() {
    QLabel* owner = platform::ui::label(this, QStringLiteral("Label1"), tr("Owner"),
                                        platform::ui::twips(240, 120, 2895, 255));
    m_ownerBox = platform::ui::lineEdit(this, QStringLiteral("txtOwner"), owner,
                                        platform::ui::twips(240, 360, 2895, 315));
    QLabel* password = platform::ui::label(this, QStringLiteral("Label2"), tr("Password"),
                                           platform::ui::twips(3480, 120, 2895, 255));
    m_passwordBox = platform::ui::lineEdit(this, QStringLiteral("txtPassword"), password,
                                           platform::ui::twips(3480, 360, 2895, 315));
}

void PropertiesWindow::makeAnswerOrder() {
    auto* frame = new QGroupBox(tr("When the question is a multiple choice..."), this);
    platform::ui::name(frame, QStringLiteral("Frame3"));
    platform::ui::place(frame, platform::ui::twips(240, 2400, 6135, 915));
    m_shuffleButton = new QRadioButton(tr("Shuffle the answers into a random order"), frame);
    platform::ui::name(m_shuffleButton, QStringLiteral("optShuffle"));
    platform::ui::place(m_shuffleButton, platform::ui::twips(120, 330, 5895, 255));
    m_shuffleButton->setChecked(true);
    m_keepOrderButton =
        new QRadioButton(tr("Display the asnwers in the same order I enter them"), frame);
    platform::ui::name(m_keepOrderButton, QStringLiteral("optNoShuffle"));
    platform::ui::place(m_keepOrderButton, platform::ui::twips(120, 600, 5895, 255));
    m_answerOrderWalk = platform::ui::OptionWalk::install({m_shuffleButton, m_keepOrderButton});
}

void PropertiesWindow::makePassingScore() {
    auto* frame = new QGroupBox(tr("Passing Score"), this);
    platform::ui::name(frame, QStringLiteral("Frame4"));
    platform::ui::place(frame, platform::ui::twips(240, 3360, 2175, 1095));
    m_passingScoreLabel = platform::ui::label(frame, QStringLiteral("Label5"), QString(),
                                              platform::ui::twips(120, 420, 1455, 375));
    m_passingScoreLabel->setFont(platform::ui::font(QStringLiteral("Arial"), 12, true));

    // 50 at the top, as the bar's own arrows and keys move its handle. It is
    // read by its frame's title, and takes the focus like any other control.
    m_passingScoreBar = new QScrollBar(Qt::Vertical, frame);
    platform::ui::name(m_passingScoreBar, QStringLiteral("VScroll1"));
    m_passingScoreBar->setFocusPolicy(Qt::StrongFocus);
    platform::ui::place(m_passingScoreBar, platform::ui::twips(1680, 240, 255, 735));
    m_passingScoreBar->setRange(50, 100);
    m_passingScoreBar->setSingleStep(1);
    m_passingScoreBar->setPageStep(1);
    m_passingScoreBar->setValue(50);
    onPassingScoreChanged();
}

void PropertiesWindow::orderTabStops() {
    QList<QWidget*> order = {m_ownerBox, m_passwordBox};
    order.append({m_correctFeedback.begin(), m_correctFeedback.end()});
    order.append({m_incorrectFeedback.begin(), m_incorrectFeedback.end()});
    order.append({m_shuffleButton, m_keepOrderButton, m_cancelButton, m_saveButton, m_readMeButton,
                  m_passingScoreBar});
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void PropertiesWindow::onLoaded() {
    centerOnScreen();
}

std::optional<storage::TestRecord> PropertiesWindow::openFor(const QString& testPath) {
    storage::IoResult<storage::TestRecord> read = storage::shared::readTestRecord(testPath, 1);
    if (!read) {
        platform::msgBox(read.status().message(tr("The test's settings could not be read from")));
        return std::nullopt;
    }
    storage::TestRecord header = *std::move(read);
    PropertiesWindow& w = WindowRegistry::get<PropertiesWindow>();
    w.m_testPath = testPath;
    w.showSettings(header);
    // The window unloads itself when it closes: what it saved comes back by
    // its signal, heard only while this call waits.
    const QMetaObject::Connection saved =
        connect(&w, &PropertiesWindow::headerSaved, &w,
                [&header](const storage::TestRecord& written) { header = written; });
    w.showModal();
    disconnect(saved);
    return header;
}

void PropertiesWindow::showSettings(const storage::TestRecord& header) {
    m_ownerBox->setText(platform::ui::shownText(header.text(storage::TestRecord::Owner)));
    m_passwordBox->setText(platform::ui::shownText(header.text(storage::TestRecord::Password)));
    // Any other stored flag leaves the buttons as they are.
    if (header.shuffleFlag() == 0)
        m_keepOrderButton->setChecked(true);
    else if (header.shuffleFlag() == 1)
        m_shuffleButton->setChecked(true);
    m_answerOrderWalk->resetTabStops();
    for (int i = 0; i < 4; ++i) {
        m_correctFeedback[i]->setChecked(
            storage::flagOn(header, storage::TestRecord::CorrectFeedback, i + 1));
        m_incorrectFeedback[i]->setChecked(
            storage::flagOn(header, storage::TestRecord::IncorrectFeedback, i + 1));
    }
    m_passingScoreBar->setValue(storage::passingScoreToShow(header));
    onPassingScoreChanged(); // also when the value happens not to change
}

void PropertiesWindow::storeSettings(storage::TestRecord& header) const {
    if (!m_ownerBox->text().isEmpty())
        header.setText(storage::TestRecord::Owner, m_ownerBox->text());
    if (!m_passwordBox->text().isEmpty())
        header.setText(storage::TestRecord::Password, m_passwordBox->text());
    if (m_keepOrderButton->isChecked())
        header.setShuffleFlag(0);
    else if (m_shuffleButton->isChecked())
        header.setShuffleFlag(1);
    header.setText(storage::TestRecord::CorrectFeedback,
                   storage::flagText(tickedBoxes(m_correctFeedback)));
    header.setText(storage::TestRecord::IncorrectFeedback,
                   storage::flagText(tickedBoxes(m_incorrectFeedback)));
    header.setText(storage::TestRecord::PassingScore,
                   storage::passingScoreText(m_passingScoreBar->value()));
}

void PropertiesWindow::onPassingScoreChanged() {
    m_passingScoreLabel->setText(
        QStringLiteral("  ") +
        storage::rules::numberText(static_cast<long long>(m_passingScoreBar->value())) +
        QLatin1Char('%'));
}

void PropertiesWindow::onSave() {
    const QString path = m_testPath.isEmpty() ? storage::shared::testPath : m_testPath;
    // Read again, so that fields this window does not show stay as on disk.
    storage::IoResult<storage::TestRecord> read = storage::shared::readTestRecord(path, 1);
    if (!read) {
        platform::msgBox(read.status().message(tr("The test's settings could not be read from")));
        return;
    }
    storage::TestRecord header = *std::move(read);
    storeSettings(header);
    if (const storage::IoStatus st = storage::shared::writeTestRecord(path, 1, header); !st) {
        // The window stays open with the author's settings, to try again.
        platform::msgBox(st.message(tr("The test's settings could not be saved to")));
        return;
    }
    emit headerSaved(header);
    unload();
}

void PropertiesWindow::onCancel() {
    unload();
}

void PropertiesWindow::showReadMe() {
    platform::msgBox(platform::lines({
        tr("When someone goes to take this test, they will first be"),
        tr("presented with a Test Introduction screen with the "),
        tr("Name of the test, your name (as you entered in  "),
        tr("the [OWNER] field, and a bitmap or icon of a pen "),
        tr("writing on a test page."),
        QString(),
        tr("You can replace the icon with any bitmap you want simply "),
        tr("by placing a .bmp file in the /tests directory that has "),
        tr("the same name as your test. For example, if the name of"),
        tr("your test is  MYTEST, your bitmap should be named MYTEST.BMP"),
    }));
}
