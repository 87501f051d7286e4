#include "MainWindow.h"

#include "Controls.h"
#include "FileListBox.h"
#include "HelpWindow.h"
#include "ImageBox.h"
#include "Layout.h"
#include "Pictures.h"
#include "PropertiesWindow.h"
#include "QuestionEditor.h"
#include "Recovery.h"
#include "RunRules.h"
#include "ScoreLog.h"
#include "ScoreLogWindow.h"
#include "Services.h"
#include "SharedState.h"
#include "Spoken.h"
#include "TestHeader.h"
#include "TestRunWindow.h"
#include "Version.h"

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
#include <type_traits>
#include <variant>

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
    platform::ui::name(f, name);
    platform::ui::labelFor(label, f);
    f->setPattern(pattern);
    return f;
}

ImageBox* makePicture(QWidget* parent, const QString& name, const QString& spokenName,
                      const QImage& image) {
    auto* picture = new ImageBox(parent);
    platform::ui::name(picture, name);
    platform::ui::readAs(picture, spokenName);
    picture->setPicture(QPixmap::fromImage(image));
    return picture;
}

QPlainTextEdit* makeLogPreview(QWidget* parent, const QString& name, const QString& spokenName) {
    auto* view = new QPlainTextEdit(parent);
    platform::ui::name(view, name);
    platform::ui::readAs(view, spokenName);
    platform::ui::makeReadOnly(view);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setFont(platform::ui::font(QStringLiteral("Arial"), 3.75, true, true));
    platform::ui::setBackColor(view, platform::ui::rgb(255, 255, 192));
    return view;
}

QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& spokenName) {
    auto* frame = new QGroupBox(parent);
    platform::ui::name(frame, name);
    platform::ui::readAs(frame, spokenName);
    return frame;
}

// The program's name in large type, its yellow twin showing as a shadow.
QGroupBox* makeTitleFrame(QWidget* parent, const QString& name, const QString& spokenName) {
    QGroupBox* frame = makeFrame(parent, name, spokenName);
    QLabel* title[2] = {};
    for (int i : {1, 0}) { // element 0 lies over its yellow twin, as the title's face
        title[i] = new QLabel(QStringLiteral("Quizdex"), frame);
        title[i]->setTextFormat(Qt::PlainText);
        platform::ui::name(title[i], QStringLiteral("Label10(%1)").arg(i));
        title[i]->setFont(platform::ui::font(QStringLiteral("Times New Roman"), 36, true));
        title[i]->setAttribute(Qt::WA_TranslucentBackground);
        title[i]->setAlignment(Qt::AlignCenter);
    }
    platform::ui::setForeColor(title[1], platform::ui::rgb(255, 255, 0));
    title[1]->setAutoFillBackground(false);
    platform::ui::place(title[1], platform::ui::twips(180, 300, 3135, 855));
    platform::ui::place(title[0], platform::ui::twips(180 + 45, 300 - 30, 3135, 855));
    return frame;
}

QGroupBox* makePictureFrame(QWidget* parent, const QString& name, const QString& spokenName) {
    QGroupBox* frame = makeFrame(parent, name, spokenName);
    ImageBox* picture =
        makePicture(frame, QStringLiteral("imageMe"), MainWindow::tr("Quizdex picture"),
                    platform::pictures::aboutPicture());
    platform::ui::place(picture, platform::ui::twips(120, 240, 1935, 1455));
    return frame;
}

// Makes the tests folder when it is missing; tells the user when it cannot be
// made or read, and the program goes on without its lists.
void makeOrCheckTestsFolder(const QString& testsDir) {
    const QDir dir(testsDir);
    if (!dir.exists()) {
        const QByteArray native = QFile::encodeName(testsDir);
        if (::mkdir(native.constData(), 0777) != 0) {
            const int err = errno;
            platform::msgBox(platform::lines(
                {MainWindow::tr("The tests folder \"%1\" could not be created:").arg(testsDir),
                 QString::fromLocal8Bit(std::strerror(err)),
                 MainWindow::tr("Tests and score logs cannot be listed or saved.")}));
        }
    } else if (!dir.isReadable()) {
        platform::msgBox(platform::lines(
            {MainWindow::tr("The tests folder \"%1\" cannot be read:").arg(testsDir),
             QString::fromLocal8Bit(std::strerror(EACCES)),
             MainWindow::tr("Tests and score logs cannot be listed.")}));
    }
}

QString createFailureMessage(const storage::IoResult<authoring::NewTest>& made) {
    if (!made)
        return made.status().message(MainWindow::tr("The test could not be created as"));
    switch (made->outcome) {
    case authoring::CreateOutcome::IllegalName:
        return platform::lines(
            {MainWindow::tr("You have entered characters in the Test Name"),
             MainWindow::tr("field that are not legal characters for filenames."), QString(),
             MainWindow::tr("Please enter legal characters and try again.")});
    case authoring::CreateOutcome::Exists:
        return platform::lines({MainWindow::tr("There is currently a test by this name."),
                                MainWindow::tr("Choose a different name, or delete the"),
                                MainWindow::tr("existing text."), QString(),
                                MainWindow::tr("If you need to make changes to the existing"),
                                MainWindow::tr("test, click on the EDIT TEST tab.")});
    case authoring::CreateOutcome::Created:
        break;
    }
    return {};
}

} // namespace

// One control of a tab: its objectName, what it shows (or, when it shows no
// text of its own, what it is read as), what it is and where it sits, in
// twips. A text box or list is named by the label made just before it.
struct MainWindow::Control {
    enum Kind {
        Label,
        CentredLabel,
        TextBox,
        Button,
        CheckBox,
        TestList,
        LogList,
        TestPicture,
        LogPreview,
        TitleFrame,
        PictureFrame
    };
    template <class T> using Member = T* MainWindow::*;
    using Handler = void (MainWindow::*)();
    // The member that keeps the control, or the handler of a button.
    using Slot = std::variant<std::monostate, Member<QLineEdit>, Member<FileListBox>,
                              Member<ImageBox>, Member<QCheckBox>, Member<QPlainTextEdit>, Handler>;

    const char* name;
    const char* caption;
    Kind kind;
    Tab tab;
    int left, top, width, height;
    Slot slot = {};
};

MainWindow::MainWindow() {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    platform::ui::name(this, QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quizdex "));
    setFont(platform::ui::defaultFont());
    setGivenSize(platform::ui::px(6645), platform::ui::px(4050));
    buildTabs();
    makeControls();
    m_newPasswordBox->setMaxLength(10);
    m_passwordBox->setEchoMode(QLineEdit::Password);
    m_soundsBox->setChecked(true);

    auto* exitButton = platform::ui::button(this, QStringLiteral("Command2"), tr("E&xit"),
                                            platform::ui::twips(5280, 3600, 1215, 375));
    connect(exitButton, &QPushButton::clicked, this, &MainWindow::onExit);

    m_tabs->setCurrentIndex(AboutTab);
    showTab(AboutTab);
    connect(m_tabs, &QTabWidget::currentChanged, this, &MainWindow::onTabChanged);
    connect(m_testsToEdit, &FileListBox::fileChosen, this,
            [this] { showTestPicture(m_testsToEdit, m_editPicture); });
    connect(m_testsToTake, &FileListBox::fileChosen, this,
            [this] { showTestPicture(m_testsToTake, m_takePicture); });
    connect(m_logList, &FileListBox::fileChosen, this, &MainWindow::onLogChosen);
    // The last box of each page before its button: Enter there presses it.
    connect(m_candidateBox, &QLineEdit::returnPressed, this, &MainWindow::onBegin);
    connect(m_passwordBox, &QLineEdit::returnPressed, this, &MainWindow::onEdit);
    connect(m_newPasswordBox, &QLineEdit::returnPressed, this, &MainWindow::onCreate);
    connect(&scoring::ScoreLogEvents::instance(), &scoring::ScoreLogEvents::logChanged, this,
            [this] { m_logList->refresh(); });
}

void MainWindow::makeControls() {
    using C = Control;
    using M = MainWindow;
    // clang-format off
    static const Control kControls[] = {
        {"Label1",      QT_TRANSLATE_NOOP("MainWindow", "Name of Test"),         C::Label,       CreateTab,  600,  600, 2895,  255},
        {"Text1",       "",                     C::TextBox,     CreateTab,  600,  840, 2895,  315, &M::m_newNameBox},
        {"Label2",      QT_TRANSLATE_NOOP("MainWindow", "Owner (your name)"),    C::Label,       CreateTab,  600, 1320, 2895,  255},
        {"Text2",       "",                     C::TextBox,     CreateTab,  600, 1560, 2895,  315, &M::m_newOwnerBox},
        {"Label3",      QT_TRANSLATE_NOOP("MainWindow", "Password"),             C::Label,       CreateTab,  600, 2040, 2895,  255},
        {"Text3",       "",                     C::TextBox,     CreateTab,  600, 2280, 1575,  315, &M::m_newPasswordBox},
        {"Command1",    QT_TRANSLATE_NOOP("MainWindow", "&Create"),              C::Button,      CreateTab, 4440,  840, 1215,  375, &M::onCreate},
        {"Command8",    QT_TRANSLATE_NOOP("MainWindow", "&Read Me"),             C::Button,      CreateTab, 4440, 2760, 1215,  375, &M::onReadMe},

        {"Label4",      QT_TRANSLATE_NOOP("MainWindow", "Test to edit"),         C::Label,       EditTab,    360,  600, 2415,  255},
        {"File1",       "",                     C::TestList,    EditTab,    360,  840, 2415, 1560, &M::m_testsToEdit},
        {"Image2",      QT_TRANSLATE_NOOP("MainWindow", "Test picture"),         C::TestPicture, EditTab,   2895,  840,  975,  930, &M::m_editPicture},
        {"Label5",      QT_TRANSLATE_NOOP("MainWindow", "Owner"),                C::Label,       EditTab,   4080,  600, 2055,  255},
        {"txtCreator",  "",                     C::TextBox,     EditTab,   4080,  840, 2055,  315, &M::m_ownerBox},
        {"Label6",      QT_TRANSLATE_NOOP("MainWindow", "Password"),             C::Label,       EditTab,   4080, 1320, 2055,  255},
        {"txtPassword", "",                     C::TextBox,     EditTab,   4080, 1560, 2055,  315, &M::m_passwordBox},
        {"Command3",    QT_TRANSLATE_NOOP("MainWindow", "&Edit"),                C::Button,      EditTab,   4920, 2760, 1215,  375, &M::onEdit},

        {"Label7",      QT_TRANSLATE_NOOP("MainWindow", "Select Test to Take"),  C::Label,       TakeTab,    360,  600, 2415,  255},
        {"File2",       "",                     C::TestList,    TakeTab,    360,  840, 2415, 1560, &M::m_testsToTake},
        {"Image1",      QT_TRANSLATE_NOOP("MainWindow", "Test picture"),         C::TestPicture, TakeTab,   2895,  840,  975,  930, &M::m_takePicture},
        {"Label8",      QT_TRANSLATE_NOOP("MainWindow", "Your Name"),            C::Label,       TakeTab,   4080,  600, 2055,  255},
        {"txtName",     "",                     C::TextBox,     TakeTab,   4080,  840, 2055,  315, &M::m_candidateBox},
        {"Check1",      QT_TRANSLATE_NOOP("MainWindow", "Play sounds during test"), C::CheckBox, TakeTab,   4080, 1320, 2175,  255, &M::m_soundsBox},
        {"Command4",    QT_TRANSLATE_NOOP("MainWindow", "&Begin"),               C::Button,      TakeTab,   4920, 2760, 1215,  375, &M::onBegin},

        {"Label9",      QT_TRANSLATE_NOOP("MainWindow", "Name"),                 C::Label,       LogTab,     600,  600, 2415,  255},
        {"File3",       "",                     C::LogList,     LogTab,     600,  840, 2790, 1560, &M::m_logList},
        {"Text4",       QT_TRANSLATE_NOOP("MainWindow", "Score log"),            C::LogPreview,  LogTab,    3525,  855, 2160, 1530, &M::m_logPreview},
        {"Command5",    QT_TRANSLATE_NOOP("MainWindow", "Full &View"),           C::Button,      LogTab,    4440, 2760, 1215,  375, &M::onFullView},

        {"Frame1",      QT_TRANSLATE_NOOP("MainWindow", "Title"),                C::TitleFrame,  AboutTab,   240,  480, 3495, 1455},
        {"Label11",     QT_TRANSLATE_NOOP("MainWindow", "v %1  for Linux and Windows"), C::CentredLabel, AboutTab, 240, 2040, 3495, 255},
        {"Frame2",      QT_TRANSLATE_NOOP("MainWindow", "Picture"),              C::PictureFrame, AboutTab, 3960,  480, 2175, 1815},
        {"Label12",     QT_TRANSLATE_NOOP("MainWindow", "..questions, comments, bug reports, etc.."), C::Label, AboutTab, 3600, 2400, 2655, 255},
        {"Label13",     "quizdex@example.org",                  C::Label,       AboutTab,  3600, 2640, 2655,  255},
        {"Command7",    QT_TRANSLATE_NOOP("MainWindow", "&Help"),                C::Button,      AboutTab,   240, 2640, 1215,  375, &M::onHelp},
    };
    // clang-format on
    QLabel* lastLabel = nullptr;
    for (const Control& c : kControls) {
        QWidget* w = makeControl(c, lastLabel);
        platform::ui::place(w, platform::ui::twips(c.left, c.top, c.width, c.height));
        m_tabControls[c.tab].append(w);
        if (c.kind == Control::Label)
            lastLabel = static_cast<QLabel*>(w);
        keep(c, w);
    }
}

void MainWindow::buildTabs() {
    m_tabs = new QTabWidget(this);
    platform::ui::name(m_tabs, QStringLiteral("SSTab1"));
    platform::ui::readAs(m_tabs, tr("Tasks"));
    platform::ui::place(m_tabs, platform::ui::twips(120, 150, 6375, 3375));
    auto* tabStyle = new TightTabStyle();
    tabStyle->setParent(m_tabs);
    m_tabs->tabBar()->setStyle(tabStyle);
    m_tabs->setUsesScrollButtons(false);
    const QStringList captions = {tr("Create a New Test"), tr("Edit an Existing Test"),
                                  tr("Take a Test"), tr("View Score Log"), tr("About")};
    for (const QString& caption : captions) {
        auto* page = new QWidget(m_tabs);
        platform::ui::readAs(page, caption);
        m_tabs->addTab(page, caption);
    }
}

QWidget* MainWindow::makeControl(const Control& c, QLabel* labelBefore) {
    const QString name = QString::fromLatin1(c.name);
    const QString caption = tr(c.caption);
    switch (c.kind) {
    case Control::Label:
        return platform::ui::label(m_tabs, name, caption);
    case Control::CentredLabel: {
        QLabel* label =
            platform::ui::label(m_tabs, name, caption.arg(QStringLiteral(QUIZDEX_VERSION)));
        label->setAlignment(Qt::AlignCenter);
        return label;
    }
    case Control::TextBox:
        return platform::ui::lineEdit(m_tabs, name, labelBefore);
    case Control::Button:
        return platform::ui::button(m_tabs, name, caption);
    case Control::CheckBox:
        return platform::ui::checkBox(m_tabs, name, caption);
    case Control::TestList:
        return makeFileList(m_tabs, name, labelBefore, QStringLiteral("*.tst"));
    case Control::LogList:
        return makeFileList(m_tabs, name, labelBefore, QStringLiteral("*.log"));
    case Control::TestPicture:
        return makePicture(m_tabs, name, caption, platform::pictures::penOnPage());
    case Control::LogPreview:
        return makeLogPreview(m_tabs, name, caption);
    case Control::TitleFrame:
        return makeTitleFrame(m_tabs, name, caption);
    case Control::PictureFrame:
        return makePictureFrame(m_tabs, name, caption);
    }
    return nullptr;
}

void MainWindow::keep(const Control& c, QWidget* w) {
    std::visit(
        [this, w](auto member) {
            using Slot = decltype(member);
            if constexpr (std::is_same_v<Slot, Control::Handler>) {
                connect(static_cast<QPushButton*>(w), &QPushButton::clicked, this, member);
            } else if constexpr (!std::is_same_v<Slot, std::monostate>) {
                using Widget = std::remove_reference_t<decltype(this->*member)>;
                this->*member = static_cast<Widget>(w);
            }
        },
        c.slot);
}

void MainWindow::showTab(int tab) {
    for (int t = 0; t < TabCount; ++t) {
        for (QWidget* w : m_tabControls[t])
            w->setVisible(t == tab);
    }
    // The About page's lines are read with the window, as a sighted user
    // reads them on opening; the other pages' labels name their controls.
    QList<QWidget*> aboutLines;
    for (QWidget* w : m_tabControls[AboutTab])
        if (qobject_cast<QLabel*>(w))
            aboutLines << w;
    platform::spoken::describeWindow(this, aboutLines);
}

void MainWindow::onLoaded() {
    using storage::shared::testsDir;
    testsDir = storage::shared::defaultTestsDir();
    if (m_soundsBox->isChecked())
        platform::playSound(storage::shared::joinPath(testsDir, QStringLiteral("StartSound.wav")));
    makeOrCheckTestsFolder(testsDir);
    // Saves cut short by a kill are put back before anything is listed; what
    // could not be is told once, in one message.
    if (const QString untold = storage::rollBackInterruptedWrites(testsDir).message();
        !untold.isEmpty())
        platform::msgBox(untold);
    m_testsToEdit->setPath(testsDir);
    m_testsToTake->setPath(testsDir);
    m_logList->setPath(testsDir);
}

void MainWindow::onActivated() {
    centerOnScreen();
}

void MainWindow::onTabChanged(int tab) {
    showTab(tab);
    platform::playSound(
        storage::shared::joinPath(storage::shared::testsDir, QStringLiteral("TabClick.wav")));
}

void MainWindow::refreshLists() {
    m_testsToEdit->refresh();
    m_testsToTake->refresh();
    m_logList->refresh();
}

void MainWindow::onExit() {
    WindowRegistry::endProgram();
}

void MainWindow::onHelp() {
    HelpWindow& help = WindowRegistry::get<HelpWindow>();
    help.placeOver(this);
    help.showModal();
}

void MainWindow::showTestPicture(const FileListBox* list, ImageBox* picture) {
    const QString fileName = list->fileName();
    picture->showTestPicture(storage::shared::testsDir,
                             fileName.left(std::max<qsizetype>(0, fileName.size() - 4)));
}

// ---- Create a test

void MainWindow::onCreate() {
    if (storage::rightTrimmed(m_newNameBox->text()).isEmpty() ||
        storage::rightTrimmed(m_newOwnerBox->text()).isEmpty() ||
        storage::rightTrimmed(m_newPasswordBox->text()).isEmpty()) {
        platform::msgBox(platform::lines(
            {tr("All fields need to be filled in"), tr("before you can create a test file.")}));
        return;
    }
    storage::shared::testPath = storage::shared::joinPath(
        storage::shared::testsDir,
        storage::rightTrimmed(m_newNameBox->text()) + QStringLiteral(".tst"));
    const storage::IoResult<authoring::NewTest> made =
        authoring::createTest(storage::shared::testsDir, m_newNameBox->text(),
                              m_newOwnerBox->text(), m_newPasswordBox->text());
    if (!made || made->outcome != authoring::CreateOutcome::Created) {
        platform::msgBox(createFailureMessage(made));
        return;
    }
    storage::shared::testPath = made->path;
    refreshLists();
    if (const auto header = PropertiesWindow::openFor(storage::shared::testPath))
        WindowRegistry::get<QuestionEditor>().editTest(*header);
}

void MainWindow::onReadMe() {
    PropertiesWindow::showReadMe();
}

// ---- Edit a test

void MainWindow::onEdit() {
    storage::shared::testPath =
        storage::shared::joinPath(m_testsToEdit->path(), m_testsToEdit->fileName());
    if (m_testsToEdit->fileName().isEmpty()) {
        platform::msgBox(tr("Select a Test to edit"));
        return;
    }
    if (m_passwordBox->text().isEmpty() || m_ownerBox->text().isEmpty()) {
        platform::msgBox(tr("Both name AND password are required."));
        return;
    }
    const storage::IoResult<storage::TestRecord> header =
        storage::shared::readTestRecord(storage::shared::testPath, 1);
    if (!header) {
        platform::msgBox(header.status().message(tr("The test could not be read from")));
        return;
    }
    if (!storage::ownerAndPasswordMatch(*header, m_ownerBox->text(), m_passwordBox->text())) {
        platform::msgBox(tr("Incorrect Name and/or Password. Access Denied."));
        return;
    }
    WindowRegistry::get<QuestionEditor>().editTest(*header);
}

// ---- Take a test

void MainWindow::onBegin() {
    const QString file = m_testsToTake->fileName();
    if (file.isEmpty()) {
        platform::msgBox(tr("Please select a Test to take."));
        return;
    }
    if (m_candidateBox->text().isEmpty()) {
        platform::msgBox(tr("Your name is required to take a test."));
        return;
    }
    storage::shared::testPath = storage::shared::joinPath(m_testsToTake->path(), file);
    storage::shared::candidateName = storage::rightTrimmed(m_candidateBox->text());
    // Refused here, before any question: a finished run must be able to log.
    if (const QString problem = taking::candidateNameProblem(storage::shared::candidateName);
        !problem.isEmpty()) {
        platform::msgBox(problem);
        return;
    }
    // The header is read once, here: the run starts from what was checked.
    storage::IoResult<storage::TestRecord> header =
        taking::readTestToTake(storage::shared::testPath);
    if (!header) {
        platform::msgBox(header.status().message(tr("Cannot read the test")));
        m_testsToTake->refresh();
        return;
    }
    TestRunWindow& run = WindowRegistry::get<TestRunWindow>();
    run.setTestHeader(*std::move(header));
    run.setSoundsOn(m_soundsBox->isChecked());
    run.showModal();
}

// ---- Score logs

void MainWindow::onLogChosen() {
    m_logPreview->clear();
    const QString path = selectedLogPath();
    if (auto* fullView = WindowRegistry::find<ScoreLogWindow>())
        fullView->setLogFile(path);
    if (!path.isEmpty())
        scoring::showLog(m_logPreview, path);
}

QString MainWindow::selectedLogPath() const {
    const QString name = m_logList->fileName();
    return name.isEmpty() ? QString() : storage::shared::joinPath(m_logList->path(), name);
}

// Not modal: the main window stays usable, and the full view follows the log
// selected here each time the user returns to it.
void MainWindow::onFullView() {
    ScoreLogWindow& fullView = WindowRegistry::get<ScoreLogWindow>();
    fullView.setLogFile(selectedLogPath());
    fullView.present();
}
