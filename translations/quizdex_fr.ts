<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>DetailedFeedbackWindow</name>
    <message>
        <source>Correct Answer!</source>
        <translation>Bonne réponse !</translation>
    </message>
    <message>
        <source>Explanation of Answer</source>
        <translation>Explication de la réponse</translation>
    </message>
    <message>
        <source>Correct Answer is</source>
        <translation>La bonne réponse est</translation>
    </message>
    <message>
        <source>Correct so far =</source>
        <translation>Bonnes réponses =</translation>
    </message>
</context>
<context>
    <name>FeedbackWindow</name>
    <message>
        <source>Your Answer</source>
        <translation>Votre réponse</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Print Question</source>
        <translation>&amp;Imprimer</translation>
    </message>
</context>
<context>
    <name>FileIo</name>
    <message>
        <source>Not a regular file</source>
        <translation>Ce n&apos;est pas un fichier ordinaire</translation>
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
Cette aide vous permet de prendre Quizdex en main. Elle ne décrit pas le programme <byte value="xd"/>
en détail.<byte value="xd"/>
<byte value="xd"/>
---------------------------------------------------------------------<byte value="xd"/>
<byte value="xd"/>
------------------<byte value="xd"/>
CRÉER UN TEST<byte value="xd"/>
------------------<byte value="xd"/>
<byte value="xd"/>
Saisissez le nom du test, votre nom (sous [PROPRIÉTAIRE]) et un mot de passe (le mot <byte value="xd"/>
de passe vous réserve l&apos;accès au test, si vous devez le modifier plus tard).<byte value="xd"/>
<byte value="xd"/>
Cliquez sur [Créer]. Une page de propriétés du test s&apos;ouvre : vous y fixez le seuil <byte value="xd"/>
de réussite, la réaction du test aux bonnes et aux mauvaises réponses, et si le test <byte value="xd"/>
mélange les réponses ou les affiche dans l&apos;ordre de saisie.<byte value="xd"/>
<byte value="xd"/>
Cliquez sur [Enregistrer] : la fenêtre de création du test s&apos;ouvre. Vous y saisissez <byte value="xd"/>
les questions et les réponses, et choisissez le type de chaque question (choix <byte value="xd"/>
multiple, Vrai/Faux ou réponse saisie).<byte value="xd"/>
<byte value="xd"/>
Cliquez sur [SUIVANT] après chaque question, et sur [ENREGISTRER] après la dernière.<byte value="xd"/>
<byte value="xd"/>
Chaque test est lié automatiquement à l&apos;image DEFAULT.BMP. Cette image s&apos;affiche <byte value="xd"/>
dans une fenêtre d&apos;introduction, avec le nom du test et celui de son auteur (votre <byte value="xd"/>
nom), au début de chaque passage du test. Pour utiliser votre propre image à la <byte value="xd"/>
place de DEFAULT.BMP, placez dans le dossier \TESTS un fichier BMP qui porte le nom <byte value="xd"/>
de votre test. Par exemple, si votre test s&apos;appelle MYTEST, nommez l&apos;image <byte value="xd"/>
MYTEST.BMP.<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
----------------------<byte value="xd"/>
MODIFIER UN TEST<byte value="xd"/>
----------------------<byte value="xd"/>
<byte value="xd"/>
Cliquez sur le nom du test à modifier. Saisissez ensuite votre nom et le mot de passe <byte value="xd"/>
choisi pour ce test. Cliquez sur [Modifier] : la fenêtre qui a servi à créer le test <byte value="xd"/>
s&apos;ouvre, cette fois avec les données du test.<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
----------------------<byte value="xd"/>
PASSER UN TEST<byte value="xd"/>
----------------------<byte value="xd"/>
<byte value="xd"/>
Cliquez sur le nom du test à passer. Saisissez ensuite votre nom (c&apos;est important). <byte value="xd"/>
Cliquez sur [Démarrer]. Cliquez sur [Commencer le test], choisissez le nombre de <byte value="xd"/>
questions, puis cliquez sur [OK].<byte value="xd"/>
<byte value="xd"/>
Choisissez votre réponse en cliquant sur le bouton d&apos;option à côté de la réponse <byte value="xd"/>
voulue. Cliquez sur [Suivant] après chaque question. À la fin du test, votre score <byte value="xd"/>
s&apos;affiche sous forme de graphique.<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
----------------------<byte value="xd"/>
JOURNAL DES RÉSULTATS<byte value="xd"/>
----------------------<byte value="xd"/>
<byte value="xd"/>
Chaque fois qu&apos;une personne passe un test, une entrée est ajoutée à son journal des <byte value="xd"/>
résultats : son nom, l&apos;heure et la date, le test passé, le score et le nombre de <byte value="xd"/>
questions. Vous voyez ici les résultats en miniature dans la fenêtre, ou cliquez sur <byte value="xd"/>
[Vue complète] pour un affichage plus grand (et plus lisible).<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
----------------------<byte value="xd"/>
À PROPOS<byte value="xd"/>
----------------------<byte value="xd"/>
<byte value="xd"/>
Cliquez sur [Aide] pour afficher cette page.<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Quizdex Help</source>
        <translation>Aide de Quizdex</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>Texte d&apos;aide</translation>
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
        <translation>Test Quizdex</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Cadre</translation>
    </message>
    <message>
        <source>Created by:</source>
        <translation>Créé par :</translation>
    </message>
    <message>
        <source>Test picture</source>
        <translation>Image du test</translation>
    </message>
    <message>
        <source>&amp;Start Test</source>
        <translation>&amp;Commencer le test</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Quizdex picture</source>
        <translation>Image de Quizdex</translation>
    </message>
    <message>
        <source>The tests folder &quot;%1&quot; could not be created:</source>
        <translation>Le dossier des tests « %1 » n&apos;a pas pu être créé :</translation>
    </message>
    <message>
        <source>Tests and score logs cannot be listed or saved.</source>
        <translation>Les tests et les journaux des résultats ne peuvent être ni listés ni enregistrés.</translation>
    </message>
    <message>
        <source>The tests folder &quot;%1&quot; cannot be read:</source>
        <translation>Le dossier des tests « %1 » ne peut pas être lu :</translation>
    </message>
    <message>
        <source>Tests and score logs cannot be listed.</source>
        <translation>Les tests et les journaux des résultats ne peuvent pas être listés.</translation>
    </message>
    <message>
        <source>The test could not be created as</source>
        <translation>Impossible de créer le test</translation>
    </message>
    <message>
        <source>You have entered characters in the Test Name</source>
        <translation>Le champ « Nom du test » contient des caractères</translation>
    </message>
    <message>
        <source>field that are not legal characters for filenames.</source>
        <translation>qui ne sont pas permis dans un nom de fichier.</translation>
    </message>
    <message>
        <source>Please enter legal characters and try again.</source>
        <translation>Veuillez saisir des caractères permis et réessayer.</translation>
    </message>
    <message>
        <source>There is currently a test by this name.</source>
        <translation>Il existe déjà un test de ce nom.</translation>
    </message>
    <message>
        <source>Choose a different name, or delete the</source>
        <translation>Choisissez un autre nom ou supprimez le</translation>
    </message>
    <message>
        <source>existing text.</source>
        <translation>test existant.</translation>
    </message>
    <message>
        <source>If you need to make changes to the existing</source>
        <translation>Pour apporter des modifications au test existant,</translation>
    </message>
    <message>
        <source>test, click on the EDIT TEST tab.</source>
        <translation>cliquez sur l&apos;onglet MODIFIER UN TEST.</translation>
    </message>
    <message>
        <source>Name of Test</source>
        <translation>Nom du test</translation>
    </message>
    <message>
        <source>Owner (your name)</source>
        <translation>Propriétaire (votre nom)</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>&amp;Create</source>
        <translation>&amp;Créer</translation>
    </message>
    <message>
        <source>&amp;Read Me</source>
        <translation>&amp;Lisez-moi</translation>
    </message>
    <message>
        <source>Test to edit</source>
        <translation>Test à modifier</translation>
    </message>
    <message>
        <source>Test picture</source>
        <translation>Image du test</translation>
    </message>
    <message>
        <source>Owner</source>
        <translation>Propriétaire</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Modifier</translation>
    </message>
    <message>
        <source>Select Test to Take</source>
        <translation>Choisissez le test à passer</translation>
    </message>
    <message>
        <source>Your Name</source>
        <translation>Votre nom</translation>
    </message>
    <message>
        <source>Play sounds during test</source>
        <translation>Sons pendant le test</translation>
    </message>
    <message>
        <source>&amp;Begin</source>
        <translation>&amp;Démarrer</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Score log</source>
        <translation>Journal des résultats</translation>
    </message>
    <message>
        <source>Full &amp;View</source>
        <translation>&amp;Vue complète</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>v %1  for Linux and Windows</source>
        <translation>v %1  pour Linux et Windows</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>..questions, comments, bug reports, etc..</source>
        <translation>..questions, avis, bogues, etc..</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation>Tâches</translation>
    </message>
    <message>
        <source>Create a New Test</source>
        <translation>Nouveau test</translation>
    </message>
    <message>
        <source>Edit an Existing Test</source>
        <translation>Modifier un test</translation>
    </message>
    <message>
        <source>Take a Test</source>
        <translation>Passer un test</translation>
    </message>
    <message>
        <source>View Score Log</source>
        <translation>Résultats</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>All fields need to be filled in</source>
        <translation>Tous les champs doivent être remplis</translation>
    </message>
    <message>
        <source>before you can create a test file.</source>
        <translation>avant de pouvoir créer un fichier de test.</translation>
    </message>
    <message>
        <source>Select a Test to edit</source>
        <translation>Choisissez un test à modifier.</translation>
    </message>
    <message>
        <source>Both name AND password are required.</source>
        <translation>Le nom ET le mot de passe sont requis.</translation>
    </message>
    <message>
        <source>The test could not be read from</source>
        <translation>Impossible de lire le test</translation>
    </message>
    <message>
        <source>Incorrect Name and/or Password. Access Denied.</source>
        <translation>Nom et/ou mot de passe incorrect. Accès refusé.</translation>
    </message>
    <message>
        <source>Please select a Test to take.</source>
        <translation>Veuillez choisir un test à passer.</translation>
    </message>
    <message>
        <source>Your name is required to take a test.</source>
        <translation>Votre nom est requis pour passer un test.</translation>
    </message>
    <message>
        <source>Cannot read the test</source>
        <translation>Impossible de lire le test</translation>
    </message>
</context>
<context>
    <name>PropertiesWindow</name>
    <message>
        <source>When question is answered correctly...</source>
        <translation>Après une bonne réponse...</translation>
    </message>
    <message>
        <source>Correct!</source>
        <translation>Correct !</translation>
    </message>
    <message>
        <source>When question is answered incorrectly...</source>
        <translation>Après une mauvaise réponse...</translation>
    </message>
    <message>
        <source>Incorrect!</source>
        <translation>Incorrect !</translation>
    </message>
    <message>
        <source>Display &quot;%1&quot;</source>
        <translation>Afficher « %1 »</translation>
    </message>
    <message>
        <source>Display the Explanation</source>
        <translation>Afficher l&apos;explication</translation>
    </message>
    <message>
        <source>Display the correct answer</source>
        <translation>Afficher la bonne réponse</translation>
    </message>
    <message>
        <source>Display current grade so far</source>
        <translation>Afficher le score actuel</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Propriétés</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Save/Done</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Read Me</source>
        <translation>Lisez-moi</translation>
    </message>
    <message>
        <source>Owner</source>
        <translation>Propriétaire</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>When the question is a multiple choice...</source>
        <translation>Pour une question à choix multiple...</translation>
    </message>
    <message>
        <source>Shuffle the answers into a random order</source>
        <translation>Mélanger les réponses au hasard</translation>
    </message>
    <message>
        <source>Display the asnwers in the same order I enter them</source>
        <translation>Afficher les réponses dans l&apos;ordre de saisie</translation>
    </message>
    <message>
        <source>Passing Score</source>
        <translation>Seuil de réussite</translation>
    </message>
    <message>
        <source>The test&apos;s settings could not be read from</source>
        <translation>Impossible de lire les réglages du test dans</translation>
    </message>
    <message>
        <source>The test&apos;s settings could not be saved to</source>
        <translation>Impossible d&apos;enregistrer les réglages du test dans</translation>
    </message>
    <message>
        <source>When someone goes to take this test, they will first be</source>
        <translation>Quiconque passe ce test voit d&apos;abord un écran</translation>
    </message>
    <message>
        <source>presented with a Test Introduction screen with the </source>
        <translation>d&apos;introduction avec le nom du test, votre nom </translation>
    </message>
    <message>
        <source>Name of the test, your name (as you entered in  </source>
        <translation>(tel que saisi dans le champ [PROPRIÉTAIRE]) </translation>
    </message>
    <message>
        <source>the [OWNER] field, and a bitmap or icon of a pen </source>
        <translation>et une image ou l&apos;icône d&apos;un stylo qui écrit </translation>
    </message>
    <message>
        <source>writing on a test page.</source>
        <translation>sur une feuille de test.</translation>
    </message>
    <message>
        <source>You can replace the icon with any bitmap you want simply </source>
        <translation>Vous pouvez remplacer l&apos;icône par l&apos;image de votre choix </translation>
    </message>
    <message>
        <source>by placing a .bmp file in the /tests directory that has </source>
        <translation>en plaçant dans le dossier /tests un fichier .bmp qui porte </translation>
    </message>
    <message>
        <source>the same name as your test. For example, if the name of</source>
        <translation>le même nom que votre test. Par exemple, si votre test</translation>
    </message>
    <message>
        <source>your test is  MYTEST, your bitmap should be named MYTEST.BMP</source>
        <translation>s&apos;appelle MYTEST, l&apos;image doit s&apos;appeler MYTEST.BMP.</translation>
    </message>
</context>
<context>
    <name>QuestionCountWindow</name>
    <message>
        <source>Separator</source>
        <translation>Séparateur</translation>
    </message>
    <message>
        <source>Select number or questions</source>
        <translation>Nombre de questions</translation>
    </message>
    <message>
        <source>This test has the following number of questions available</source>
        <translation>Nombre de questions disponibles dans ce test</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Select number of questions to take</source>
        <translation>Choisissez le nombre de questions</translation>
    </message>
    <message>
        <source>All Questions</source>
        <translation>Toutes les questions</translation>
    </message>
    <message>
        <source>Half of the Questions</source>
        <translation>La moitié des questions</translation>
    </message>
    <message>
        <source>Custom # of Questions</source>
        <translation>Autre nombre</translation>
    </message>
    <message>
        <source>Custom number of questions</source>
        <translation>Autre nombre de questions</translation>
    </message>
</context>
<context>
    <name>QuestionEditor</name>
    <message>
        <source>True/False</source>
        <translation>Vrai/Faux</translation>
    </message>
    <message>
        <source>Multiple Choice</source>
        <translation>Choix multiple</translation>
    </message>
    <message>
        <source>Typed Answer</source>
        <translation>Réponse saisie</translation>
    </message>
    <message>
        <source>Building TEST</source>
        <translation>Édition du test</translation>
    </message>
    <message>
        <source>&amp;Done</source>
        <translation>&amp;Terminé</translation>
    </message>
    <message>
        <source>Edit test properties</source>
        <translation>Propriétés</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>Q</translation>
    </message>
    <message>
        <source>A</source>
        <translation>R</translation>
    </message>
    <message>
        <source>E</source>
        <translation>E</translation>
    </message>
    <message>
        <source>Kind of question</source>
        <translation>Type de question</translation>
    </message>
    <message>
        <source>background</source>
        <translation>arrière-plan</translation>
    </message>
    <message>
        <source>Choice%1</source>
        <translation>Choix%1</translation>
    </message>
    <message>
        <source>%1 is correct</source>
        <translation>%1 est correct</translation>
    </message>
    <message>
        <source>Explanation</source>
        <translation>Explication</translation>
    </message>
    <message>
        <source>Go to first question</source>
        <translation>Aller à la première question</translation>
    </message>
    <message>
        <source>&lt; Back</source>
        <translation>&lt; Retour</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation>Suivant &gt;</translation>
    </message>
    <message>
        <source>go to last question</source>
        <translation>Aller à la dernière question</translation>
    </message>
    <message>
        <source>Questions</source>
        <translation>Questions</translation>
    </message>
    <message>
        <source>The questions could not be counted in</source>
        <translation>Impossible de compter les questions dans</translation>
    </message>
    <message>
        <source>The question could not be read from</source>
        <translation>Impossible de lire la question dans</translation>
    </message>
    <message>
        <source>The question could not be saved to</source>
        <translation>Impossible d&apos;enregistrer la question dans</translation>
    </message>
    <message>
        <source>Building </source>
        <translation>Édition de </translation>
    </message>
    <message>
        <source>A test can hold at most 32,766 questions.</source>
        <translation>Un test peut contenir au plus 32 766 questions.</translation>
    </message>
</context>
<context>
    <name>RecordFile</name>
    <message>
        <source>The journal %1 left by an interrupted save must be removed by its owner (%2).</source>
        <translation>Le journal %1 laissé par un enregistrement interrompu doit être supprimé par son propriétaire (%2).</translation>
    </message>
    <message>
        <source>%1 stands where this file&apos;s journal goes and is not one; move it away to save.</source>
        <translation>%1 occupe la place du journal de ce fichier sans en être un ; déplacez-le pour enregistrer.</translation>
    </message>
    <message>
        <source>The journal %1: %2</source>
        <translation>Le journal %1 : %2</translation>
    </message>
    <message>
        <source>The journal %1 of an interrupted save is damaged, so the save cannot be undone and the file may hold part of it. The journal is kept as %2; check the file and try again.</source>
        <translation>Le journal %1 d&apos;un enregistrement interrompu est endommagé : l&apos;enregistrement ne peut pas être annulé et le fichier peut en contenir une partie. Le journal est conservé sous le nom %2 ; vérifiez le fichier et réessayez.</translation>
    </message>
    <message>
        <source>The file holds more than 32,767 records.</source>
        <translation>Le fichier contient plus de 32 767 enregistrements.</translation>
    </message>
    <message>
        <source>Bad record number.</source>
        <translation>Numéro d&apos;enregistrement incorrect.</translation>
    </message>
    <message>
        <source>Bad record.</source>
        <translation>Enregistrement incorrect.</translation>
    </message>
    <message>
        <source>The file holds %1 records, its limit.</source>
        <translation>Le fichier contient %1 enregistrements, son maximum.</translation>
    </message>
    <message>
        <source>The journal %1 of an interrupted save does not match the file, which was replaced, restored from a copy or changed since. It was not applied and is kept as %2; nothing was changed, try again.</source>
        <translation>Le journal %1 d&apos;un enregistrement interrompu ne correspond pas au fichier, qui a été remplacé, restauré depuis une copie ou modifié depuis. Il n&apos;a pas été appliqué et est conservé sous le nom %2 ; rien n&apos;a été modifié, réessayez.</translation>
    </message>
    <message>
        <source>The journal %1 of %2 was not applied: it belongs to %3, who does not own the file, or other users may change it. It is left as it is.</source>
        <translation>Le journal %1 de %2 n&apos;a pas été appliqué : il appartient à %3, qui n&apos;est pas propriétaire du fichier, ou d&apos;autres utilisateurs peuvent le modifier. Il est laissé tel quel.</translation>
    </message>
    <message>
        <source>The journal %1 of an interrupted save can be neither applied nor set aside on a read-only medium. Copy the file and the journal to a writable folder and open the file there.</source>
        <translation>Le journal %1 d&apos;un enregistrement interrompu ne peut être ni appliqué ni mis de côté sur un support en lecture seule. Copiez le fichier et le journal dans un dossier accessible en écriture et ouvrez-y le fichier.</translation>
    </message>
    <message>
        <source>The file has other names (hard links), through which a save cut short could not be put back, so it is not saved. Copy it to a file of its own and save that.</source>
        <translation>Le fichier porte d&apos;autres noms (liens physiques) par lesquels un enregistrement interrompu ne pourrait pas être rétabli ; il n&apos;est donc pas enregistré. Copiez-le dans un fichier distinct et enregistrez celui-ci.</translation>
    </message>
    <message>
        <source>The file ends in a record cut short by an interrupted save that could not be undone; its journal is kept as %1. Run &quot;quizdex-tool repair&quot; on the file to move the cut record aside.</source>
        <translation>Le fichier se termine par un enregistrement tronqué par une sauvegarde interrompue qui n&apos;a pas pu être annulée ; son journal est conservé sous le nom %1. Lancez « quizdex-tool repair » sur le fichier pour mettre de côté l&apos;enregistrement tronqué.</translation>
    </message>
    <message>
        <source>These journals of interrupted saves in %1 were not applied; look at their files, then delete them:</source>
        <translation>Ces journaux d&apos;enregistrements interrompus dans %1 n&apos;ont pas été appliqués ; examinez leurs fichiers, puis supprimez-les :</translation>
    </message>
    <message>
        <source>%1 does not match its file (replaced, restored or changed since), kept as %2</source>
        <translation>%1 ne correspond pas à son fichier (remplacé, restauré ou modifié depuis), conservé sous le nom %2</translation>
    </message>
    <message>
        <source>%1 is damaged, kept as %2</source>
        <translation>%1 est endommagé, conservé sous le nom %2</translation>
    </message>
    <message>
        <source>%1 belongs to %2 or other users may change it, left as it is</source>
        <translation>%1 appartient à %2 ou d&apos;autres utilisateurs peuvent le modifier, laissé tel quel</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
</context>
<context>
    <name>RunRules</name>
    <message>
        <source> of </source>
        <translation> sur </translation>
    </message>
    <message>
        <source>Score: </source>
        <translation>Score : </translation>
    </message>
    <message>
        <source># Correct so far = </source>
        <translation>Bonnes réponses = </translation>
    </message>
    <message>
        <source>Elapsed Time: </source>
        <translation>Temps écoulé : </translation>
    </message>
    <message>
        <source>The test %1 cannot be found.</source>
        <translation>Le test %1 est introuvable.</translation>
    </message>
    <message>
        <source>The test %1 is empty.</source>
        <translation>Le test %1 est vide.</translation>
    </message>
    <message>
        <source>The test &quot;%1&quot; lost questions while you were taking it.</source>
        <translation>Le test « %1 » a perdu des questions pendant que vous le passiez.</translation>
    </message>
    <message>
        <source>The test has ended without a score.</source>
        <translation>Le test s&apos;est terminé sans score.</translation>
    </message>
    <message>
        <source>Your name cannot be used as the name of your score log.<byte value="xd"/>
</source>
        <translation>Votre nom ne peut pas servir de nom à votre journal des résultats.<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>ScoreLog</name>
    <message>
        <source>Your score could not be added to the score log</source>
        <translation>Impossible d&apos;ajouter votre score au journal des résultats</translation>
    </message>
    <message>
        <source>TEST TAKEN  -&gt; </source>
        <translation>TEST        -&gt; </translation>
    </message>
    <message>
        <source>TIME TAKEN  -&gt; </source>
        <translation>HEURE       -&gt; </translation>
    </message>
    <message>
        <source>DATE TAKEN  -&gt; </source>
        <translation>DATE        -&gt; </translation>
    </message>
    <message>
        <source># QUESTIONS -&gt; </source>
        <translation># QUESTIONS -&gt; </translation>
    </message>
    <message>
        <source>TEST SCORE  -&gt; </source>
        <translation>SCORE       -&gt; </translation>
    </message>
    <message>
        <source>The log holds more than 32,767 entries.</source>
        <translation>Le journal contient plus de 32 767 entrées.</translation>
    </message>
    <message>
        <source>Error loading Log file. Your Log file(s) are either</source>
        <translation>Erreur au chargement du journal. Vos journaux sont</translation>
    </message>
    <message>
        <source>corrupted, or you are trying to read log files </source>
        <translation>endommagés, ou vous essayez de lire des journaux </translation>
    </message>
    <message>
        <source>created before v1.4.</source>
        <translation>créés avant la v1.4.</translation>
    </message>
    <message>
        <source>The score log could not be read from</source>
        <translation>Impossible de lire le journal des résultats</translation>
    </message>
    <message>
        <source>Your answers could not be kept beside the score log</source>
        <translation>Vos réponses n&apos;ont pas pu être conservées à côté du journal des résultats</translation>
    </message>
</context>
<context>
    <name>ScoreLogWindow</name>
    <message>
        <source>Score log</source>
        <translation>Journal des résultats</translation>
    </message>
    <message>
        <source>Score log entries</source>
        <translation>Entrées du journal des résultats</translation>
    </message>
    <message>
        <source>&amp;Done</source>
        <translation>&amp;Terminé</translation>
    </message>
</context>
<context>
    <name>ScoreWindow</name>
    <message>
        <source>  (PASS)    </source>
        <translation>(RÉUSSI) </translation>
    </message>
    <message>
        <source>  (FAIL)    </source>
        <translation>(ÉCHEC) </translation>
    </message>
    <message>
        <source>Test Score</source>
        <translation>Score du test</translation>
    </message>
    <message>
        <source>Score chart</source>
        <translation>Graphique du score</translation>
    </message>
    <message>
        <source>0 percent</source>
        <translation>0 pour cent</translation>
    </message>
    <message>
        <source>50 percent</source>
        <translation>50 pour cent</translation>
    </message>
    <message>
        <source>100 percent</source>
        <translation>100 pour cent</translation>
    </message>
    <message>
        <source>Passing Grade = </source>
        <translation>Seuil de réussite = </translation>
    </message>
    <message>
        <source>Your score = </source>
        <translation>Votre score = </translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Name: </source>
        <translation>Nom : </translation>
    </message>
    <message>
        <source>Passing score </source>
        <translation>Seuil de réussite </translation>
    </message>
    <message>
        <source>Passing Score = </source>
        <translation>Seuil de réussite = </translation>
    </message>
    <message>
        <source>Your Score = </source>
        <translation>Votre score = </translation>
    </message>
    <message>
        <source>Your score %1%, %2</source>
        <translation>Votre score %1 %, %2</translation>
    </message>
    <message>
        <source>pass</source>
        <translation>réussi</translation>
    </message>
    <message>
        <source>fail</source>
        <translation>échoué</translation>
    </message>
</context>
<context>
    <name>Services</name>
    <message>
        <source>No printer is available.</source>
        <translation>Aucune imprimante n&apos;est disponible.</translation>
    </message>
</context>
<context>
    <name>ShortFeedbackWindow</name>
    <message>
        <source>Question mark</source>
        <translation>Point d&apos;interrogation</translation>
    </message>
    <message>
        <source>Correct!</source>
        <translation>Correct !</translation>
    </message>
</context>
<context>
    <name>TestRunWindow</name>
    <message>
        <source>Taking Test &gt;&gt; </source>
        <translation>Test en cours &gt;&gt; </translation>
    </message>
    <message>
        <source>Elapsed Time: </source>
        <translation>Temps écoulé : </translation>
    </message>
    <message>
        <source>Q</source>
        <translation>Q</translation>
    </message>
    <message>
        <source>Answer area</source>
        <translation>Zone de réponse</translation>
    </message>
    <message>
        <source>A</source>
        <translation>R</translation>
    </message>
    <message>
        <source>Answers</source>
        <translation>Réponses</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Réponse</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Suivant</translation>
    </message>
    <message>
        <source>&amp;Print Question</source>
        <translation>&amp;Imprimer la question</translation>
    </message>
    <message>
        <source>Score: </source>
        <translation>Score : </translation>
    </message>
    <message>
        <source>Score bar border</source>
        <translation>Cadre de la barre de score</translation>
    </message>
    <message>
        <source>Score bar</source>
        <translation>Barre de score</translation>
    </message>
    <message>
        <source>E&amp;xit Test</source>
        <translation>&amp;Quitter le test</translation>
    </message>
    <message>
        <source>Cannot read the test</source>
        <translation>Impossible de lire le test</translation>
    </message>
    <message>
        <source>This test has 0 questions!</source>
        <translation>Ce test n&apos;a aucune question !</translation>
    </message>
    <message>
        <source>[Quizdex] - TEST: </source>
        <translation>[Quizdex] - TEST : </translation>
    </message>
    <message>
        <source>     NAME: </source>
        <translation>     NOM : </translation>
    </message>
    <message>
        <source>Typed answer</source>
        <translation>Réponse saisie</translation>
    </message>
    <message>
        <source>Blank answer</source>
        <translation>Réponse vide</translation>
    </message>
    <message>
        <source>Please select an answer.</source>
        <translation>Veuillez choisir une réponse.</translation>
    </message>
    <message>
        <source>Correct Answer!</source>
        <translation>Bonne réponse !</translation>
    </message>
    <message>
        <source>InCorrect Answer!</source>
        <translation>Mauvaise réponse !</translation>
    </message>
    <message>
        <source>Are you sure you want to end the test?</source>
        <translation>Voulez-vous vraiment terminer le test ?</translation>
    </message>
</context>
<context>
    <name>TextRules</name>
    <message>
        <source>The name contains &quot;/&quot; or &quot;\&quot;.</source>
        <translation>Le nom contient « / » ou « \ ».</translation>
    </message>
    <message>
        <source>The name contains a NUL character.</source>
        <translation>Le nom contient un caractère NUL.</translation>
    </message>
    <message>
        <source>The name is too long for a file name.</source>
        <translation>Le nom est trop long pour un nom de fichier.</translation>
    </message>
</context>
</TS>
