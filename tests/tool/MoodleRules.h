#pragma once

#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>
#include <vector>

// What Moodle makes of a file, by the rules of its own GIFT and XML readers as
// its documentation and importers lay them down, written apart from the
// tool's readers: each question's type, its answers and the right one, or why
// Moodle refuses it.
namespace moodlerules {

struct Question {
    QString type;
    QStringList answers;
    int right = -1; // the answer worth 100%
    QString refused;
};

// A GIFT question's text with its escapes hidden, as Moodle hides them before
// it looks for braces, "~", "=" and "#", and shown again after.
inline QString hideEscapes(QString t) {
    t.replace(QStringLiteral("\\\\"), QString(QChar(0xE000)));
    const QString escaped = QStringLiteral(":#={}~n");
    for (qsizetype i = 0; i < escaped.size(); ++i)
        t.replace(QLatin1Char('\\') + escaped[i], QString(QChar(char16_t(0xE001 + i))));
    return t;
}
inline QString showEscapes(QString t) {
    const QString shown = QStringLiteral(":#={}~\n");
    for (qsizetype i = 0; i < shown.size(); ++i)
        t.replace(QChar(char16_t(0xE001 + i)), shown[i]);
    return t.replace(QChar(0xE000), QLatin1Char('\\'));
}

// GIFT: blank lines between questions, "//" lines passed over, the answers
// between the first "{" and "}", their kind by "~", "=" and the words of
// true/false, an answer's feedback after "#", its weight in "%...%".
inline std::vector<Question> readGift(const QString& file) {
    static const QRegularExpression weight(QStringLiteral("^%-*([0-9]{1,2})\\.?([0-9]*)%"));
    static const QRegularExpression comments(QStringLiteral("(^|\n)[ \t]*//[^\n]*"));
    std::vector<Question> out;
    for (QString block : file.split(QRegularExpression(QStringLiteral("\n[ \t\r]*\n")))) {
        const QString t = hideEscapes(block.replace(comments, QStringLiteral("\n")).trimmed());
        if (t.isEmpty() || t.startsWith(QStringLiteral("$CATEGORY:")))
            continue;
        const qsizetype open = t.indexOf(u'{'), close = t.indexOf(u'}');
        QString answers = t.mid(open + 1, close - open - 1).trimmed();
        if (const qsizetype gf = answers.lastIndexOf(QStringLiteral("####")); gf >= 0)
            answers = answers.left(gf).trimmed();
        const QString verdict = answers.section(u'#', 0, 0).trimmed();
        const bool trueFalse = QStringList{QStringLiteral("T"), QStringLiteral("TRUE"),
                                           QStringLiteral("F"), QStringLiteral("FALSE")}
                                   .contains(verdict);
        Question q{open < 0 || close < 0    ? QStringLiteral("broken")
                   : answers.contains(u'~') ? QStringLiteral("multichoice")
                   : trueFalse              ? QStringLiteral("truefalse")
                                            : QStringLiteral("shortanswer"),
                   {},
                   -1,
                   {}};
        const QStringList parts =
            trueFalse ? QStringList{verdict}
                      : answers.replace(u'=', QStringLiteral("~=")).split(u'~', Qt::SkipEmptyParts);
        for (QString a : parts) {
            a = a.trimmed();
            const bool right = a.startsWith(u'=') || q.type != QStringLiteral("multichoice");
            if (!a.startsWith(u'=') && weight.match(a).hasMatch())
                q.refused = QStringLiteral("a weight Moodle takes: ") + a;
            a = showEscapes(a.mid(a.startsWith(u'=') ? 1 : 0).section(u'#', 0, 0)).trimmed();
            a.remove(QRegularExpression(QStringLiteral("^\\[(moodle|html|plain|markdown)\\]")));
            if (a.isEmpty())
                q.refused = QStringLiteral("an answer without text");
            if (right && q.right < 0)
                q.right = int(q.answers.size());
            q.answers << a;
        }
        if (q.type == QStringLiteral("multichoice") && q.answers.size() < 2)
            q.refused = QStringLiteral("fewer than two answers");
        out.push_back(q);
    }
    return out;
}

// Moodle XML: a <quiz> of <question type="..."> elements, each with a name, and
// answers with a fraction and a <text>.
inline std::vector<Question> readXml(const QString& file) {
    std::vector<Question> out;
    QXmlStreamReader x(file);
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QStringLiteral("question")) {
            out.push_back({x.attributes().value(QStringLiteral("type")).toString(), {}, -1, {}});
        } else if (x.isStartElement() && x.name() == QStringLiteral("name")) {
            x.readNextStartElement();
            if (x.readElementText().trimmed().isEmpty())
                out.back().refused = QStringLiteral("no name");
        } else if (x.isStartElement() && x.name() == QStringLiteral("answer")) {
            if (x.attributes().value(QStringLiteral("fraction")) == QStringLiteral("100"))
                out.back().right = int(out.back().answers.size());
            x.readNextStartElement();
            out.back().answers << x.readElementText().trimmed();
            if (out.back().answers.back().isEmpty())
                out.back().refused = QStringLiteral("an answer without text");
        }
    }
    if (x.hasError())
        out.push_back({QStringLiteral("broken"), {}, -1, x.errorString()});
    return out;
}

} // namespace moodlerules
