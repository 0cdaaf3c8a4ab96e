#pragma once

#include <QString>

#include <functional>

class QWidget;

// Questions put to the learner in message boxes. Tests answer them through
// setAnswerer() instead of a person.
namespace prompts {

enum class Style { Warning, Question };

// Yes/No question; true for Yes. Closing the box counts as No.
bool askYesNo(QWidget* parent, const QString& title, const QString& text,
              Style style = Style::Question);

// OK/Cancel question with a question icon; true for OK.
bool askOkCancel(QWidget* parent, const QString& title, const QString& text);

using Answerer = std::function<bool(const QString& text)>;
// Replaces the message box; an empty function restores it.
void setAnswerer(Answerer answerer);

} // namespace prompts
