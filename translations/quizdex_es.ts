<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>DetailedFeedbackWindow</name>
    <message>
        <source>Correct Answer!</source>
        <translation>¡Respuesta correcta!</translation>
    </message>
    <message>
        <source>Explanation of Answer</source>
        <translation>Explicación de la respuesta</translation>
    </message>
    <message>
        <source>Correct Answer is</source>
        <translation>La respuesta correcta es</translation>
    </message>
    <message>
        <source>Correct so far =</source>
        <translation>Correctas hasta ahora =</translation>
    </message>
</context>
<context>
    <name>FeedbackWindow</name>
    <message>
        <source>Your Answer</source>
        <translation>Su respuesta</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Print Question</source>
        <translation>&amp;Imprimir pregunta</translation>
    </message>
</context>
<context>
    <name>FileIo</name>
    <message>
        <source>Not a regular file</source>
        <translation>No es un archivo normal</translation>
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
Esta ayuda le permite empezar a trabajar con Quizdex. No es una descripción <byte value="xd"/>
completa del programa.<byte value="xd"/>
<byte value="xd"/>
---------------------------------------------------------------------<byte value="xd"/>
<byte value="xd"/>
------------------<byte value="xd"/>
CREAR UNA PRUEBA<byte value="xd"/>
------------------<byte value="xd"/>
<byte value="xd"/>
Escriba el nombre de la prueba, su nombre (en [PROPIETARIO]) y una contraseña (con <byte value="xd"/>
la contraseña solo usted podrá acceder a la prueba si más adelante necesita <byte value="xd"/>
cambiarla).<byte value="xd"/>
<byte value="xd"/>
Haga clic en [Crear]. Aparecerá una página con las propiedades de la prueba, donde <byte value="xd"/>
puede fijar la nota para aprobar, cómo responde la prueba a las respuestas correctas <byte value="xd"/>
e incorrectas, y si mezcla las respuestas o las muestra en el mismo orden.<byte value="xd"/>
<byte value="xd"/>
Haga clic en [Guardar] y se abrirá la ventana para crear la prueba. En ella escribe <byte value="xd"/>
las preguntas y las respuestas, y elige el tipo de cada pregunta (opción múltiple, <byte value="xd"/>
Verdadero/Falso o respuesta escrita).<byte value="xd"/>
<byte value="xd"/>
Haga clic en [SIGUIENTE] después de cada pregunta y en [GUARDAR] después de la <byte value="xd"/>
última.<byte value="xd"/>
<byte value="xd"/>
Cada prueba se asocia automáticamente a la imagen DEFAULT.BMP. Esta imagen aparece <byte value="xd"/>
en una ventana de introducción, junto con el nombre de la prueba y el de su autor <byte value="xd"/>
(su nombre), al comienzo de la prueba cada vez que alguien la realiza. Para usar su <byte value="xd"/>
propia imagen en lugar de DEFAULT.BMP, coloque en la carpeta \TESTS un archivo BMP <byte value="xd"/>
con el mismo nombre que su prueba. Por ejemplo, si su prueba se llama MYTEST, llame <byte value="xd"/>
a la imagen MYTEST.BMP.<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
----------------------<byte value="xd"/>
EDITAR UNA PRUEBA<byte value="xd"/>
----------------------<byte value="xd"/>
<byte value="xd"/>
Haga clic en el nombre de la prueba que desea editar. Luego escriba su nombre y la <byte value="xd"/>
contraseña que asignó a esta prueba. Haga clic en [Editar]: se abrirá la misma <byte value="xd"/>
ventana que usó para crear la prueba, esta vez con sus datos.<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
----------------------<byte value="xd"/>
REALIZAR UNA PRUEBA<byte value="xd"/>
----------------------<byte value="xd"/>
<byte value="xd"/>
Haga clic en el nombre de la prueba que desea realizar. Luego escriba su nombre <byte value="xd"/>
(esto es importante). Haga clic en [Iniciar]. Haga clic en [Comenzar la prueba], <byte value="xd"/>
elija el número de preguntas y haga clic en [Aceptar].<byte value="xd"/>
<byte value="xd"/>
Elija su respuesta haciendo clic en el botón de opción junto a la respuesta que <byte value="xd"/>
desee. Haga clic en [Siguiente] después de cada pregunta. Al final de la prueba <byte value="xd"/>
verá su resultado en forma de gráfico.<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
----------------------<byte value="xd"/>
REGISTRO DE RESULTADOS<byte value="xd"/>
----------------------<byte value="xd"/>
<byte value="xd"/>
Cada vez que alguien realiza una prueba, se añade una entrada a su registro de <byte value="xd"/>
resultados con su nombre, la hora y la fecha, la prueba realizada, el resultado y <byte value="xd"/>
el número de preguntas. Puede ver los resultados aquí, en miniatura en la ventana, <byte value="xd"/>
o hacer clic en [Vista completa] para verlos más grandes (y más legibles).<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
----------------------<byte value="xd"/>
ACERCA DE<byte value="xd"/>
----------------------<byte value="xd"/>
<byte value="xd"/>
Haga clic en [Ayuda] para ver esta página.<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Quizdex Help</source>
        <translation>Ayuda de Quizdex</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>Texto de ayuda</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
    </message>
</context>
<context>
    <name>IntroductionWindow</name>
    <message>
        <source>Quizdex Test</source>
        <translation>Prueba de Quizdex</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Marco</translation>
    </message>
    <message>
        <source>Created by:</source>
        <translation>Creada por:</translation>
    </message>
    <message>
        <source>Test picture</source>
        <translation>Imagen de la prueba</translation>
    </message>
    <message>
        <source>&amp;Start Test</source>
        <translation>&amp;Comenzar la prueba</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Quizdex picture</source>
        <translation>Imagen de Quizdex</translation>
    </message>
    <message>
        <source>The tests folder &quot;%1&quot; could not be created:</source>
        <translation>No se pudo crear la carpeta de pruebas «%1»:</translation>
    </message>
    <message>
        <source>Tests and score logs cannot be listed or saved.</source>
        <translation>No se pueden listar ni guardar las pruebas ni los registros de resultados.</translation>
    </message>
    <message>
        <source>The tests folder &quot;%1&quot; cannot be read:</source>
        <translation>No se puede leer la carpeta de pruebas «%1»:</translation>
    </message>
    <message>
        <source>Tests and score logs cannot be listed.</source>
        <translation>No se pueden listar las pruebas ni los registros de resultados.</translation>
    </message>
    <message>
        <source>The test could not be created as</source>
        <translation>No se pudo crear la prueba</translation>
    </message>
    <message>
        <source>You have entered characters in the Test Name</source>
        <translation>El campo «Nombre de la prueba» contiene caracteres</translation>
    </message>
    <message>
        <source>field that are not legal characters for filenames.</source>
        <translation>que no se permiten en un nombre de archivo.</translation>
    </message>
    <message>
        <source>Please enter legal characters and try again.</source>
        <translation>Escriba caracteres permitidos y vuelva a intentarlo.</translation>
    </message>
    <message>
        <source>There is currently a test by this name.</source>
        <translation>Ya existe una prueba con este nombre.</translation>
    </message>
    <message>
        <source>Choose a different name, or delete the</source>
        <translation>Elija otro nombre o borre la</translation>
    </message>
    <message>
        <source>existing text.</source>
        <translation>prueba existente.</translation>
    </message>
    <message>
        <source>If you need to make changes to the existing</source>
        <translation>Si necesita cambiar la prueba existente,</translation>
    </message>
    <message>
        <source>test, click on the EDIT TEST tab.</source>
        <translation>haga clic en la pestaña EDITAR PRUEBA.</translation>
    </message>
    <message>
        <source>Name of Test</source>
        <translation>Nombre de la prueba</translation>
    </message>
    <message>
        <source>Owner (your name)</source>
        <translation>Propietario (su nombre)</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Contraseña</translation>
    </message>
    <message>
        <source>&amp;Create</source>
        <translation>&amp;Crear</translation>
    </message>
    <message>
        <source>&amp;Read Me</source>
        <translation>&amp;Léame</translation>
    </message>
    <message>
        <source>Test to edit</source>
        <translation>Prueba para editar</translation>
    </message>
    <message>
        <source>Test picture</source>
        <translation>Imagen de la prueba</translation>
    </message>
    <message>
        <source>Owner</source>
        <translation>Propietario</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>Select Test to Take</source>
        <translation>Elija la prueba</translation>
    </message>
    <message>
        <source>Your Name</source>
        <translation>Su nombre</translation>
    </message>
    <message>
        <source>Play sounds during test</source>
        <translation>Sonidos en la prueba</translation>
    </message>
    <message>
        <source>&amp;Begin</source>
        <translation>&amp;Iniciar</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Score log</source>
        <translation>Registro de resultados</translation>
    </message>
    <message>
        <source>Full &amp;View</source>
        <translation>&amp;Vista completa</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Título</translation>
    </message>
    <message>
        <source>v %1  for Linux and Windows</source>
        <translation>v %1  para Linux y Windows</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Imagen</translation>
    </message>
    <message>
        <source>..questions, comments, bug reports, etc..</source>
        <translation>..dudas, ideas, errores, etc..</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Ayuda</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation>Tareas</translation>
    </message>
    <message>
        <source>Create a New Test</source>
        <translation>Nueva prueba</translation>
    </message>
    <message>
        <source>Edit an Existing Test</source>
        <translation>Editar prueba</translation>
    </message>
    <message>
        <source>Take a Test</source>
        <translation>Realizar prueba</translation>
    </message>
    <message>
        <source>View Score Log</source>
        <translation>Resultados</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>All fields need to be filled in</source>
        <translation>Debe rellenar todos los campos</translation>
    </message>
    <message>
        <source>before you can create a test file.</source>
        <translation>antes de crear un archivo de prueba.</translation>
    </message>
    <message>
        <source>Select a Test to edit</source>
        <translation>Elija una prueba para editar.</translation>
    </message>
    <message>
        <source>Both name AND password are required.</source>
        <translation>Se necesitan el nombre Y la contraseña.</translation>
    </message>
    <message>
        <source>The test could not be read from</source>
        <translation>No se pudo leer la prueba</translation>
    </message>
    <message>
        <source>Incorrect Name and/or Password. Access Denied.</source>
        <translation>Nombre o contraseña incorrectos. Acceso denegado.</translation>
    </message>
    <message>
        <source>Please select a Test to take.</source>
        <translation>Elija la prueba que desea realizar.</translation>
    </message>
    <message>
        <source>Your name is required to take a test.</source>
        <translation>Para realizar una prueba se necesita su nombre.</translation>
    </message>
    <message>
        <source>Cannot read the test</source>
        <translation>No se puede leer la prueba</translation>
    </message>
</context>
<context>
    <name>PropertiesWindow</name>
    <message>
        <source>When question is answered correctly...</source>
        <translation>Si la respuesta es correcta...</translation>
    </message>
    <message>
        <source>Correct!</source>
        <translation>¡Correcto!</translation>
    </message>
    <message>
        <source>When question is answered incorrectly...</source>
        <translation>Si la respuesta es incorrecta...</translation>
    </message>
    <message>
        <source>Incorrect!</source>
        <translation>¡Incorrecto!</translation>
    </message>
    <message>
        <source>Display &quot;%1&quot;</source>
        <translation>Mostrar «%1»</translation>
    </message>
    <message>
        <source>Display the Explanation</source>
        <translation>Mostrar la explicación</translation>
    </message>
    <message>
        <source>Display the correct answer</source>
        <translation>Mostrar la respuesta correcta</translation>
    </message>
    <message>
        <source>Display current grade so far</source>
        <translation>Mostrar la nota hasta ahora</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Propiedades</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Save/Done</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Read Me</source>
        <translation>Léame</translation>
    </message>
    <message>
        <source>Owner</source>
        <translation>Propietario</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Contraseña</translation>
    </message>
    <message>
        <source>When the question is a multiple choice...</source>
        <translation>En las preguntas de opción múltiple...</translation>
    </message>
    <message>
        <source>Shuffle the answers into a random order</source>
        <translation>Mezclar las respuestas al azar</translation>
    </message>
    <message>
        <source>Display the asnwers in the same order I enter them</source>
        <translation>Mostrar las respuestas en el orden en que las escribo</translation>
    </message>
    <message>
        <source>Passing Score</source>
        <translation>Nota para aprobar</translation>
    </message>
    <message>
        <source>The test&apos;s settings could not be read from</source>
        <translation>No se pudieron leer los ajustes de la prueba de</translation>
    </message>
    <message>
        <source>The test&apos;s settings could not be saved to</source>
        <translation>No se pudieron guardar los ajustes de la prueba en</translation>
    </message>
    <message>
        <source>When someone goes to take this test, they will first be</source>
        <translation>Quien realice esta prueba verá primero una pantalla</translation>
    </message>
    <message>
        <source>presented with a Test Introduction screen with the </source>
        <translation>de introducción con el nombre de la prueba, su nombre </translation>
    </message>
    <message>
        <source>Name of the test, your name (as you entered in  </source>
        <translation>(tal como lo escribió en el campo [PROPIETARIO]) </translation>
    </message>
    <message>
        <source>the [OWNER] field, and a bitmap or icon of a pen </source>
        <translation>y una imagen o el icono de una pluma que escribe </translation>
    </message>
    <message>
        <source>writing on a test page.</source>
        <translation>en una hoja de examen.</translation>
    </message>
    <message>
        <source>You can replace the icon with any bitmap you want simply </source>
        <translation>Puede sustituir el icono por la imagen que quiera </translation>
    </message>
    <message>
        <source>by placing a .bmp file in the /tests directory that has </source>
        <translation>colocando en la carpeta /tests un archivo .bmp con </translation>
    </message>
    <message>
        <source>the same name as your test. For example, if the name of</source>
        <translation>el mismo nombre que su prueba. Por ejemplo, si su prueba</translation>
    </message>
    <message>
        <source>your test is  MYTEST, your bitmap should be named MYTEST.BMP</source>
        <translation>se llama MYTEST, la imagen debe llamarse MYTEST.BMP.</translation>
    </message>
</context>
<context>
    <name>QuestionCountWindow</name>
    <message>
        <source>Separator</source>
        <translation>Separador</translation>
    </message>
    <message>
        <source>Select number or questions</source>
        <translation>Número de preguntas</translation>
    </message>
    <message>
        <source>This test has the following number of questions available</source>
        <translation>Número de preguntas disponibles en esta prueba</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>Select number of questions to take</source>
        <translation>Elija cuántas preguntas responder</translation>
    </message>
    <message>
        <source>All Questions</source>
        <translation>Todas las preguntas</translation>
    </message>
    <message>
        <source>Half of the Questions</source>
        <translation>La mitad</translation>
    </message>
    <message>
        <source>Custom # of Questions</source>
        <translation>Otro número</translation>
    </message>
    <message>
        <source>Custom number of questions</source>
        <translation>Otro número de preguntas</translation>
    </message>
</context>
<context>
    <name>QuestionEditor</name>
    <message>
        <source>True/False</source>
        <translation>Verdadero/Falso</translation>
    </message>
    <message>
        <source>Multiple Choice</source>
        <translation>Opción múltiple</translation>
    </message>
    <message>
        <source>Typed Answer</source>
        <translation>Respuesta escrita</translation>
    </message>
    <message>
        <source>Building TEST</source>
        <translation>Edición de la prueba</translation>
    </message>
    <message>
        <source>&amp;Done</source>
        <translation>&amp;Hecho</translation>
    </message>
    <message>
        <source>Edit test properties</source>
        <translation>Propiedades</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Pregunta</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>P</translation>
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
        <translation>Tipo de pregunta</translation>
    </message>
    <message>
        <source>background</source>
        <translation>fondo</translation>
    </message>
    <message>
        <source>Choice%1</source>
        <translation>Opción%1</translation>
    </message>
    <message>
        <source>%1 is correct</source>
        <translation>%1 es la correcta</translation>
    </message>
    <message>
        <source>Explanation</source>
        <translation>Explicación</translation>
    </message>
    <message>
        <source>Go to first question</source>
        <translation>Ir a la primera pregunta</translation>
    </message>
    <message>
        <source>&lt; Back</source>
        <translation>&lt; Atrás</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation>Siguiente &gt;</translation>
    </message>
    <message>
        <source>go to last question</source>
        <translation>Ir a la última pregunta</translation>
    </message>
    <message>
        <source>Questions</source>
        <translation>Preguntas</translation>
    </message>
    <message>
        <source>The questions could not be counted in</source>
        <translation>No se pudieron contar las preguntas de</translation>
    </message>
    <message>
        <source>The question could not be read from</source>
        <translation>No se pudo leer la pregunta de</translation>
    </message>
    <message>
        <source>The question could not be saved to</source>
        <translation>No se pudo guardar la pregunta en</translation>
    </message>
    <message>
        <source>Building </source>
        <translation>Edición de </translation>
    </message>
    <message>
        <source>A test can hold at most 32,766 questions.</source>
        <translation>Una prueba puede tener como máximo 32.766 preguntas.</translation>
    </message>
</context>
<context>
    <name>RecordFile</name>
    <message>
        <source>The journal %1 left by an interrupted save must be removed by its owner (%2).</source>
        <translation>El diario %1 que dejó un guardado interrumpido debe eliminarlo su propietario (%2).</translation>
    </message>
    <message>
        <source>%1 stands where this file&apos;s journal goes and is not one; move it away to save.</source>
        <translation>%1 ocupa el lugar del diario de este archivo y no lo es; muévalo para poder guardar.</translation>
    </message>
    <message>
        <source>The journal %1: %2</source>
        <translation>El diario %1: %2</translation>
    </message>
    <message>
        <source>The journal %1 of an interrupted save is damaged, so the save cannot be undone and the file may hold part of it. The journal is kept as %2; check the file and try again.</source>
        <translation>El diario %1 de un guardado interrumpido está dañado, así que el guardado no puede deshacerse y el archivo puede contener parte de él. El diario se conserva como %2; compruebe el archivo y vuelva a intentarlo.</translation>
    </message>
    <message>
        <source>The file holds more than 32,767 records.</source>
        <translation>El archivo contiene más de 32.767 registros.</translation>
    </message>
    <message>
        <source>Bad record number.</source>
        <translation>Número de registro incorrecto.</translation>
    </message>
    <message>
        <source>Bad record.</source>
        <translation>Registro incorrecto.</translation>
    </message>
    <message>
        <source>The file holds %1 records, its limit.</source>
        <translation>El archivo contiene %1 registros, su máximo.</translation>
    </message>
    <message>
        <source>The journal %1 of an interrupted save does not match the file, which was replaced, restored from a copy or changed since. It was not applied and is kept as %2; nothing was changed, try again.</source>
        <translation>El diario %1 de un guardado interrumpido no corresponde al archivo, que se ha sustituido, restaurado desde una copia o modificado desde entonces. No se ha aplicado y se conserva como %2; no se ha cambiado nada, inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>The journal %1 of %2 was not applied: it belongs to %3, who does not own the file, or other users may change it. It is left as it is.</source>
        <translation>El diario %1 de %2 no se ha aplicado: pertenece a %3, que no es el propietario del archivo, u otros usuarios pueden modificarlo. Se deja como está.</translation>
    </message>
    <message>
        <source>The journal %1 of an interrupted save can be neither applied nor set aside on a read-only medium. Copy the file and the journal to a writable folder and open the file there.</source>
        <translation>El diario %1 de un guardado interrumpido no se puede aplicar ni apartar en un soporte de solo lectura. Copie el archivo y el diario a una carpeta con permiso de escritura y abra allí el archivo.</translation>
    </message>
    <message>
        <source>The file has other names (hard links), through which a save cut short could not be put back, so it is not saved. Copy it to a file of its own and save that.</source>
        <translation>El archivo tiene otros nombres (enlaces duros) a través de los cuales no se podría restablecer un guardado interrumpido, así que no se guarda. Cópielo a un archivo propio y guarde ese.</translation>
    </message>
    <message>
        <source>The file ends in a record cut short by an interrupted save that could not be undone; its journal is kept as %1. Run &quot;quizdex-tool repair&quot; on the file to move the cut record aside.</source>
        <translation>El archivo termina en un registro cortado por un guardado interrumpido que no se pudo deshacer; su diario se conserva como %1. Ejecute «quizdex-tool repair» sobre el archivo para apartar el registro cortado.</translation>
    </message>
    <message>
        <source>These journals of interrupted saves in %1 were not applied; look at their files, then delete them:</source>
        <translation>Estos diarios de guardados interrumpidos en %1 no se han aplicado; revise sus archivos y después bórrelos:</translation>
    </message>
    <message>
        <source>%1 does not match its file (replaced, restored or changed since), kept as %2</source>
        <translation>%1 no corresponde a su archivo (sustituido, restaurado o modificado desde entonces), conservado como %2</translation>
    </message>
    <message>
        <source>%1 is damaged, kept as %2</source>
        <translation>%1 está dañado, conservado como %2</translation>
    </message>
    <message>
        <source>%1 belongs to %2 or other users may change it, left as it is</source>
        <translation>%1 pertenece a %2 u otros usuarios pueden modificarlo, se deja como está</translation>
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
        <translation> de </translation>
    </message>
    <message>
        <source>Score: </source>
        <translation>Resultado: </translation>
    </message>
    <message>
        <source># Correct so far = </source>
        <translation>Correctas hasta ahora = </translation>
    </message>
    <message>
        <source>Elapsed Time: </source>
        <translation>Tiempo transcurrido: </translation>
    </message>
    <message>
        <source>The test %1 cannot be found.</source>
        <translation>No se encuentra la prueba %1.</translation>
    </message>
    <message>
        <source>The test %1 is empty.</source>
        <translation>La prueba %1 está vacía.</translation>
    </message>
    <message>
        <source>The test &quot;%1&quot; lost questions while you were taking it.</source>
        <translation>La prueba «%1» perdió preguntas mientras la realizaba.</translation>
    </message>
    <message>
        <source>The test has ended without a score.</source>
        <translation>La prueba terminó sin resultado.</translation>
    </message>
    <message>
        <source>Your name cannot be used as the name of your score log.<byte value="xd"/>
</source>
        <translation>Su nombre no puede usarse como nombre de su registro de resultados.<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>ScoreLog</name>
    <message>
        <source>Your score could not be added to the score log</source>
        <translation>No se pudo añadir su resultado al registro de resultados</translation>
    </message>
    <message>
        <source>TEST TAKEN  -&gt; </source>
        <translation>PRUEBA      -&gt; </translation>
    </message>
    <message>
        <source>TIME TAKEN  -&gt; </source>
        <translation>HORA        -&gt; </translation>
    </message>
    <message>
        <source>DATE TAKEN  -&gt; </source>
        <translation>FECHA       -&gt; </translation>
    </message>
    <message>
        <source># QUESTIONS -&gt; </source>
        <translation># PREGUNTAS -&gt; </translation>
    </message>
    <message>
        <source>TEST SCORE  -&gt; </source>
        <translation>RESULTADO   -&gt; </translation>
    </message>
    <message>
        <source>The log holds more than 32,767 entries.</source>
        <translation>El registro contiene más de 32.767 entradas.</translation>
    </message>
    <message>
        <source>Error loading Log file. Your Log file(s) are either</source>
        <translation>Error al cargar el registro. Sus registros están</translation>
    </message>
    <message>
        <source>corrupted, or you are trying to read log files </source>
        <translation>dañados, o intenta leer registros </translation>
    </message>
    <message>
        <source>created before v1.4.</source>
        <translation>creados antes de la v1.4.</translation>
    </message>
    <message>
        <source>The score log could not be read from</source>
        <translation>No se pudo leer el registro de resultados</translation>
    </message>
    <message>
        <source>Your answers could not be kept beside the score log</source>
        <translation>No se pudieron guardar sus respuestas junto al registro de resultados</translation>
    </message>
</context>
<context>
    <name>ScoreLogWindow</name>
    <message>
        <source>Score log</source>
        <translation>Registro de resultados</translation>
    </message>
    <message>
        <source>Score log entries</source>
        <translation>Entradas del registro de resultados</translation>
    </message>
    <message>
        <source>&amp;Done</source>
        <translation>&amp;Hecho</translation>
    </message>
</context>
<context>
    <name>ScoreWindow</name>
    <message>
        <source>  (PASS)    </source>
        <translation>(APROBADO) </translation>
    </message>
    <message>
        <source>  (FAIL)    </source>
        <translation>(SUSPENSO) </translation>
    </message>
    <message>
        <source>Test Score</source>
        <translation>Resultado de la prueba</translation>
    </message>
    <message>
        <source>Score chart</source>
        <translation>Gráfico del resultado</translation>
    </message>
    <message>
        <source>0 percent</source>
        <translation>0 por ciento</translation>
    </message>
    <message>
        <source>50 percent</source>
        <translation>50 por ciento</translation>
    </message>
    <message>
        <source>100 percent</source>
        <translation>100 por ciento</translation>
    </message>
    <message>
        <source>Passing Grade = </source>
        <translation>Para aprobar = </translation>
    </message>
    <message>
        <source>Your score = </source>
        <translation>Su nota = </translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimir</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>Name: </source>
        <translation>Nombre: </translation>
    </message>
    <message>
        <source>Passing score </source>
        <translation>Nota para aprobar </translation>
    </message>
    <message>
        <source>Passing Score = </source>
        <translation>Para aprobar = </translation>
    </message>
    <message>
        <source>Your Score = </source>
        <translation>Su nota = </translation>
    </message>
    <message>
        <source>Your score %1%, %2</source>
        <translation>Su nota %1 %, %2</translation>
    </message>
    <message>
        <source>pass</source>
        <translation>aprobado</translation>
    </message>
    <message>
        <source>fail</source>
        <translation>suspenso</translation>
    </message>
</context>
<context>
    <name>Services</name>
    <message>
        <source>No printer is available.</source>
        <translation>No hay ninguna impresora disponible.</translation>
    </message>
</context>
<context>
    <name>ShortFeedbackWindow</name>
    <message>
        <source>Question mark</source>
        <translation>Signo de interrogación</translation>
    </message>
    <message>
        <source>Correct!</source>
        <translation>¡Correcto!</translation>
    </message>
</context>
<context>
    <name>TestRunWindow</name>
    <message>
        <source>Taking Test &gt;&gt; </source>
        <translation>Prueba en curso &gt;&gt; </translation>
    </message>
    <message>
        <source>Elapsed Time: </source>
        <translation>Tiempo transcurrido: </translation>
    </message>
    <message>
        <source>Q</source>
        <translation>P</translation>
    </message>
    <message>
        <source>Answer area</source>
        <translation>Área de respuesta</translation>
    </message>
    <message>
        <source>A</source>
        <translation>R</translation>
    </message>
    <message>
        <source>Answers</source>
        <translation>Respuestas</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Respuesta</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Siguiente</translation>
    </message>
    <message>
        <source>&amp;Print Question</source>
        <translation>&amp;Imprimir pregunta</translation>
    </message>
    <message>
        <source>Score: </source>
        <translation>Resultado: </translation>
    </message>
    <message>
        <source>Score bar border</source>
        <translation>Borde de la barra de resultado</translation>
    </message>
    <message>
        <source>Score bar</source>
        <translation>Barra de resultado</translation>
    </message>
    <message>
        <source>E&amp;xit Test</source>
        <translation>&amp;Terminar prueba</translation>
    </message>
    <message>
        <source>Cannot read the test</source>
        <translation>No se puede leer la prueba</translation>
    </message>
    <message>
        <source>This test has 0 questions!</source>
        <translation>¡Esta prueba no tiene preguntas!</translation>
    </message>
    <message>
        <source>[Quizdex] - TEST: </source>
        <translation>[Quizdex] - PRUEBA: </translation>
    </message>
    <message>
        <source>     NAME: </source>
        <translation>     NOMBRE: </translation>
    </message>
    <message>
        <source>Typed answer</source>
        <translation>Respuesta escrita</translation>
    </message>
    <message>
        <source>Blank answer</source>
        <translation>Respuesta vacía</translation>
    </message>
    <message>
        <source>Please select an answer.</source>
        <translation>Elija una respuesta.</translation>
    </message>
    <message>
        <source>Correct Answer!</source>
        <translation>¡Respuesta correcta!</translation>
    </message>
    <message>
        <source>InCorrect Answer!</source>
        <translation>¡Respuesta incorrecta!</translation>
    </message>
    <message>
        <source>Are you sure you want to end the test?</source>
        <translation>¿Seguro que desea terminar la prueba?</translation>
    </message>
</context>
<context>
    <name>TextRules</name>
    <message>
        <source>The name contains &quot;/&quot; or &quot;\&quot;.</source>
        <translation>El nombre contiene «/» o «\».</translation>
    </message>
    <message>
        <source>The name contains a NUL character.</source>
        <translation>El nombre contiene un carácter NUL.</translation>
    </message>
    <message>
        <source>The name is too long for a file name.</source>
        <translation>El nombre es demasiado largo para un nombre de archivo.</translation>
    </message>
</context>
</TS>
