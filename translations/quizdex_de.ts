<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>DetailedFeedbackWindow</name>
    <message>
        <source>Correct Answer!</source>
        <translation>Richtige Antwort!</translation>
    </message>
    <message>
        <source>Explanation of Answer</source>
        <translation>Erklärung der Antwort</translation>
    </message>
    <message>
        <source>Correct Answer is</source>
        <translation>Die richtige Antwort lautet</translation>
    </message>
    <message>
        <source>Correct so far =</source>
        <translation>Bisher richtig =</translation>
    </message>
</context>
<context>
    <name>FeedbackWindow</name>
    <message>
        <source>Your Answer</source>
        <translation>Ihre Antwort</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Print Question</source>
        <translation>Frage &amp;drucken</translation>
    </message>
</context>
<context>
    <name>FileIo</name>
    <message>
        <source>Not a regular file</source>
        <translation>Keine reguläre Datei</translation>
    </message>
</context>
<context>
    <name>HelpText</name>
    <message>
        <source>---------------------------------------------------------------------<byte value="xd"/>
<byte value="xd"/>
This help file is intended to get you up and running with Quizdex. It is not intended to be a <byte value="xd"/>
comprehensive help file.<byte value="xd"/>
<byte value="xd"/>
---------------------------------------------------------------------<byte value="xd"/>
<byte value="xd"/>
------------------<byte value="xd"/>
CREATE A NEW TEST<byte value="xd"/>
------------------<byte value="xd"/>
<byte value="xd"/>
Enter the test name, your name (under [OWNER]), and a password (the password allows only <byte value="xd"/>
you access to the test should you need to make adjustments on it at a later time.<byte value="xd"/>
<byte value="xd"/>
Click the [Create] button. You will be presented with a test properties page, allowing you to <byte value="xd"/>
define the Passing score, and how the test responds to correct and Incorrect answers, and if <byte value="xd"/>
the test shuffles the answers up or displays them in the same order.<byte value="xd"/>
<byte value="xd"/>
Click [Ok] and the create test window will come up. Here you can enter in the questions and <byte value="xd"/>
answers, and define for each question the type (multiple choice, True/False or Typed <byte value="xd"/>
Answer).<byte value="xd"/>
<byte value="xd"/>
Be sure to click [NEXT] after each question is entered, and [SAVE] after the last question.<byte value="xd"/>
<byte value="xd"/>
Each test is automatically linked to a bitmap named DEFAULT.BMP. This bitmap will be <byte value="xd"/>
displayed in an introduction window along with the name of the test and the creators name <byte value="xd"/>
(your name) at the beginning of the test each time somebody goes to take your test. You can <byte value="xd"/>
use your own bitmap in place of the DEFAULT.BMP simply by placing a BMP file with the same <byte value="xd"/>
name of your test into the \TESTS folder. For example, if your tests name is MYTEST, name the <byte value="xd"/>
bitmap MYTEST.BMP.<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
----------------------<byte value="xd"/>
EDIT AN EXISTING TEST<byte value="xd"/>
----------------------<byte value="xd"/>
<byte value="xd"/>
Click on the name of the test to edit. Then type in your name and the password you assigned <byte value="xd"/>
to this test. Click [Edit] to edit the test, and the same window you used to create the test <byte value="xd"/>
comes up, only this time with the test data.<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
----------------------<byte value="xd"/>
TAKE A TEST<byte value="xd"/>
----------------------<byte value="xd"/>
<byte value="xd"/>
Click on the name of the test you want to take. Then enter your name (this is important). Click <byte value="xd"/>
[Begin]. Click on the [Start Test] button, select the number of questions to take, and click [Ok].<byte value="xd"/>
<byte value="xd"/>
Select your answer by clicking on the option button to the answer you want to select. Click <byte value="xd"/>
[Next] after each question. You will receive a grade in graph format at the end of the test.<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
----------------------<byte value="xd"/>
VIEW SCORE LOG<byte value="xd"/>
----------------------<byte value="xd"/>
<byte value="xd"/>
Each time a person takes a test, a score log entry is created with thier name, time and date, <byte value="xd"/>
test taken, score, and number of questions taken. You can view the results here, in miniature <byte value="xd"/>
form on the window, or click [Full View] for a larger (more readable) view.<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
----------------------<byte value="xd"/>
ABOUT<byte value="xd"/>
----------------------<byte value="xd"/>
<byte value="xd"/>
Click [Help] to see this.<byte value="xd"/>
</source>
        <translation>---------------------------------------------------------------------<byte value="xd"/>
<byte value="xd"/>
Diese Hilfe soll Ihnen den Einstieg in Quizdex erleichtern. Sie ist keine vollständige <byte value="xd"/>
Beschreibung des Programms.<byte value="xd"/>
<byte value="xd"/>
---------------------------------------------------------------------<byte value="xd"/>
<byte value="xd"/>
------------------<byte value="xd"/>
NEUEN TEST ANLEGEN<byte value="xd"/>
------------------<byte value="xd"/>
<byte value="xd"/>
Geben Sie den Namen des Tests, Ihren Namen (unter [BESITZER]) und ein Passwort ein <byte value="xd"/>
(mit dem Passwort haben nur Sie Zugriff auf den Test, falls Sie ihn später ändern <byte value="xd"/>
möchten).<byte value="xd"/>
<byte value="xd"/>
Klicken Sie auf [Anlegen]. Es erscheint eine Seite mit den Eigenschaften des Tests. <byte value="xd"/>
Dort legen Sie die Bestehensgrenze fest, wie der Test auf richtige und falsche <byte value="xd"/>
Antworten reagiert und ob der Test die Antworten mischt oder in derselben Reihenfolge <byte value="xd"/>
zeigt.<byte value="xd"/>
<byte value="xd"/>
Klicken Sie auf [Speichern]; dann öffnet sich das Fenster zum Erstellen des Tests. <byte value="xd"/>
Hier geben Sie die Fragen und Antworten ein und legen für jede Frage die Art fest <byte value="xd"/>
(Auswahlfrage, Wahr/Falsch oder Texteingabe).<byte value="xd"/>
<byte value="xd"/>
Klicken Sie nach jeder Frage auf [WEITER] und nach der letzten Frage auf [SPEICHERN].<byte value="xd"/>
<byte value="xd"/>
Jeder Test ist automatisch mit dem Bild DEFAULT.BMP verknüpft. Dieses Bild <byte value="xd"/>
erscheint zu Beginn jedes Testdurchlaufs in einem Einführungsfenster, zusammen <byte value="xd"/>
mit dem Namen des Tests und dem Namen des Erstellers (Ihrem Namen). Statt <byte value="xd"/>
DEFAULT.BMP können Sie ein eigenes Bild verwenden: Legen Sie eine BMP-Datei mit <byte value="xd"/>
dem Namen Ihres Tests in den Ordner \TESTS. Heißt Ihr Test zum Beispiel MYTEST, <byte value="xd"/>
nennen Sie das Bild MYTEST.BMP.<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
----------------------<byte value="xd"/>
TEST BEARBEITEN<byte value="xd"/>
----------------------<byte value="xd"/>
<byte value="xd"/>
Klicken Sie auf den Namen des Tests, den Sie bearbeiten möchten. Geben Sie dann <byte value="xd"/>
Ihren Namen und das Passwort ein, das Sie für diesen Test vergeben haben. Klicken <byte value="xd"/>
Sie auf [Bearbeiten]; es erscheint dasselbe Fenster wie beim Erstellen, diesmal mit <byte value="xd"/>
den Daten des Tests.<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
----------------------<byte value="xd"/>
TEST ABLEGEN<byte value="xd"/>
----------------------<byte value="xd"/>
<byte value="xd"/>
Klicken Sie auf den Namen des Tests, den Sie ablegen möchten. Geben Sie dann Ihren <byte value="xd"/>
Namen ein (das ist wichtig). Klicken Sie auf [Starten]. Klicken Sie auf [Test <byte value="xd"/>
starten], wählen Sie die Anzahl der Fragen und klicken Sie auf [OK].<byte value="xd"/>
<byte value="xd"/>
Wählen Sie Ihre Antwort, indem Sie auf den Optionsknopf vor der gewünschten Antwort <byte value="xd"/>
klicken. Klicken Sie nach jeder Frage auf [Weiter]. Am Ende des Tests sehen Sie Ihr <byte value="xd"/>
Ergebnis als Diagramm.<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
----------------------<byte value="xd"/>
ERGEBNISPROTOKOLL<byte value="xd"/>
----------------------<byte value="xd"/>
<byte value="xd"/>
Jedes Mal, wenn jemand einen Test ablegt, wird ein Eintrag im Ergebnisprotokoll <byte value="xd"/>
angelegt: mit Name, Uhrzeit und Datum, abgelegtem Test, Ergebnis und Anzahl der <byte value="xd"/>
Fragen. Sie sehen die Ergebnisse hier in verkleinerter Form im Fenster, oder klicken <byte value="xd"/>
Sie auf [Vollansicht] für eine größere (besser lesbare) Ansicht.<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
----------------------<byte value="xd"/>
INFO<byte value="xd"/>
----------------------<byte value="xd"/>
<byte value="xd"/>
Klicken Sie auf [Hilfe], um diese Seite zu sehen.<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Quizdex Help</source>
        <translation>Quizdex-Hilfe</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>Hilfetext</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>IntroductionWindow</name>
    <message>
        <source>Quizdex Test</source>
        <translation>Quizdex-Test</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Rahmen</translation>
    </message>
    <message>
        <source>Created by:</source>
        <translation>Erstellt von:</translation>
    </message>
    <message>
        <source>Test picture</source>
        <translation>Testbild</translation>
    </message>
    <message>
        <source>&amp;Start Test</source>
        <translation>Test &amp;starten</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Quizdex picture</source>
        <translation>Quizdex-Bild</translation>
    </message>
    <message>
        <source>The tests folder &quot;%1&quot; could not be created:</source>
        <translation>Der Testordner „%1“ konnte nicht angelegt werden:</translation>
    </message>
    <message>
        <source>Tests and score logs cannot be listed or saved.</source>
        <translation>Tests und Ergebnisprotokolle können weder aufgelistet noch gespeichert werden.</translation>
    </message>
    <message>
        <source>The tests folder &quot;%1&quot; cannot be read:</source>
        <translation>Der Testordner „%1“ kann nicht gelesen werden:</translation>
    </message>
    <message>
        <source>Tests and score logs cannot be listed.</source>
        <translation>Tests und Ergebnisprotokolle können nicht aufgelistet werden.</translation>
    </message>
    <message>
        <source>The test could not be created as</source>
        <translation>Fehler beim Anlegen des Tests</translation>
    </message>
    <message>
        <source>You have entered characters in the Test Name</source>
        <translation>Sie haben im Feld „Name des Tests“ Zeichen eingegeben,</translation>
    </message>
    <message>
        <source>field that are not legal characters for filenames.</source>
        <translation>die in Dateinamen nicht erlaubt sind.</translation>
    </message>
    <message>
        <source>Please enter legal characters and try again.</source>
        <translation>Bitte geben Sie erlaubte Zeichen ein und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>There is currently a test by this name.</source>
        <translation>Es gibt bereits einen Test mit diesem Namen.</translation>
    </message>
    <message>
        <source>Choose a different name, or delete the</source>
        <translation>Wählen Sie einen anderen Namen, oder löschen Sie den</translation>
    </message>
    <message>
        <source>existing text.</source>
        <translation>vorhandenen Test.</translation>
    </message>
    <message>
        <source>If you need to make changes to the existing</source>
        <translation>Wenn Sie den vorhandenen Test ändern möchten,</translation>
    </message>
    <message>
        <source>test, click on the EDIT TEST tab.</source>
        <translation>klicken Sie auf die Registerkarte TEST BEARBEITEN.</translation>
    </message>
    <message>
        <source>Name of Test</source>
        <translation>Name des Tests</translation>
    </message>
    <message>
        <source>Owner (your name)</source>
        <translation>Besitzer (Ihr Name)</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>&amp;Create</source>
        <translation>&amp;Anlegen</translation>
    </message>
    <message>
        <source>&amp;Read Me</source>
        <translation>&amp;Lies mich</translation>
    </message>
    <message>
        <source>Test to edit</source>
        <translation>Test zum Bearbeiten</translation>
    </message>
    <message>
        <source>Test picture</source>
        <translation>Testbild</translation>
    </message>
    <message>
        <source>Owner</source>
        <translation>Besitzer</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Select Test to Take</source>
        <translation>Test zum Ablegen wählen</translation>
    </message>
    <message>
        <source>Your Name</source>
        <translation>Ihr Name</translation>
    </message>
    <message>
        <source>Play sounds during test</source>
        <translation>Töne im Test abspielen</translation>
    </message>
    <message>
        <source>&amp;Begin</source>
        <translation>&amp;Starten</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Score log</source>
        <translation>Ergebnisprotokoll</translation>
    </message>
    <message>
        <source>Full &amp;View</source>
        <translation>&amp;Vollansicht</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>v %1  for Linux and Windows</source>
        <translation>v %1  für Linux und Windows</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>..questions, comments, bug reports, etc..</source>
        <translation>..Fragen, Hinweise, Fehler usw..</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>B&amp;eenden</translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation>Aufgaben</translation>
    </message>
    <message>
        <source>Create a New Test</source>
        <translation>Neuer Test</translation>
    </message>
    <message>
        <source>Edit an Existing Test</source>
        <translation>Test bearbeiten</translation>
    </message>
    <message>
        <source>Take a Test</source>
        <translation>Test ablegen</translation>
    </message>
    <message>
        <source>View Score Log</source>
        <translation>Ergebnisprotokoll</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>All fields need to be filled in</source>
        <translation>Alle Felder müssen ausgefüllt sein,</translation>
    </message>
    <message>
        <source>before you can create a test file.</source>
        <translation>bevor Sie eine Testdatei anlegen können.</translation>
    </message>
    <message>
        <source>Select a Test to edit</source>
        <translation>Wählen Sie einen Test zum Bearbeiten aus.</translation>
    </message>
    <message>
        <source>Both name AND password are required.</source>
        <translation>Name UND Passwort sind erforderlich.</translation>
    </message>
    <message>
        <source>The test could not be read from</source>
        <translation>Fehler beim Lesen des Tests</translation>
    </message>
    <message>
        <source>Incorrect Name and/or Password. Access Denied.</source>
        <translation>Name und/oder Passwort falsch. Zugriff verweigert.</translation>
    </message>
    <message>
        <source>Please select a Test to take.</source>
        <translation>Bitte wählen Sie einen Test zum Ablegen aus.</translation>
    </message>
    <message>
        <source>Your name is required to take a test.</source>
        <translation>Um einen Test abzulegen, ist Ihr Name erforderlich.</translation>
    </message>
    <message>
        <source>Cannot read the test</source>
        <translation>Fehler beim Lesen des Tests</translation>
    </message>
</context>
<context>
    <name>PropertiesWindow</name>
    <message>
        <source>When question is answered correctly...</source>
        <translation>Bei richtiger Antwort...</translation>
    </message>
    <message>
        <source>Correct!</source>
        <translation>Richtig!</translation>
    </message>
    <message>
        <source>When question is answered incorrectly...</source>
        <translation>Bei falscher Antwort...</translation>
    </message>
    <message>
        <source>Incorrect!</source>
        <translation>Falsch!</translation>
    </message>
    <message>
        <source>Display &quot;%1&quot;</source>
        <translation>„%1“ anzeigen</translation>
    </message>
    <message>
        <source>Display the Explanation</source>
        <translation>Erklärung anzeigen</translation>
    </message>
    <message>
        <source>Display the correct answer</source>
        <translation>Richtige Antwort anzeigen</translation>
    </message>
    <message>
        <source>Display current grade so far</source>
        <translation>Zwischenstand anzeigen</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Save/Done</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Read Me</source>
        <translation>Lies mich</translation>
    </message>
    <message>
        <source>Owner</source>
        <translation>Besitzer</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>When the question is a multiple choice...</source>
        <translation>Bei Auswahlfragen...</translation>
    </message>
    <message>
        <source>Shuffle the answers into a random order</source>
        <translation>Antworten in zufälliger Reihenfolge zeigen</translation>
    </message>
    <message>
        <source>Display the asnwers in the same order I enter them</source>
        <translation>Antworten in der eingegebenen Reihenfolge zeigen</translation>
    </message>
    <message>
        <source>Passing Score</source>
        <translation>Bestehensgrenze</translation>
    </message>
    <message>
        <source>The test&apos;s settings could not be read from</source>
        <translation>Fehler beim Lesen der Testeinstellungen aus</translation>
    </message>
    <message>
        <source>The test&apos;s settings could not be saved to</source>
        <translation>Fehler beim Speichern der Testeinstellungen in</translation>
    </message>
    <message>
        <source>When someone goes to take this test, they will first be</source>
        <translation>Wer diesen Test ablegt, sieht zuerst eine Einführungsseite</translation>
    </message>
    <message>
        <source>presented with a Test Introduction screen with the </source>
        <translation>mit dem Namen des Tests, Ihrem Namen (wie Sie ihn im </translation>
    </message>
    <message>
        <source>Name of the test, your name (as you entered in  </source>
        <translation>Feld [BESITZER] eingegeben haben) und einem Bild </translation>
    </message>
    <message>
        <source>the [OWNER] field, and a bitmap or icon of a pen </source>
        <translation>oder Symbol eines Stifts, der auf ein Testblatt </translation>
    </message>
    <message>
        <source>writing on a test page.</source>
        <translation>schreibt.</translation>
    </message>
    <message>
        <source>You can replace the icon with any bitmap you want simply </source>
        <translation>Sie können das Symbol durch ein beliebiges Bild ersetzen, </translation>
    </message>
    <message>
        <source>by placing a .bmp file in the /tests directory that has </source>
        <translation>indem Sie eine .bmp-Datei mit dem Namen Ihres Tests </translation>
    </message>
    <message>
        <source>the same name as your test. For example, if the name of</source>
        <translation>in das Verzeichnis /tests legen. Heißt Ihr Test zum</translation>
    </message>
    <message>
        <source>your test is  MYTEST, your bitmap should be named MYTEST.BMP</source>
        <translation>Beispiel MYTEST, muss das Bild MYTEST.BMP heißen.</translation>
    </message>
</context>
<context>
    <name>QuestionCountWindow</name>
    <message>
        <source>Separator</source>
        <translation>Trennlinie</translation>
    </message>
    <message>
        <source>Select number or questions</source>
        <translation>Anzahl der Fragen wählen</translation>
    </message>
    <message>
        <source>This test has the following number of questions available</source>
        <translation>Anzahl der verfügbaren Fragen in diesem Test</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Select number of questions to take</source>
        <translation>Anzahl der zu beantwortenden Fragen</translation>
    </message>
    <message>
        <source>All Questions</source>
        <translation>Alle Fragen</translation>
    </message>
    <message>
        <source>Half of the Questions</source>
        <translation>Hälfte der Fragen</translation>
    </message>
    <message>
        <source>Custom # of Questions</source>
        <translation>Eigene Anzahl</translation>
    </message>
    <message>
        <source>Custom number of questions</source>
        <translation>Eigene Anzahl der Fragen</translation>
    </message>
</context>
<context>
    <name>QuestionEditor</name>
    <message>
        <source>True/False</source>
        <translation>Wahr/Falsch</translation>
    </message>
    <message>
        <source>Multiple Choice</source>
        <translation>Auswahlfrage</translation>
    </message>
    <message>
        <source>Typed Answer</source>
        <translation>Texteingabe</translation>
    </message>
    <message>
        <source>Building TEST</source>
        <translation>Test erstellen</translation>
    </message>
    <message>
        <source>&amp;Done</source>
        <translation>&amp;Fertig</translation>
    </message>
    <message>
        <source>Edit test properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Frage</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>F</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>E</source>
        <translation>E</translation>
    </message>
    <message>
        <source>Kind of question</source>
        <translation>Art der Frage</translation>
    </message>
    <message>
        <source>background</source>
        <translation>Hintergrund</translation>
    </message>
    <message>
        <source>Choice%1</source>
        <translation>Auswahl%1</translation>
    </message>
    <message>
        <source>%1 is correct</source>
        <translation>%1 ist richtig</translation>
    </message>
    <message>
        <source>Explanation</source>
        <translation>Erklärung</translation>
    </message>
    <message>
        <source>Go to first question</source>
        <translation>Zur ersten Frage</translation>
    </message>
    <message>
        <source>&lt; Back</source>
        <translation>&lt; Zurück</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation>Weiter &gt;</translation>
    </message>
    <message>
        <source>go to last question</source>
        <translation>Zur letzten Frage</translation>
    </message>
    <message>
        <source>Questions</source>
        <translation>Fragen</translation>
    </message>
    <message>
        <source>The questions could not be counted in</source>
        <translation>Fehler beim Zählen der Fragen in</translation>
    </message>
    <message>
        <source>The question could not be read from</source>
        <translation>Fehler beim Lesen der Frage aus</translation>
    </message>
    <message>
        <source>The question could not be saved to</source>
        <translation>Fehler beim Speichern der Frage in</translation>
    </message>
    <message>
        <source>Building </source>
        <translation>Test erstellen: </translation>
    </message>
    <message>
        <source>A test can hold at most 32,766 questions.</source>
        <translation>Ein Test kann höchstens 32.766 Fragen enthalten.</translation>
    </message>
</context>
<context>
    <name>RecordFile</name>
    <message>
        <source>The file holds more than 32,767 records.</source>
        <translation>Die Datei enthält mehr als 32.767 Datensätze.</translation>
    </message>
    <message>
        <source>Bad record number.</source>
        <translation>Ungültige Datensatznummer.</translation>
    </message>
    <message>
        <source>Bad record.</source>
        <translation>Ungültiger Datensatz.</translation>
    </message>
    <message>
        <source>The file holds %1 records, its limit.</source>
        <translation>Die Datei enthält %1 Datensätze, ihre Höchstzahl.</translation>
    </message>
    <message>
        <source>The journal %1 left by an interrupted save must be removed by its owner (%2).</source>
        <translation>Das Journal %1, das ein unterbrochenes Speichern hinterlassen hat, muss von seinem Eigentümer entfernt werden (%2).</translation>
    </message>
    <message>
        <source>%1 stands where this file&apos;s journal goes and is not one; move it away to save.</source>
        <translation>%1 steht dort, wo das Journal dieser Datei hingehört, ist aber keines; verschieben Sie es, um zu speichern.</translation>
    </message>
    <message>
        <source>The journal %1: %2</source>
        <translation>Das Journal %1: %2</translation>
    </message>
    <message>
        <source>The journal %1 of an interrupted save is damaged, so the save cannot be undone and the file may hold part of it. The journal is kept as %2; check the file and try again.</source>
        <translation>Das Journal %1 eines unterbrochenen Speicherns ist beschädigt; das Speichern kann nicht rückgängig gemacht werden, und die Datei kann einen Teil davon enthalten. Das Journal bleibt als %2 erhalten; prüfen Sie die Datei und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The journal %1 of an interrupted save does not match the file, which was replaced, restored from a copy or changed since. It was not applied and is kept as %2; nothing was changed, try again.</source>
        <translation>Das Journal %1 eines unterbrochenen Speicherns passt nicht zur Datei, die inzwischen ersetzt, aus einer Kopie wiederhergestellt oder geändert wurde. Es wurde nicht angewandt und bleibt als %2 erhalten; nichts wurde geändert, versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The journal %1 of %2 was not applied: it belongs to %3, who does not own the file, or other users may change it. It is left as it is.</source>
        <translation>Das Journal %1 von %2 wurde nicht angewandt: Es gehört %3, dem die Datei nicht gehört, oder andere Benutzer können es ändern. Es bleibt, wie es ist.</translation>
    </message>
    <message>
        <source>The journal %1 of an interrupted save can be neither applied nor set aside on a read-only medium. Copy the file and the journal to a writable folder and open the file there.</source>
        <translation>Das Journal %1 eines unterbrochenen Speicherns kann auf einem schreibgeschützten Datenträger weder angewandt noch beiseitegelegt werden. Kopieren Sie die Datei und das Journal in einen beschreibbaren Ordner und öffnen Sie die Datei dort.</translation>
    </message>
    <message>
        <source>The file has other names (hard links), through which a save cut short could not be put back, so it is not saved. Copy it to a file of its own and save that.</source>
        <translation>Die Datei hat weitere Namen (harte Links), über die ein abgebrochenes Speichern nicht zurückgenommen werden könnte; deshalb wird sie nicht gespeichert. Kopieren Sie sie in eine eigene Datei und speichern Sie diese.</translation>
    </message>
    <message>
        <source>The file ends in a record cut short by an interrupted save that could not be undone; its journal is kept as %1. Run &quot;quizdex-tool repair&quot; on the file to move the cut record aside.</source>
        <translation>Die Datei endet mit einem Datensatz, den ein unterbrochenes Speichern abgeschnitten hat und der nicht zurückgenommen werden konnte; sein Journal bleibt als %1 erhalten. Führen Sie „quizdex-tool repair“ für die Datei aus, um den abgeschnittenen Datensatz beiseitezulegen.</translation>
    </message>
    <message>
        <source>These journals of interrupted saves in %1 were not applied; look at their files, then delete them:</source>
        <translation>Diese Journale unterbrochener Speichervorgänge in %1 wurden nicht angewandt; prüfen Sie ihre Dateien und löschen Sie sie dann:</translation>
    </message>
    <message>
        <source>%1 does not match its file (replaced, restored or changed since), kept as %2</source>
        <translation>%1 passt nicht zu seiner Datei (inzwischen ersetzt, wiederhergestellt oder geändert), erhalten als %2</translation>
    </message>
    <message>
        <source>%1 is damaged, kept as %2</source>
        <translation>%1 ist beschädigt, erhalten als %2</translation>
    </message>
    <message>
        <source>%1 belongs to %2 or other users may change it, left as it is</source>
        <translation>%1 gehört %2 oder andere Benutzer können es ändern, unverändert gelassen</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>RunRules</name>
    <message>
        <source> of </source>
        <translation> von </translation>
    </message>
    <message>
        <source>Score: </source>
        <translation>Ergebnis: </translation>
    </message>
    <message>
        <source># Correct so far = </source>
        <translation>Bisher richtig = </translation>
    </message>
    <message>
        <source>Elapsed Time: </source>
        <translation>Verstrichene Zeit: </translation>
    </message>
    <message>
        <source>The test %1 cannot be found.</source>
        <translation>Der Test %1 wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The test %1 is empty.</source>
        <translation>Der Test %1 ist leer.</translation>
    </message>
    <message>
        <source>The test &quot;%1&quot; lost questions while you were taking it.</source>
        <translation>Der Test „%1“ hat Fragen verloren, während Sie ihn abgelegt haben.</translation>
    </message>
    <message>
        <source>The test has ended without a score.</source>
        <translation>Der Test wurde ohne Ergebnis beendet.</translation>
    </message>
    <message>
        <source>Your name cannot be used as the name of your score log.<byte value="xd"/>
</source>
        <translation>Ihr Name kann nicht als Name Ihres Ergebnisprotokolls dienen.<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>ScoreLog</name>
    <message>
        <source>Your score could not be added to the score log</source>
        <translation>Fehler beim Eintragen Ihres Ergebnisses in das Ergebnisprotokoll</translation>
    </message>
    <message>
        <source>TEST TAKEN  -&gt; </source>
        <translation>TEST        -&gt; </translation>
    </message>
    <message>
        <source>TIME TAKEN  -&gt; </source>
        <translation>UHRZEIT     -&gt; </translation>
    </message>
    <message>
        <source>DATE TAKEN  -&gt; </source>
        <translation>DATUM       -&gt; </translation>
    </message>
    <message>
        <source># QUESTIONS -&gt; </source>
        <translation># FRAGEN    -&gt; </translation>
    </message>
    <message>
        <source>TEST SCORE  -&gt; </source>
        <translation>ERGEBNIS    -&gt; </translation>
    </message>
    <message>
        <source>The log holds more than 32,767 entries.</source>
        <translation>Das Protokoll enthält mehr als 32.767 Einträge.</translation>
    </message>
    <message>
        <source>Error loading Log file. Your Log file(s) are either</source>
        <translation>Fehler beim Laden des Protokolls. Ihre Protokolldatei(en) sind</translation>
    </message>
    <message>
        <source>corrupted, or you are trying to read log files </source>
        <translation>entweder beschädigt, oder Sie versuchen, Protokolle zu lesen, </translation>
    </message>
    <message>
        <source>created before v1.4.</source>
        <translation>die vor v1.4 erstellt wurden.</translation>
    </message>
    <message>
        <source>The score log could not be read from</source>
        <translation>Fehler beim Lesen des Ergebnisprotokolls aus</translation>
    </message>
    <message>
        <source>Your answers could not be kept beside the score log</source>
        <translation>Fehler beim Speichern Ihrer Antworten neben dem Ergebnisprotokoll</translation>
    </message>
</context>
<context>
    <name>ScoreLogWindow</name>
    <message>
        <source>Score log</source>
        <translation>Ergebnisprotokoll</translation>
    </message>
    <message>
        <source>Score log entries</source>
        <translation>Einträge des Ergebnisprotokolls</translation>
    </message>
    <message>
        <source>&amp;Done</source>
        <translation>&amp;Fertig</translation>
    </message>
</context>
<context>
    <name>ScoreWindow</name>
    <message>
        <source>  (PASS)    </source>
        <translation>(BESTANDEN) </translation>
    </message>
    <message>
        <source>  (FAIL)    </source>
        <translation>(VERFEHLT) </translation>
    </message>
    <message>
        <source>Test Score</source>
        <translation>Testergebnis</translation>
    </message>
    <message>
        <source>Score chart</source>
        <translation>Ergebnisdiagramm</translation>
    </message>
    <message>
        <source>0 percent</source>
        <translation>0 Prozent</translation>
    </message>
    <message>
        <source>50 percent</source>
        <translation>50 Prozent</translation>
    </message>
    <message>
        <source>100 percent</source>
        <translation>100 Prozent</translation>
    </message>
    <message>
        <source>Passing Grade = </source>
        <translation>Zum Bestehen = </translation>
    </message>
    <message>
        <source>Your score = </source>
        <translation>Erzielt = </translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Name: </source>
        <translation>Name: </translation>
    </message>
    <message>
        <source>Passing score </source>
        <translation>Bestehensgrenze </translation>
    </message>
    <message>
        <source>Passing Score = </source>
        <translation>Zum Bestehen = </translation>
    </message>
    <message>
        <source>Your Score = </source>
        <translation>Erzielt = </translation>
    </message>
    <message>
        <source>Your score %1%, %2</source>
        <translation>Ihr Ergebnis %1 %, %2</translation>
    </message>
    <message>
        <source>pass</source>
        <translation>bestanden</translation>
    </message>
    <message>
        <source>fail</source>
        <translation>nicht bestanden</translation>
    </message>
</context>
<context>
    <name>Services</name>
    <message>
        <source>No printer is available.</source>
        <translation>Es ist kein Drucker verfügbar.</translation>
    </message>
</context>
<context>
    <name>ShortFeedbackWindow</name>
    <message>
        <source>Question mark</source>
        <translation>Fragezeichen</translation>
    </message>
    <message>
        <source>Correct!</source>
        <translation>Richtig!</translation>
    </message>
</context>
<context>
    <name>TestRunWindow</name>
    <message>
        <source>Taking Test &gt;&gt; </source>
        <translation>Test ablegen &gt;&gt; </translation>
    </message>
    <message>
        <source>Elapsed Time: </source>
        <translation>Verstrichene Zeit: </translation>
    </message>
    <message>
        <source>Q</source>
        <translation>F</translation>
    </message>
    <message>
        <source>Answer area</source>
        <translation>Antwortbereich</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>Answers</source>
        <translation>Antworten</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Antwort</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Weiter</translation>
    </message>
    <message>
        <source>&amp;Print Question</source>
        <translation>Frage &amp;drucken</translation>
    </message>
    <message>
        <source>Score: </source>
        <translation>Ergebnis: </translation>
    </message>
    <message>
        <source>Score bar border</source>
        <translation>Rahmen des Ergebnisbalkens</translation>
    </message>
    <message>
        <source>Score bar</source>
        <translation>Ergebnisbalken</translation>
    </message>
    <message>
        <source>E&amp;xit Test</source>
        <translation>Test &amp;beenden</translation>
    </message>
    <message>
        <source>Cannot read the test</source>
        <translation>Fehler beim Lesen des Tests</translation>
    </message>
    <message>
        <source>This test has 0 questions!</source>
        <translation>Dieser Test hat 0 Fragen!</translation>
    </message>
    <message>
        <source>[Quizdex] - TEST: </source>
        <translation>[Quizdex] - TEST: </translation>
    </message>
    <message>
        <source>     NAME: </source>
        <translation>     NAME: </translation>
    </message>
    <message>
        <source>Typed answer</source>
        <translation>Eingetippte Antwort</translation>
    </message>
    <message>
        <source>Blank answer</source>
        <translation>Leere Antwort</translation>
    </message>
    <message>
        <source>Please select an answer.</source>
        <translation>Bitte wählen Sie eine Antwort aus.</translation>
    </message>
    <message>
        <source>Correct Answer!</source>
        <translation>Richtige Antwort!</translation>
    </message>
    <message>
        <source>InCorrect Answer!</source>
        <translation>Falsche Antwort!</translation>
    </message>
    <message>
        <source>Are you sure you want to end the test?</source>
        <translation>Möchten Sie den Test wirklich beenden?</translation>
    </message>
</context>
<context>
    <name>TextRules</name>
    <message>
        <source>The name contains &quot;/&quot; or &quot;\&quot;.</source>
        <translation>Der Name enthält „/“ oder „\“.</translation>
    </message>
    <message>
        <source>The name contains a NUL character.</source>
        <translation>Der Name enthält ein NUL-Zeichen.</translation>
    </message>
    <message>
        <source>The name is too long for a file name.</source>
        <translation>Der Name ist zu lang für einen Dateinamen.</translation>
    </message>
</context>
</TS>
