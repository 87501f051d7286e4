#include "ScoreLogWindow.h"

#include "Controls.h"
#include "FileNames.h"
#include "ScoreLog.h"
#include "SharedState.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>

ScoreLogWindow::ScoreLogWindow() {
    ui::name(this, QStringLiteral("Form1"));
    setEscapeCloses(true);
    setFont(ui::defaultFont());
    setFixedSize(ui::px(5760), ui::px(4050));

    Frame1 = new QGroupBox(this);
    ui::name(Frame1, QStringLiteral("Frame1"));
    ui::readAs(Frame1, QStringLiteral("Score log"));
    Frame1->setGeometry(ui::twips(120, 0, 5535, 3495));
    Text1 = new QPlainTextEdit(Frame1);
    ui::name(Text1, QStringLiteral("Text1"));
    ui::readAs(Text1, QStringLiteral("Score log entries"));
    Text1->setGeometry(ui::twips(120, 240, 5295, 3135));
    Text1->setReadOnly(true);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setFont(ui::font(QStringLiteral("Courier New"), 9));
    ui::setBackColor(Text1, ui::rgb(192, 255, 192));

    Command1 = new QPushButton(QStringLiteral("&Done"), this);
    ui::name(Command1, QStringLiteral("Command1"));
    Command1->setGeometry(ui::twips(2280, 3600, 1215, 375));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &ScoreLogWindow::Command1_Click);
}

void ScoreLogWindow::onActivated() {
    centerOnScreen();
    Text1->clear();
    setWindowTitle(m_logPath.isEmpty() ? QString()
                                       : filename::shown(QFileInfo(m_logPath).fileName()));
    if (!m_logPath.isEmpty())
        scoring::showLog(Text1, m_logPath);
}

void ScoreLogWindow::Command1_Click() {
    unload();
}
