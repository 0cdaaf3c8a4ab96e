#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

// Questions put to the learner in message boxes. Tests answer them through
// setAnswerer() instead of a person.
namespace prompts {

enum class Style { Warning, Question };
// Which answer Enter gives: a question that destroys something defaults to No.
enum class Default { Yes, No };

// Yes/No question; true for Yes. Closing the box counts as No.
bool askYesNo(QWidget* parent, const QString& title, const QString& text,
              Style style = Style::Question, Default answer = Default::Yes);

// OK/Cancel question with a question icon; true for OK. `answer` is the
// answer Enter gives: Default::No (取消) for a question that destroys.
bool askOkCancel(QWidget* parent, const QString& title, const QString& text,
                 Default answer = Default::Yes);

// A line of text asked for in an input box; nullopt when cancelled.
std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label);

// A notice with one OK button.
void inform(QWidget* parent, const QString& title, const QString& text);

using Answerer = std::function<bool(const QString& text)>;
// Replaces the message box; an empty function restores it.
void setAnswerer(Answerer answerer);

// Replaces the input box; tests type their answer through it.
using TextAnswerer = std::function<std::optional<QString>(const QString& title)>;
void setTextAnswerer(TextAnswerer answerer);
// Replaces the notices; tests see their texts.
using Notifier = std::function<void(const QString& text)>;
void setNotifier(Notifier notifier);

} // namespace prompts
