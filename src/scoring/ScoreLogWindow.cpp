#include "ScoreLogWindow.h"

#include "Controls.h"
#include "FileNames.h"
#include "Layout.h"
#include "ScoreLog.h"
#include "SharedState.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>

ScoreLogWindow::ScoreLogWindow() {
    platform::ui::name(this, QStringLiteral("Form1"));
    setEscapeCloses(true);
    setFont(platform::ui::defaultFont());
    setGivenSize(platform::ui::px(5760), platform::ui::px(4050));

    auto* frame = new QGroupBox(this);
    platform::ui::name(frame, QStringLiteral("Frame1"));
    platform::ui::readAs(frame, tr("Score log"));
    platform::ui::place(frame, platform::ui::twips(120, 0, 5535, 3495));
    m_entriesView = new QPlainTextEdit(frame);
    platform::ui::name(m_entriesView, QStringLiteral("Text1"));
    platform::ui::readAs(m_entriesView, tr("Score log entries"));
    platform::ui::place(m_entriesView, platform::ui::twips(120, 240, 5295, 3135));
    platform::ui::makeReadOnly(m_entriesView);
    m_entriesView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_entriesView->setFont(platform::ui::font(QStringLiteral("Courier New"), 9));
    platform::ui::setBackColor(m_entriesView, platform::ui::rgb(192, 255, 192));

    QPushButton* doneButton = platform::ui::button(this, QStringLiteral("Command1"), tr("&Done"),
                                                   platform::ui::twips(2280, 3600, 1215, 375));
    doneButton->setDefault(true);
    connect(doneButton, &QPushButton::clicked, this, &ScoreLogWindow::unload);
}

void ScoreLogWindow::onActivated() {
    centerOnScreen();
    m_entriesView->clear();
    setWindowTitle(m_logPath.isEmpty() ? QString()
                                       : storage::filename::shown(QFileInfo(m_logPath).fileName()));
    if (!m_logPath.isEmpty())
        scoring::showLog(m_entriesView, m_logPath);
}
