#include "test_text_view.h"

#include "gbk_codec.h"
#include "test_text.h"

#include <QTextBlock>
#include <QTextCursor>

TestTextView::TestTextView(QTextEdit* edit) : edit_(edit) {
    edit_->document()->setDocumentMargin(0);
    edit_->setLineWrapMode(QTextEdit::NoWrap);
    edit_->setUndoRedoEnabled(false);
}

void TestTextView::fillLine(QTextCursor& c, const TestText& text, int line) {
    QTextBlockFormat block;
    block.setLineHeight(kLineHeight, QTextBlockFormat::FixedHeight);
    c.setBlockFormat(block);
    const std::string& bytes = text.line(line);
    QTextCharFormat f;
    if (line % 2 == 1) {
        f.setForeground(toQColor(colours_.input));
        c.insertText(gbk::toUnicode(bytes), f);
        return;
    }
    // Article line: double-byte characters with their marks, then the filler;
    // each run of one colour is inserted at once.
    auto colourOf = [&](TestText::Mark mark) {
        switch (mark) {
        case TestText::Mark::Wrong:
            return QColor(255, 0, 0);
        case TestText::Mark::Typed:
            return toQColor(colours_.typed);
        case TestText::Mark::WordMagenta:
            return QColor(255, 0, 255);
        case TestText::Mark::WordBlue:
            return QColor(0, 0, 255);
        default:
            return toQColor(colours_.untyped);
        }
    };
    const std::string_view all(bytes);
    size_t i = 0;
    int index = 0;
    while (i + 1 < bytes.size() && static_cast<unsigned char>(bytes[i]) >= 0x80) {
        const TestText::Mark mark = text.mark(line, index);
        const size_t runStart = i;
        while (i + 1 < bytes.size() && static_cast<unsigned char>(bytes[i]) >= 0x80 &&
               text.mark(line, index) == mark) {
            i += 2;
            ++index;
        }
        f.setForeground(colourOf(mark));
        c.insertText(gbk::toUnicode(all.substr(runStart, i - runStart)), f);
    }
    f.setForeground(toQColor(colours_.untyped));
    c.insertText(gbk::toUnicode(all.substr(i)), f);
}

void TestTextView::showAll(const TestText& text) {
    QPalette pal = edit_->palette();
    pal.setColor(QPalette::Base, toQColor(colours_.ground));
    pal.setColor(QPalette::Text, toQColor(colours_.untyped));
    edit_->setPalette(pal);
    edit_->clear();
    QTextCursor c(edit_->document());
    c.beginEditBlock();
    for (int i = 0; i < text.lineCount(); ++i) {
        if (i > 0)
            c.insertBlock();
        fillLine(c, text, i);
    }
    c.endEditBlock();
}

void TestTextView::showLines(const TestText& text, const std::set<int>& lines) {
    QTextDocument* doc = edit_->document();
    for (int line : lines) {
        QTextBlock b = doc->findBlockByNumber(line);
        if (!b.isValid() || line >= text.lineCount())
            continue;
        QTextCursor c(b);
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        c.removeSelectedText();
        fillLine(c, text, line);
    }
}

void TestTextView::selectAt(const TestText& text, int64_t pos) {
    QList<QTextEdit::ExtraSelection> selections;
    int line = 0, col = 0;
    if (text.locate(pos, line, col)) {
        const QTextBlock b = edit_->document()->findBlockByNumber(line);
        if (b.isValid()) {
            QTextEdit::ExtraSelection s;
            s.cursor = QTextCursor(b);
            s.cursor.setPosition(b.position() + col / 2);
            s.cursor.setPosition(b.position() + col / 2 + 1, QTextCursor::KeepAnchor);
            s.format.setBackground(QColor(0, 120, 215));
            s.format.setForeground(Qt::white);
            selections.append(s);
        }
    }
    edit_->setExtraSelections(selections);
}
