#include "HelpText.h"

#include "Cp1252.h"
#include "Version.h"

#include <QCoreApplication>

const char* const kHelpVersionLine = "QUIZDEX v " QUIZDEX_VERSION "\r\n";

// Every line, the last included, ends with CR LF; trailing blanks are part of the text.
// Translators get it whole, as one message.
const char* const kHelpBody = QT_TRANSLATE_NOOP(
    "HelpText",
    "---------------------------------------------------------------------\r\n"
    "\r\n"
    "This help file is intended to get you up and running with Quizdex. It is not intended to be a "
    "\r\n"
    "comprehensive help file.\r\n"
    "\r\n"
    "---------------------------------------------------------------------\r\n"
    "\r\n"
    "------------------\r\n"
    "CREATE A NEW TEST\r\n"
    "------------------\r\n"
    "\r\n"
    "Enter the test name, your name (under [OWNER]), and a password (the password allows only \r\n"
    "you access to the test should you need to make adjustments on it at a later time.\r\n"
    "\r\n"
    "Click the [Create] button. You will be presented with a test properties page, allowing you to "
    "\r\n"
    "define the Passing score, and how the test responds to correct and Incorrect answers, and if "
    "\r\n"
    "the test shuffles the answers up or displays them in the same order.\r\n"
    "\r\n"
    "Click [Ok] and the create test window will come up. Here you can enter in the questions and "
    "\r\n"
    "answers, and define for each question the type (multiple choice, True/False or Typed \r\n"
    "Answer).\r\n"
    "\r\n"
    "Be sure to click [NEXT] after each question is entered, and [SAVE] after the last "
    "question.\r\n"
    "\r\n"
    "Each test is automatically linked to a bitmap named DEFAULT.BMP. This bitmap will be \r\n"
    "displayed in an introduction window along with the name of the test and the creators name \r\n"
    "(your name) at the beginning of the test each time somebody goes to take your test. You can "
    "\r\n"
    "use your own bitmap in place of the DEFAULT.BMP simply by placing a BMP file with the same "
    "\r\n"
    "name of your test into the \\TESTS folder. For example, if your tests name is MYTEST, name "
    "the \r\n"
    "bitmap MYTEST.BMP.\r\n"
    "\r\n"
    "\r\n"
    "----------------------\r\n"
    "EDIT AN EXISTING TEST\r\n"
    "----------------------\r\n"
    "\r\n"
    "Click on the name of the test to edit. Then type in your name and the password you assigned "
    "\r\n"
    "to this test. Click [Edit] to edit the test, and the same window you used to create the test "
    "\r\n"
    "comes up, only this time with the test data.\r\n"
    "\r\n"
    "\r\n"
    "----------------------\r\n"
    "TAKE A TEST\r\n"
    "----------------------\r\n"
    "\r\n"
    "Click on the name of the test you want to take. Then enter your name (this is important). "
    "Click \r\n"
    "[Begin]. Click on the [Start Test] button, select the number of questions to take, and click "
    "[Ok].\r\n"
    "\r\n"
    "Select your answer by clicking on the option button to the answer you want to select. Click "
    "\r\n"
    "[Next] after each question. You will receive a grade in graph format at the end of the "
    "test.\r\n"
    "\r\n"
    "\r\n"
    "\r\n"
    "----------------------\r\n"
    "VIEW SCORE LOG\r\n"
    "----------------------\r\n"
    "\r\n"
    "Each time a person takes a test, a score log entry is created with thier name, time and date, "
    "\r\n"
    "test taken, score, and number of questions taken. You can view the results here, in miniature "
    "\r\n"
    "form on the window, or click [Full View] for a larger (more readable) view.\r\n"
    "\r\n"
    "\r\n"
    "\r\n"
    "----------------------\r\n"
    "ABOUT\r\n"
    "----------------------\r\n"
    "\r\n"
    "Click [Help] to see this.\r\n");

QByteArray helpTextBytes() {
    return QByteArray(kHelpVersionLine) + kHelpBody;
}

QString helpText() {
    const QString translated = QCoreApplication::translate("HelpText", kHelpBody);
    // Untranslated, the body keeps its 8-bit bytes; translate() would read them as UTF-8.
    const QString body = translated == QString::fromUtf8(kHelpBody)
                             ? storage::cp1252::decode(QByteArray(kHelpBody))
                             : translated;
    return storage::cp1252::decode(QByteArray(kHelpVersionLine)) + body;
}
