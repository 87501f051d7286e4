#include "DetailedFeedbackWindow.h"

#include "Controls.h"
#include "Layout.h"
#include "Spoken.h"

#include <QGroupBox>
#include <QLabel>

namespace {
// A frame whose caption says what the text inside it is.
QGroupBox* textFrame(QWidget* window, const QString& controlName, const QString& caption,
                     const QRect& where) {
    auto* frame = new QGroupBox(caption, window);
    platform::ui::name(frame, controlName);
    platform::ui::place(frame, where);
    return frame;
}

QLabel* frameText(QGroupBox* frame, const QString& controlName, int height) {
    QLabel* text = platform::ui::label(frame, controlName, QString(),
                                       platform::ui::twips(120, 300, 6255, height));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setFont(platform::ui::defaultFont());
    platform::ui::setBackColor(text, platform::ui::rgb(255, 255, 192));
    return text;
}
} // namespace

DetailedFeedbackWindow::DetailedFeedbackWindow()
    : FeedbackWindow(QStringLiteral("frmBig"), QSize(6735, 5175)) {
    m_verdict = platform::ui::label(this, QStringLiteral("Label1"), tr("Correct Answer!"),
                                    platform::ui::twips(120, 120, 6495, 495));
    m_verdict->setAlignment(Qt::AlignCenter);
    m_verdict->setFont(platform::ui::font(QStringLiteral("Arial"), 12, true));
    platform::ui::setBackColor(m_verdict, platform::ui::standardColor(4));
    platform::ui::setForeColor(m_verdict, platform::ui::standardColor(14));

    m_explanationFrame = textFrame(this, QStringLiteral("Frame1"), tr("Explanation of Answer"),
                                   platform::ui::twips(120, 720, 6495, 1935));
    m_explanation = frameText(m_explanationFrame, QStringLiteral("Label2"), 1515);
    m_correctAnswerFrame = textFrame(this, QStringLiteral("Frame2"), tr("Correct Answer is"),
                                     platform::ui::twips(120, 2760, 6495, 1095));
    m_correctAnswer = frameText(m_correctAnswerFrame, QStringLiteral("Label3"), 675);

    m_correctSoFar = platform::ui::label(this, QStringLiteral("Label4"), tr("Correct so far ="),
                                         platform::ui::twips(120, 3960, 6495, 375));
    m_correctSoFar->setFont(platform::ui::font(QStringLiteral("Arial"), 9, true));

    addButtons(platform::ui::twips(120, 4440, 1935, 495),
               platform::ui::twips(4680, 4440, 1935, 495));
}

void DetailedFeedbackWindow::showFeedback(const Feedback& feedback) {
    m_verdict->setText(feedback.verdict);
    m_correctSoFar->setText(feedback.correctSoFar);
    m_explanationFrame->setVisible(feedback.explanation.has_value());
    m_explanation->setText(feedback.explanation.value_or(QString()));
    m_correctAnswerFrame->setVisible(feedback.correctAnswer.has_value());
    m_correctAnswer->setText(feedback.correctAnswer.value_or(QString()));
    platform::spoken::describeWindow(this, {m_verdict, m_explanationFrame, m_explanation,
                                            m_correctAnswerFrame, m_correctAnswer, m_correctSoFar});
    showModal();
}
