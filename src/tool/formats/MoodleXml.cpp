#include "MoodleXml.h"

#include "Choices.h"
#include "GiftText.h"
#include "TextLines.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <utility>

namespace tool::moodlexml {

using exchange::Item;
using exchange::ReadResult;
using storage::Question;
using storage::QuestionKind;

namespace {

const QString kExtrasPrefix = QStringLiteral("quizdex:");

// XML has no place for control characters other than tab and line breaks.
QString withoutControls(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
            c == QLatin1Char('\r'))
            out += c;
    }
    return out;
}

// A text as Moodle reads it: trimmed; HTML as the text a reader sees, any
// other format with the line breaks a test stores.
QString textIn(const QString& raw, QStringView format) {
    if (format == QLatin1String("html"))
        return gift::htmlToText(raw);
    return exchange::crlfLineBreaks(lines::trimmed(raw).toString());
}

// The name Moodle's bank lists a question by: the start of its first line.
QString nameOf(const QString& text) {
    static const QRegularExpression lineBreak(QStringLiteral("[\r\n]"));
    const QString first = text.section(lineBreak, 0, 0);
    const QString name = first.simplified().left(50);
    return name.isEmpty() ? QStringLiteral("Question") : name;
}

// A text element as Moodle reads it: <text> and perhaps <file> inside.
struct Text {
    QString text;
    QString format;
    bool image = false;
    bool feedback = false; // an answer's own feedback, not empty
    int line = 0;
};

class Reader {
public:
    explicit Reader(const QString& text) : m_xml(text) {}
    ReadResult read();

private:
    void readQuiz();
    void readQuestion();
    Text readText(const QString& defaultFormat);
    choices::Answer readAnswer(const QString& defaultFormat, bool* image);
    void takeExtras(QStringView comment);
    void fill(Item& item, QStringView type, const std::vector<choices::Answer>& answers);

    QXmlStreamReader m_xml;
    ReadResult m_result;
    std::vector<std::pair<int, QString>> m_categories;
    exchange::Extras m_extras;
    std::optional<exchange::Message> m_extrasError;
};

ReadResult Reader::read() {
    while (!m_xml.atEnd()) {
        if (m_xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (m_xml.name() == QLatin1String("quiz")) {
            readQuiz();
        } else {
            m_result.fatal = {
                int(m_xml.lineNumber()),
                QStringLiteral("<%1> where Moodle XML has <quiz>").arg(m_xml.name().toString())};
            return std::move(m_result);
        }
    }
    if (m_xml.hasError())
        m_result.fatal = {int(m_xml.lineNumber()),
                          QStringLiteral("not well-formed XML: ") + m_xml.errorString(), 0,
                          int(m_xml.columnNumber())};
    else if (!m_categories.empty())
        m_result.notes.push_back(exchange::leftOutOnce("category", "categories", m_categories));
    return std::move(m_result);
}

void Reader::readQuiz() {
    while (!m_xml.atEnd()) {
        const auto token = m_xml.readNext();
        if (token == QXmlStreamReader::EndElement)
            return;
        if (token == QXmlStreamReader::Comment)
            takeExtras(m_xml.text());
        else if (token == QXmlStreamReader::StartElement &&
                 m_xml.name() == QLatin1String("question"))
            readQuestion();
        else if (token == QXmlStreamReader::StartElement)
            m_xml.skipCurrentElement();
    }
}

void Reader::takeExtras(QStringView comment) {
    const QStringView t = lines::trimmed(comment);
    if (!t.startsWith(kExtrasPrefix))
        return;
    QString error;
    if (const auto extras = exchange::parseExtras(t.mid(kExtrasPrefix.size()).toString(), &error))
        m_extras = *extras;
    else
        m_extrasError = exchange::Message{int(m_xml.lineNumber()), error};
}

Text Reader::readText(const QString& defaultFormat) {
    Text t;
    t.line = int(m_xml.lineNumber());
    const QXmlStreamAttributes attributes = m_xml.attributes();
    t.format = attributes.hasAttribute(QLatin1String("format"))
                   ? attributes.value(QLatin1String("format")).toString()
                   : defaultFormat;
    QString raw;
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() == QLatin1String("text")) {
            raw = m_xml.readElementText();
            continue;
        }
        if (m_xml.name() == QLatin1String("file"))
            t.image = true;
        else if (m_xml.name() == QLatin1String("feedback"))
            t.feedback = !readText(t.format).text.isEmpty();
        if (m_xml.tokenType() == QXmlStreamReader::StartElement)
            m_xml.skipCurrentElement();
    }
    t.image = t.image || (t.format == QLatin1String("html") && gift::hasImage(raw));
    t.text = textIn(raw, t.format);
    return t;
}

choices::Answer Reader::readAnswer(const QString& defaultFormat, bool* image) {
    choices::Answer a;
    const auto fraction = m_xml.attributes().value(QLatin1String("fraction"));
    const double weight = fraction.isEmpty() ? 0.0 : fraction.toDouble();
    a.right = weight >= 100;
    if (weight != 0 && !a.right)
        a.weight = weight; // GIFT's %50%: what a test has no place for
    const Text body = readText(defaultFormat);
    a.line = body.line;
    a.text = body.text;
    a.feedback = body.feedback;
    *image = *image || body.image;
    return a;
}

void Reader::readQuestion() {
    Item item;
    item.entry.line = int(m_xml.lineNumber());
    item.entry.extras = std::exchange(m_extras, {});
    if (m_extrasError)
        item.problems.push_back(*std::exchange(m_extrasError, std::nullopt));
    const QString type = m_xml.attributes().value(QLatin1String("type")).toString();
    std::vector<choices::Answer> answers;
    bool image = false;
    QString format = QStringLiteral("html");
    while (m_xml.readNextStartElement()) {
        const auto name = m_xml.name();
        if (name == QLatin1String("answer")) {
            // Moodle reads a short answer's answers as plain text.
            answers.push_back(readAnswer(
                type == QLatin1String("shortanswer") ? QStringLiteral("plain_text") : format,
                &image));
            continue;
        }
        const bool plain = name == QLatin1String("name") || name == QLatin1String("category");
        const Text t = readText(name == QLatin1String("questiontext") ? QStringLiteral("html")
                                : plain                               ? QStringLiteral("plain_text")
                                                                      : format);
        image = image || t.image;
        if (name == QLatin1String("name") || name == QLatin1String("category"))
            item.entry.title = t.text;
        else if (name == QLatin1String("questiontext")) {
            item.entry.question.text = t.text;
            item.entry.textLines[exchange::kQuestionSlot] = t.line;
            format = t.format;
        } else if (name == QLatin1String("generalfeedback")) {
            item.entry.question.explanation = t.text;
            item.entry.textLines[exchange::kExplanationSlot] = t.line;
        }
    }
    if (type == QLatin1String("category")) {
        m_categories.emplace_back(item.entry.line, item.entry.title);
        return;
    }
    // The name this program's export gives says nothing a test lacks.
    if (item.entry.title == nameOf(item.entry.question.text))
        item.entry.title.clear();
    if (image)
        item.notes.push_back(
            item.entry.at(QStringLiteral("an image is left out; a test has no place for it")));
    fill(item, type, answers);
    m_result.items.push_back(std::move(item));
}

// The question by its type, from the answers read.
void Reader::fill(Item& item, QStringView type, const std::vector<choices::Answer>& answers) {
    Question& q = item.entry.question;
    if (type == QLatin1String("multichoice")) {
        choices::takeChoices(answers, item);
    } else if (type == QLatin1String("shortanswer")) {
        choices::takeTypedAnswer(answers, item, item.entry.line);
    } else if (type == QLatin1String("truefalse")) {
        q.kind = QuestionKind::TrueFalse;
        q.choices = {QStringLiteral("TRUE"), QStringLiteral("FALSE")};
        for (const choices::Answer& a : answers) {
            if (a.right)
                q.correct =
                    a.text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 ? 2 : 1;
        }
        if (std::any_of(answers.begin(), answers.end(),
                        [](const choices::Answer& a) { return a.feedback; }))
            item.notes.push_back(item.entry.at(choices::feedbackLeftOut()));
    } else {
        item.problems.push_back(item.entry.at(
            QStringLiteral("a question of the type \"%1\" has no place in a test").arg(type)));
    }
}

void writeText(QXmlStreamWriter& w, const QString& element, const QString& text,
               const QString& format) {
    w.writeStartElement(element);
    if (!format.isEmpty())
        w.writeAttribute(QStringLiteral("format"), format);
    w.writeTextElement(QStringLiteral("text"), withoutControls(text));
    w.writeEndElement();
}

void writeAnswer(QXmlStreamWriter& w, bool right, const QString& text, const QString& format) {
    w.writeStartElement(QStringLiteral("answer"));
    w.writeAttribute(QStringLiteral("fraction"),
                     right ? QStringLiteral("100") : QStringLiteral("0"));
    w.writeAttribute(QStringLiteral("format"), format);
    w.writeTextElement(QStringLiteral("text"), withoutControls(text));
    w.writeEndElement();
}

void writeAnswers(QXmlStreamWriter& w, const Question& q) {
    const QString plain = QStringLiteral("plain_text");
    switch (q.kind) {
    case QuestionKind::TrueFalse: {
        const bool isFalse = q.correct >= 1 && q.choices[static_cast<std::size_t>(q.correct - 1)] ==
                                                   QLatin1String("FALSE");
        writeAnswer(w, !isFalse, QStringLiteral("true"), QStringLiteral("moodle_auto_format"));
        writeAnswer(w, isFalse, QStringLiteral("false"), QStringLiteral("moodle_auto_format"));
        break;
    }
    case QuestionKind::Typed:
        w.writeTextElement(QStringLiteral("usecase"), QStringLiteral("0"));
        writeAnswer(w, true, q.choices[0], QStringLiteral("moodle_auto_format"));
        break;
    case QuestionKind::Multiple:
        w.writeTextElement(QStringLiteral("single"), QStringLiteral("true"));
        w.writeTextElement(QStringLiteral("shuffleanswers"), QStringLiteral("true"));
        w.writeTextElement(QStringLiteral("answernumbering"), QStringLiteral("abc"));
        // Moodle drops an answer without text: blank choices are left out, and
        // the "places" of the extras say where the others go.
        for (int i = 1; i <= choices::kMost; ++i) {
            const QString& c = q.choices[static_cast<std::size_t>(i - 1)];
            if (choices::isShown(c))
                writeAnswer(w, i == q.correct, c, plain);
        }
        break;
    }
}

QString typeOf(QuestionKind kind) {
    switch (kind) {
    case QuestionKind::TrueFalse:
        return QStringLiteral("truefalse");
    case QuestionKind::Typed:
        return QStringLiteral("shortanswer");
    case QuestionKind::Multiple:
        break;
    }
    return QStringLiteral("multichoice");
}

} // namespace

ReadResult read(const QString& text) {
    return Reader(text).read();
}

QString fileStart() {
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n");
}

QString fileEnd() {
    return QStringLiteral("</quiz>\n");
}

QString write(const Question& q, const exchange::Extras& extras) {
    QString out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(2);
    if (!extras.empty())
        w.writeComment(QLatin1Char(' ') + kExtrasPrefix + QLatin1Char(' ') +
                       exchange::extrasText(extras) + QLatin1Char(' '));
    w.writeStartElement(QStringLiteral("question"));
    w.writeAttribute(QStringLiteral("type"), typeOf(q.kind));
    writeText(w, QStringLiteral("name"), nameOf(q.text), {});
    writeText(w, QStringLiteral("questiontext"), q.text, QStringLiteral("plain_text"));
    writeText(w, QStringLiteral("generalfeedback"), q.explanation, QStringLiteral("plain_text"));
    writeAnswers(w, q);
    w.writeEndElement();
    return out.mid(out.startsWith(QLatin1Char('\n')) ? 1 : 0) + QLatin1Char('\n');
}

QString roundTrip(const QString& text) {
    return exchange::crlfLineBreaks(lines::trimmed(withoutControls(text)).toString());
}

} // namespace tool::moodlexml
