#include "MainWindow.h"

#include "Controls.h"
#include "FileListBox.h"
#include "HelpWindow.h"
#include "ImageBox.h"
#include "Pictures.h"
#include "PropertiesWindow.h"
#include "QuestionEditor.h"
#include "RunRules.h"
#include "ScoreLog.h"
#include "ScoreLogWindow.h"
#include "Services.h"
#include "SharedState.h"
#include "TestHeader.h"
#include "TestRunWindow.h"

#include <cerrno>
#include <cstring>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <sys/stat.h>

namespace {

// The five tab captions share one row of the container's width: tabs get a
// narrower margin than the style's default so that all of them fit.
class TightTabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_TabBarTabHSpace)
            return 8;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

FileListBox* makeFileList(QWidget* parent, const QString& name, QLabel* label,
                          const QString& pattern) {
    auto* f = new FileListBox(parent);
    ui::name(f, name);
    ui::labelFor(label, f);
    f->setPattern(pattern);
    return f;
}

} // namespace

MainWindow::MainWindow() {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    ui::name(this, QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quizdex "));
    setFont(ui::defaultFont());
    setFixedSize(ui::px(6645), ui::px(4050));

    SSTab1 = new QTabWidget(this);
    ui::name(SSTab1, QStringLiteral("SSTab1"));
    ui::readAs(SSTab1, QStringLiteral("Tasks"));
    SSTab1->setGeometry(ui::twips(120, 150, 6375, 3375));
    auto* tabStyle = new TightTabStyle();
    tabStyle->setParent(SSTab1);
    SSTab1->tabBar()->setStyle(tabStyle);
    SSTab1->setUsesScrollButtons(false);
    const QStringList captions = {
        QStringLiteral("Create a New Test"), QStringLiteral("Edit an Existing Test"),
        QStringLiteral("Take a Test"), QStringLiteral("View Score Log"), QStringLiteral("About")};
    for (const QString& caption : captions) {
        auto* page = new QWidget(SSTab1);
        ui::readAs(page, caption);
        SSTab1->addTab(page, caption);
    }

    // Create a New Test
    Label1 = ui::label(SSTab1, QStringLiteral("Label1"), QStringLiteral("Name of Test"));
    addToTab(0, Label1, 600, 600, 2895, 255);
    Text1 = ui::lineEdit(SSTab1, QStringLiteral("Text1"), Label1);
    addToTab(0, Text1, 600, 840, 2895, 315);
    Label2 = ui::label(SSTab1, QStringLiteral("Label2"), QStringLiteral("Owner (your name)"));
    addToTab(0, Label2, 600, 1320, 2895, 255);
    Text2 = ui::lineEdit(SSTab1, QStringLiteral("Text2"), Label2);
    addToTab(0, Text2, 600, 1560, 2895, 315);
    Label3 = ui::label(SSTab1, QStringLiteral("Label3"), QStringLiteral("Password"));
    addToTab(0, Label3, 600, 2040, 2895, 255);
    Text3 = ui::lineEdit(SSTab1, QStringLiteral("Text3"), Label3);
    Text3->setMaxLength(10);
    addToTab(0, Text3, 600, 2280, 1575, 315);
    Command1 = ui::button(SSTab1, QStringLiteral("Command1"), QStringLiteral("&Create"));
    addToTab(0, Command1, 4440, 840, 1215, 375);
    Command8 = ui::button(SSTab1, QStringLiteral("Command8"), QStringLiteral("&Read Me"));
    addToTab(0, Command8, 4440, 2760, 1215, 375);

    // Edit an Existing Test
    Label4 = ui::label(SSTab1, QStringLiteral("Label4"), QStringLiteral("Test to edit"));
    addToTab(1, Label4, 360, 600, 2415, 255);
    File1 = makeFileList(SSTab1, QStringLiteral("File1"), Label4, QStringLiteral("*.tst"));
    addToTab(1, File1, 360, 840, 2415, 1560);
    Image2 = new ImageBox(SSTab1);
    ui::name(Image2, QStringLiteral("Image2"));
    ui::readAs(Image2, QStringLiteral("Test picture"));
    Image2->setPicture(QPixmap::fromImage(pictures::penOnPage()));
    addToTab(1, Image2, 2895, 840, 975, 930);
    Label5 = ui::label(SSTab1, QStringLiteral("Label5"), QStringLiteral("Owner"));
    addToTab(1, Label5, 4080, 600, 2055, 255);
    txtCreator = ui::lineEdit(SSTab1, QStringLiteral("txtCreator"), Label5);
    addToTab(1, txtCreator, 4080, 840, 2055, 315);
    Label6 = ui::label(SSTab1, QStringLiteral("Label6"), QStringLiteral("Password"));
    addToTab(1, Label6, 4080, 1320, 2055, 255);
    txtPassword = ui::lineEdit(SSTab1, QStringLiteral("txtPassword"), Label6);
    txtPassword->setEchoMode(QLineEdit::Password);
    addToTab(1, txtPassword, 4080, 1560, 2055, 315);
    Command3 = ui::button(SSTab1, QStringLiteral("Command3"), QStringLiteral("&Edit"));
    addToTab(1, Command3, 4920, 2760, 1215, 375);

    // Take a Test
    Label7 = ui::label(SSTab1, QStringLiteral("Label7"), QStringLiteral("Select Test to Take"));
    addToTab(2, Label7, 360, 600, 2415, 255);
    File2 = makeFileList(SSTab1, QStringLiteral("File2"), Label7, QStringLiteral("*.tst"));
    addToTab(2, File2, 360, 840, 2415, 1560);
    Image1 = new ImageBox(SSTab1);
    ui::name(Image1, QStringLiteral("Image1"));
    ui::readAs(Image1, QStringLiteral("Test picture"));
    Image1->setPicture(QPixmap::fromImage(pictures::penOnPage()));
    addToTab(2, Image1, 2895, 840, 975, 930);
    Label8 = ui::label(SSTab1, QStringLiteral("Label8"), QStringLiteral("Your Name"));
    addToTab(2, Label8, 4080, 600, 2055, 255);
    txtName = ui::lineEdit(SSTab1, QStringLiteral("txtName"), Label8);
    addToTab(2, txtName, 4080, 840, 2055, 315);
    Check1 = new QCheckBox(QStringLiteral("Play sounds during test"), SSTab1);
    ui::name(Check1, QStringLiteral("Check1"));
    Check1->setChecked(true);
    addToTab(2, Check1, 4080, 1320, 2175, 255);
    Command4 = ui::button(SSTab1, QStringLiteral("Command4"), QStringLiteral("&Begin"));
    addToTab(2, Command4, 4920, 2760, 1215, 375);

    // View Score Log
    Label9 = ui::label(SSTab1, QStringLiteral("Label9"), QStringLiteral("Name"));
    addToTab(3, Label9, 600, 600, 2415, 255);
    File3 = makeFileList(SSTab1, QStringLiteral("File3"), Label9, QStringLiteral("*.log"));
    addToTab(3, File3, 600, 840, 2790, 1560);
    Text4 = new QPlainTextEdit(SSTab1);
    ui::name(Text4, QStringLiteral("Text4"));
    ui::readAs(Text4, QStringLiteral("Score log"));
    Text4->setReadOnly(true);
    Text4->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text4->setFont(ui::font(QStringLiteral("Arial"), 3.75, true, true));
    ui::setBackColor(Text4, ui::rgb(255, 255, 192));
    addToTab(3, Text4, 3525, 855, 2160, 1530);
    Command5 = ui::button(SSTab1, QStringLiteral("Command5"), QStringLiteral("Full &View"));
    addToTab(3, Command5, 4440, 2760, 1215, 375);

    // About
    Frame1 = new QGroupBox(SSTab1);
    ui::name(Frame1, QStringLiteral("Frame1"));
    ui::readAs(Frame1, QStringLiteral("Title"));
    addToTab(4, Frame1, 240, 480, 3495, 1455);
    for (int i : {1, 0}) { // element 0 lies over its yellow twin, as the title's face
        Label10[i] = new QLabel(QStringLiteral("Quizdex"), Frame1);
        Label10[i]->setTextFormat(Qt::PlainText);
        ui::name(Label10[i], QStringLiteral("Label10(%1)").arg(i));
        Label10[i]->setFont(ui::font(QStringLiteral("Times New Roman"), 36, true));
        Label10[i]->setAttribute(Qt::WA_TranslucentBackground);
        Label10[i]->setAlignment(Qt::AlignCenter);
    }
    ui::setForeColor(Label10[1], ui::rgb(255, 255, 0));
    Label10[1]->setAutoFillBackground(false);
    Label10[1]->setGeometry(ui::twips(180, 300, 3135, 855));
    Label10[0]->setGeometry(ui::twips(180 + 45, 300 - 30, 3135, 855));
    Label11 = ui::label(SSTab1, QStringLiteral("Label11"),
                        QStringLiteral("v 1.5.1  for Linux and Windows"));
    Label11->setAlignment(Qt::AlignCenter);
    addToTab(4, Label11, 240, 2040, 3495, 255);
    Frame2 = new QGroupBox(SSTab1);
    ui::name(Frame2, QStringLiteral("Frame2"));
    ui::readAs(Frame2, QStringLiteral("Picture"));
    addToTab(4, Frame2, 3960, 480, 2175, 1815);
    imageMe = new ImageBox(Frame2);
    ui::name(imageMe, QStringLiteral("imageMe"));
    ui::readAs(imageMe, QStringLiteral("Quizdex picture"));
    imageMe->setPicture(QPixmap::fromImage(pictures::aboutPicture()));
    imageMe->setGeometry(ui::twips(120, 240, 1935, 1455));
    Label12 = ui::label(SSTab1, QStringLiteral("Label12"),
                        QStringLiteral("..questions, comments, bug reports, etc.."));
    addToTab(4, Label12, 3600, 2400, 2655, 255);
    Label13 = ui::label(SSTab1, QStringLiteral("Label13"), QStringLiteral("quizdex@example.org"));
    addToTab(4, Label13, 3600, 2640, 2655, 255);
    Command7 = ui::button(SSTab1, QStringLiteral("Command7"), QStringLiteral("&Help"));
    addToTab(4, Command7, 240, 2640, 1215, 375);

    Command2 = ui::button(this, QStringLiteral("Command2"), QStringLiteral("E&xit"));
    Command2->setGeometry(ui::twips(5280, 3600, 1215, 375));

    SSTab1->setCurrentIndex(4);
    showTab(4);
    connect(SSTab1, &QTabWidget::currentChanged, this, [this](int tab) {
        showTab(tab);
        SSTab1_Click();
    });
    connect(Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &MainWindow::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &MainWindow::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &MainWindow::Command5_Click);
    connect(Command7, &QPushButton::clicked, this, &MainWindow::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &MainWindow::Command8_Click);
    connect(File1, &FileListBox::Click, this, &MainWindow::File1_Click);
    connect(File2, &FileListBox::Click, this, &MainWindow::File2_Click);
    connect(File3, &FileListBox::Click, this, &MainWindow::File3_Click);
    connect(&scoring::ScoreLogEvents::instance(), &scoring::ScoreLogEvents::logChanged, this,
            [this] { File3->refresh(); });
}

void MainWindow::addToTab(int tab, QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(ui::twips(left, top, width, height));
    m_tabControls[tab].append(w);
}

void MainWindow::showTab(int tab) {
    for (int t = 0; t < 5; ++t) {
        for (QWidget* w : m_tabControls[t])
            w->setVisible(t == tab);
    }
}

void MainWindow::onLoaded() {
    using shared::testsDir;
    testsDir = shared::defaultTestsDir();
    if (Check1->isChecked())
        m_soundResult =
            platform::playSound(shared::joinPath(testsDir, QStringLiteral("StartSound.wav")));

    QDir dir(testsDir);
    if (!dir.exists()) {
        const QByteArray native = QFile::encodeName(testsDir);
        if (::mkdir(native.constData(), 0777) != 0) {
            const int err = errno;
            platform::msgBox(platform::lines(
                {QStringLiteral("The tests folder \"%1\" could not be created:").arg(testsDir),
                 QString::fromLocal8Bit(std::strerror(err)),
                 QStringLiteral("Tests and score logs cannot be listed or saved.")}));
        }
    } else if (!dir.isReadable()) {
        platform::msgBox(platform::lines(
            {QStringLiteral("The tests folder \"%1\" cannot be read:").arg(testsDir),
             QString::fromLocal8Bit(std::strerror(EACCES)),
             QStringLiteral("Tests and score logs cannot be listed.")}));
    }
    rollBackInterruptedWrites(testsDir);
    File1->setPath(testsDir);
    File2->setPath(testsDir);
    File3->setPath(testsDir);
}

void MainWindow::onActivated() {
    centerOnScreen();
}

void MainWindow::SSTab1_Click() {
    m_soundResult =
        platform::playSound(shared::joinPath(shared::testsDir, QStringLiteral("TabClick.wav")));
}

void MainWindow::refreshLists() {
    File1->refresh();
    File2->refresh();
    File3->refresh();
}

void MainWindow::Command2_Click() {
    WindowRegistry::endProgram();
}

void MainWindow::Command7_Click() {
    HelpWindow& help = WindowRegistry::get<HelpWindow>();
    help.placeOver(this);
    help.showModal();
}

void MainWindow::File1_Click() {
    showTestBitmap(File1->fileName(), Image2);
}

void MainWindow::File2_Click() {
    showTestBitmap(File2->fileName(), Image1);
}

void MainWindow::showTestBitmap(const QString& fileName, ImageBox* image) {
    image->showTestPicture(shared::testsDir,
                           fileName.left(std::max<qsizetype>(0, fileName.size() - 4)));
}

// ---- Create a test

void MainWindow::Command1_Click() {
    if (rightTrimmed(Text1->text()).isEmpty() || rightTrimmed(Text2->text()).isEmpty() ||
        rightTrimmed(Text3->text()).isEmpty()) {
        platform::msgBox(platform::lines({QStringLiteral("All fields need to be filled in"),
                                          QStringLiteral("before you can create a test file.")}));
        return;
    }
    shared::testPath =
        shared::joinPath(shared::testsDir, rightTrimmed(Text1->text()) + QStringLiteral(".tst"));
    const IoResult<authoring::NewTest> made =
        authoring::createTest(shared::testsDir, Text1->text(), Text2->text(), Text3->text());
    if (!made) {
        platform::msgBox(made.status().message(QStringLiteral("The test could not be created as")));
        return;
    }
    switch (made->outcome) {
    case authoring::CreateOutcome::IllegalName:
        platform::msgBox(platform::lines(
            {QStringLiteral("You have entered characters in the Test Name"),
             QStringLiteral("field that are not legal characters for filenames."), QString(),
             QStringLiteral("Please enter legal characters and try again.")}));
        return;
    case authoring::CreateOutcome::Exists:
        platform::msgBox(
            platform::lines({QStringLiteral("There is currently a test by this name."),
                             QStringLiteral("Choose a different name, or delete the"),
                             QStringLiteral("existing text."), QString(),
                             QStringLiteral("If you need to make changes to the existing"),
                             QStringLiteral("test, click on the EDIT TEST tab.")}));
        return;
    case authoring::CreateOutcome::Created:
        break;
    }
    shared::testPath = made->path;
    refreshLists();
    if (!PropertiesWindow::openFor(shared::testPath))
        return;
    WindowRegistry::get<QuestionEditor>().showModal();
}

void MainWindow::Command8_Click() {
    const bool wasLoaded = WindowRegistry::isLoaded<PropertiesWindow>();
    WindowRegistry::get<PropertiesWindow>().Command3_Click();
    if (!wasLoaded) {
        if (PropertiesWindow* p = WindowRegistry::find<PropertiesWindow>())
            p->unload();
    }
}

// ---- Edit a test

void MainWindow::Command3_Click() {
    shared::testPath = shared::joinPath(File1->path(), File1->fileName());
    if (File1->fileName().isEmpty()) {
        platform::msgBox(QStringLiteral("Select a Test to edit"));
        return;
    }
    if (txtPassword->text().isEmpty() || txtCreator->text().isEmpty()) {
        platform::msgBox(QStringLiteral("Both name AND password are required."));
        return;
    }
    const IoStatus st = shared::loadTestRecord(shared::testPath, 1);
    if (!st) {
        platform::msgBox(st.message(QStringLiteral("The test could not be read from")));
        return;
    }
    if (!authoring::ownerAndPasswordMatch(shared::testRecord, txtCreator->text(),
                                          txtPassword->text())) {
        platform::msgBox(QStringLiteral("Incorrect Name and/or Password. Access Denied."));
        return;
    }
    WindowRegistry::get<QuestionEditor>().showModal();
}

// ---- Take a test

void MainWindow::Command4_Click() {
    const QString file = File2->fileName();
    if (file.isEmpty()) {
        platform::msgBox(QStringLiteral("Please select a Test to take."));
        return;
    }
    if (txtName->text().isEmpty()) {
        platform::msgBox(QStringLiteral("Your name is required to take a test."));
        return;
    }
    shared::testPath = shared::joinPath(File2->path(), file);
    shared::candidateName = rightTrimmed(txtName->text());
    // Refused here, before any question: a finished run must be able to log.
    if (const QString problem = taking::candidateNameProblem(shared::candidateName);
        !problem.isEmpty()) {
        platform::msgBox(problem);
        return;
    }
    if (const IoStatus st = taking::readTestToTake(shared::testPath).status(); !st) {
        platform::msgBox(st.message(QStringLiteral("Cannot read the test")));
        File2->refresh();
        return;
    }
    TestRunWindow& run = WindowRegistry::get<TestRunWindow>();
    run.setSoundsOn(Check1->isChecked());
    run.showModal();
}

// ---- Score logs

void MainWindow::File3_Click() {
    Text4->clear();
    const QString path = selectedLogPath();
    if (auto* fullView = WindowRegistry::find<ScoreLogWindow>())
        fullView->setLogFile(path);
    if (!path.isEmpty())
        scoring::showLog(Text4, path);
}

QString MainWindow::selectedLogPath() const {
    const QString name = File3->fileName();
    return name.isEmpty() ? QString() : shared::joinPath(File3->path(), name);
}

// Not modal: the main window stays usable, and the full view follows the log
// selected here each time the user returns to it.
void MainWindow::Command5_Click() {
    ScoreLogWindow& fullView = WindowRegistry::get<ScoreLogWindow>();
    fullView.setLogFile(selectedLogPath());
    fullView.present();
}
