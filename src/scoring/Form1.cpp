#include "Form1.h"

#include "Controls.h"
#include "FileListBox.h"
#include "frmMain.h"
#include "Module1.h"
#include "ScoreLog.h"

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>

Form1::Form1() {
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
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
}

void Form1::Form_Activate() {
    Module1::CenterForm(this);
    Text1->clear();
    const frmMain* main = Forms::find<frmMain>();
    const QString name = main ? main->File3->fileName() : QString();
    setWindowTitle(name);
    if (name.isEmpty())
        return;
    scoring::showLog(Text1, Module1::joinPath(main->File3->path(), name));
}

void Form1::Command1_Click() {
    Unload();
}
