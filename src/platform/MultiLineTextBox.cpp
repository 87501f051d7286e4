#include "MultiLineTextBox.h"

#include "Controls.h"

#include <QTextBlock>

MultiLineTextBox::MultiLineTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(this, &QPlainTextEdit::textChanged, this, &MultiLineTextBox::enforceLimit);
}

QString MultiLineTextBox::text() const {
    return toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

void MultiLineTextBox::setText(const QString& text) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(plain);
}

void MultiLineTextBox::setLocked(bool locked) {
    if (locked)
        platform::ui::makeReadOnly(this);
    else
        setReadOnly(false);
}

void MultiLineTextBox::enforceLimit() {
    if (m_maxLength <= 0 || m_enforcing)
        return;
    const QString full = text();
    if (full.size() <= m_maxLength)
        return;
    // Cut back what went past the limit, keeping the cursor where it was.
    m_enforcing = true;
    QString cut = full.left(m_maxLength);
    if (cut.endsWith(QLatin1Char('\r')))
        cut.chop(1);
    const int pos = textCursor().position();
    setText(cut);
    QTextCursor c = textCursor();
    c.setPosition(std::min<int>(pos, static_cast<int>(toPlainText().size())));
    setTextCursor(c);
    m_enforcing = false;
}
